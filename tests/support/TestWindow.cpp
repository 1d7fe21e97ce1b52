#include "TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace {

// How often an input box is looked for while answers are waiting.
constexpr int PromptPollMs = 10;
// An accelerator's button animates before its click lands (about 100 ms).
constexpr int AcceleratorWaitMs = 250;
constexpr int ClickLandTimeoutMs = 10000;

bool typeable(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

TestWindow::TestWindow() : mainWindow(std::make_unique<MainWindow>())
{
    mainWindow->show();
    mainWindow->activateWindow();
    if (!QTest::qWaitForWindowActive(mainWindow.get()))
        qWarning("TestWindow: the window did not become active");
    firstPause = services().pauseCount();

    promptWatch = new QTimer;
    promptWatch->setInterval(PromptPollMs);
    QObject::connect(promptWatch, &QTimer::timeout, [this] { replyToOpenPrompt(); });
    promptWatch->start();
}

TestWindow::~TestWindow()
{
    for (const QMetaObject::Connection &connection : std::as_const(pauseActions))
        QObject::disconnect(connection);
    delete promptWatch;
    mainWindow.reset();
}

MainWindow &TestWindow::window()
{
    return *mainWindow;
}

Form1 &TestWindow::form()
{
    return mainWindow->form();
}

QtWindowServices &TestWindow::services()
{
    return mainWindow->services();
}

GridView *TestWindow::grid(const QString &name) const
{
    auto *view = mainWindow->findChild<GridView *>(name);
    if (!view)
        qWarning("TestWindow: no grid named %s", qPrintable(name));
    return view;
}

QAbstractButton *TestWindow::button(const QString &name) const
{
    auto *found = mainWindow->findChild<QAbstractButton *>(name);
    if (!found)
        qWarning("TestWindow: no button named %s", qPrintable(name));
    return found;
}

QCheckBox *TestWindow::check1() const
{
    return mainWindow->findChild<QCheckBox *>(QStringLiteral("Check1"));
}

QLineEdit *TestWindow::text1() const
{
    return mainWindow->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

QString TestWindow::cellText(const QString &gridName, int row, int col) const
{
    GridView *view = grid(gridName);
    view->flush();
    return view->model()->index(row, col).data(Qt::DisplayRole).toString();
}

Qt::Alignment TestWindow::cellAlignment(const QString &gridName, int row, int col) const
{
    GridView *view = grid(gridName);
    view->flush();
    const QVariant alignment = view->model()->index(row, col).data(Qt::TextAlignmentRole);
    return alignment.isValid() ? Qt::Alignment::fromInt(alignment.toInt()) : Qt::Alignment();
}

QStringList TestWindow::rowTexts(const QString &gridName, int row, int firstCol, int lastCol) const
{
    QStringList texts;
    for (int col = firstCol; col <= lastCol; ++col)
        texts << cellText(gridName, row, col);
    return texts;
}

void TestWindow::clickCell(const QString &gridName, int row, int col)
{
    GridView *view = grid(gridName);
    view->flush();
    const QModelIndex index = view->model()->index(row, col);
    if (!index.isValid())
        qWarning("TestWindow: %s has no cell (%d, %d)", qPrintable(gridName), row, col);
    view->scrollTo(index);
    const QRect cell = view->visualRect(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

QWidget *TestWindow::focusTarget() const
{
    if (QWidget *focused = QApplication::focusWidget())
        return focused;
    if (QWidget *focused = mainWindow->focusWidget())
        return focused;
    return mainWindow.get();
}

void TestWindow::typeText(const QString &text)
{
    QTest::keyClicks(focusTarget(), text);
}

void TestWindow::typeIntoCell(int row, int col, const QString &text)
{
    clickCell(QStringLiteral("msfmain0"), row, col);
    typeText(text);
}

void TestWindow::typeMatrix(const QList<QStringList> &rows, int firstRow, int firstCol)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (qsizetype j = 0; j < rows[i].size(); ++j) {
            if (!rows[i][j].isEmpty())
                typeIntoCell(firstRow + int(i), firstCol + int(j), rows[i][j]);
        }
    }
}

void TestWindow::press(const QString &name)
{
    QAbstractButton *target = button(name);
    if (target->isVisible())
        QTest::mouseClick(target, Qt::LeftButton);
    else
        target->click();
    // Back in the event loop, as after any click: what the procedure left
    // pending (a change of activation or focus) is delivered.
    QCoreApplication::processEvents();
}

void TestWindow::pressAccelerator(char letter)
{
    const QChar upper = QChar::fromLatin1(letter).toUpper();
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(upper.unicode())));

    QAbstractButton *answering = nullptr;
    for (QAbstractButton *candidate : mainWindow->findChildren<QAbstractButton *>()) {
        if (candidate->isVisible() && QKeySequence::mnemonic(candidate->text()) == wanted)
            answering = candidate;
    }

    // The window's own procedure is connected first, so when this flag is
    // set the procedure has run to its end.
    bool landed = false;
    QMetaObject::Connection connection;
    if (answering)
        connection = QObject::connect(answering, &QAbstractButton::clicked, [&] { landed = true; });

    QTest::keyClick(focusTarget(), QChar(upper).toLower().toLatin1(), Qt::AltModifier);

    if (answering) {
        if (!QTest::qWaitFor([&] { return landed; }, ClickLandTimeoutMs))
            qWarning("TestWindow: Alt+%c did not click %s", letter,
                     qPrintable(answering->objectName()));
        QObject::disconnect(connection);
        QCoreApplication::processEvents();
    } else {
        QTest::qWait(AcceleratorWaitMs);
    }
}

void TestWindow::answerNextPrompt(const QString &answer)
{
    promptReplies.append({true, answer});
}

void TestWindow::cancelNextPrompt()
{
    promptReplies.append({false, QString()});
}

void TestWindow::forgetPromptReplies()
{
    promptReplies.clear();
}

QString TestWindow::lastPromptLabel() const
{
    return promptLabel;
}

QString TestWindow::lastPromptTitle() const
{
    return promptTitle;
}

void TestWindow::replyToOpenPrompt()
{
    auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;

    promptLabel = dialog->labelText();
    promptTitle = dialog->windowTitle();
    if (promptReplies.isEmpty()) {
        qWarning("TestWindow: an input box that no test answers came up; cancelling it");
        dialog->reject();
        return;
    }

    const PromptReply reply = promptReplies.takeFirst();
    auto *edit = dialog->findChild<QLineEdit *>();
    if (reply.accept) {
        if (edit && typeable(reply.answer)) {
            edit->selectAll();
            QTest::keyClicks(edit, reply.answer);
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            dialog->setTextValue(reply.answer);
        }
        if (dialog->isVisible())
            dialog->accept();
    } else {
        QTest::keyClick(edit ? static_cast<QWidget *>(edit) : dialog, Qt::Key_Escape);
        if (dialog->isVisible())
            dialog->reject();
    }
}

void TestWindow::setDelay(bool on)
{
    QCheckBox *box = check1();
    if (box->isChecked() == on)
        return;
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    if (box->isChecked() != on)
        qWarning("TestWindow: clicking Check1 did not change it");
}

void TestWindow::atPause(qint64 pauseNumber, std::function<void()> action)
{
    const qint64 target = services().pauseCount() + pauseNumber;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&services(), &QtWindowServices::pauseReached, &services(),
                                   [connection, target, action = std::move(action)](qint64 pause) {
                                       if (pause != target || !*connection)
                                           return;
                                       QObject::disconnect(*connection);
                                       *connection = {};
                                       const std::function<void()> once = action;
                                       once();
                                   });
    pauseActions.append(*connection);
}

qint64 TestWindow::pauseCount() const
{
    return mainWindow->services().pauseCount() - firstPause;
}
