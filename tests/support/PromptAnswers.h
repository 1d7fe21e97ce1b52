#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QInputDialog;

// Answers the size prompts the way a user does, as soon as each one shows:
// types the next answer and presses Enter, or presses Escape for an answer
// that is std::nullopt. A prompt that no answer waits for is cancelled.
class PromptAnswers : public QObject
{
    Q_OBJECT

  public:
    PromptAnswers();

    void add(std::optional<QString> answer) { answers.append(answer); }
    void clear() { answers.clear(); }

    // The prompt and the caption of the last input box, as "prompt|caption".
    QString last;

  signals:
    // An answer has been typed and is about to be accepted.
    void answered();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void reply(QInputDialog *dialog);

    QList<std::optional<QString>> answers;
};
