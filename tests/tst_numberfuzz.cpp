// Whatever is typed into a cell reads as a finite number or fails as a
// statement; a clean number reads as the C library reads it. The texts come
// from a fixed seed, so a failure repeats.

#include "app/Conversions.h"

#include <QtTest>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace {

struct Texts
{
    std::mt19937_64 random;

    std::uint64_t below(std::uint64_t n) { return random() % n; }
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
    char pick(const char *choices) { return choices[below(std::strlen(choices))]; }

    // Any byte, weighted toward the characters a number is made of.
    char anyByte()
    {
        return chance(33) ? static_cast<char>(below(256))
                          : pick("01234567890123456789+-.eEdDhHoO& \t\n\r,/x");
    }

    // `count` digits, or any bytes.
    std::string run(std::size_t count, bool digitsOnly = true)
    {
        std::string text;
        while (text.size() < count)
            text += digitsOnly ? static_cast<char>('0' + below(10)) : anyByte();
        return text;
    }
    std::string basePrefix() { return chance(80) ? "" : chance(50) ? "&H" : "&O"; }
    std::string zeros(std::uint64_t most) { return std::string(chance(20) ? below(most) : 0, '0'); }

    // A clean decimal number, with blanks, tabs and line feeds sprinkled in,
    // and the same number as the C library reads it.
    std::pair<std::string, std::string> cleanNumber()
    {
        std::string text = chance(66) ? std::string(1, pick("+-")) : std::string();
        const bool longRun = below(1000) < 3;
        const std::size_t whole = below(longRun ? 2000 : 20), fraction = below(longRun ? 2000 : 20);
        text += zeros(30) + run(whole + (whole + fraction == 0));
        if (fraction > 0 || chance(30))
            text += '.' + zeros(longRun ? 3000 : 30) + run(fraction);
        std::string oracle = text;
        if (chance(60)) {
            const std::string exponent = zeros(5) + std::to_string(below(longRun ? 6000 : 700));
            const std::string sign = chance(66) ? std::string(1, pick("+-")) : std::string();
            text += pick("eEdD") + sign + exponent;
            oracle += 'e' + sign + exponent;
        }
        const char *const suffixes[] = {"", "", "", "kg", ",5", "/3", "x", "\r9", "\xc3\xa9"};
        const std::string suffix = suffixes[below(std::size(suffixes))];
        for (std::uint64_t i = below(4); i > 0; --i)
            text.insert(below(text.size() + 1), 1, pick(" \t\n"));
        return {text + suffix, oracle + suffix};
    }

    // Up to four edits: a byte removed, or a byte, a repeated piece, a digit
    // run, an exponent or a base prefix inserted.
    std::string mutated(std::string text)
    {
        for (std::uint64_t i = 1 + below(4); i > 0; --i) {
            const std::size_t at = below(text.size() + 1);
            const std::string pieces[] = {std::string(1, anyByte()), text.substr(at, below(8)),
                                          run(chance(2) ? 100 + below(3000) : below(30)),
                                          pick("eEdD") + std::string(chance(50) ? "-" : "") +
                                              run(1 + below(chance(10) ? 40 : 5)),
                                          chance(50) ? "&H" : "&o"};
            if (chance(15) && at < text.size())
                text.erase(at, 1);
            else
                text.insert(at, pieces[below(std::size(pieces))]);
        }
        return text;
    }
};

std::optional<double> readNumber(const std::string &text)
{
    try {
        return numberFromText(text);
    } catch (const StatementFailed &) {
        return std::nullopt;
    }
}

QString shown(const std::string &text, const std::optional<double> &value)
{
    const QByteArray start = QByteArray::fromStdString(text.substr(0, 80));
    return QStringLiteral("\"%1\" (%2 bytes) as %3")
        .arg(QString::fromLatin1(start.toPercentEncoding(" .+-&,/")), QString::number(text.size()),
             value ? QString::number(*value, 'g', 17) : QStringLiteral("failure"));
}

} // namespace

class NumberFuzzTest : public QObject
{
    Q_OBJECT

  private slots:
    void cleanNumbersReadAsTheLibraryReadsThem()
    {
        QVERIFY(std::setlocale(LC_ALL, "C") != nullptr); // the oracle's locale
        Texts texts{std::mt19937_64(20261206)};
        for (int i = 0; i < 100000; ++i) {
            const auto [text, oracle] = texts.cleanNumber();
            errno = 0;
            const double library = std::strtod(oracle.c_str(), nullptr);
            const std::optional<double> expected =
                errno == ERANGE && std::isinf(library) ? std::nullopt : std::optional(library);
            const std::optional<double> read = readNumber(text);
            if (read != expected)
                QFAIL(qPrintable(shown(text, read) + " instead of " + shown(oracle, expected)));
        }
    }

    // Random bytes and mutated numbers, 300000 texts in all.
    void anyTextReadsSafely()
    {
        Texts texts{std::mt19937_64(20261207)};
        for (int i = 0; i < 300000; ++i) {
            const std::string text = i % 3 == 0
                                         ? texts.mutated(texts.cleanNumber().first)
                                         : texts.basePrefix() + texts.run(texts.below(40), false);
            const std::optional<double> value = readNumber(text);
            if (value && !std::isfinite(*value))
                QFAIL(qPrintable(shown(text, value)));
        }
    }
};

QTEST_APPLESS_MAIN(NumberFuzzTest)

#include "tst_numberfuzz.moc"
