#pragma once

#include "CellNumber.h"
#include "NumberFromText.h"
#include "Variant.h"

#include <string>

// The shared conversions of the procedures between cell texts and numbers:
// numberFromText reads a typed number; a number's text is a CellNumber's.

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
    return {value.toDouble(), value.kind(), CellNumber::Form::Plain};
}

inline CellNumber roundedNumber(const Variant &value)
{
    CellNumber number = plainNumber(value);
    number.form = CellNumber::Form::Rounded;
    return number;
}
