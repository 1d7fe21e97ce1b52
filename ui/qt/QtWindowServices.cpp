#include "QtWindowServices.h"

#include "GridView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMetaMethod>

namespace {

// An input box without a title of its own carries the program's name.
const char *const DefaultPromptTitle = "Quelvar";

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtWindowServices::QtWindowServices(QCheckBox &check1, QLineEdit &text1, QWidget &dialogParent,
                                   QObject *parent)
    : QObject(parent), check1(check1), text1(text1), dialogParent(dialogParent)
{}

int QtWindowServices::check1Value() const
{
    switch (check1.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void QtWindowServices::setText1(std::string_view text)
{
    text1.setText(fromUtf8(text));
}

std::string QtWindowServices::inputBox(std::string_view prompt, std::string_view title,
                                       std::string_view defaultAnswer)
{
    if (isClosing())
        return {};

    QInputDialog dialog(&dialogParent);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title.empty() ? QString::fromLatin1(DefaultPromptTitle)
                                        : fromUtf8(title));
    dialog.setLabelText(fromUtf8(prompt));
    dialog.setTextValue(fromUtf8(defaultAnswer));

    openPrompt = &dialog;
    const int result = dialog.exec();
    openPrompt = nullptr;
    // Without a window manager to do it (a virtual display), nothing gives
    // the window back its activation, and the focus that the procedure
    // sets next would go nowhere.
    if (!isClosing())
        dialogParent.activateWindow();

    if (result != QDialog::Accepted || isClosing())
        return {};
    return dialog.textValue().toStdString();
}

void QtWindowServices::addGrid(GridView *grid)
{
    grids.append(grid);
}

void QtWindowServices::flushGrids()
{
    for (const QPointer<GridView> &grid : std::as_const(grids)) {
        if (grid)
            grid->flush();
    }
}

void QtWindowServices::setClosing()
{
    pacer.startClosing();
    if (openPrompt)
        openPrompt->reject();
}

// A pause without Delay comes a million times in a large run, so the signal
// is only sent when someone listens, and only once someone has connected to
// it (a test, the benchmark) do the pauses come here to ask. (Qt tells of a
// disconnection with its connection lock held, too early to ask whether
// anyone is left, so the pauses keep asking from then on.)
void QtWindowServices::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&QtWindowServices::pauseReached))
        pacer.watchPauses();
}

void QtWindowServices::notePause()
{
    static const QMetaMethod pauseSignal = QMetaMethod::fromSignal(&QtWindowServices::pauseReached);
    if (pacer.pausesWatched() && isSignalConnected(pauseSignal))
        emit pauseReached(pacer.pauseCount());
}

bool QtWindowServices::pump(bool repaint)
{
    // Without a flush the grids keep their changes to publish at a later
    // turn; the procedures and the key handler see the cells themselves.
    if (repaint || isClosing())
        flushGrids();
    if (isClosing())
        return false;
    pacer.pumpTurns(repaint);
    // Every event waiting at this moment runs to its end, the update
    // requests that the flush has just posted included, so the step that a
    // Delay pause is about to hold is on the screen while it is held.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !isClosing();
}

bool QtWindowServices::doEvents()
{
    pacer.countPause();
    notePause();
    return pump(true);
}

bool QtWindowServices::pauseWhenDue()
{
    notePause();
    if (!pacer.pumpIsDue())
        return !isClosing();
    return pump(pacer.repaintIsDue());
}
