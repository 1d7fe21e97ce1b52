// Variant values, their arithmetic and failures, reading typed numbers and the
// texts that values show in the cells.

#include "app/BoundedArray.h"
#include "app/CellWrite.h"
#include "app/Conversions.h"
#include "app/Single.h"

#include <QtTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <locale>

Q_DECLARE_METATYPE(Variant)

namespace {

const Variant E;
const double fails = std::nan("");

const auto cellText = [](const Variant &value) { return QString::fromStdString(plainText(value)); };

// The cells of a grid with no window behind them.
struct WindowlessGrid final : CellGrid
{
    explicit WindowlessGrid(CellTable &table) : CellGrid(table) {}
    void setRows(int) override {}
    void setCols(int) override {}
    void setFocus() override {}
};

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
    void numberFromText()
    {
        const std::pair<const char *, double> rows[] = {
            {" 12 ", 12},   {"1 2", 12},  {"3.5kg", 3.5}, {".5", 0.5},      {"2D1", 20}, {"1,5", 1},
            {"1.2.3", 1.2}, {"&H1F", 31}, {"&O17", 15},   {"1E400", fails}, {"7\r", 7}};
        for (const auto &[text, expected] : rows) {
            if (std::isnan(expected))
                QVERIFY_THROWS_EXCEPTION(StatementFailed, ::numberFromText(text));
            else
                QVERIFY2(::numberFromText(text) == expected, text);
        }
    }

    // Places -1 is the plain text; 4 also checks the rounded text of a cell.
    void texts_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("expected");
        QTest::newRow("double third") << Variant(1.0 / 3.0) << -1 << "0.333333333333333";
        QTest::newRow("single third") << Variant(1.0f / 3.0f) << -1 << "0.3333333";
        QTest::newRow("empty") << E << -1 << "";
        QTest::newRow("single 1.5E-07") << Variant(1.5e-7f) << -1 << "1.5E-07";
        QTest::newRow("negative zero") << Variant(-0.0) << -1 << "0";
        QTest::newRow("two thirds") << Variant(2.0 / 3.0) << 4 << "0.6667";
        QTest::newRow("minus a third") << Variant(-1.0 / 3.0) << 4 << "-0.3333";
        QTest::newRow("0.000025") << Variant(0.000025) << 4 << "0";
        QTest::newRow("double 1234.56789") << Variant(1234.56789) << 4 << "1234.5679";
        QTest::newRow("single 1234.56789") << Variant(1234.56789f) << 4 << "1234.568";
        QTest::newRow("tie 3/256 at 7 places") << Variant(3.0 / 256) << 7 << "0.0117188";
        QTest::newRow("integer") << Variant(-2) << -1 << "-2";
        QTest::newRow("long rounded") << Variant(100000) << 4 << "100000";
        QTest::newRow("double 1E+15") << Variant(1e15) << -1 << "1E+15";
        QTest::newRow("double 1E-05") << Variant(0.00001) << -1 << "1E-05";
        QTest::newRow("0.1 + 0.2") << Variant(0.1 + 0.2) << -1 << "0.3";
        QTest::newRow("double -2.5E+300") << Variant(-2.5e300) << 4 << "-2.5E+300";
        QTest::newRow("single 3.4E+38") << Variant(3.4e38f) << 4 << "3.4E+38";
        QTest::newRow("double to -0") << Variant(-0.00001) << 4 << "0";
        QTest::newRow("single to -0") << Variant(-0.00001f) << 4 << "0";
    }
    void texts()
    {
        QFETCH(Variant, value);
        QFETCH(int, places);
        QFETCH(QString, expected);
        QCOMPARE(places < 0 ? cellText(value) : cellText(roundTo(value, Variant(places))),
                 expected);
        if (places == 7)
            return;
        if (places == 4)
            QCOMPARE(QString::fromStdString(roundedText(value)), expected);
        // A cell that keeps the number shows the same text.
        CellTable cell(1, 1);
        cell.setNumber(places < 0 ? plainNumber(value) : roundedNumber(value));
        QCOMPARE(QString::fromStdString(cell.text()), expected);
    }

    // The kind of each result; Empty here means the statement fails and leaves
    // its target as it was.
    void arithmetic()
    {
        using K = Variant::Kind;
        const std::tuple<Variant, char, Variant, K> rows[] = {
            {Variant(32767), '+', Variant(1), K::Long},
            {Variant(0.1f), '*', Variant(3), K::Single},
            {Variant(0.1f), '*', Variant(3.0), K::Double},
            {Variant(1), '/', Variant(2), K::Double},
            {Variant(1), '/', Variant(0), K::Empty},
            {Variant(0), '/', Variant(0), K::Empty},
            {Variant(DBL_MAX), '+', Variant(DBL_MAX), K::Empty}};
        for (const auto &[a, operation, b, kind] : rows) {
            Variant target(2.5);
            guarded([&] { target = operation == '+' ? a + b : operation == '*' ? a * b : a / b; });
            QCOMPARE(int(target.kind()), int(kind == K::Empty ? K::Double : kind));
            if (kind == K::Empty)
                QCOMPARE(target.toDouble(), 2.5);
        }
    }

    void integersAndElements()
    {
        QCOMPARE(toInteger(Variant(2.5)), 2);
        QCOMPARE(toInteger(Variant(3.5)), 4);
        BoundedArray1<Single> costs;
        costs.create(0, 2);
        costs(1) = Variant(1.5);
        guarded([&] { costs(1) = Variant(1e39); });
        QCOMPARE(cellText(Variant(costs(1))), QStringLiteral("1.5"));
        QVERIFY_THROWS_EXCEPTION(StatementFailed, costs(3));
        // A failed text statement leaves the cell as it was; the alignment,
        // a statement of its own, still lands.
        CellTable table(2, 2);
        WindowlessGrid grid(table);
        const auto shown = [&] {
            return grid.text() + char('0' + table.cell(1, 1).format.alignment);
        };
        writeCell(grid, 1, 1, CellGrid::AlignCenterCenter, [&] { return roundedNumber(costs(1)); });
        QCOMPARE(shown(), "1.54");
        writeCell(grid, 1, 1, CellGrid::AlignLeftCenter, [&] { return roundedNumber(costs(3)); });
        QCOMPARE(shown(), "1.51");
    }

    // The texts of the cells never depend on the locale.
    void decimalPointWhateverTheLocale()
    {
        const std::locale previous =
            std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
        const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        const QString shown = cellText(Variant(1234.5)) + ' ' + cellText(Variant(1.5e-7f));
        const double read = ::numberFromText("1.5");
        std::setlocale(LC_NUMERIC, previousC.c_str());
        std::locale::global(previous);
        QCOMPARE(shown, QStringLiteral("1234.5 1.5E-07"));
        QCOMPARE(read, 1.5);
    }
};

QTEST_APPLESS_MAIN(ValuesTest)

#include "tst_values.moc"
