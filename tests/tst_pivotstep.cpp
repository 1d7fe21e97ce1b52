// PIVOT once an entering column is typed: the updated column under "upd",
// the ratios under "Minr", the pivot row by the minimum-ratio rule and its
// tie rule, the basis exchange, the "Total" row and the objective in Text1.

#include "PivotTableau.h"
#include "support/TestWindow.h"

#include "app/Form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {

// The tableau loaded with B = I and the given b, then the entering column and
// its cost typed.
void loadAndType(TestWindow &w, const QStringList &b, const QStringList &entering,
                 const QString &cost)
{
    loadTableau(w, unitBasis(b));
    typeEntering(w, entering, cost);
}

// Column 1 of msfmain after an exchange: 1 in the pivot row, 0 elsewhere.
QStringList unitColumn(int n, int pivotRow)
{
    QStringList column(n, "0");
    if (pivotRow > 0)
        column[pivotRow - 1] = "1";
    return column;
}

} // namespace

class PivotStepTest : public QObject
{
    Q_OBJECT

  private slots:
    void ratioTest_data();
    void ratioTest();
    void exchangeWithCostZero();
    void rowWithZeroMultiplierKeepsItsValues();
    void noRatioKeepsHeaders();
    void secondPressWithoutTyping();
    void textbookProblemInTwoSteps();
    void pivotDimKeepsTheIterationPath();
    void pressInsideThePause();
    void tableauResizedInsideThePause();
    void tableauTooLargeForByteCounters();
};

void PivotStepTest::ratioTest_data()
{
    QTest::addColumn<QStringList>("b");
    QTest::addColumn<QStringList>("entering");
    QTest::addColumn<QStringList>("upd");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QStringList>("minr");
    QTest::addColumn<int>("pivotRow");

    QTest::newRow("smallest ratio")
        << QStringList{"4", "6"} << QStringList{"1", "2"} << QStringList{"1", "2"}
        << QStringList{"4", "6"} << QStringList{"4", "3"} << 2;
    QTest::newRow("three tied: second smallest entry")
        << QStringList{"6", "2", "4"} << QStringList{"3", "1", "2"} << QStringList{"3", "1", "2"}
        << QStringList{"6", "2", "4"} << QStringList{"2", "2", "2"} << 3;
    QTest::newRow("two tied: larger entry")
        << QStringList{"2", "4", "9"} << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3"}
        << QStringList{"2", "4", "9"} << QStringList{"2", "2", "3"} << 2;
    QTest::newRow("two tied, equal entries: higher row")
        << QStringList{"5", "5"} << QStringList{"1", "1"} << QStringList{"1", "1"}
        << QStringList{"5", "5"} << QStringList{"5", "5"} << 2;
    QTest::newRow("zero ratio") << QStringList{"0", "6"} << QStringList{"1", "2"}
                                << QStringList{"1", "2"} << QStringList{"0", "6"}
                                << QStringList{"0", "3"} << 1;
    QTest::newRow("entry rounds to 0: no ratio")
        << QStringList{"4", "6"} << QStringList{"0.00000004", "1"} << QStringList{"0", "1"}
        << QStringList{"4", "6"} << QStringList{"0", "6"} << 2;
    QTest::newRow("entry rounds up to 1E-07")
        << QStringList{"4", "6"} << QStringList{"0.00000006", "1"} << QStringList{"1E-07", "1"}
        << QStringList{"4", "6"} << QStringList{"4E+07", "6"} << 2;
    QTest::newRow("slightly negative rhs counts as 0")
        << QStringList{"-0.0000001", "6"} << QStringList{"1", "2"} << QStringList{"1", "2"}
        << QStringList{"0", "6"} << QStringList{"0", "3"} << 1;
    QTest::newRow("negative entry: no ratio")
        << QStringList{"1", "6"} << QStringList{"-1", "2"} << QStringList{"-1", "2"}
        << QStringList{"1", "6"} << QStringList{"0", "3"} << 2;
    // 100 and 100.000001 are the same single-precision number.
    QTest::newRow("equal in single precision")
        << QStringList{"100", "100.000001"} << QStringList{"1", "1"} << QStringList{"1", "1"}
        << QStringList{"100", "100.000001"} << QStringList{"100", "100"} << 2;
    // A ratio beyond the single range takes part with its true value.
    QTest::newRow("ratio beyond single range")
        << QStringList{"1E35", "6"} << QStringList{"0.0001", "2"} << QStringList{"0.0001", "2"}
        << QStringList{"1E+35", "6"} << QStringList{"1E+39", "3"} << 2;
    QTest::newRow("ratio beyond double range: none")
        << QStringList{"1E305", "6"} << QStringList{"0.0000001", "2"} << QStringList{"1E-07", "2"}
        << QStringList{"1E+305", "6"} << QStringList{"0", "3"} << 2;
    QTest::newRow("only ratio beyond single range")
        << QStringList{"1E35", "6"} << QStringList{"0.0001", "0"} << QStringList{"0.0001", "0"}
        << QStringList{"1E+35", "6"} << QStringList{"1E+39", "0"} << 1;
}

void PivotStepTest::ratioTest()
{
    QFETCH(QStringList, b);
    QFETCH(QStringList, entering);
    QFETCH(QStringList, upd);
    QFETCH(QStringList, rhs);
    QFETCH(QStringList, minr);
    QFETCH(int, pivotRow);
    const int n = int(b.size());

    TestWindow w;
    loadAndType(w, b, entering, "1");

    // The pause that ends the ratio test shows the updated column and
    // right-hand side stored in the tableau.
    QStringList storedColumn, storedRhs;
    w.atPause(1, [&] {
        storedColumn = columnTexts(w, "msfmain", 1, 1, n);
        storedRhs = columnTexts(w, "msfmain", n + 2, 1, n);
    });
    const qint64 pausesBefore = w.pauseCount();
    w.press("cmdpivot");
    QCOMPARE(w.pauseCount() - pausesBefore, qint64(2));

    QCOMPARE(columnTexts(w, "msfmain0", n + 3, 1, n), upd);
    QCOMPARE(columnTexts(w, "msfmain0", n + 4, 1, n), minr);
    QCOMPARE(gridAlignments(w, "msfmain0", n, n + 3, n + 4), QStringList(n, "CC"));
    QCOMPARE(storedColumn, upd);
    QCOMPARE(storedRhs, rhs);

    // The pivot row is the one that column 1 turned into a unit row.
    QCOMPARE(columnTexts(w, "msfmain", 1, 1, n), unitColumn(n, pivotRow));
}

void PivotStepTest::exchangeWithCostZero()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
    w.press("cmdpivot");

    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
    QCOMPARE(gridAlignments(w, "msfmain", 2, 1, 4), QStringList({"LLLL", "LLLL"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 1, 4), QStringList({"", "1", "-0.5", "1"}));
    QCOMPARE(w.cellAlignment("msfmain", 3, 4), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(w.text1()->text(), QStringLiteral("1"));
    QCOMPARE(w.form().basicCost(2).value(), 0.0f);
    // msfunit: the entering column in column 3, B's first column kept, and
    // cost times basic value in column 4.
    QCOMPARE(gridRows(w, "msfunit", 2, 2, 4), QStringList({"1|1|1", "0|2|0"}));
    QCOMPARE(gridAlignments(w, "msfunit", 2, 3, 4), QStringList({"LL", "LL"}));
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));
}

void PivotStepTest::rowWithZeroMultiplierKeepsItsValues()
{
    TestWindow w;
    loadTableau(w, {{"3", "0", "1"}, {"0", "1", "1"}});
    QCOMPARE(w.cellText("msfmain", 1, 2), QStringLiteral("0.3333333"));
    typeEntering(w, {"0", "2"}, "5");
    w.press("cmdpivot");

    // Row 1 is not rewritten: its inverse entry keeps the single-precision
    // text of the load.
    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4),
             QStringList({"0|0.3333333|0|0.3333333", "1|0|0.5|0.5"}));
    // Single plus double sums to double: the "Total" of column 2 shows the
    // single-precision third with all its double digits.
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4),
             QStringList({"0.333333343267441", "2.5", "2.8333333"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("2.8333"));
    QCOMPARE(columnTexts(w, "msfunit", 4, 1, 2), QStringList({"0.3333", "2.5"}));
}

void PivotStepTest::noRatioKeepsHeaders()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"-1", "0"}, "3");
    w.press("cmdpivot");

    QCOMPARE(columnTexts(w, "msfmain0", 5, 1, 2), QStringList({"-1", "0"}));
    QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0", "0"}));
    // No row is pivoted and no header is overwritten.
    for (const QString grid : {"msfmain0", "msfmain", "msfunit"})
        QCOMPARE(w.rowTexts(grid, 0, 0, 4), QStringList({"", "0", "1", "2", ""}));
    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"-1|1|0|4", "0|0|1|6"}));
    QCOMPARE(w.form().basicCost(1).value(), 1.0f);
    QCOMPARE(w.form().basicCost(2).value(), 1.0f);
    // The entering column still shows on msfunit, in column 1.
    QCOMPARE(gridRows(w, "msfunit", 2, 1, 4), QStringList({"-1|1|0|4", "0|0|1|6"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "1", "10"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("10"));
}

void PivotStepTest::secondPressWithoutTyping()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
    w.press("cmdpivot");
    w.press("cmdpivot");

    // The same column on the new basis: row 1's entry is now 0.
    QCOMPARE(columnTexts(w, "msfmain0", 5, 1, 2), QStringList({"0", "1"}));
    QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0", "3"}));
    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("1"));
}

// Minimise xA + xB + 2 xC + 2 xD subject to
//     xA       + xC + 2 xD = 4
//          xB + 2 xC +  xD = 6,   all x >= 0.
// xA and xB form the starting basis, each with cost 1. The optimum is 20/3
// at xC = 8/3, xD = 2/3: the dual values (2/3, 2/3) are feasible and give
// 4 * 2/3 + 6 * 2/3 = 20/3.
void PivotStepTest::textbookProblemInTwoSteps()
{
    TestWindow w;
    loadTableau(w, unitBasis({"4", "6"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("10"));

    // xC enters; xB leaves (ratios 4 and 3).
    typeEntering(w, {"1", "2"}, "2");
    w.press("cmdpivot");
    QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"4", "3"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "0.5", "7"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("7"));

    // Reduced cost of xD: 2 - (2 * 1 + 1 * 0.5) < 0, so xD enters; xA leaves.
    typeEntering(w, {"2", "1"}, "2");
    w.press("cmdpivot");
    QCOMPARE(columnTexts(w, "msfmain0", 5, 1, 2), QStringList({"1.5", "0.5"}));
    QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0.6666667", "6"}));
    QCOMPARE(columnTexts(w, "msfmain", 4, 1, 2),
             QStringList({"0.666666666666667", "2.66666666666667"}));
    QCOMPARE(gridRows(w, "msfunit", 2, 2, 3), QStringList({"2|1", "1|2"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4),
             QStringList({"0.666666666666667", "0.666666666666667", "6.66666666666667"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("6.6667"));
}

void PivotStepTest::pivotDimKeepsTheIterationPath()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
    pivotDim(w, "2");
    QCOMPARE(w.form().editMark.toDouble(), 1.0);

    // The next press iterates on the fresh, empty arrays instead of loading
    // the basis typed now.
    w.typeMatrix(unitBasis({"4", "6"}), 1, 2);
    w.press("cmdpivot");
    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|||0", "0|||0"}));
    QCOMPARE(columnTexts(w, "msfmain0", 5, 1, 2), QStringList({"0", "0"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"0", "0", "0"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("0"));
}

void PivotStepTest::pressInsideThePause()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"1", "2"}, "0");

    // A press inside the pause between the ratio test and the exchange does
    // a whole step; the interrupted one then exchanges on row 2 again, which
    // leaves the result of one step.
    bool nestedRan = false;
    w.atPause(1, [&] {
        w.press("cmdpivot");
        nestedRan = true;
    });
    w.press("cmdpivot");
    QVERIFY(nestedRan);

    QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
    QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "-0.5", "1"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("1"));
}

void PivotStepTest::tableauResizedInsideThePause()
{
    TestWindow w;
    loadAndType(w, {"4", "6"}, {"1", "2"}, "0");

    // PIVOT DIM inside the pause: the exchange goes on over the new, empty
    // tableau of size 4 with the pivot row it chose.
    w.atPause(1, [&] { pivotDim(w, "4"); });
    w.press("cmdpivot");

    QCOMPARE(w.form().dimN, std::int16_t(4));
    QCOMPARE(w.rowTexts("msfmain", 0, 0, 6), QStringList({"", "0", "1", "2", "3", "4", ""}));
    QCOMPARE(w.rowTexts("msfmain", 5, 2, 6), QStringList(5, "0"));
    QCOMPARE(columnTexts(w, "msfunit", 3, 1, 4), QStringList(4, "0"));
    QCOMPARE(w.text1()->text(), QStringLiteral("0"));
}

void PivotStepTest::tableauTooLargeForByteCounters()
{
    // DIMENSION accepts sizes beyond what the pivot step counts in one byte.
    // Rows beyond 70 cannot be typed, so the unit basis and the entering
    // column of ones go into the cells directly.
    constexpr int n = 260;
    TestWindow w;
    w.answerNextPrompt(QString::number(n));
    w.press("cmddim");
    QCOMPARE(int(w.form().dimN), n);
    CellGrid &input = w.grid("msfmain0")->cells();
    for (int r = 1; r <= n; ++r) {
        input.setRow(r);
        input.setCol(r + 1);
        input.setText("1");
        input.setCol(1);
        input.setText("1");
    }
    w.press("cmdpivot");
    QCOMPARE(w.cellText("msfmain", n, n + 1), QStringLiteral("1"));
    QCOMPARE(w.cellText("msfmain", n, n), QStringLiteral("0"));

    // Every row ties with the ratio 0 (b lies beyond the arrays); the tie
    // count stops at 255 and the second tied row is taken.
    w.typeIntoCell(1, 1, "\b1");
    w.press("cmdpivot");
    QCOMPARE(w.cellText("msfmain", 2, 1), QStringLiteral("1"));
    QCOMPARE(w.cellText("msfmain", 1, 1), QStringLiteral("0"));
    QCOMPARE(w.cellText("msfmain", 1, 3), QStringLiteral("-1"));
    QCOMPARE(w.cellText("msfmain", n - 1, 1), QStringLiteral("0"));
}

QTEST_MAIN(PivotStepTest)
#include "tst_pivotstep.moc"
