#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <vector>

class QWidget;

// Watches a run from the outside: a 1 ms heartbeat timer can only fire when
// the run lets window events be handled, so the longest gap between two beats
// is the longest stretch in which a click would have waited; and it counts
// the paint events of the grids.
class RunObserver : public QObject
{
    Q_OBJECT

  public:
    using Clock = std::chrono::steady_clock;

    explicit RunObserver(std::vector<QWidget *> viewports, QObject *parent = nullptr);

    void start();
    void stop();

    double longestGapMs() const { return longestGap; }
    // How far into the run the longest gap ended.
    double longestGapEndS() const { return longestGapEnd; }
    // Paints of the grid that was painted least often.
    int fewestPaints() const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void beat();

    std::vector<QWidget *> viewports;
    std::vector<int> paints;
    QTimer heartbeat;
    Clock::time_point started{};
    Clock::time_point lastBeat{};
    double longestGap = 0;
    double longestGapEnd = 0;
    bool running = false;
};
