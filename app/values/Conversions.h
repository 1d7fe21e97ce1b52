#pragma once

#include "CellNumber.h"
#include "Variant.h"

#include <string>
#include <string_view>

// The program's own conversions between cell texts and numbers.

// The lenient reading of a typed number. Blanks, tabs and line feeds are
// ignored wherever they stand; "&H" and "&O" read hexadecimal and octal
// integers; otherwise an optional sign, decimal digits with at most one ".",
// and an optional exponent (E or D). Reading stops at the first character
// that does not fit; no digit at all gives 0. Fails as a statement when the
// number lies beyond the double range.
double numberFromText(std::string_view text);

// The cell text of a value without rounding: "" for empty, the digits of an
// integer, up to 15 significant digits of a Double and 7 of a Single.
std::string plainText(const Variant &value);

// The value rounded to `places` decimal places, ties to even, in its own
// precision; an integer comes back unchanged.
Variant roundTo(const Variant &value, const Variant &places);

// plainText of the value rounded to 4 decimal places.
std::string roundedText(const Variant &value);

// What a cell keeps to show plainText(value) or roundedText(value): the value
// itself, the text made when the cell is read. Neither can fail: every value
// a Variant holds has a text, and rounding to 4 places never overflows.
inline CellNumber plainNumber(const Variant &value)
{
    static_assert(int(CellNumber::Kind::Double) == int(Variant::Kind::Double) &&
                  int(CellNumber::Kind::Single) == int(Variant::Kind::Single) &&
                  int(CellNumber::Kind::Empty) == int(Variant::Kind::Empty));
    return {value.toDouble(), static_cast<CellNumber::Kind>(value.kind()), CellNumber::Form::Plain};
}

inline CellNumber roundedNumber(const Variant &value)
{
    CellNumber number = plainNumber(value);
    number.form = CellNumber::Form::Rounded;
    return number;
}
