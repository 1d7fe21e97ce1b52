#include "Conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <type_traits>

// Choices made here:
// - Numbers are read and written with "." as the decimal separator whatever
//   the user's locale, so that a written value always reads back the same.
//   Nothing here consults the C or C++ locale.
// - "&H" and "&O" read a non-negative integer of any length, rounded to the
//   nearest double; a digit run beyond the double range fails like 1E400.
// - plainText writes the exponent form when the decimal exponent of the
//   rounded value is at least the number of digits shown (15 for a Double,
//   7 for a Single) or below -4: 1E+15, 1.5E-07, -2.5E+300. The exponent has
//   a sign and at least two digits. Everything between is written plainly,
//   so 0.0001, the smallest non-zero roundedText, never takes the exponent
//   form.
// - A negative zero is written "0".

namespace {

// Blanks, tabs and line feeds are skipped wherever they stand; any other
// character, a carriage return or a non-ASCII byte included, is looked at.
class TextCursor
{
  public:
    explicit TextCursor(std::string_view text) : m_text(text) { skipIgnored(); }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skipIgnored();
    }

  private:
    void skipIgnored()
    {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n'))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Parses a run of hexadecimal digits (no prefix) as a correctly rounded
// double; fails beyond the double range.
double doubleFromHexDigits(const std::string &digits)
{
    if (digits.empty())
        return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::hex);
    if (ec == std::errc::result_out_of_range || !std::isfinite(value))
        failStatement();
    (void)end;
    return value;
}

// "&H" or "&O" has been taken; reads the digits that follow.
double readRadixInteger(TextCursor &cursor, bool octal)
{
    std::string hexDigits;
    if (!octal) {
        while (isHexDigit(cursor.peek())) {
            if (!hexDigits.empty() || cursor.peek() != '0')
                hexDigits.push_back(cursor.peek());
            cursor.advance();
        }
        return doubleFromHexDigits(hexDigits);
    }

    // Octal: regroup the three bits of each digit into hexadecimal digits,
    // so that the same exact conversion applies.
    std::string bits;
    while (cursor.peek() >= '0' && cursor.peek() <= '7') {
        const int d = cursor.peek() - '0';
        for (int shift = 2; shift >= 0; --shift) {
            const char bit = ((d >> shift) & 1) ? '1' : '0';
            if (!bits.empty() || bit == '1')
                bits.push_back(bit);
        }
        cursor.advance();
    }
    const std::size_t lead = (4 - bits.size() % 4) % 4;
    bits.insert(0, lead, '0');
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                           (bits[i + 3] - '0');
        hexDigits.push_back("0123456789abcdef"[nibble]);
    }
    return doubleFromHexDigits(hexDigits);
}

// Largest exponent magnitude kept while reading; larger ones saturate. Far
// beyond both any digit count a text can have and the double range.
constexpr std::int64_t exponentLimit = 1'000'000'000'000'000LL;

double readDecimal(TextCursor &cursor)
{
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }

    // The significant digits, without leading zeros; the value is
    // 0.<significant> times 10 to the power decimalExponent.
    std::string significant;
    std::int64_t decimalExponent = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (;;) {
        const char c = cursor.peek();
        if (isDecimalDigit(c)) {
            anyDigit = true;
            if (significant.empty() && c == '0') {
                if (afterPoint)
                    --decimalExponent;
            } else {
                significant.push_back(c);
                if (!afterPoint)
                    ++decimalExponent;
            }
            cursor.advance();
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            cursor.advance();
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;

    const char marker = cursor.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        cursor.advance();
        bool exponentNegative = false;
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            exponentNegative = cursor.peek() == '-';
            cursor.advance();
        }
        std::int64_t exponent = 0;
        while (isDecimalDigit(cursor.peek())) {
            if (exponent < exponentLimit)
                exponent = exponent * 10 + (cursor.peek() - '0');
            cursor.advance();
        }
        decimalExponent += exponentNegative ? -exponent : exponent;
    }

    while (!significant.empty() && significant.back() == '0')
        significant.pop_back();
    if (significant.empty())
        return 0.0;
    // 0.1E310 is beyond the double range; 0.9E-324 is below half the
    // smallest subnormal and reads as 0.
    if (decimalExponent > 310)
        failStatement();
    if (decimalExponent < -324)
        return 0.0;

    std::string clean = "0.";
    clean += significant;
    clean += 'e';
    clean += std::to_string(decimalExponent);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (decimalExponent > 0)
            failStatement();
        value = 0.0;
    }
    if (!std::isfinite(value))
        failStatement();
    // A number too small to hold reads as 0, never as a negative zero.
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

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
        if (isDecimalDigit(*p) && result.count < static_cast<int>(result.digits.size()))
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

std::string integerText(long value)
{
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), end);
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

// Rounds x to `places` decimal places, ties to even. A value whose scaled
// magnitude is 2^52 or more is already whole at that scale and comes back
// as it is, as does any value when 10^places is beyond the double range.
double roundedDouble(double x, long places)
{
    const double scale = powerOfTen(places);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return x;
    const double result = std::nearbyint(scaled) / scale;
    return std::isfinite(result) ? result : x;
}

} // namespace

double numberFromText(std::string_view text)
{
    TextCursor cursor(text);
    if (cursor.peek() == '&') {
        TextCursor afterAmpersand = cursor;
        afterAmpersand.advance();
        const char radix = afterAmpersand.peek();
        if (radix == 'H' || radix == 'h' || radix == 'O' || radix == 'o') {
            afterAmpersand.advance();
            return readRadixInteger(afterAmpersand, radix == 'O' || radix == 'o');
        }
        return 0.0;
    }
    return readDecimal(cursor);
}

std::string plainText(const Variant &value)
{
    switch (value.kind()) {
    case Variant::Kind::Empty:
        return std::string();
    case Variant::Kind::Integer:
        return integerText(value.integerValue());
    case Variant::Kind::Long:
        return integerText(value.longValue());
    case Variant::Kind::Single:
        return realText(value.singleValue(), 7);
    case Variant::Kind::Double:
        return realText(value.doubleValue(), 15);
    }
    return std::string();
}

// Negative places fail, as they do for any rounding to decimal places.
Variant roundTo(const Variant &value, const Variant &places)
{
    const long count = toLong(places);
    if (count < 0)
        failStatement();
    switch (value.kind()) {
    case Variant::Kind::Single:
        return Variant(static_cast<float>(roundedDouble(value.singleValue(), count)));
    case Variant::Kind::Double:
        return Variant(roundedDouble(value.doubleValue(), count));
    default:
        return value;
    }
}

std::string roundedText(const Variant &value)
{
    static const Variant fourPlaces(4);
    return plainText(roundTo(value, fourPlaces));
}
