#include "app/CellWrite.h"
#include "app/Conversions.h"
#include "app/Form1.h"

#include <cmath>
#include <string>

namespace {

// The size prompt's answer as a number. An answer beyond the double range
// cannot be converted and is refused like any other: the result is then
// empty, and tmpVal keeps what it held.
bool readAnswer(const std::string &answer, Variant &value)
{
    try {
        value = numberFromText(answer);
        return true;
    } catch (const StatementFailed &) {
        return false;
    }
}

// Whether n = value, rounded half to even, is a size the program can hold:
// at least 2 and no more than the arrays and grids can take in memory.
bool isAcceptedSize(const Variant &value)
{
    return value >= 2 && std::nearbyint(value.toDouble()) <= Form1::LargestDimension;
}

} // namespace

void Form1::cmddim_Click()
{
    const std::string answer = window.inputBox("Select Dimention", "", "");
    if (readAnswer(answer, tmpVal)) {
        if (tmpVal == 1)
            tmpVal = 2;

        // Everything is checked before anything is created, so a refused
        // answer leaves n, the arrays and the grids as they were.
        if (isAcceptedSize(tmpVal)) {
            dimN = toInteger(tmpVal);
            const int n = dimN;
            matInput.create(0, n + 1, 0, n + 1);
            matWorking.create(0, n + 1, 0, n + 1);
            matSide.create(0, n + 1, 0, n + 1);

            for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit}) {
                grid->setRows(n + 1);
                grid->setCols(n + 2);
                for (ii = 0; ii <= n; ii = ii + 1) {
                    grid->setColWidth(toLong(ii), 700);
                    if (ii > 0) {
                        writeCell(*grid, 0, ii, plainText(ii), CellGrid::AlignCenterCenter);
                        writeCell(*grid, ii, 0, plainText(ii), CellGrid::AlignCenterCenter);
                    }
                }
            }

            for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit})
                blankDataCells(*grid, n, n + 1);
        }
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
}
