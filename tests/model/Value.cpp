#include "Value.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace model {

namespace {

template <class Real> Result checked(Value::Kind kind, Real x, char op, Real y)
{
    const Real r = op == '+' ? x + y : op == '-' ? x - y : op == '*' ? x * y : x / y;
    return std::isfinite(r) ? Result(Value{kind, double(r)}) : std::nullopt;
}

// Numbers are read and written with "." whatever the user's locale.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

} // namespace

Result compute(Result a, char op, Result b)
{
    if (!a || !b || (op == '/' && b->number == 0))
        return std::nullopt;
    const bool integers = a->kind <= Value::Integer && b->kind <= Value::Integer;
    if (integers && op != '/')
        return checked(Value::Integer, a->number, op, b->number);
    if (!integers && a->kind != Value::Double && b->kind != Value::Double)
        return checked(Value::Single, float(a->number), op, float(b->number));
    return checked(Value::Double, a->number, op, b->number);
}

Result toSingle(Value v)
{
    return checked(Value::Single, float(v.number), '+', 0.0f);
}

double roundPlaces(double x, int places)
{
    const double scaled = x * std::pow(10.0, places);
    if (!(std::fabs(scaled) < 0x1p52))
        return x; // already whole at that scale
    double whole = std::floor(scaled);
    const double rest = scaled - whole;
    whole += rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2) != 0);
    return whole / std::pow(10.0, places);
}

Value roundTo(Value v, int places)
{
    const double rounded = roundPlaces(v.number, places);
    return v.kind < Value::Single
               ? v
               : Value{v.kind, v.kind == Value::Single ? float(rounded) : rounded};
}

// The general decimal form that %G writes: at most 7 or 15 significant
// digits, no trailing zeros, the exponent form below 1E-4 and from 1E+7 or
// 1E+15 on.
std::string plainText(Value v)
{
    if (v.kind <= Value::Integer)
        return v.kind == Value::Empty ? "" : std::to_string(long(v.number));
    char text[40] = "0";
    const locale_t previous = uselocale(cLocale());
    if (v.number != 0)
        std::snprintf(text, sizeof text, "%.*G", v.kind == Value::Single ? 7 : 15, v.number);
    uselocale(previous);
    return text;
}

std::string roundedText(Value v)
{
    return plainText(roundTo(v, 4));
}

// The longest prefix that is a decimal number, blanks, tabs and line feeds
// skipped and D taken for E; "&H" and "&O" read hexadecimal and octal digits.
std::optional<double> readNumber(std::string_view typed)
{
    std::string s;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(s),
                 [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
    if (s.size() > 1 && s[0] == '&') {
        const int base = std::toupper(s[1]) == 'H' ? 16 : std::toupper(s[1]) == 'O' ? 8 : 0;
        return base ? double(std::strtoll(s.c_str() + 2, nullptr, base)) : 0.0;
    }
    std::replace(s.begin(), s.end(), 'D', 'E');
    std::replace(s.begin(), s.end(), 'd', 'e');
    s.resize(std::min(s.size(), s.find_first_not_of("0123456789+-.Ee")));
    const double number = strtod_l(s.c_str(), nullptr, cLocale());
    return std::isinf(number) ? std::nullopt : std::optional(number == 0 ? 0.0 : number);
}

} // namespace model
