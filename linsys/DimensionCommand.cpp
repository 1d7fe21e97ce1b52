#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

void Form1::cmddim_Click()
{
    const auto reserveSystem = [this](int n) {
        return reserveLayout(
            [&] {
                matInput.reserve(0, n + 1, 0, n + 1);
                matWorking.reserve(0, n + 1, 0, n + 1);
                matSide.reserve(0, n + 1, 0, n + 1);
            },
            {{n + 1, n + 2}, {n + 1, n + 2}, {n + 1, n + 2}});
    };

    if (askForSize(LargestDimension) && reserveSystem(toInteger(tmpVal))) {
        dimN = toInteger(tmpVal);
        const int n = dimN;
        matInput.create(0, n + 1, 0, n + 1);
        matWorking.create(0, n + 1, 0, n + 1);
        matSide.create(0, n + 1, 0, n + 1);

        for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit}) {
            grid->setRows(n + 1);
            grid->setCols(n + 2);
            for (ii = 0; ii <= n; ii = ii + 1) {
                grid->setColWidth(position(ii), ColumnWidth);
                if (ii > 0) {
                    writeCell(*grid, 0, ii, CellGrid::AlignCenterCenter, plainNumber(ii));
                    writeCell(*grid, ii, 0, CellGrid::AlignCenterCenter, plainNumber(ii));
                }
            }
        }

        for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit})
            blankDataCells(*grid, n, n + 1);
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
}
