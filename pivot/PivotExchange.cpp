#include "PivotLocals.h"

#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

// One pivot step, second half: the entering column becomes basic in the
// pivot row with the cost typed under it; the tableau is pivoted on column 1,
// the basis matrix on msfunit takes the entering column, and the "Total" row
// shows the simplex multipliers and the objective, which also goes to Text1.
void Form1::pivotExchange(PivotLocals &local)
{
    constexpr std::int16_t Left = CellGrid::AlignLeftCenter;
    const std::uint8_t r = local.pivotRow;

    // The cost of the entering column, from the "Cost" row.
    selectCell(msfmain0, dimN + 1, 1);
    guarded([&] { basicCost(r) = numberFromText(msfmain0.text()); });

    // Divide the pivot row by the pivot. With no pivot row (no row had a
    // ratio) there is no row to divide, and row 0 holds the column headers.
    guarded([&] { tmpVal = matWorking(r, 1); });
    if (r > 0) {
        const int lastCol = dimN + 2;
        for (int c = 1; c <= lastCol; ++c) {
            guarded([&] { matWorking(r, c) = matWorking(r, c) / tmpVal; });
            writeCell(msfmain, r, c, Left, [&] { return plainNumber(matWorking(r, c)); });
        }
    }

    // Clear column 1 in the other rows. A row whose multiplier is 0 keeps its
    // values and is not rewritten.
    const int lastRow = dimN;
    for (int i = 1; i <= lastRow; ++i) {
        if (i == r)
            continue;
        guarded([&] { tmpVal = matWorking(i, 1) / matWorking(r, 1); });
        if (tmpVal == 0)
            continue;
        const int lastCol = dimN + 2;
        for (colIx = 1; colIx <= lastCol; colIx = colIx + 1) {
            guarded([&] {
                matWorking(i, colIx) = matWorking(i, colIx) - tmpVal * matWorking(r, colIx);
            });
            writeCell(msfmain, i, colIx, Left, [&] { return plainNumber(matWorking(i, colIx)); });
        }
    }

    // The entering column takes the place of basis column r.
    const int lastSide = dimN;
    for (int i = 1; i <= lastSide; ++i) {
        guarded([&] { matSide(i, r + 1) = matInput(i, 1); });
        writeCell(msfunit, i, r + 1, Left, [&] { return plainNumber(matSide(i, r + 1)); });
        guarded([&] { matSide(i, dimN + 2) = matWorking(i, dimN + 2); });
        writeCell(msfunit, i, dimN + 2, Left, [&] { return plainNumber(matSide(i, dimN + 2)); });
    }

    // "Total": the basic costs times the inverse (the simplex multipliers)
    // and times the basic solution (the objective).
    const int lastTotal = dimN + 2;
    for (int c = 2; c <= lastTotal; ++c) {
        guarded([&] { tmpVal = 0; });
        const int lastTerm = dimN;
        for (int i = 1; i <= lastTerm; ++i)
            guarded([&] { tmpVal = tmpVal + matWorking(i, c) * basicCost(i); });
        writeCell(msfmain, dimN + 1, c, Left, [&] { return plainNumber(tmpVal); });
    }
    guarded([&] { window.setText1(roundedText(tmpVal)); });

    // The weighted basic values replace the basic solution on msfunit.
    const int lastWeighted = dimN;
    for (int i = 1; i <= lastWeighted; ++i) {
        guarded([&] { matSide(i, dimN + 2) = matWorking(i, dimN + 2) * basicCost(i); });
        writeCell(msfunit, i, dimN + 2, Left, [&] { return roundedNumber(matSide(i, dimN + 2)); });
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
    letEventsRun();
}
