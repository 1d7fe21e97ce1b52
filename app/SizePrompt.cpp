#include "Form1.h"
#include "app/values/Conversions.h"

#include <cmath>
#include <new>
#include <string>

// The size prompt of DIMENSION and PIVOT DIM. An answer beyond the double
// range (1E400) cannot be converted and is refused like any other; tmpVal
// then keeps what it held. An accepted answer is at least 2 and rounds, half
// to even, to no more than `largest`: everything is checked before anything
// is created, so a refused answer leaves n, the arrays and the grids as they
// were.
bool Form1::askForSize(int largest)
{
    const std::string answer = window.inputBox("Select Dimention", "", "");
    if (!attempt([&] { tmpVal = numberFromText(answer); }))
        return false;
    if (tmpVal == 1)
        tmpVal = 2;
    return tmpVal >= 2 && std::nearbyint(tmpVal.toDouble()) <= largest;
}

// A size that the memory cannot hold is refused like any other answer: what
// the layout needs is all obtained first, so a failure leaves n, the arrays
// and the grids as they were.
bool Form1::reserveLayout(const std::function<void()> &reserveArrays, const GridSize (&grids)[3])
{
    CellGrid *const grid[] = {&msfmain0, &msfmain, &msfunit};
    try {
        reserveArrays();
        if (grid[0]->reserveRoom(grids[0].rows, grids[0].cols) &&
            grid[1]->reserveRoom(grids[1].rows, grids[1].cols) &&
            grid[2]->reserveRoom(grids[2].rows, grids[2].cols))
            return true;
    } catch (const std::bad_alloc &) {
    }
    matInput.releaseReserve();
    matWorking.releaseReserve();
    matSide.releaseReserve();
    basicCost.releaseReserve();
    for (CellGrid *each : grid)
        each->releaseRoom();
    return false;
}
