#pragma once

#include "PromptAnswers.h"

#include <QObject>
#include <QString>

#include <chrono>

// Answers the next size prompt the way a user would, as soon as it is shown
// (with the tests' PromptAnswers), and notes when the answer was given.
class PromptAnswerer : public QObject
{
    Q_OBJECT

  public:
    using Clock = std::chrono::steady_clock;

    explicit PromptAnswerer(QObject *parent = nullptr);

    void answerNext(const QString &answer) { answers.add(answer); }
    Clock::time_point acceptedAt() const { return accepted; }

  private:
    PromptAnswers answers;
    Clock::time_point accepted{};
};
