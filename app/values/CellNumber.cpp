#include "CellNumber.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>
#include <type_traits>

// Choices made here:
// - Numbers are written with "." as the decimal separator whatever the
//   user's locale, so that a written value always reads back the same.
//   Nothing here consults the C or C++ locale.
// - The exponent form is written when the decimal exponent of the rounded
//   value is at least the number of digits shown (15 for a Double, 7 for a
//   Single) or below -4: 1E+15, 1.5E-07, -2.5E+300. The exponent has a sign
//   and at least two digits. Everything between is written plainly, so
//   0.0001, the smallest non-zero rounded text, never takes the exponent
//   form.
// - A negative zero is written "0".

namespace {

// The significant digits and decimal exponent of a number: it is
// d1.d2d3... times 10 to the power exponent.
struct DecimalDigits
{
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Reads the digits and exponent of a text in the scientific form of
// to_chars ("-d.ddde-07"), dropping trailing zeros.
DecimalDigits scientificDigits(const char *p, const char *end)
{
    DecimalDigits result;
    if (p < end && *p == '-') {
        result.negative = true;
        ++p;
    }
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.' && result.count < static_cast<int>(result.digits.size()))
            result.digits[static_cast<std::size_t>(result.count++)] = *p;
    }
    while (result.count > 1 && result.digits[static_cast<std::size_t>(result.count - 1)] == '0')
        --result.count;
    if (p < end && *p == 'e') {
        ++p;
        if (p < end && *p == '+')
            ++p;
        std::from_chars(p, end, result.exponent);
    }
    return result;
}

template <class Real> DecimalDigits roundedDigits(Real value, int precision)
{
    std::array<char, 48> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::scientific, precision - 1);
    (void)ec;
    return scientificDigits(buffer.data(), end);
}

// At most 15 digits, a sign, a point, up to four leading zeros or an
// exponent of three digits: the text fits a small buffer.
std::string generalText(const DecimalDigits &d, int precision)
{
    std::array<char, 48> buffer{};
    char *out = buffer.data();
    if (d.negative)
        *out++ = '-';
    const auto digit = [&](int i) { return d.digits[static_cast<std::size_t>(i)]; };

    if (d.exponent >= precision || d.exponent < -4) {
        *out++ = digit(0);
        if (d.count > 1) {
            *out++ = '.';
            for (int i = 1; i < d.count; ++i)
                *out++ = digit(i);
        }
        *out++ = 'E';
        *out++ = d.exponent < 0 ? '-' : '+';
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, buffer.data() + buffer.size(), magnitude).ptr;
    } else if (d.exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = d.exponent + 1; i < 0; ++i)
            *out++ = '0';
        for (int i = 0; i < d.count; ++i)
            *out++ = digit(i);
    } else {
        for (int i = 0; i <= d.exponent; ++i)
            *out++ = i < d.count ? digit(i) : '0';
        if (d.count > d.exponent + 1) {
            *out++ = '.';
            for (int i = d.exponent + 1; i < d.count; ++i)
                *out++ = digit(i);
        }
    }
    return std::string(buffer.data(), out);
}

template <class Real> std::string realText(Real value, int precision)
{
    if (value == 0)
        return "0";
    // Whole numbers that show all their digits need no rounding.
    const Real limit = precision == 15 ? Real(1e15) : Real(1e7);
    if (std::fabs(value) < limit && value == std::trunc(value)) {
        std::array<char, 24> buffer{};
        const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                             static_cast<long long>(value));
        (void)ec;
        return std::string(buffer.data(), end);
    }
    // The shortest text that reads back as a normal double is, when it has
    // at most 15 digits, also the value rounded to 15 digits: the double's
    // rounding error is far below half a unit of the 15th digit. Values typed
    // or rounded to a few places take this quicker path.
    if constexpr (std::is_same_v<Real, double>) {
        if (std::fabs(value) >= std::numeric_limits<double>::min()) {
            std::array<char, 48> buffer{};
            const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                 value, std::chars_format::scientific);
            if (ec == std::errc()) {
                const DecimalDigits shortest = scientificDigits(buffer.data(), end);
                if (shortest.count <= precision)
                    return generalText(shortest, precision);
            }
        }
    }
    return generalText(roundedDigits(value, precision), precision);
}

// 10 to the power places, exact up to 22.
double powerOfTen(long places)
{
    static constexpr std::array<double, 23> exact = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (places < static_cast<long>(exact.size()))
        return exact[static_cast<std::size_t>(places)];
    return std::pow(10.0, static_cast<double>(places));
}

std::string integerText(long value)
{
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), end);
}

std::string singleText(float value)
{
    return realText(value, 7);
}

std::string doubleText(double value)
{
    return realText(value, 15);
}

// A value whose scaled magnitude is 2^52 or more is already whole at that
// scale and comes back as it is, as does any value when 10^places is beyond
// the double range.
double roundedToPlaces(double x, long places)
{
    const double scale = powerOfTen(places);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return x;
    const double result = std::nearbyint(scaled) / scale;
    return std::isfinite(result) ? result : x;
}

} // namespace

std::string CellNumber::text() const
{
    const double shown = form == Form::Rounded ? roundedInKind(value, kind, RoundedPlaces) : value;
    switch (kind) {
    case Variant::Kind::Empty:
        return std::string();
    case Variant::Kind::Integer:
    case Variant::Kind::Long:
        return integerText(static_cast<long>(shown));
    case Variant::Kind::Single:
        return singleText(static_cast<float>(shown));
    case Variant::Kind::Double:
        return doubleText(shown);
    }
    return std::string();
}

double roundedInKind(double value, Variant::Kind kind, long places)
{
    switch (kind) {
    case Variant::Kind::Single:
        return static_cast<float>(roundedToPlaces(static_cast<float>(value), places));
    case Variant::Kind::Double:
        return roundedToPlaces(value, places);
    default:
        return value;
    }
}
