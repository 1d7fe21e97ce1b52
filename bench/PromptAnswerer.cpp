#include "PromptAnswerer.h"

PromptAnswerer::PromptAnswerer(QObject *parent) : QObject(parent)
{
    connect(&answers, &PromptAnswers::answered, this, [this] { accepted = Clock::now(); });
}
