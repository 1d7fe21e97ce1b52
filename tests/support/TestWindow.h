#pragma once

#include "PromptAnswers.h"

#include "app/Form1.h"
#include "app/qt/MainWindow.h"
#include "ui/qt/GridView.h"
#include "ui/qt/QtWindowServices.h"

#include <QAbstractButton>
#include <QList>
#include <QStringList>

#include <functional>
#include <map>

// The program's window, shown and active, driven the way a user drives it:
// clicks on cells and buttons, typed keys, accelerators and answers to the
// size prompt.
class TestWindow
{
  public:
    TestWindow();

    MainWindow window;
    PromptAnswers prompts;

    Form1 &form() { return window.form(); }
    QtWindowServices &services() { return window.services(); }
    template <class Control = QWidget> Control *find(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }
    GridView *grid(const QString &name) const { return find<GridView>(name); }

    // What a grid shows in rows r0..r1, columns c0..c1: per row the texts
    // joined by "|", or the alignments as letters (C centred, L left, ? other).
    QStringList rows(const QString &grid, int r0, int r1, int c0, int c1,
                     bool alignments = false) const;
    // Every cell of the three grids: per grid its size ("3x4"), then its rows
    // as rows() gives them.
    QStringList grids() const;
    // The widget with the keyboard focus, and for a grid its current cell:
    // "msfmain0 (1, 2)".
    QString focus() const;

    // A mouse click on a cell, scrolled into view first.
    void clickCell(const QString &grid, int row, int col);
    // Key clicks into the focused widget (the window when none has the
    // focus), one per UTF-16 unit; the codes 1 to 26 other than Backspace,
    // Tab and Enter as Ctrl+letter.
    void type(const QString &keys);
    // Clicks a cell of msfmain0 and types into it.
    void typeInto(int row, int col, const QString &keys)
    {
        clickCell("msfmain0", row, col);
        type(keys);
    }
    // typeInto for every non-empty entry: rows[i][j] goes to (firstRow + i, firstCol + j).
    void typeMatrix(const QList<QStringList> &rows, int firstRow = 1, int firstCol = 1);

    // A mouse click on a visible button; click() on a hidden one.
    void press(const QString &button);
    // Alt+letter; returns once the button that answers it has run its procedure.
    void pressAccelerator(char letter);
    // Ticks or unticks the Delay box with a click.
    void setDelay(bool on);

    // Runs `action` in the pause with this number, counted from now (1-based).
    void atPause(qint64 pause, std::function<void()> action)
    {
        pauseActions[services().pauseCount() + pause] = std::move(action);
    }

  private:
    std::map<qint64, std::function<void()>> pauseActions;
};
