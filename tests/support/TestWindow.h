#pragma once

#include <QList>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <Qt>

#include <functional>
#include <memory>

class Form1;
class GridView;
class MainWindow;
class QAbstractButton;
class QCheckBox;
class QInputDialog;
class QLineEdit;
class QTimer;
class QWidget;
class QtWindowServices;

// The program's window, shown and active, driven the way a user drives it:
// mouse clicks on cells and buttons, typed keys, accelerators and answers to
// the size prompt.
class TestWindow
{
  public:
    TestWindow(); // builds a MainWindow, shows it, activates it and waits until it is active
    ~TestWindow();

    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    MainWindow &window();
    Form1 &form();
    QtWindowServices &services();

    GridView *grid(const QString &name) const;          // "msfmain0", "msfmain", "msfunit"
    QAbstractButton *button(const QString &name) const; // "cmdrun", "cmddim", "cmdclr", ...
    QCheckBox *check1() const;
    QLineEdit *text1() const;

    // What the grid's model shows.
    QString cellText(const QString &grid, int row, int col) const;
    Qt::Alignment cellAlignment(const QString &grid, int row, int col) const;
    QStringList rowTexts(const QString &grid, int row, int firstCol, int lastCol) const;

    // A real mouse click on a cell, scrolled into view first.
    void clickCell(const QString &grid, int row, int col);
    // Key clicks into the focused widget.
    void typeText(const QString &text);
    // Clicks the cell of msfmain0, then types.
    void typeIntoCell(int row, int col, const QString &text);
    // typeIntoCell for each non-empty entry; rows[i][j] goes to (firstRow + i, firstCol + j).
    void typeMatrix(const QList<QStringList> &rows, int firstRow = 1, int firstCol = 1);

    // A mouse click on a visible button; click() on a hidden one.
    void press(const QString &button);
    // Alt+letter on the window; returns once the animated click has landed
    // and its procedure has ended (or, when no visible button answers the
    // letter, once a click would have landed).
    void pressAccelerator(char letter);

    // The next input box gets this text typed and OK; or is cancelled.
    void answerNextPrompt(const QString &answer);
    void cancelNextPrompt();
    // Drops the answers that no input box has taken yet.
    void forgetPromptReplies();
    // The prompt of the last input box answered or cancelled here.
    QString lastPromptLabel() const;
    // The caption of that input box.
    QString lastPromptTitle() const;

    // Ticks or unticks Check1 by a click.
    void setDelay(bool on);

    // Runs `action` at the pause with this number, counted from now (1-based).
    void atPause(qint64 pauseNumber, std::function<void()> action);
    // Pauses since this TestWindow was made.
    qint64 pauseCount() const;

  private:
    struct PromptReply
    {
        bool accept;
        QString answer;
    };

    void replyToOpenPrompt();
    QWidget *focusTarget() const;

    std::unique_ptr<MainWindow> mainWindow;
    QTimer *promptWatch = nullptr;
    QList<PromptReply> promptReplies;
    QString promptLabel;
    QString promptTitle;
    QList<QMetaObject::Connection> pauseActions;
    qint64 firstPause = 0;
};
