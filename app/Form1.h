#pragma once

#include "FormState.h"
#include "app/values/Statement.h"
#include "ui/CellGrid.h"
#include "ui/WindowServices.h"

#include <functional>
#include <string_view>

struct PivotLocals;

// The window's procedures over its shared form state. Each event procedure is
// named after its control and event; the procedures reach the grids and the
// window only through CellGrid and WindowServices, so nothing here knows the
// toolkit. The procedures of each subsystem live in their own source files:
// app/ (start-up, key entry, CLEAR, the pauses), linsys/ (DIMENSION, SOLVE)
// and pivot/ (PIVOT DIM, PIVOT).
class Form1 : public FormState
{
  public:
    Form1(CellGrid &msfmain0, CellGrid &msfmain, CellGrid &msfunit, WindowServices &window);

    // Runs once, before the window is first shown.
    void Form_Load();

    // A character typed while msfmain0 has the focus (the window binds it to
    // the grid's KeyPress event, as it binds the buttons' clicks).
    void msfmain0_KeyPress(char16_t keyAscii);
    // Text pasted while msfmain0 has the focus: its fields fill the cells
    // from the current cell on, rightwards and downwards, as typed cells.
    void msfmain0_Paste(std::string_view clipboardText);

    void cmdclr_Click();   // CLEAR
    void cmddim_Click();   // DIMENSION
    void cmdrun_Click();   // SOLVE
    void cmdpidim_Click(); // PIVOT DIM
    void cmdpivot_Click(); // PIVOT

    // The width in twips of the header column and of every column of a
    // matrix that DIMENSION and PIVOT DIM lay out: about half an inch, room
    // for six digits in the grid's font.
    static constexpr int ColumnWidth = 700;

    // The largest n that DIMENSION and PIVOT DIM accept.
    static constexpr int LargestDimension = 1000;
    static constexpr int LargestTableau = 253;

  private:
    // Start of a stepped command: reads the Delay box, sets the busy count.
    void startSteppedCommand();
    // One pause between two displayed steps: lets the pending window events
    // run, then, with Delay, holds the step for the busy count. Without
    // Delay the events run once per frame interval; the pause that finds
    // them not due, a million times in a large run, stays inline.
    void stepDelay()
    {
        if (delayOn == True) {
            heldStep();
            return;
        }
        letEventsRunWhenDue();
        // An event run in the pause may have started a command with Delay.
        if (delayOn == True)
            busyCount();
    }
    // stepDelay with Delay on.
    void heldStep();
    void busyCount();
    // Lets pending window events run once. Throws RunAbandoned when the
    // window is closing.
    void letEventsRun();
    // The same, at most once per frame interval (Delay off).
    void letEventsRunWhenDue()
    {
        if (!window.doEventsWhenDue())
            throw RunAbandoned{};
    }

    // Asks for n at the size prompt, leaving the answer in tmpVal; true when
    // n = tmpVal is a size to lay out, from 2 to `largest`.
    bool askForSize(int largest);

    // Obtains what a new layout needs before anything changes: the arrays'
    // elements (reserveArrays reserves them) and the cells of msfmain0,
    // msfmain and msfunit, rows x cols each. False, everything given back,
    // when the memory cannot hold it all.
    struct GridSize
    {
        int rows, cols;
    };
    bool reserveLayout(const std::function<void()> &reserveArrays, const GridSize (&grids)[3]);

    // Empties rows 1..lastRow, columns 1..lastCol of a grid, counting with
    // ii and jj, then the header of column lastCol.
    void blankDataCells(CellGrid &grid, int lastRow, int lastCol);

    // SOLVE's clearing of row kk against the pivot row ii.
    void clearRowKk();

    // The parts of cmdpivot_Click.
    void pivotPrologue(PivotLocals &local);
    void pivotLoad(PivotLocals &local);
    void pivotIteration(PivotLocals &local);
    void pivotExchange(PivotLocals &local);

    CellGrid &msfmain0;
    CellGrid &msfmain;
    CellGrid &msfunit;
    WindowServices &window;
};
