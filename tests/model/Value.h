#pragma once

#include <optional>
#include <string>
#include <string_view>

// The reference model's values, with arithmetic, rounding, reading and
// writing of their own. An operation that fails gives no value, and the
// statement that uses it leaves its target as it was.
namespace model {

struct Value
{
    enum Kind
    {
        Empty, // counts as 0, shows as ""
        Integer,
        Single, // 7 significant digits
        Double  // 15
    } kind = Empty;
    double number = 0; // a Single's number is a float's
};

using Result = std::optional<Value>;

// a op b, op one of "+-*/": integers stay integers but for a division, a
// Single with integers or Singles is a Single, anything with a Double a
// Double. Fails on a division by 0, a result beyond its kind's range and a
// failed operand.
Result compute(Result a, char op, Result b);
Result toSingle(Value v); // as a single-precision element stores it

double roundPlaces(double x, int places); // ties to even
Value roundTo(Value v, int places);       // in the value's own precision
std::string plainText(Value v);
std::string roundedText(Value v); // rounded to 4 places first
// The number a typed text stands for; nothing beyond the double range.
std::optional<double> readNumber(std::string_view typed);

} // namespace model
