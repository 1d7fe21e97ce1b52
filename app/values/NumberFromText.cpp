#include "NumberFromText.h"

#include "Statement.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

// Choices made here:
// - Numbers are read with "." as the decimal separator whatever the user's
//   locale, the separator they are written with (CellNumber.cpp), so that
//   a written value always reads back the same. Nothing here consults the C
//   or C++ locale.
// - "&H" and "&O" read a non-negative integer of any length, rounded to the
//   nearest double; a digit run beyond the double range fails like 1E400.

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
