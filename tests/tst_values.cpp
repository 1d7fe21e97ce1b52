// Variant values, their arithmetic and failures, reading typed numbers and the
// texts that values show in the cells: tables of what a user types and sees,
// and random values shown as the C library shows them.

#include "app/CellWrite.h"
#include "app/values/BoundedArray.h"
#include "app/values/Conversions.h"
#include "app/values/Single.h"
#include "ui/WindowlessGrid.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <locale>
#include <random>

namespace {

using K = Variant::Kind;
const Variant E;
const double fails = std::nan("");
constexpr float SingleMax = FLT_MAX;

Variant integer(int value)
{
    return Variant::integer(static_cast<std::int16_t>(value));
}

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// The C library's %G writes the exponent form from the same thresholds and
// in the same layout as the cells; a negative zero shows as 0.
QString printed(double value, int digits)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    return value == 0 ? "0" : buffer;
}

struct CommaDecimals : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

class ValuesTest : public QObject
{
    Q_OBJECT

  private slots:
    // Every text is read and shown under a global locale with decimal
    // commas: the cells' texts never depend on it.
    void initTestCase()
    {
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    }

    // Forms a user types, and the number each is read as; never a negative
    // zero.
    void reading()
    {
        // clang-format off
        const std::pair<std::string, double> rows[] = {
            {"", 0}, {"abc", 0}, {" 12 ", 12}, {"\t1 2\n", 12}, {"- 1 . 5 e - 1", -0.15},
            {"-2", -2}, {"+5", 5}, {"--5", 0}, {"+-5", 0}, {"5.", 5}, {"-5.", -5}, {".5", 0.5},
            {"-.5", -0.5}, {"+.5d-1", 0.05}, {".", 0}, {"-", 0}, {"..5", 0}, {"5..", 5},
            {"5.e2", 500}, {"1.2.3", 1.2}, {"3.5kg", 3.5}, {"1,5", 1}, {"1/3", 1}, {"7\r", 7},
            {"\r7", 0}, {"1\r2", 1}, {"1E3", 1000}, {"1e3", 1000}, {"2D1", 20}, {"1.5d2", 150},
            {"1.5D+2", 150}, {"25e-1", 2.5}, {"25d-1", 2.5}, {"1e", 1}, {"1e+", 1}, {"1E-", 1},
            {"e5", 0}, {"1E3.5", 1000}, {"1ee3", 1}, {"0005", 5}, {"-00012.50e-1", -1.25},
            {"0.0625", 0.0625}, {"00.0012e3", 1.2}, {"-0", 0}, {"0e999999", 0},
            {"123456789012345678901", 123456789012345678901.0}, {"&H1F", 31}, {"&h1f", 31},
            {"&O17", 15}, {"&o70", 56}, {"& h 1 f", 31}, {"&H", 0}, {"&o", 0}, {"&", 0}, {"&X1", 0},
            {"&H1G", 1}, {"&O18", 1}, {"&O9", 0}, {"-&H10", 0}, {"&HFFFFFFFF", 4294967295.0},
            {"1e-400", 0}, {"-1e-400", 0}, {"-2e-324", 0}, {"3e-324", DBL_TRUE_MIN},
            {"1e-310", 1e-310}, {"0.01e310", 1e308}, {"1.7976931348623157e308", DBL_MAX},
            {"1.7976931348623158e308", DBL_MAX}, {"-1.7976931348623158E308", -DBL_MAX},
            {"1.7976931348623159e308", fails}, {"1.79769313486232E+308", fails}, {"1E400", fails},
            {"-1D309", fails}, {"1D9999999999999999999999", fails}, {"1e-99999999999999999999", 0},
            // digit runs far longer than any number's
            {"0." + std::string(400, '0') + "1e405", 1e4}, {std::string(400, '1'), fails},
            {"&H" + std::string(255, 'F'), 0x1p1020}, {"&h" + std::string(256, 'f'), fails}};
        // clang-format on
        for (const auto &[typed, expected] : rows) {
            double read = fails;
            attempt([&] { read = numberFromText(typed); });
            QVERIFY2(read == expected || (std::isnan(read) && std::isnan(expected)), typed.c_str());
            QVERIFY2(read != 0 || !std::signbit(read), typed.c_str());
        }
    }

    // The plain and the rounded text (4 places, ties to even, in the value's
    // own precision) of each kind at and around its limits, "" when it is the
    // plain text. A cell that keeps the number shows the same.
    void texts()
    {
        // clang-format off
        const std::tuple<Variant, const char *, const char *> rows[] = {
            {E, "", ""}, {integer(32767), "32767", ""}, {integer(-32768), "-32768", ""},
            {32768, "32768", ""}, {INT32_MAX, "2147483647", ""}, {INT32_MIN, "-2147483648", ""},
            {9999999.0f, "9999999", ""}, {1e7f, "1E+07", ""}, {12345678.0f, "1.234568E+07", ""},
            {99999992.0f, "9.999999E+07", ""}, {1e8f, "1E+08", ""},
            {16777215.0f, "1.677722E+07", ""}, {SingleMax, "3.402823E+38", ""},
            {-SingleMax, "-3.402823E+38", ""}, {FLT_MIN, "1.175494E-38", "0"},
            {FLT_TRUE_MIN, "1.401298E-45", "0"}, {1.0f / 3, "0.3333333", "0.3333"},
            {1234.56789f, "1234.568", ""}, {-0.03125f, "-0.03125", "-0.0312"},
            {1.5e-7f, "1.5E-07", "0"}, {0.0001f, "0.0001", ""}, {-0.00001f, "-1E-05", "0"},
            {-0.0f, "0", ""}, {999999999999999.0, "999999999999999", ""}, {1e15, "1E+15", ""},
            {1234567890123456.0, "1.23456789012346E+15", ""},
            {DBL_MAX, "1.79769313486232E+308", ""}, {-DBL_MAX, "-1.79769313486232E+308", ""},
            {DBL_MIN, "2.2250738585072E-308", "0"}, {DBL_TRUE_MIN, "4.94065645841247E-324", "0"},
            {1.0 / 3, "0.333333333333333", "0.3333"}, {-2.0 / 3, "-0.666666666666667", "-0.6667"},
            {0.1 + 0.2, "0.3", ""}, {0.0001, "0.0001", ""}, {-0.00001, "-1E-05", "0"},
            {0.000025, "2.5E-05", "0"}, {-0.00012345, "-0.00012345", "-0.0001"},
            {0.03125, "0.03125", "0.0312"}, {0.09375, "0.09375", "0.0938"},
            {1234.56789, "1234.56789", "1234.5679"}, {-2.5e300, "-2.5E+300", ""}, {-0.0, "0", ""}};
        // clang-format on
        for (const auto &[value, plain, rounded] : rows) {
            CellTable plainCell(1, 1), roundedCell(1, 1);
            plainCell.setNumber(plainNumber(value));
            roundedCell.setNumber(roundedNumber(value));
            QCOMPARE(QStringList({text(plainText(value)), text(plainCell.text()),
                                  text(roundedText(value)), text(roundedCell.text())}),
                     QStringList(
                         {plain, plain, *rounded ? rounded : plain, *rounded ? rounded : plain}));
        }
        QCOMPARE(text(plainText(roundTo(Variant(-5.0 / 256), Variant(7)))), "-0.0195312");
        QVERIFY_THROWS_EXCEPTION(StatementFailed, roundTo(Variant(1.5), Variant(-1)));
    }

    // Random values of each real kind, of every size, with few digits and
    // with ties at 4 places, show as %G shows them, plain and rounded.
    void textsAgreeWithTheCLibrary()
    {
        std::mt19937_64 random(11);
        for (int i = 0; i < 30000; ++i) {
            const bool single = i % 2;
            const int spread = single ? 300 : 2150; // beyond the kind's range both ways
            const double size =
                i % 9 == 0 ? double(random() % 100000) / 32
                : i % 3 == 0
                    ? double(random() % 2000000) * std::pow(10.0, int(random() % 30) - 20)
                    : std::ldexp(double(random() >> 11), int(random() % spread) - spread / 2 - 53);
            const double value = i % 4 < 2 ? size : -size;
            if (!std::isfinite(single ? float(value) : value))
                continue;
            const Variant v = single ? Variant(float(value)) : Variant(value);
            // A value with no digits beyond the 4th place stays as it is.
            const double x = v.toDouble();
            const double rounded = std::fabs(x * 1e4) < 0x1p52 ? std::nearbyint(x * 1e4) / 1e4 : x;
            const int digits = single ? 7 : 15;
            CellTable cells(1, 1);
            cells.setNumber(roundedNumber(v));
            QCOMPARE(text(plainText(v)) + ' ' + text(cells.text()),
                     printed(x, digits) + ' ' + printed(single ? float(rounded) : rounded, digits));
        }
    }

    // The kind and text of each result; Empty when the statement fails and
    // leaves its target as it was. i and l: conversion to Integer and Long,
    // rounding half to even.
    void arithmetic()
    {
        const auto I = integer; // a 16-bit Integer
        // clang-format off
        const std::tuple<Variant, char, Variant, K, const char *> rows[] = {
            {I(1), '+', I(2), K::Integer, "3"}, {I(32766), '+', I(1), K::Integer, "32767"}, {E, '+', E, K::Integer, "0"},
            {I(32767), '+', I(1), K::Long, "32768"}, {I(-32768), '-', I(1), K::Long, "-32769"},
            {I(-32768), '~', E, K::Long, "32768"}, {I(256), '*', I(128), K::Long, "32768"},
            {40000, '-', I(30000), K::Long, "10000"},
            {INT32_MAX, '+', I(1), K::Double, "2147483648"},
            {65536, '*', 65536, K::Double, "4294967296"}, {I(1), '/', I(2), K::Double, "0.5"},
            {E, '+', 1.0f, K::Single, "1"}, {0.1f, '*', I(3), K::Single, "0.3"},
            {1.0f, '/', 3.0f, K::Single, "0.3333333"}, {I(1), '/', 3.0f, K::Single, "0.3333333"},
            {0.1f, '*', 3.0, K::Double, "0.300000004470348"},
            {0.1f, '*', 100000, K::Double, "10000.0001490116"},
            {2e38f, '*', 40000, K::Double, "7.99999974422855E+42"},
            {1.7e38f, '+', 1.7e38f, K::Single, "3.4E+38"},
            {SingleMax, '*', I(1), K::Single, "3.402823E+38"}, {I(1), '/', I(0), K::Empty, ""},
            {E, '/', E, K::Empty, ""}, {DBL_MAX, '+', DBL_MAX, K::Empty, ""},
            {-DBL_MAX, '*', I(2), K::Empty, ""}, {2e38f, '+', 2e38f, K::Empty, ""},
            {-2e38f, '-', 2e38f, K::Empty, ""}, {2e38f, '*', I(2), K::Empty, ""},
            {2e38f, '/', 0.5f, K::Empty, ""}, {1.0f, '/', 0.0f, K::Empty, ""},
            {32767.49, 'i', E, K::Integer, "32767"}, {32767.5, 'i', E, K::Empty, ""},
            {-32768.5, 'i', E, K::Integer, "-32768"}, {-32768.51, 'i', E, K::Empty, ""},
            {32767.5, 'l', E, K::Long, "32768"}, {2147483647.49, 'l', E, K::Long, "2147483647"},
            {2147483647.5, 'l', E, K::Empty, ""}, {-2147483648.5, 'l', E, K::Long, "-2147483648"}};
        // clang-format on
        for (const auto &[a, operation, b, kind, expected] : rows) {
            Variant target;
            guarded([&] {
                target = operation == '+'   ? a + b
                         : operation == '-' ? a - b
                         : operation == '*' ? a * b
                         : operation == '/' ? a / b
                         : operation == 'i' ? integer(toInteger(a))
                         : operation == 'l' ? Variant::longInteger(toLong(a))
                                            : -a;
            });
            QCOMPARE(int(target.kind()), int(kind));
            QCOMPARE(text(plainText(target)), expected);
        }
    }

    // Outside its bounds an element fails as a statement; so does a store
    // beyond the single range, which leaves a single element as it was.
    void elements()
    {
        BoundedArray2<Single> matrix;
        matrix.create(0, 2, 1, 3);
        for (auto [row, col] : {std::pair{3, 1}, {-1, 1}, {0, 4}, {0, 0}})
            QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(row, col));
        matrix(1, 1) = Variant(1.5);
        matrix(1, 2) = Variant(double(SingleMax));
        QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(1, 1) = Variant(3.5e38));
        QCOMPARE(text(plainText(matrix(1, 1)) + ' ' + plainText(matrix(1, 2))), "1.5 3.402823E+38");
        // A failed text statement leaves the cell as it was; the alignment,
        // a statement of its own, still lands.
        CellTable table(2, 2);
        WindowlessGrid grid(table);
        const auto shown = [&] {
            return grid.text() + char('0' + table.cell(1, 1).format.alignment);
        };
        writeCell(grid, 1, 1, CellGrid::AlignCenterCenter,
                  [&] { return roundedNumber(matrix(1, 1)); });
        QCOMPARE(shown(), "1.54");
        writeCell(grid, 1, 1, CellGrid::AlignLeftCenter,
                  [&] { return roundedNumber(matrix(3, 1)); });
        QCOMPARE(shown(), "1.51");
    }
};

QTEST_APPLESS_MAIN(ValuesTest)

#include "tst_values.moc"
