#pragma once

#include "Variant.h"

#include <cstdint>
#include <string>

// A number as a cell keeps it: its value, the kind it is held in and the form
// it is shown in. The cell's text is made from it whenever the cell is read,
// so a run that writes millions of values makes texts only for the few cells
// that are painted or read back.
//
// The text is the program's one way of writing numbers (plainText and
// roundedText make theirs here too): "" for Empty, the digits of an integer,
// and the general decimal form of a real number with at most 15 significant
// digits for a Double and 7 for a Single, rounded to 4 decimal places first
// in the Rounded form.
struct CellNumber
{
    enum class Form : std::uint8_t
    {
        Plain,
        Rounded // to 4 decimal places, ties to even, in the value's own precision
    };

    // Decimal places of the Rounded form.
    static constexpr long RoundedPlaces = 4;

    double value = 0.0; // every kind's values are exact in a double
    Variant::Kind kind = Variant::Kind::Empty;
    Form form = Form::Plain;

    std::string text() const;
};

// `value`, a number of kind `kind`, rounded to `places` decimal places (0 or
// more), ties to even, in the kind's own precision; an integer comes back as
// it is, and so does a value that is already whole at that scale.
double roundedInKind(double value, Variant::Kind kind, long places);
