#include "PromptAnswers.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

PromptAnswers::PromptAnswers()
{
    qApp->installEventFilter(this);
}

bool PromptAnswers::eventFilter(QObject *watched, QEvent *event)
{
    // The answer is typed once the box's own event loop runs.
    if (auto *dialog = qobject_cast<QInputDialog *>(watched);
        dialog && event->type() == QEvent::Show)
        QTimer::singleShot(0, this, [this, box = QPointer(dialog)] {
            if (box && box->isVisible())
                reply(box);
        });
    return false;
}

void PromptAnswers::reply(QInputDialog *dialog)
{
    last = dialog->labelText() + '|' + dialog->windowTitle();
    auto *edit = dialog->findChild<QLineEdit *>();
    const std::optional<QString> answer = answers.isEmpty() ? std::nullopt : answers.takeFirst();
    if (!answer) {
        QTest::keyClick(edit, Qt::Key_Escape);
        return;
    }
    QTest::keyClicks(edit, *answer);
    emit answered();
    QTest::keyClick(edit, Qt::Key_Return);
}
