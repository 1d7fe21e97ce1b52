#pragma once

#include <string_view>

// The lenient reading of a typed number, the program's one way from a text to
// a number. Blanks, tabs and line feeds are ignored wherever they stand; "&H"
// and "&O" read hexadecimal and octal integers; otherwise an optional sign,
// decimal digits with at most one ".", and an optional exponent (E or D).
// Reading stops at the first character that does not fit; no digit at all
// gives 0. Fails as a statement when the number lies beyond the double range.
double numberFromText(std::string_view text);
