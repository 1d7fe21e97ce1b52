#include "app/CellWrite.h"
#include "app/Conversions.h"
#include "app/Form1.h"

#include <cmath>
#include <string>

namespace {

constexpr int HeaderWidth = 700;

} // namespace

void Form1::cmdpidim_Click()
{
    const std::string answer = window.inputBox("Select Dimention", "", "");
    // An answer beyond the double range (1E400) cannot be converted and is
    // refused like any other; tmpVal then keeps what it held.
    bool converted = true;
    try {
        tmpVal = numberFromText(answer);
    } catch (const StatementFailed &) {
        converted = false;
    }
    if (converted && tmpVal == 1)
        tmpVal = 2;

    // The pivot step counts rows in one byte, so larger tableaux are refused,
    // and everything is checked before anything is created.
    const bool accepted =
        converted && tmpVal >= 2 && std::nearbyint(tmpVal.toDouble()) <= LargestTableau;
    if (accepted) {
        dimN = toInteger(tmpVal);
        const int n = dimN;

        matInput.create(0, n + 2, 0, n + 3);
        matWorking.create(0, n + 2, 0, n + 2);
        matSide.create(0, n + 1, 0, n + 2);
        basicCost.create(0, n + 2);
        for (ii = 1; ii <= n; ii = ii + 1)
            basicCost(ii) = Single(1.0f);

        // Column headers "0" to n over the entering column and the basis
        // columns, row headers 1 to n.
        auto labelHeaders = [&](CellGrid &grid) {
            for (ii = 0; ii <= n; ii = ii + 1) {
                grid.setColWidth(toLong(ii), HeaderWidth);
                if (ii > 0) {
                    writeCell(grid, 0, ii, plainText(ii - 1), CellGrid::AlignCenterCenter);
                    writeCell(grid, ii, 0, plainText(ii), CellGrid::AlignCenterCenter);
                }
            }
            grid.setColWidth(toLong(ii), HeaderWidth);
            writeCell(grid, 0, ii, plainText(ii - 1), CellGrid::AlignCenterCenter);
        };

        msfmain0.setRows(n + 2);
        msfmain0.setCols(n + 5);
        labelHeaders(msfmain0);
        writeCell(msfmain0, 0, n + 3, "upd", CellGrid::AlignCenterCenter);
        writeCell(msfmain0, 0, n + 4, "Minr", CellGrid::AlignCenterCenter);
        writeCell(msfmain0, n + 1, 0, "Cost", CellGrid::AlignCenterCenter);

        msfmain.setRows(n + 2);
        msfmain.setCols(n + 3);
        labelHeaders(msfmain);
        writeCell(msfmain, n + 1, 0, "Total", CellGrid::AlignCenterCenter);

        msfunit.setRows(n + 1);
        msfunit.setCols(n + 3);
        labelHeaders(msfunit);

        for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit})
            blankDataCells(*grid, n, n + 2);
    }

    msfmain0.setCol(2);
    msfmain0.setRow(1);
    msfmain0.setFocus();
}
