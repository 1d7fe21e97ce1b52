#pragma once

#include "WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class GridView;
class QCheckBox;
class QInputDialog;
class QLineEdit;
class QWidget;

// The window services over Qt: the Delay check box, the text box, the size
// prompt and the event pump of the main window.
class QtWindowServices : public QObject, public WindowServices
{
    Q_OBJECT

  public:
    // When a run without Delay pauses, the pump turns at most this often,
    // so that a click waits no longer than a frame or two;
    static constexpr int EventIntervalMs = 10;
    // and the grids repaint at most this often (30 times a second), enough
    // for the eye and a fraction of the cost of a repaint at every turn.
    static constexpr int RepaintIntervalMs = 33;
    // The pauses read a coarse clock, which ticks this often.
    static constexpr int ClockResolutionMs = 4;

    // `dialogParent` is the window the input box is modal over.
    QtWindowServices(QCheckBox &check1, QLineEdit &text1, QWidget &dialogParent,
                     QObject *parent = nullptr);

    int check1Value() const override;
    void setText1(std::string_view text) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultAnswer) override;
    bool doEvents() override;
    bool doEventsWhenDue() override;

    // Grids whose changes are published before every turn of the pump.
    void addGrid(GridView *grid);
    void flushGrids();

    // The window is going away: the pump no longer turns, the running
    // procedure stops at its next pause, and an open input box is cancelled.
    void setClosing();
    bool isClosing() const { return closing; }

    // Number of pauses (doEvents and doEventsWhenDue calls) so far.
    qint64 pauseCount() const { return pauses; }

  signals:
    // Emitted at every pause, before the pump turns.
    void pauseReached(qint64 pauseNumber);

  private:
    void notePause();
    bool pump(bool repaint);

    QCheckBox &check1;
    QLineEdit &text1;
    QWidget &dialogParent;
    QVector<QPointer<GridView>> grids;
    QPointer<QInputDialog> openPrompt;
    // Milliseconds on the coarse clock of the last turn and the last repaint.
    qint64 lastTurn = 0;
    qint64 lastRepaint = 0;
    qint64 pauses = 0;
    bool closing = false;
};
