// Whatever is typed into a cell, reading it as a number gives a finite value
// or fails as a statement: never a crash, never infinity or NaN. Where the
// text is a clean number, the value is the one the C library reads.
// The texts come from a fixed seed, so a failure repeats.

#include "app/Conversions.h"
#include "app/Single.h"

#include <QtTest>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace {

class Texts
{
  public:
    explicit Texts(std::uint64_t seed) : m_random(seed) {}

    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : m_random() % n; }
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }

    char digit() { return static_cast<char>('0' + below(10)); }
    char pick(const char *choices) { return choices[below(std::strlen(choices))]; }

    // Eighteen random digits per draw keeps long runs cheap.
    std::string digits(std::size_t count)
    {
        std::string run;
        run.reserve(count + 18);
        while (run.size() < count) {
            char block[24];
            std::snprintf(block, sizeof block, "%018llu",
                          static_cast<unsigned long long>(below(1'000'000'000'000'000'000ULL)));
            run += block;
        }
        run.resize(count);
        return run;
    }

    // Any byte, weighted toward the characters a number is made of.
    char anyByte()
    {
        switch (below(6)) {
        case 0:
        case 1:
            return digit();
        case 2:
            return pick("+-.eEdDhHoO&");
        case 3:
            return pick(" \t\n\r,/x");
        case 4:
            return static_cast<char>(0x80 + below(0x80));
        default:
            return static_cast<char>(below(0x80));
        }
    }

    // A clean decimal number and the same number as the C library writes
    // it. Blanks, tabs and line feeds are sprinkled into the first only.
    std::pair<std::string, std::string> cleanNumber()
    {
        std::string text;
        const std::uint64_t sign = below(3);
        if (sign == 1)
            text += '+';
        else if (sign == 2)
            text += '-';

        const bool longRun = below(1000) < 3;
        std::size_t whole = longRun ? below(2000) : below(20);
        std::size_t fraction = longRun ? below(2000) : below(20);
        if (whole + fraction == 0)
            whole = 1;
        if (chance(20))
            text += std::string(below(30), '0');
        text += digits(whole);
        if (fraction > 0 || chance(30)) {
            text += '.';
            if (chance(20))
                text += std::string(below(longRun ? 3000 : 30), '0');
            text += digits(fraction);
        }

        std::string oracle = text;
        if (chance(60)) {
            oracle += 'e';
            text += pick("eEdD");
            const std::uint64_t exponentSign = below(3);
            const char *signText = exponentSign == 1 ? "+" : exponentSign == 2 ? "-" : "";
            oracle += signText;
            text += signText;
            std::string exponent = std::to_string(longRun ? below(6000) : below(700));
            if (chance(10))
                exponent = std::string(below(5), '0') + exponent;
            oracle += exponent;
            text += exponent;
        }

        static const char *const suffixes[] = {"",   "",  "",    "kg",      ",5",
                                               "/3", "x", "\r9", "\xc3\xa9"};
        const std::string suffix = suffixes[below(std::size(suffixes))];
        text += suffix;
        oracle += suffix;
        return {sprinkled(text), oracle};
    }

    std::string sprinkled(std::string text)
    {
        const std::uint64_t count = below(4);
        for (std::uint64_t i = 0; i < count; ++i)
            text.insert(below(text.size() + 1), 1, pick(" \t\n"));
        return text;
    }

    std::string soup()
    {
        std::string text;
        if (chance(20))
            text = chance(50) ? "&H" : "&O";
        const std::uint64_t length = below(40);
        for (std::uint64_t i = 0; i < length; ++i)
            text.push_back(anyByte());
        return text;
    }

    std::string mutated(std::string text)
    {
        const std::uint64_t count = 1 + below(4);
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::size_t at = below(text.size() + 1);
            switch (below(7)) {
            case 0:
                text.insert(at, 1, anyByte());
                break;
            case 1:
                if (at < text.size())
                    text.erase(at, 1);
                break;
            case 2:
                if (at < text.size())
                    text[at] = anyByte();
                break;
            case 3:
                text.insert(at, text.substr(at, below(8)));
                break;
            case 4:
                text.insert(at, chance(2) ? digits(100 + below(3000)) : digits(below(30)));
                break;
            case 5:
                text.insert(at, std::string(pick("eEdD"), 1) + (chance(50) ? "-" : "") +
                                    digits(1 + below(chance(10) ? 40 : 5)));
                break;
            default:
                text.insert(at, chance(50) ? "&H" : "&o");
                break;
            }
        }
        return text;
    }

    double anyFiniteDouble()
    {
        for (;;) {
            const std::uint64_t bits = m_random();
            double value = 0;
            std::memcpy(&value, &bits, sizeof value);
            if (std::isfinite(value))
                return value;
        }
    }

    // A double read from a decimal of at most 15 digits, as typed numbers
    // and rounded results are, anywhere in the double range.
    double shortDecimal()
    {
        char text[64];
        std::snprintf(text, sizeof text, "%s%se%d", chance(50) ? "-" : "",
                      digits(1 + below(15)).c_str(), static_cast<int>(below(660)) - 340);
        return std::strtod(text, nullptr);
    }

    float anyFiniteFloat()
    {
        for (;;) {
            const auto bits = static_cast<std::uint32_t>(m_random());
            float value = 0;
            std::memcpy(&value, &bits, sizeof value);
            if (std::isfinite(value))
                return value;
        }
    }

  private:
    std::mt19937_64 m_random;
};

// The value read, or nothing when reading fails as a statement.
std::optional<double> readNumber(const std::string &text)
{
    try {
        return numberFromText(text);
    } catch (const StatementFailed &) {
        return std::nullopt;
    }
}

// What the C library reads, or nothing beyond the double range.
std::optional<double> libraryNumber(const std::string &text)
{
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

QString printable(const std::string &text)
{
    QString shown;
    for (const unsigned char c : text.substr(0, 120)) {
        if (c >= 0x20 && c < 0x7f)
            shown += QChar(c);
        else
            shown += QStringLiteral("\\x%1").arg(c, 2, 16, QChar('0'));
    }
    if (text.size() > 120)
        shown += QStringLiteral("... (%1 bytes)").arg(text.size());
    return shown;
}

QString shownOutcome(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'g', 17) : QStringLiteral("failure");
}

// Reads the text and checks that the result is finite or a failure.
bool readsSafely(const std::string &text, QString &problem)
{
    try {
        const double value = numberFromText(text);
        if (std::isfinite(value))
            return true;
        problem = QStringLiteral("non-finite result for \"%1\"").arg(printable(text));
    } catch (const StatementFailed &) {
        return true;
    } catch (...) {
        problem = QStringLiteral("unexpected exception for \"%1\"").arg(printable(text));
    }
    return false;
}

// Whether the shown text is the same decimal number as the C library's
// rounded text: only digits, point, sign and E, and equal when both are read
// in the wider long double, which tells apart any two 15-digit decimals,
// subnormal doubles included.
bool sameDecimal(const std::string &shown, const char *rounded)
{
    if (shown.find_first_not_of("0123456789.-+E") != std::string::npos)
        return false;
    return std::strtold(shown.c_str(), nullptr) == std::strtold(rounded, nullptr);
}

constexpr std::uint64_t seed = 20261206;

} // namespace

class NumberFuzzTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanNumbersReadAsTheLibraryReadsThem();
    void hexadecimalAndOctalReadAsIntegers();
    void anyTextReadsSafely();
    void mutatedNumbersReadSafely();
    void shownDoublesReadBackAsShown();
    void shownSinglesReadBackAsShown();
};

void NumberFuzzTest::initTestCase()
{
    // The oracle is the C library in the "C" locale.
    QVERIFY(std::setlocale(LC_ALL, "C") != nullptr);
}

void NumberFuzzTest::cleanNumbersReadAsTheLibraryReadsThem()
{
    Texts texts(seed);
    int failures = 0;
    for (int i = 0; i < 100000; ++i) {
        const auto [text, oracle] = texts.cleanNumber();
        const std::optional<double> read = readNumber(text);
        const std::optional<double> expected = libraryNumber(oracle);
        if (read.has_value() != expected.has_value() || (read && *read != *expected)) {
            qWarning().noquote() << "read" << printable(text) << "as" << shownOutcome(read)
                                 << "instead of" << shownOutcome(expected);
            if (++failures >= 10)
                break;
        }
    }
    QCOMPARE(failures, 0);
}

void NumberFuzzTest::hexadecimalAndOctalReadAsIntegers()
{
    Texts texts(seed + 1);
    int failures = 0;
    for (int i = 0; i < 20000; ++i) {
        const bool octal = texts.chance(50);
        std::string digitRun;
        const std::uint64_t length = 1 + texts.below(octal ? 21 : 40);
        for (std::uint64_t d = 0; d < length; ++d)
            digitRun.push_back(octal ? texts.pick("01234567")
                                     : texts.pick("0123456789abcdefABCDEF"));
        const std::string text =
            texts.sprinkled(std::string("&") + texts.pick(octal ? "Oo" : "Hh") + digitRun +
                            texts.pick(octal ? "89xG " : "xG "));
        // Up to 21 octal digits fit 64 bits exactly; hexadecimal runs are
        // read by the library's own hexadecimal floating form.
        const std::optional<double> expected =
            octal ? std::optional<double>(
                        static_cast<double>(std::strtoull(digitRun.c_str(), nullptr, 8)))
                  : libraryNumber("0x" + digitRun);
        const std::optional<double> read = readNumber(text);
        if (read != expected) {
            qWarning().noquote() << "read" << printable(text) << "as" << shownOutcome(read)
                                 << "instead of" << shownOutcome(expected);
            if (++failures >= 10)
                break;
        }
    }
    QCOMPARE(failures, 0);
}

void NumberFuzzTest::anyTextReadsSafely()
{
    Texts texts(seed + 2);
    QString problem;
    for (int i = 0; i < 200000; ++i) {
        if (!readsSafely(texts.soup(), problem))
            QFAIL(qPrintable(problem));
    }
}

void NumberFuzzTest::mutatedNumbersReadSafely()
{
    Texts texts(seed + 3);
    QString problem;
    for (int i = 0; i < 100000; ++i) {
        const std::string text = texts.mutated(texts.cleanNumber().first);
        if (!readsSafely(text, problem))
            QFAIL(qPrintable(problem));
    }
}

// A cell shows a Double with 15 significant digits: the text is the 15-digit
// decimal that printf rounds the value to, and reads back as printf's text
// does, whatever the bits, and for the short decimals that typed numbers and
// rounded results are.
void NumberFuzzTest::shownDoublesReadBackAsShown()
{
    Texts texts(seed + 4);
    int failures = 0;
    for (int i = 0; i < 100000; ++i) {
        const double value = i % 2 == 0 ? texts.anyFiniteDouble() : texts.shortDecimal();
        if (!std::isfinite(value))
            continue;
        const std::string shown = plainText(Variant(value));
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.14e", value);
        const std::optional<double> expected = libraryNumber(rounded);
        const std::optional<double> read = readNumber(shown);
        if (read != expected || !sameDecimal(shown, rounded)) {
            qWarning().noquote() << "shown" << QString::fromStdString(shown) << "for" << rounded
                                 << "read back as" << shownOutcome(read) << "instead of"
                                 << shownOutcome(expected);
            if (++failures >= 10)
                break;
        }
    }
    QCOMPARE(failures, 0);
}

void NumberFuzzTest::shownSinglesReadBackAsShown()
{
    Texts texts(seed + 5);
    int failures = 0;
    for (int i = 0; i < 50000; ++i) {
        const float value = texts.anyFiniteFloat();
        const std::string shown = plainText(Variant(value));
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(value));
        const std::optional<double> expected = libraryNumber(rounded);
        const std::optional<double> read = readNumber(shown);
        if (read != expected || !sameDecimal(shown, rounded)) {
            qWarning().noquote() << "shown" << QString::fromStdString(shown) << "for" << rounded
                                 << "read back as" << shownOutcome(read) << "instead of"
                                 << shownOutcome(expected);
            if (++failures >= 10)
                break;
        }
    }
    QCOMPARE(failures, 0);
}

QTEST_APPLESS_MAIN(NumberFuzzTest)

#include "tst_numberfuzz.moc"
