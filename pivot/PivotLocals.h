#pragma once

#include "app/values/BoundedArray.h"
#include "app/values/Single.h"
#include "app/values/Statement.h"
#include "app/values/Variant.h"

#include <algorithm>
#include <cstdint>

// The local arrays and variables of one press of PIVOT. The prologue creates
// the arrays afresh at every press; nothing of them outlives the press, and a
// press run inside another's pause has locals of its own.
struct PivotLocals
{
    BoundedArray2<Variant> ratioTab; // per row: row number, ratio, updated entry
    BoundedArray2<Variant> tieTab;   // the records with the smallest ratio
    BoundedArray1<Variant> updCol;   // the updated entering column ("upd")
    BoundedArray1<Variant> updRhs;   // the updated right-hand side, never negative
    BoundedArray1<Single> minrVal;   // the ratio of each row ("Minr"), 0 without one
    Variant roundPlaces;             // decimal places of the updated values
    Variant rowIx;                   // row counter of the tableau load
    std::uint8_t elimRow = 0;        // the row being cleared; the row of the final sum
    std::uint8_t pivotRow = 0;       // the chosen pivot row, 0 when no row has a ratio
    std::uint8_t tieCount = 0;       // number of records in tieTab

    // Whether record i of ratioTab has a ratio. A record that does not exist
    // (the tableau shrank under the press) has none.
    bool hasRatio(long i) const
    {
        bool has = false;
        guarded([&] { has = !ratioTab(i, 2).isEmpty(); });
        return has;
    }
};

// A one-byte value: rounds half to even and fails outside 0..255.
inline std::uint8_t toByte(const Variant &value)
{
    const std::int32_t v = toLong(value);
    if (v < 0 || v > 255)
        failStatement();
    return static_cast<std::uint8_t>(v);
}

// The last value a loop on a one-byte counter reaches when it should run to
// `last`: a step past 255 would overflow, so such a loop ends at 254. Only a
// tableau left by DIMENSION can be that large; PIVOT DIM keeps n within the
// range a byte counts.
inline long byteLoopEnd(long last)
{
    return std::min(last, 254L);
}
