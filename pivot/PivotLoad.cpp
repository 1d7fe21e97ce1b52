#include "PivotLocals.h"

#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

// The tableau load: reads the starting basis B and the right-hand side b from
// the input grid and inverts B by Gauss-Jordan elimination on its diagonal,
// without row exchanges. msfmain shows [B | b] turn into [inverse | x] and
// msfunit [I | b] into [B | x], one cell pair per pause.
//
// Every loop takes its end from dimN when it starts, and no element is held
// across a pause: a command run inside a pause may change n and re-create the
// arrays, and the load goes on with what it finds.
void Form1::pivotLoad(PivotLocals &local)
{
    constexpr std::int16_t Centred = CellGrid::AlignCenterCenter;
    constexpr std::int16_t Left = CellGrid::AlignLeftCenter;
    Variant &r = local.rowIx;
    std::uint8_t &b = local.elimRow;

    guarded([&] { pivotState = 1; });

    // Read the basis and the right-hand side.
    const int lastRead = dimN;
    for (r = 1; r <= lastRead; r = r + 1) {
        const int lastCol = dimN + 2;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            selectCell(msfmain0, r, jj);
            guarded([&] { matInput(r, jj) = numberFromText(msfmain0.text()); });
        }
    }

    // First display of [B | b].
    const int lastShown = dimN;
    for (r = 1; r <= lastShown; r = r + 1) {
        const int lastCol = dimN + 2;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            guarded([&] { matWorking(r, jj) = matInput(r, jj); });
            writeCell(msfmain, r, jj, Centred, [&] { return plainNumber(matWorking(r, jj)); });
        }
    }

    // First display of [I | b].
    const int lastUnit = dimN;
    for (r = 1; r <= lastUnit; r = r + 1) {
        const int lastCol = dimN + 2;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            guarded([&] { matSide(r, jj) = Single(0.0f); });
            guarded([&] {
                if (jj == r + 1)
                    matSide(r, jj) = Single(1.0f);
            });
            writeCell(msfunit, r, jj, Centred, [&] { return plainNumber(matSide(r, jj)); });
        }
        guarded([&] { matSide(r, dimN + 2) = matInput(r, dimN + 2); });
        writeCell(msfunit, r, dimN + 2, Centred, [&] { return plainNumber(matSide(r, dimN + 2)); });
    }

    letEventsRun();

    // Clears the pivot column in row b against the pivot row r.
    auto clearRow = [&] {
        stepDelay();
        guarded([&] { tmpVal = matWorking(b, r + 1) / matWorking(r, r + 1); });
        if (tmpVal == 0)
            return;
        const int lastCol = dimN + 2;
        for (colIx = 2; colIx <= lastCol; colIx = colIx + 1) {
            stepDelay();
            guarded([&] {
                matWorking(b, colIx) = matWorking(b, colIx) - tmpVal * matWorking(r, colIx);
            });
            writeCell(msfmain, b, colIx, Left, [&] { return roundedNumber(matWorking(b, colIx)); });
            guarded([&] { matSide(b, colIx) = matSide(b, colIx) - tmpVal * matSide(r, colIx); });
            writeCell(msfunit, b, colIx, Left, [&] { return roundedNumber(matSide(b, colIx)); });
        }
    };

    // Pivot on the diagonal, row by row.
    const int lastPivot = dimN;
    for (r = 1; r <= lastPivot; r = r + 1) {
        stepDelay();
        guarded([&] { tmpVal = matWorking(r, r + 1); });

        const int lastCol = dimN + 2;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            stepDelay();
            guarded([&] { matWorking(r, jj) = matWorking(r, jj) / tmpVal; });
            writeCell(msfmain, r, jj, Left, [&] { return roundedNumber(matWorking(r, jj)); });
            guarded([&] { matSide(r, jj) = matSide(r, jj) / tmpVal; });
            writeCell(msfunit, r, jj, Left, [&] { return roundedNumber(matSide(r, jj)); });
        }

        // Below the pivot row, then above it.
        const long lastBelow = byteLoopEnd(dimN);
        if (toLong(r) < lastBelow) {
            for (b = toByte(r + 1); b <= lastBelow; ++b)
                clearRow();
        }
        const long lastAbove = byteLoopEnd(toLong(r) - 1);
        for (b = 1; b <= lastAbove; ++b)
            clearRow();
    }

    // Final display of [inverse | x]; the working matrix now holds the
    // single-precision values of msfunit.
    const int lastInverse = dimN;
    for (r = 1; r <= lastInverse; r = r + 1) {
        const int lastCol = dimN + 2;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            guarded([&] { matWorking(r, jj) = matSide(r, jj); });
            writeCell(msfmain, r, jj, Left, [&] { return plainNumber(matWorking(r, jj)); });
        }
    }

    // B again on msfunit; its last column keeps x.
    const int lastBasis = dimN;
    for (r = 1; r <= lastBasis; r = r + 1) {
        const int lastCol = dimN + 1;
        for (jj = 2; jj <= lastCol; jj = jj + 1) {
            guarded([&] { matSide(r, jj) = matInput(r, jj); });
            writeCell(msfunit, r, jj, Left, [&] { return plainNumber(matSide(r, jj)); });
        }
    }

    // The sum of the basic solution, in single precision.
    guarded([&] { tmpVal = 0; });
    const long lastSum = byteLoopEnd(dimN);
    for (b = 1; b <= lastSum; ++b)
        guarded([&] { tmpVal = tmpVal + matWorking(b, dimN + 2); });
    guarded([&] { window.setText1(plainText(tmpVal)); });

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
    letEventsRun();
}
