#include "PivotLocals.h"

#include "app/CellWrite.h"
#include "app/Form1.h"
#include "app/values/Conversions.h"

// One pivot step, first half: the entering column and the right-hand side
// updated by the current basis inverse, the ratio of every row with a
// positive updated entry, and the pivot row by the minimum-ratio rule.
void Form1::pivotIteration(PivotLocals &local)
{
    constexpr std::int16_t Centred = CellGrid::AlignCenterCenter;
    constexpr std::int16_t Left = CellGrid::AlignLeftCenter;

    // Swaps two records of a ratio table, column 3, then 2, then 1.
    auto swapRecords = [&](BoundedArray2<Variant> &table, int i, int j) {
        for (int col : {3, 2, 1}) {
            guarded([&] { tmpVal = table(i, col); });
            guarded([&] { table(i, col) = table(j, col); });
            guarded([&] { table(j, col) = tmpVal; });
        }
    };

    // "Minr" shows the ratio a row takes part with: minrVal, or the double
    // ratio of a row whose ratio lies beyond the single range.
    auto minrText = [&](int i) {
        if (local.ratioTab(i, 2).kind() == Variant::Kind::Double)
            return plainNumber(local.ratioTab(i, 2));
        return plainNumber(local.minrVal(i));
    };

    // Row pass. Column j of the inverse pairs with row j-1 of b and of the
    // entering column.
    const int lastRow = dimN;
    for (int i = 1; i <= lastRow; ++i) {
        const int lastCol = dimN + 1;
        for (int j = 2; j <= lastCol; ++j) {
            guarded([&] {
                local.updRhs(i) = local.updRhs(i) + matWorking(i, j) * matInput(j - 1, dimN + 2);
            });
            guarded(
                [&] { local.updCol(i) = local.updCol(i) + matWorking(i, j) * matInput(j - 1, 1); });
        }
        guarded([&] {
            if (local.updRhs(i) < 0)
                local.updRhs(i) = 0;
        });
        // Rounding to 7 places keeps noise of the inverse out of the ratio test.
        guarded([&] { local.updCol(i) = roundTo(local.updCol(i), local.roundPlaces); });
        guarded([&] { local.updRhs(i) = roundTo(local.updRhs(i), local.roundPlaces); });
        writeCell(msfmain0, i, dimN + 3, Centred, [&] { return plainNumber(local.updCol(i)); });

        guarded([&] {
            if (local.updCol(i) > 0) {
                const bool ratioFits =
                    attempt([&] { local.minrVal(i) = local.updRhs(i) / local.updCol(i); });
                guarded([&] { local.ratioTab(i, 2) = local.minrVal(i); });
                // A ratio beyond the single range does not fit minrVal, which
                // keeps 0; recorded as that 0 it would win the test. The row
                // takes part with its double ratio instead, larger than any
                // ordinary one, and with none when even that overflows.
                if (!ratioFits) {
                    guarded([&] { local.ratioTab(i, 2) = Variant(); });
                    guarded([&] { local.ratioTab(i, 2) = local.updRhs(i) / local.updCol(i); });
                }
            }
        });
        writeCell(msfmain0, i, dimN + 4, Centred, [&] { return minrText(i); });

        guarded([&] { local.ratioTab(i, 1) = i; });
        guarded([&] { local.ratioTab(i, 3) = local.updCol(i); });
    }

    // The updated column and right-hand side go into the tableau; the basic
    // solution is recomputed from b at every step instead of carried over.
    const int lastStored = dimN;
    for (int i = 1; i <= lastStored; ++i) {
        guarded([&] { matWorking(i, 1) = local.updCol(i); });
        writeCell(msfmain, i, 1, Left, [&] { return plainNumber(matWorking(i, 1)); });
        guarded([&] { matWorking(i, dimN + 2) = local.updRhs(i); });
        writeCell(msfmain, i, dimN + 2, Left, [&] { return plainNumber(matWorking(i, dimN + 2)); });
    }

    // Ratio sort: an exchange sort among the records that have a ratio. Equal
    // ratios are never swapped, so among the smallest the lowest row comes
    // first.
    const int lastSorted = dimN - 1;
    for (int i = 1; i <= lastSorted; ++i) {
        if (!local.hasRatio(i))
            continue;
        const int lastOther = dimN;
        for (int j = i + 1; j <= lastOther; ++j) {
            guarded([&] {
                if (local.hasRatio(j) && local.ratioTab(i, 2) > local.ratioTab(j, 2))
                    swapRecords(local.ratioTab, i, j);
            });
        }
    }

    // The smallest ratio.
    const int lastSought = dimN;
    for (int i = 1; i <= lastSought; ++i) {
        if (local.hasRatio(i)) {
            guarded([&] { tmpVal = local.ratioTab(i, 2); });
            break;
        }
    }

    // The records that share it, in the order of the sorted table.
    local.tieCount = 0;
    const int lastTied = dimN;
    for (int i = 1; i <= lastTied; ++i) {
        guarded([&] {
            if (local.hasRatio(i) && local.ratioTab(i, 2) == tmpVal) {
                const int k = local.tieCount;
                guarded([&] { local.tieTab(k, 3) = local.ratioTab(i, 3); });
                guarded([&] { local.tieTab(k, 2) = local.ratioTab(i, 2); });
                guarded([&] { local.tieTab(k, 1) = local.ratioTab(i, 1); });
                guarded([&] { local.tieCount = toByte(Variant(local.tieCount + 1)); });
            }
        });
    }

    // Pivot row. Tied rows are sorted by their updated entry, and the second
    // of them is taken.
    local.pivotRow = 0;
    if (local.tieCount > 1) {
        const int lastFirst = local.tieCount - 2;
        for (int i = 0; i <= lastFirst; ++i) {
            const int lastSecond = local.tieCount - 1;
            for (int j = i + 1; j <= lastSecond; ++j) {
                guarded([&] {
                    if (local.tieTab(i, 3) > local.tieTab(j, 3))
                        swapRecords(local.tieTab, i, j);
                });
            }
        }
        guarded([&] { local.pivotRow = toByte(local.tieTab(1, 1)); });
    } else {
        const int lastFirst = dimN;
        for (int i = 1; i <= lastFirst; ++i) {
            if (local.hasRatio(i)) {
                guarded([&] { local.pivotRow = toByte(local.ratioTab(i, 1)); });
                break;
            }
        }
    }

    letEventsRun();
}
