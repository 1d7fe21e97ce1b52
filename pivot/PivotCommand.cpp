#include "PivotLocals.h"

#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

void Form1::cmdpivot_Click()
{
    PivotLocals local;
    pivotPrologue(local);

    // Until the user types into column 1 after a load, every press loads the
    // tableau afresh from the input grid.
    if ((pivotState == 0 && editMark == 0) || (pivotState == 1 && editMark == 0))
        pivotLoad(local);

    // Once an entering column was typed, every press exchanges the basis.
    if (editMark > 0) {
        pivotIteration(local);
        pivotExchange(local);
    }
}

void Form1::pivotPrologue(PivotLocals &local)
{
    guarded([&] { local.ratioTab.create(0, dimN, 0, 3); });
    guarded([&] { local.tieTab.create(0, dimN, 0, 3); });
    guarded([&] { local.updCol.create(0, dimN); });
    guarded([&] { local.updRhs.create(0, dimN); });
    guarded([&] { local.minrVal.create(0, dimN); });
    guarded([&] { local.roundPlaces = 7; });

    startSteppedCommand();

    // The entering column is read at every press, whichever path follows.
    const int n = dimN;
    for (local.rowIx = 1; local.rowIx <= n; local.rowIx = local.rowIx + 1) {
        selectCell(msfmain0, local.rowIx, 1);
        guarded([&] { matInput(local.rowIx, 1) = numberFromText(msfmain0.text()); });
    }
}
