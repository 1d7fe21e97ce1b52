#pragma once

#include <QtGlobal>

// Twips, the unit of the window's layout and of the grids' column widths.
// A twip is a twentieth of a point, so an inch holds 1440 of them; at 96
// dots per inch that is 15 twips to a pixel.
constexpr int TwipsPerInch = 1440;

// The pixels that `twips` take at a resolution of `dotsPerInch`, rounded.
inline int pixelsFromTwips(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}
