// Reading typed numbers and the texts that values show in the cells.

#include "VariantValues.h"

#include <QtTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <locale>
#include <string>

namespace {

// The expected value of a text that does not read: the statement fails.
const double fails = std::nan("");

} // namespace

class ConversionsTest : public QObject
{
    Q_OBJECT

  private slots:
    void numberFromText_data();
    void numberFromText();
    void plainText_data();
    void plainText();
    void rounded_data();
    void rounded();
    void decimalPointWhateverTheLocale();
};

void ConversionsTest::numberFromText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const auto row = [](const char *name, const QByteArray &text, double expected) {
        QTest::newRow(name) << text << expected;
    };
    row("empty", "", 0);
    row("a word", "abc", 0);
    row("blanks around", " 12 ", 12);
    row("blank between digits", "1 2", 12);
    row("blanks inside a signed number", "- 3 . 5 e 2", -350);
    row("unit after number", "3.5kg", 3.5);
    row("minus", "-2", -2);
    row("plus", "+2", 2);
    row("minus zero", "-0", 0);
    row("point first", ".5", 0.5);
    row("exponent E", "1E3", 1000);
    row("exponent D", "2D1", 20);
    row("comma stops", "1,5", 1);
    row("second point stops", "1.2.3", 1.2);
    row("fraction bar stops", "1/3", 1);
    row("hexadecimal", "&H1F", 31);
    row("octal", "&O17", 15);
    row("trailing carriage return", "7\r", 7);
    row("carriage return stops", "7\r8", 7);
    row("largest double", "1.7976931348623157E308", DBL_MAX);
    row("below the smallest subnormal", "-2E-324", 0);
    row("1E400", "1E400", fails);
    row("-1E400", "-1E400", fails);
    row("long digit run", QByteArray(400, '9'), fails);
    // The text shown for the largest double is rounded up beyond it.
    row("largest double as shown", "1.79769313486232E+308", fails);
}

void ConversionsTest::numberFromText()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const std::string_view typed(text.constData(), text.size());
    if (std::isnan(expected)) {
        QVERIFY_THROWS_EXCEPTION(StatementFailed, ::numberFromText(typed));
        return;
    }
    const double value = ::numberFromText(typed);
    QCOMPARE(value, expected);
    // A zero read is never a negative zero.
    QCOMPARE(std::signbit(value), std::signbit(expected));
}

void ConversionsTest::plainText_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << E << "";
    QTest::newRow("integer") << I(-2) << "-2";
    QTest::newRow("long") << L(100000) << "100000";
    QTest::newRow("half") << Variant(0.5) << "0.5";
    QTest::newRow("double third") << Variant(1.0 / 3.0) << "0.333333333333333";
    QTest::newRow("single third") << S(1.0 / 3.0) << "0.3333333";
    QTest::newRow("double 1E+15") << Variant(999999999999999.9) << "1E+15";
    QTest::newRow("double 1E-05") << Variant(0.00001) << "1E-05";
    QTest::newRow("single 1.234568E+07") << S(12345678.0) << "1.234568E+07";
    QTest::newRow("single 1.5E-07") << S(1.5e-7) << "1.5E-07";
    QTest::newRow("double negative zero") << Variant(-0.0) << "0";
    QTest::newRow("single negative zero") << S(-0.0) << "0";
}

void ConversionsTest::plainText()
{
    QFETCH(Variant, value);
    QFETCH(QString, expected);
    QCOMPARE(cellText(value), expected);
}

// The text of the value rounded to the given places, ties to even; at 4
// places also the rounded text a cell shows.
void ConversionsTest::rounded_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");

    QTest::newRow("third") << Variant(1.0 / 3.0) << 4 << "0.3333";
    QTest::newRow("two thirds") << Variant(2.0 / 3.0) << 4 << "0.6667";
    QTest::newRow("minus a third") << Variant(-1.0 / 3.0) << 4 << "-0.3333";
    QTest::newRow("0.000025") << Variant(0.000025) << 4 << "0";
    QTest::newRow("-0.00004 shows no sign") << Variant(-0.00004) << 4 << "0";
    QTest::newRow("integer 5") << I(5) << 4 << "5";
    QTest::newRow("double 1234.56789") << Variant(1234.56789) << 4 << "1234.5679";
    QTest::newRow("single 1234.56789") << S(1234.56789) << 4 << "1234.568";
    QTest::newRow("tie 1/32 to even") << Variant(1.0 / 32) << 4 << "0.0312";
    QTest::newRow("tie 3/32 to even") << Variant(3.0 / 32) << 4 << "0.0938";
    QTest::newRow("empty") << E << 4 << "";
    QTest::newRow("tie 2.5 to even") << Variant(2.5) << 0 << "2";
    QTest::newRow("0.00000004 at 7 places") << Variant(0.00000004) << 7 << "0";
    QTest::newRow("0.00000006 at 7 places") << Variant(0.00000006) << 7 << "1E-07";
    QTest::newRow("tie 3/256 at 7 places") << Variant(3.0 / 256) << 7 << "0.0117188";
    QTest::newRow("single third at 10 places") << S(1.0 / 3.0) << 10 << "0.3333333";
}

void ConversionsTest::rounded()
{
    QFETCH(Variant, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(cellText(::roundTo(value, Variant(places))), expected);
    if (places == 4)
        QCOMPARE(QString::fromStdString(::roundedText(value)), expected);
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
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    // Where a German locale is installed, the C library's numbers use a comma too.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const QString shown = cellText(Variant(1234.5)) + ' ' + cellText(S(1.5e-7)) + ' ' +
                          QString::fromStdString(::roundedText(Variant(2.0 / 3.0)));
    const double read = ::numberFromText("1.5");
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previous);

    QCOMPARE(shown, QStringLiteral("1234.5 1.5E-07 0.6667"));
    QCOMPARE(read, 1.5);
}

QTEST_APPLESS_MAIN(ConversionsTest)

#include "tst_conversions.moc"
