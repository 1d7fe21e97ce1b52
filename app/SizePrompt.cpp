#include "Conversions.h"
#include "Form1.h"

#include <cmath>
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
