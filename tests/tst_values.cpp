// Variant values, their arithmetic and failures, reading typed numbers and the
// texts that values show in the cells.

#include "app/CellWrite.h"
#include "app/values/BoundedArray.h"
#include "app/values/Conversions.h"
#include "app/values/Single.h"
#include "ui/WindowlessGrid.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <locale>

namespace {

const Variant E;
const double fails = std::nan("");

const auto cellText = [](const Variant &value) { return QString::fromStdString(plainText(value)); };

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

    void numberFromText()
    {
        // clang-format off
        const std::pair<const char *, double> rows[] = {
            {" 12 ", 12}, {"\t1 2\n", 12}, {"3.5kg", 3.5}, {".5", 0.5}, {"2D1", 20}, {"1,5", 1},
            {"1.2.3", 1.2}, {"&H1F", 31}, {"&O17", 15}, {"&o17", 15}, {"&h1f", 31}, {"7\r", 7},
            {"1E400", fails}, {"1D9999999999999999999999", fails}, {"0.0625", 0.0625}, {"1e-400", 0},
            {"-00012.50e-1", -1.25}, {"123456789012345678901", 123456789012345678901.0}};
        // clang-format on
        for (const auto &[text, expected] : rows) {
            if (std::isnan(expected))
                QVERIFY_THROWS_EXCEPTION(StatementFailed, ::numberFromText(text));
            else
                QVERIFY2(::numberFromText(text) == expected, text);
        }
    }

    // Places -1: the plain text; 4: also the rounded text of a cell. A cell
    // that keeps the number shows the same text.
    void texts()
    {
        // clang-format off
        const std::tuple<Variant, int, const char *> rows[] = {
            {Variant(1.0 / 3.0), -1, "0.333333333333333"}, {Variant(1.0f / 3.0f), -1, "0.3333333"},
            {E, -1, ""}, {Variant(-0.0), -1, "0"}, {Variant(1.5e-7f), -1, "1.5E-07"},
            {Variant(0.0001), -1, "0.0001"}, {Variant(0.00005), -1, "5E-05"},
            {Variant(-2), -1, "-2"}, {Variant(1e15), -1, "1E+15"}, {Variant(0.1 + 0.2), -1, "0.3"},
            {Variant(2.0 / 3.0), 4, "0.6667"}, {Variant(-1.0 / 3.0), 4, "-0.3333"},
            {Variant(0.000025), 4, "0"}, {Variant(1234.56789), 4, "1234.5679"},
            {Variant(1234.56789f), 4, "1234.568"}, {Variant(0.03125), 4, "0.0312"}, // a tie to even
            {Variant(100000), 4, "100000"}, {Variant(-2.5e300), 4, "-2.5E+300"},
            {Variant(3.4e38f), 4, "3.4E+38"}, {Variant(-0.00001), 4, "0"}, {Variant(-0.00001f), 4, "0"},
            {Variant(-5.0 / 256), 7, "-0.0195312"}};
        // clang-format on
        for (const auto &[value, places, expected] : rows) {
            QCOMPARE(places < 0 ? cellText(value) : cellText(roundTo(value, Variant(places))),
                     expected);
            if (places == 7)
                continue;
            if (places == 4)
                QCOMPARE(QString::fromStdString(roundedText(value)), expected);
            CellTable cell(1, 1);
            cell.setNumber(places < 0 ? plainNumber(value) : roundedNumber(value));
            QCOMPARE(QString::fromStdString(cell.text()), expected);
        }
    }

    // The kind of each result; Empty here means the statement fails and leaves
    // its target as it was.
    void arithmetic()
    {
        using K = Variant::Kind;
        // clang-format off
        const std::tuple<Variant, char, Variant, K> rows[] = {
            {Variant(32767), '+', Variant(1), K::Long}, {Variant(0.1f), '*', Variant(3), K::Single},
            {Variant(0.1f), '*', Variant(3.0), K::Double}, {Variant(1), '/', Variant(2), K::Double},
            {Variant(1), '/', Variant(0), K::Empty}, {Variant(0), '/', Variant(0), K::Empty},
            {Variant(DBL_MAX), '+', Variant(DBL_MAX), K::Empty},
            // beyond the single range
            {Variant(2e38f), '+', Variant(2e38f), K::Empty}, {Variant(-2e38f), '+', Variant(-2e38f), K::Empty},
            {Variant(2e38f), '*', Variant(2), K::Empty}, {Variant(2e38f), '/', Variant(0.5f), K::Empty}};
        // clang-format on
        for (const auto &[a, operation, b, kind] : rows) {
            Variant target(2.5);
            guarded([&] { target = operation == '+' ? a + b : operation == '*' ? a * b : a / b; });
            QCOMPARE(int(target.kind()), int(kind == K::Empty ? K::Double : kind));
            if (kind == K::Empty)
                QCOMPARE(target.toDouble(), 2.5);
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
        QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(1, 1) = Variant(1e39));
        QCOMPARE(cellText(Variant(matrix(1, 1))), "1.5");
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
