#pragma once

#include "app/values/BoundedArray.h"
#include "app/values/Single.h"
#include "app/values/Variant.h"

#include <cstdint>

// The variables of the window that every procedure shares, in their order of
// declaration. They live as long as the window; no procedure receives or
// returns them, and nothing resets them on entry: each procedure finds what
// the previous ones left (a procedure run inside another's pause included).
struct FormState
{
    // 16-bit flag values.
    static constexpr std::int16_t True = -1;
    static constexpr std::int16_t False = 0;

    Variant ii;                        // outer loop index: header number, row, pivot row
    Variant jj;                        // column loop index
    Variant kk;                        // SOLVE: the row being cleared
    std::int16_t colIx = 0;            // column counter of the row operations
    std::int16_t delayOn = False;      // whether the running command pauses
    Variant delayIx;                   // counter of the busy wait
    std::int32_t delayCount = 0;       // length of one busy wait
    BoundedArray2<Variant> matInput;   // the numbers read from msfmain0
    BoundedArray2<Variant> matWorking; // the working matrix shown in msfmain
    BoundedArray2<Single> matSide;     // the companion matrix shown in msfunit
    Variant tmpVal;                    // scratch value
    std::int16_t dimN = 0;             // the size n; start-up makes it 2
    BoundedArray1<Single> basicCost;   // PIVOT: cost of the basic variable of each row
    Variant editMark;                  // PIVOT: 1 once column 1 was typed into after a load
    std::uint8_t pivotState = 0;       // PIVOT: 1 once a tableau was loaded
};
