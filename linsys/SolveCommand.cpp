#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

namespace {

constexpr std::int16_t Centred = CellGrid::AlignCenterCenter;
constexpr std::int16_t Left = CellGrid::AlignLeftCenter;

} // namespace

// Gauss-Jordan elimination of [A | b] on the diagonal, without row exchanges,
// with the unit matrix carried along: msfmain ends as [I | x] and msfunit as
// [inverse of A | x]. Every statement is guarded. The counters, tmpVal, n and
// the arrays are form state, and a command run in one of the pauses may change
// any of them: the run then goes on with what it finds, each loop's bound taken
// when that loop starts, and every position looked up afresh.
void Form1::cmdrun_Click()
{
    startSteppedCommand();

    // Read A and b from the input grid.
    const Variant lastInputRow = dimN;
    for (ii = 1; ii <= lastInputRow; ii = ii + 1) {
        const Variant lastInputCol = dimN + 1;
        for (jj = 1; jj <= lastInputCol; jj = jj + 1) {
            selectCell(msfmain0, ii, jj);
            guarded([&] { matInput(ii, jj) = numberFromText(msfmain0.text()); });
        }
    }

    // First display of the working matrix.
    const Variant lastWorkingRow = dimN;
    for (ii = 1; ii <= lastWorkingRow; ii = ii + 1) {
        const Variant lastWorkingCol = dimN + 1;
        for (jj = 1; jj <= lastWorkingCol; jj = jj + 1) {
            guarded([&] { matWorking(ii, jj) = matInput(ii, jj); });
            writeCell(msfmain, ii, jj, Centred, [&] { return plainNumber(matWorking(ii, jj)); });
        }
    }

    // The unit matrix beside b.
    const Variant lastSideRow = dimN;
    for (ii = 1; ii <= lastSideRow; ii = ii + 1) {
        const Variant lastSideCol = dimN + 1;
        for (jj = 1; jj <= lastSideCol; jj = jj + 1) {
            guarded([&] { matSide(ii, jj) = 0; });
            guarded([&] {
                if (ii == jj)
                    matSide(ii, jj) = 1;
            });
            writeCell(msfunit, ii, jj, Centred, [&] { return plainNumber(matSide(ii, jj)); });
        }
        guarded([&] { matSide(ii, dimN + 1) = matInput(ii, dimN + 1); });
        writeCell(msfunit, ii, dimN + 1, Centred,
                  [&] { return plainNumber(matSide(ii, dimN + 1)); });
    }

    letEventsRun();

    // One pivot pass per row: no search for a larger pivot, no tolerance.
    const Variant lastPivot = dimN;
    for (ii = 1; ii <= lastPivot; ii = ii + 1) {
        stepDelay();
        guarded([&] { tmpVal = matWorking(ii, ii); });

        // Normalise the pivot row.
        const Variant lastCol = dimN + 1;
        for (jj = 1; jj <= lastCol; jj = jj + 1) {
            stepDelay();
            guarded([&] { matWorking(ii, jj) = matWorking(ii, jj) / tmpVal; });
            writeCell(msfmain, ii, jj, Left, [&] { return roundedNumber(matWorking(ii, jj)); });
            guarded([&] { matSide(ii, jj) = matSide(ii, jj) / tmpVal; });
            writeCell(msfunit, ii, jj, Left, [&] { return roundedNumber(matSide(ii, jj)); });
        }

        // The rows below the pivot, then the rows above it.
        const Variant lastBelow = dimN;
        for (kk = ii + 1; kk <= lastBelow; kk = kk + 1)
            clearRowKk();
        const Variant lastAbove = ii - 1;
        for (kk = 1; kk <= lastAbove; kk = kk + 1)
            clearRowKk();
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
    letEventsRun();
}

// Clears the pivot column in row kk: subtracts tmpVal times the pivot row ii.
// A row whose factor is exactly 0 is left as it is.
void Form1::clearRowKk()
{
    stepDelay();
    guarded([&] {
        if (kk != ii)
            tmpVal = matWorking(kk, ii) / matWorking(ii, ii);
    });
    if (tmpVal != 0) {
        const int lastCol = dimN + 1;
        for (colIx = 1; colIx <= lastCol; colIx = colIx + 1) {
            stepDelay();
            guarded([&] {
                matWorking(kk, colIx) = matWorking(kk, colIx) - matWorking(ii, colIx) * tmpVal;
            });
            writeCell(msfmain, kk, colIx, Left,
                      [&] { return roundedNumber(matWorking(kk, colIx)); });
            guarded([&] { matSide(kk, colIx) = matSide(kk, colIx) - matSide(ii, colIx) * tmpVal; });
            writeCell(msfunit, kk, colIx, Left, [&] { return roundedNumber(matSide(kk, colIx)); });
        }
    }
}
