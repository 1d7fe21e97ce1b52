// PIVOT once an entering column is typed: the updated column under "upd", the
// ratios under "Minr", the pivot row by the minimum-ratio rule and its tie
// rule, the basis exchange, the "Total" row and the objective in Text1.

#include "PivotTableau.h"
#include "support/TestWindow.h"

#include <QLineEdit>
#include <QtTest>

namespace {

// The tableau loaded with B = I and b, then the entering column and its cost.
void loadAndType(TestWindow &w, const QStringList &b, const QStringList &entering,
                 const QString &cost)
{
    loadTableau(w, unitBasis(b));
    typeEntering(w, entering, cost);
}

} // namespace

class PivotStepTest : public QObject
{
    Q_OBJECT

  private slots:
    void ratioTest_data()
    {
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("entering");
        QTest::addColumn<QString>("upd");
        QTest::addColumn<QString>("minr");
        QTest::addColumn<int>("pivotRow");
        // clang-format off
        QTest::newRow("three tied: second smallest entry") << "6 2 4" << "3 1 2" << "3 1 2" << "2 2 2" << 3;
        QTest::newRow("two tied: larger entry") << "2 4 9" << "1 2 3" << "1 2 3" << "2 2 3" << 2;
        QTest::newRow("two tied, equal entries: higher row") << "5 5" << "1 1" << "1 1" << "5 5" << 2;
        QTest::newRow("zero ratio") << "0 6" << "1 2" << "1 2" << "0 3" << 1;
        QTest::newRow("entry rounds to 0: no ratio") << "4 6" << "0.00000004 1" << "0 1" << "0 6" << 2;
        QTest::newRow("entry rounds up to 1E-07") << "4 6" << "0.00000006 1" << "1E-07 1" << "4E+07 6" << 2;
        QTest::newRow("ratio beyond single range") << "1E35 6" << "0.0001 2" << "0.0001 2" << "1E+39 3" << 2;
        QTest::newRow("ratio beyond double range: none") << "1E305 6" << "0.0000001 2" << "1E-07 2" << "0 3" << 2;
        // clang-format on
    }

    void ratioTest()
    {
        QFETCH(QString, b);
        QFETCH(QString, entering);
        QFETCH(QString, upd);
        QFETCH(QString, minr);
        QFETCH(int, pivotRow);
        const int n = int(b.split(' ').size());
        TestWindow w;
        loadAndType(w, b.split(' '), entering.split(' '), "1");
        // The pause between the ratio test and the exchange shows the updated
        // column stored in the tableau.
        QStringList stored;
        w.atPause(1, [&] { stored = columnTexts(w, "msfmain", 1, 1, n); });
        const qint64 pausesBefore = w.pauseCount();
        w.press("cmdpivot");
        QCOMPARE(w.pauseCount() - pausesBefore, qint64(2));
        QCOMPARE(stored, upd.split(' '));
        QCOMPARE(columnTexts(w, "msfmain0", n + 3, 1, n), upd.split(' '));
        QCOMPARE(columnTexts(w, "msfmain0", n + 4, 1, n), minr.split(' '));
        QCOMPARE(gridAlignments(w, "msfmain0", n, n + 3, n + 4), QStringList(n, "CC"));
        // Column 1 turned the pivot row into a unit row.
        QStringList unit(n, "0");
        unit[pivotRow - 1] = "1";
        QCOMPARE(columnTexts(w, "msfmain", 1, 1, n), unit);
    }

    // The exchange, then a second press without typing: the same column on
    // the new basis, where row 1's entry is now 0.
    void exchangeWithCostZeroThenAgain()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
        w.press("cmdpivot");
        QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
        QCOMPARE(gridAlignments(w, "msfmain", 2, 1, 4), QStringList(2, "LLLL"));
        QCOMPARE(w.rowTexts("msfmain", 3, 1, 4), QStringList({"", "1", "-0.5", "1"}));
        QCOMPARE(w.cellAlignment("msfmain", 3, 4), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(w.text1()->text(), QStringLiteral("1"));
        // msfunit: the entering column in column 3, B's first column kept, and
        // cost times basic value in column 4.
        QCOMPARE(gridRows(w, "msfunit", 2, 2, 4), QStringList({"1|1|1", "0|2|0"}));
        QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));

        w.press("cmdpivot");
        QCOMPARE(columnTexts(w, "msfmain0", 5, 1, 2), QStringList({"0", "1"}));
        QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0", "3"}));
        QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("1"));
    }

    // No row is pivoted and no header is overwritten.
    void noRatioKeepsHeaders()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"-1", "0"}, "3");
        w.press("cmdpivot");
        QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0", "0"}));
        for (const QString grid : {"msfmain0", "msfmain", "msfunit"})
            QCOMPARE(w.rowTexts(grid, 0, 0, 4), QStringList({"", "0", "1", "2", ""}));
        QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"-1|1|0|4", "0|0|1|6"}));
        QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "1", "10"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("10"));
    }

    // Minimise xA + xB + 2 xC + 2 xD subject to xA + xC + 2 xD = 4 and
    // xB + 2 xC + xD = 6, x >= 0, from the basis (xA, xB). The optimum is 20/3
    // at xC = 8/3, xD = 2/3.
    void textbookProblemInTwoSteps()
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
        // xD enters; xA leaves.
        typeEntering(w, {"2", "1"}, "2");
        w.press("cmdpivot");
        QCOMPARE(columnTexts(w, "msfmain0", 6, 1, 2), QStringList({"0.6666667", "6"}));
        QCOMPARE(columnTexts(w, "msfmain", 4, 1, 2),
                 QStringList({"0.666666666666667", "2.66666666666667"}));
        QCOMPARE(w.rowTexts("msfmain", 3, 2, 4),
                 QStringList({"0.666666666666667", "0.666666666666667", "6.66666666666667"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("6.6667"));
    }

    // A press inside the pause between the ratio test and the exchange does
    // a whole step; the interrupted one then exchanges on row 2 again, which
    // leaves the result of one step.
    void pressInsideThePause()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
        w.atPause(1, [&] { w.press("cmdpivot"); });
        w.press("cmdpivot");
        // The load's 12 pauses, then 2 for each of the two steps.
        QCOMPARE(w.pauseCount(), qint64(12 + 2 + 2));
        QCOMPARE(gridRows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
        QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "-0.5", "1"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(PivotStepTest)
#include "tst_pivotstep.moc"
