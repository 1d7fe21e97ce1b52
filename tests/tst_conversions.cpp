// Reading typed numbers and the texts that values show in the cells.

#include "app/Conversions.h"
#include "app/Single.h"

#include <QtTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <locale>
#include <string>

namespace {

// A value of the given kind: "Empty", "Integer", "Long", "Single", "Double".
Variant valueOfKind(const QString &kind, double number)
{
    if (kind == QLatin1String("Integer"))
        return Variant::integer(static_cast<std::int16_t>(number));
    if (kind == QLatin1String("Long"))
        return Variant::longInteger(static_cast<std::int32_t>(number));
    if (kind == QLatin1String("Single"))
        return Variant(static_cast<float>(number));
    if (kind == QLatin1String("Double"))
        return Variant(number);
    return Variant();
}

std::string repeated(char c, int count)
{
    return std::string(static_cast<std::size_t>(count), c);
}

} // namespace

class ConversionsTest : public QObject
{
    Q_OBJECT

  private slots:
    void numberFromText_data();
    void numberFromText();
    void numberFromTextFails_data();
    void numberFromTextFails();
    void plainText_data();
    void plainText();
    void writtenNumbersReadBack_data();
    void writtenNumbersReadBack();
    void roundTo_data();
    void roundTo();
    void roundToNegativePlacesFails();
    void roundedText_data();
    void roundedText();
    void decimalPointWhateverTheLocale();
};

void ConversionsTest::numberFromText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("a word") << QByteArray("abc") << 0.0;
    QTest::newRow("blanks around") << QByteArray(" 12 ") << 12.0;
    QTest::newRow("blank between digits") << QByteArray("1 2") << 12.0;
    QTest::newRow("tab and line feed") << QByteArray("\t1\n2\t") << 12.0;
    QTest::newRow("blanks inside a signed number") << QByteArray("- 3 . 5 e 2") << -350.0;
    QTest::newRow("carriage return stops") << QByteArray("7\r8") << 7.0;
    QTest::newRow("trailing carriage return") << QByteArray("7\r") << 7.0;
    QTest::newRow("leading carriage return") << QByteArray("\r7") << 0.0;
    QTest::newRow("unit after number") << QByteArray("3.5kg") << 3.5;
    QTest::newRow("minus") << QByteArray("-2") << -2.0;
    QTest::newRow("plus") << QByteArray("+2") << 2.0;
    QTest::newRow("two signs") << QByteArray("+-2") << 0.0;
    QTest::newRow("minus zero") << QByteArray("-0") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("point last") << QByteArray("5.") << 5.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("exponent E") << QByteArray("1E3") << 1000.0;
    QTest::newRow("exponent e") << QByteArray("1e3") << 1000.0;
    QTest::newRow("exponent D") << QByteArray("2D1") << 20.0;
    QTest::newRow("exponent d negative") << QByteArray("1.5d-1") << 0.15;
    QTest::newRow("exponent plus") << QByteArray("2E+2") << 200.0;
    QTest::newRow("exponent without digits") << QByteArray("7E") << 7.0;
    QTest::newRow("exponent sign without digits") << QByteArray("7E-") << 7.0;
    QTest::newRow("exponent without mantissa") << QByteArray("E5") << 0.0;
    QTest::newRow("comma stops") << QByteArray("1,5") << 1.0;
    QTest::newRow("second point stops") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("fraction bar stops") << QByteArray("1/3") << 1.0;
    QTest::newRow("minus after digits stops") << QByteArray("2-3") << 2.0;
    QTest::newRow("hexadecimal") << QByteArray("&H1F") << 31.0;
    QTest::newRow("hexadecimal lower case") << QByteArray("&hff") << 255.0;
    QTest::newRow("hexadecimal with blank") << QByteArray("& H 1 0") << 16.0;
    QTest::newRow("hexadecimal stops at G") << QByteArray("&H1G2") << 1.0;
    QTest::newRow("hexadecimal is not signed") << QByteArray("&HFFFF") << 65535.0;
    QTest::newRow("hexadecimal beyond 64 bits")
        << QByteArray("&H10000000000000000") << 18446744073709551616.0;
    QTest::newRow("hexadecimal without digits") << QByteArray("&H") << 0.0;
    QTest::newRow("octal") << QByteArray("&O17") << 15.0;
    QTest::newRow("octal lower case") << QByteArray("&o777") << 511.0;
    QTest::newRow("octal stops at 8") << QByteArray("&O78") << 7.0;
    QTest::newRow("octal beyond 64 bits")
        << QByteArray("&O2000000000000000000000") << 18446744073709551616.0;
    QTest::newRow("ampersand alone") << QByteArray("&") << 0.0;
    QTest::newRow("ampersand other letter") << QByteArray("&X1") << 0.0;
    QTest::newRow("ampersand then decimal") << QByteArray("&12") << 0.0;
    QTest::newRow("non-ASCII stops") << QByteArray("3\xc2\xbd") << 3.0;
    QTest::newRow("non-ASCII first") << QByteArray("\xef\xbc\x91") << 0.0;
    QTest::newRow("NUL stops") << QByteArray("4\0"
                                             "5",
                                             3)
                               << 4.0;
    QTest::newRow("largest double") << QByteArray("1.7976931348623157E308") << DBL_MAX;
    QTest::newRow("smallest subnormal")
        << QByteArray("4.9406564584124654E-324") << 4.9406564584124654E-324;
    QTest::newRow("below the smallest subnormal") << QByteArray("2E-324") << 0.0;
    QTest::newRow("negative below the smallest subnormal") << QByteArray("-2E-324") << 0.0;
    QTest::newRow("huge negative exponent") << QByteArray("1E-99999999") << 0.0;
    QTest::newRow("long digit run") << QByteArray::fromStdString("1" + repeated('0', 300)) << 1E300;
    QTest::newRow("long fraction run")
        << QByteArray::fromStdString("0." + repeated('0', 299) + "1") << 1E-300;
    QTest::newRow("long leading zeros with large exponent")
        << QByteArray::fromStdString("0." + repeated('0', 500) + "1E400") << 1E-101;
    QTest::newRow("many zeros with huge negative exponent")
        << QByteArray::fromStdString(repeated('9', 5000) + "E-99999999999") << 0.0;
}

void ConversionsTest::numberFromText()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double value = ::numberFromText(std::string_view(text.constData(), text.size()));
    QCOMPARE(value, expected);
    // A zero read is never a negative zero.
    QCOMPARE(std::signbit(value), std::signbit(expected));
}

void ConversionsTest::numberFromTextFails_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("1E400") << QByteArray("1E400");
    QTest::newRow("-1E400") << QByteArray("-1E400");
    QTest::newRow("1D309") << QByteArray("1D309");
    QTest::newRow("just beyond the largest double") << QByteArray("1.8E308");
    QTest::newRow("huge exponent") << QByteArray("1E99999999999");
    QTest::newRow("huge exponent of many digits")
        << QByteArray::fromStdString("1E" + repeated('9', 100));
    QTest::newRow("long digit run") << QByteArray::fromStdString("1" + repeated('0', 400));
    QTest::newRow("long hexadecimal run") << QByteArray::fromStdString("&H" + repeated('F', 300));
    QTest::newRow("long octal run") << QByteArray::fromStdString("&O" + repeated('7', 400));
    // The text shown for the largest double is rounded up beyond it.
    QTest::newRow("largest double as shown") << QByteArray("1.79769313486232E+308");
}

void ConversionsTest::numberFromTextFails()
{
    QFETCH(QByteArray, text);
    QVERIFY_THROWS_EXCEPTION(StatementFailed,
                             ::numberFromText(std::string_view(text.constData(), text.size())));
}

void ConversionsTest::plainText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << "Empty" << 0.0 << "";
    QTest::newRow("integer") << "Integer" << -2.0 << "-2";
    QTest::newRow("smallest integer") << "Integer" << -32768.0 << "-32768";
    QTest::newRow("long") << "Long" << 100000.0 << "100000";
    QTest::newRow("smallest long") << "Long" << -2147483648.0 << "-2147483648";
    QTest::newRow("half") << "Double" << 0.5 << "0.5";
    QTest::newRow("whole double") << "Double" << 100.0 << "100";
    QTest::newRow("negative double") << "Double" << -1234.5 << "-1234.5";
    QTest::newRow("double third") << "Double" << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("double two thirds") << "Double" << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("double 0.1 + 0.2") << "Double" << 0.1 + 0.2 << "0.3";
    QTest::newRow("double rounds up to 1") << "Double" << 0.99999999999999994 << "1";
    QTest::newRow("double sixteen digits") << "Double" << 123456789012345.6 << "123456789012346";
    QTest::newRow("double largest plain") << "Double" << 999999999999999.0 << "999999999999999";
    QTest::newRow("double rounds into exponent form") << "Double" << 999999999999999.9 << "1E+15";
    QTest::newRow("double 1E15") << "Double" << 1e15 << "1E+15";
    QTest::newRow("double 1E16") << "Double" << 1e16 << "1E+16";
    QTest::newRow("double large with digits") << "Double" << -2.5e300 << "-2.5E+300";
    QTest::newRow("double largest") << "Double" << DBL_MAX << "1.79769313486232E+308";
    QTest::newRow("double 0.0001") << "Double" << 0.0001 << "0.0001";
    QTest::newRow("double small plain") << "Double" << -0.00012345 << "-0.00012345";
    QTest::newRow("double 0.00001") << "Double" << 0.00001 << "1E-05";
    QTest::newRow("double 1.5E-7") << "Double" << 1.5e-7 << "1.5E-07";
    QTest::newRow("double smallest subnormal")
        << "Double" << 4.9406564584124654e-324 << "4.94065645841247E-324";
    QTest::newRow("double zero") << "Double" << 0.0 << "0";
    QTest::newRow("double negative zero") << "Double" << -0.0 << "0";
    QTest::newRow("single third") << "Single" << 1.0 / 3.0 << "0.3333333";
    QTest::newRow("single 0.1") << "Single" << 0.1 << "0.1";
    QTest::newRow("single 0.1 widened to double")
        << "Double" << static_cast<double>(0.1f) << "0.100000001490116";
    QTest::newRow("single 1234.56789") << "Single" << 1234.56789 << "1234.568";
    QTest::newRow("single largest plain") << "Single" << 1234567.0 << "1234567";
    QTest::newRow("single 1E7") << "Single" << 1e7 << "1E+07";
    QTest::newRow("single eight digits") << "Single" << 12345678.0 << "1.234568E+07";
    QTest::newRow("single 1.5E-7") << "Single" << 1.5e-7 << "1.5E-07";
    QTest::newRow("single largest") << "Single" << static_cast<double>(FLT_MAX) << "3.402823E+38";
    QTest::newRow("single negative zero") << "Single" << -0.0 << "0";
}

void ConversionsTest::plainText()
{
    QFETCH(QString, kind);
    QFETCH(double, number);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::plainText(valueOfKind(kind, number))), expected);
}

// What a cell shows reads back as the value shown.
void ConversionsTest::writtenNumbersReadBack_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<double>("readBack");

    QTest::newRow("third") << 1.0 / 3.0 << 0.333333333333333;
    QTest::newRow("large") << 6.02214076e23 << 6.02214076e23;
    QTest::newRow("small") << -1.5e-7 << -1.5e-7;
}

void ConversionsTest::writtenNumbersReadBack()
{
    QFETCH(double, number);
    QFETCH(double, readBack);
    QCOMPARE(::numberFromText(::plainText(Variant(number))), readBack);
}

void ConversionsTest::roundTo_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");

    QTest::newRow("tie 2.5 to even") << "Double" << 2.5 << 0 << "2";
    QTest::newRow("tie 3.5 to even") << "Double" << 3.5 << 0 << "4";
    QTest::newRow("tie -2.5 to even") << "Double" << -2.5 << 0 << "-2";
    QTest::newRow("tie 0.125 at 2 places") << "Double" << 0.125 << 2 << "0.12";
    QTest::newRow("tie 0.375 at 2 places") << "Double" << 0.375 << 2 << "0.38";
    QTest::newRow("tie 1/256 at 7 places") << "Double" << 1.0 / 256 << 7 << "0.0039062";
    QTest::newRow("tie 3/256 at 7 places") << "Double" << 3.0 / 256 << 7 << "0.0117188";
    QTest::newRow("0.00000004 at 7 places") << "Double" << 0.00000004 << 7 << "0";
    QTest::newRow("-0.00000004 at 7 places") << "Double" << -0.00000004 << 7 << "0";
    QTest::newRow("0.00000006 at 7 places") << "Double" << 0.00000006 << 7 << "1E-07";
    QTest::newRow("double third at 10 places") << "Double" << 1.0 / 3.0 << 10 << "0.3333333333";
    QTest::newRow("single third at 10 places") << "Single" << 1.0 / 3.0 << 10 << "0.3333333";
    QTest::newRow("single tie 0.125 at 2 places") << "Single" << 0.125 << 2 << "0.12";
    QTest::newRow("single 1234.56789 at 1 place") << "Single" << 1234.56789 << 1 << "1234.6";
    QTest::newRow("single 0.00000006 at 7 places") << "Single" << 0.00000006 << 7 << "1E-07";
    QTest::newRow("integer unchanged") << "Integer" << 7.0 << 0 << "7";
    QTest::newRow("long unchanged") << "Long" << 123456.0 << 2 << "123456";
    QTest::newRow("empty unchanged") << "Empty" << 0.0 << 4 << "";
    QTest::newRow("huge double unchanged") << "Double" << 1e300 << 7 << "1E+300";
    QTest::newRow("largest double unchanged")
        << "Double" << -DBL_MAX << 4 << "-1.79769313486232E+308";
    QTest::newRow("many places") << "Double" << 1e-300 << 400 << "1E-300";
}

void ConversionsTest::roundTo()
{
    QFETCH(QString, kind);
    QFETCH(double, number);
    QFETCH(int, places);
    QFETCH(QString, expected);
    const Variant rounded = ::roundTo(valueOfKind(kind, number), Variant(places));
    QCOMPARE(QString::fromStdString(::plainText(rounded)), expected);
}

void ConversionsTest::roundToNegativePlacesFails()
{
    QVERIFY_THROWS_EXCEPTION(StatementFailed, ::roundTo(Variant(12.5), Variant(-1)));
}

void ConversionsTest::roundedText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("third") << "Double" << 1.0 / 3.0 << "0.3333";
    QTest::newRow("two thirds") << "Double" << 2.0 / 3.0 << "0.6667";
    QTest::newRow("minus a third") << "Double" << -1.0 / 3.0 << "-0.3333";
    QTest::newRow("0.000025") << "Double" << 0.000025 << "0";
    QTest::newRow("-0.00004 shows no sign") << "Double" << -0.00004 << "0";
    QTest::newRow("integer 5") << "Integer" << 5.0 << "5";
    QTest::newRow("double 5") << "Double" << 5.0 << "5";
    QTest::newRow("double 1234.56789") << "Double" << 1234.56789 << "1234.5679";
    QTest::newRow("single 1234.56789") << "Single" << 1234.56789 << "1234.568";
    QTest::newRow("tie 1/32 to even") << "Double" << 1.0 / 32 << "0.0312";
    QTest::newRow("tie 3/32 to even") << "Double" << 3.0 / 32 << "0.0938";
    QTest::newRow("smallest shown") << "Double" << 0.00006 << "0.0001";
    QTest::newRow("large") << "Double" << 123456789.123456 << "123456789.1235";
    QTest::newRow("beyond 15 digits") << "Double" << 1e20 / 3 << "3.33333333333333E+19";
    QTest::newRow("empty") << "Empty" << 0.0 << "";
}

void ConversionsTest::roundedText()
{
    QFETCH(QString, kind);
    QFETCH(double, number);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::roundedText(valueOfKind(kind, number))), expected);
}

namespace {

struct CommaDecimals : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

// A user whose locale writes 1,5 still sees 1.5, and "1.5" still reads as
// 1.5: the texts of the cells never depend on the locale.
void ConversionsTest::decimalPointWhateverTheLocale()
{
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    // Where a German locale is installed, the C library's numbers use a comma too.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

    const std::string shown = ::plainText(Variant(1234.5));
    const std::string rounded = ::roundedText(Variant(2.0 / 3.0));
    const std::string single = ::plainText(Variant(1.5e-7f));
    const double read = ::numberFromText("1.5");
    const double readComma = ::numberFromText("1,5");

    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previous);

    QCOMPARE(QString::fromStdString(shown), QStringLiteral("1234.5"));
    QCOMPARE(QString::fromStdString(rounded), QStringLiteral("0.6667"));
    QCOMPARE(QString::fromStdString(single), QStringLiteral("1.5E-07"));
    QCOMPARE(read, 1.5);
    QCOMPARE(readComma, 1.0);
}

QTEST_APPLESS_MAIN(ConversionsTest)

#include "tst_conversions.moc"
