#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

// Answers the next size prompt the way a user would, as soon as it is shown,
// and notes when the answer was given.
class PromptAnswerer : public QObject
{
    Q_OBJECT

  public:
    using Clock = std::chrono::steady_clock;

    explicit PromptAnswerer(QObject *parent = nullptr);

    void answerNext(const QString &answer);
    Clock::time_point acceptedAt() const { return accepted; }

  private:
    void poll();

    QTimer timer;
    QString pendingAnswer;
    Clock::time_point accepted{};
};
