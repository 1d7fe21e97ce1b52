#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

void Form1::cmdpidim_Click()
{
    const auto reserveTableau = [this](int n) {
        return reserveLayout(
            [&] {
                matInput.reserve(0, n + 2, 0, n + 3);
                matWorking.reserve(0, n + 2, 0, n + 2);
                matSide.reserve(0, n + 1, 0, n + 2);
                basicCost.reserve(0, n + 2);
            },
            {{n + 2, n + 5}, {n + 2, n + 3}, {n + 1, n + 3}});
    };

    // The pivot step counts rows in one byte, so larger tableaux are refused.
    if (askForSize(LargestTableau) && reserveTableau(toInteger(tmpVal))) {
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
                grid.setColWidth(position(ii), ColumnWidth);
                if (ii > 0) {
                    writeCell(grid, 0, ii, CellGrid::AlignCenterCenter, plainNumber(ii - 1));
                    writeCell(grid, ii, 0, CellGrid::AlignCenterCenter, plainNumber(ii));
                }
            }
            grid.setColWidth(position(ii), ColumnWidth);
            writeCell(grid, 0, ii, CellGrid::AlignCenterCenter, plainNumber(ii - 1));
        };

        msfmain0.setRows(n + 2);
        msfmain0.setCols(n + 5);
        labelHeaders(msfmain0);
        writeCell(msfmain0, 0, n + 3, CellGrid::AlignCenterCenter, "upd");
        writeCell(msfmain0, 0, n + 4, CellGrid::AlignCenterCenter, "Minr");
        writeCell(msfmain0, n + 1, 0, CellGrid::AlignCenterCenter, "Cost");

        msfmain.setRows(n + 2);
        msfmain.setCols(n + 3);
        labelHeaders(msfmain);
        writeCell(msfmain, n + 1, 0, CellGrid::AlignCenterCenter, "Total");

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
