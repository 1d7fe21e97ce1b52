#include "PromptAnswerer.h"

#include <QApplication>
#include <QInputDialog>

PromptAnswerer::PromptAnswerer(QObject *parent) : QObject(parent)
{
    timer.setInterval(1);
    connect(&timer, &QTimer::timeout, this, &PromptAnswerer::poll);
}

void PromptAnswerer::answerNext(const QString &answer)
{
    pendingAnswer = answer;
    timer.start();
}

void PromptAnswerer::poll()
{
    auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
    if (!dialog)
        return;
    timer.stop();
    dialog->setTextValue(pendingAnswer);
    accepted = Clock::now();
    dialog->accept();
}
