#pragma once

#include <cstdint>
#include <string>

// A number as a cell keeps it: its value, the kind it is held in and the form
// it is shown in. The cell's text is made from it whenever the cell is read,
// so a run that writes millions of values makes texts only for the few cells
// that are painted or read back.
//
// The text is the program's way of writing numbers: "" for Empty, the digits
// of an integer, and the general decimal form of a real number with at most
// 15 significant digits for a Double and 7 for a Single, rounded to 4 decimal
// places first in the Rounded form.
struct CellNumber
{
    // The kinds of a value, in the order of Variant's.
    enum class Kind : std::uint8_t
    {
        Empty,
        Integer,
        Long,
        Single,
        Double
    };
    enum class Form : std::uint8_t
    {
        Plain,
        Rounded // to 4 decimal places, ties to even, in the value's own precision
    };

    // Decimal places of the Rounded form.
    static constexpr long RoundedPlaces = 4;

    double value = 0.0; // every kind's values are exact in a double
    Kind kind = Kind::Empty;
    Form form = Form::Plain;

    std::string text() const;
};

// The text of a number held as an integer, a Single or a Double.
std::string integerText(long value);
std::string singleText(float value);
std::string doubleText(double value);

// `value` rounded to `places` decimal places (0 or more), ties to even. A
// value that is already whole at that scale comes back as it is.
double roundedToPlaces(double value, long places);
