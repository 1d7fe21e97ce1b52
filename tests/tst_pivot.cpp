// PIVOT DIM: the labelled tableau layout and the sizes it refuses. PIVOT: the
// load of the basis inverse with its pauses, then the steps once an entering
// column is typed: "upd", "Minr", the pivot row by the minimum-ratio rule and
// its tie rule, the basis exchange, the "Total" row and the objective in Text1.

#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {

// PIVOT DIM for as many rows as given, and the rows typed into columns 2..n+2
// (the basis B, then b).
void typeTableau(TestWindow &w, const QList<QStringList> &rows)
{
    w.answerNextPrompt(QString::number(rows.size()));
    w.press("cmdpidim");
    w.typeMatrix(rows, 1, 2);
}

// Loads B = I and b, then types the entering column and its cost into
// column 1, the cells emptied by Backspace first.
void loadAndType(TestWindow &w, const QStringList &b, const QStringList &entering,
                 const QString &cost)
{
    QList<QStringList> rows; // [I | b]
    for (int r = 0; r < b.size(); ++r)
        rows << (QString(b.size(), '0').replace(r, 1, '1').split("", Qt::SkipEmptyParts) << b[r]);
    typeTableau(w, rows);
    w.press("cmdpivot");
    for (int r = 0; r <= entering.size(); ++r)
        w.typeIntoCell(r + 1, 1, "\b" + (entering + QStringList(cost))[r]);
}

// Rows 1..n of a grid, columns c0..c1 joined by "|"; or their alignments as
// letters: C centred, L left, ? anything else.
QStringList rows(const TestWindow &w, const QString &grid, int n, int c0, int c1,
                 bool aligns = false)
{
    QStringList result;
    for (int row = 1; row <= n; ++row) {
        QStringList cells;
        for (int col = c0; col <= c1; ++col) {
            const Qt::Alignment a = w.cellAlignment(grid, row, col);
            cells << (aligns ? QString("?CL")[(a == Qt::AlignCenter) +
                                              2 * (a == (Qt::AlignLeft | Qt::AlignVCenter))]
                             : w.cellText(grid, row, col));
        }
        result << cells.join(aligns ? "" : "|");
    }
    return result;
}

// Every row of a grid, row 0 first.
QStringList gridTexts(const TestWindow &w, const QString &grid)
{
    const int lastCol = w.grid(grid)->model()->columnCount() - 1;
    return QStringList(w.rowTexts(grid, 0, 0, lastCol).join('|')) +
           rows(w, grid, w.grid(grid)->model()->rowCount() - 1, 0, lastCol);
}

// Rows 1..n, columns 2..n+2 of msfmain, then of msfunit; then their alignments.
QStringList tableau(const TestWindow &w, int n)
{
    return rows(w, "msfmain", n, 2, n + 2) + rows(w, "msfunit", n, 2, n + 2) +
           rows(w, "msfmain", n, 2, n + 2, true) + rows(w, "msfunit", n, 2, n + 2, true);
}

void checkFocusOnTableau(const TestWindow &w)
{
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    w.grid("msfmain0")->flush();
    QCOMPARE(w.grid("msfmain0")->currentIndex(), w.grid("msfmain0")->model()->index(1, 2));
}

} // namespace

class PivotTest : public QObject
{
    Q_OBJECT

  private slots:
    void layoutForThree()
    {
        TestWindow w;
        w.answerNextPrompt("3");
        w.press("cmdpidim");
        const QStringList body = {"1|||||", "2|||||", "3|||||"};
        QCOMPARE(gridTexts(w, "msfmain0"), QStringList({"|0|1|2|3||upd|Minr", "1|||||||",
                                                        "2|||||||", "3|||||||", "Cost|||||||"}));
        QCOMPARE(gridTexts(w, "msfmain"),
                 QStringList("|0|1|2|3|") + body + QStringList("Total|||||"));
        QCOMPARE(gridTexts(w, "msfunit"), QStringList("|0|1|2|3|") + body);
        // Every header and label is centred.
        for (const QString grid : {"msfmain0", "msfmain", "msfunit"}) {
            const int labels = grid == "msfunit" ? 3 : 4; // "Cost", "Total"
            QCOMPARE(rows(w, grid, labels, 0, 0, true), QStringList(labels, "C"));
            for (int col : {1, 2, 3, 4, grid == "msfmain0" ? 6 : 4, grid == "msfmain0" ? 7 : 4})
                QCOMPARE(w.cellAlignment(grid, 0, col), Qt::AlignCenter);
        }
        checkFocusOnTableau(w);
    }

    void refusedSizes_data()
    {
        QTest::addColumn<QString>("answer");
        for (const char *answer : {"0", "1.5", "", "three", "Cancel", "1E400", "254"})
            QTest::newRow(*answer ? answer : "empty") << QString(answer);
    }

    // The tableau and what was typed into it stay as they were.
    void refusedSizes()
    {
        QFETCH(QString, answer);
        TestWindow w;
        typeTableau(w, {{"7", "1", "2"}, {"", "3", "", "4"}, {}});
        w.clickCell("msfmain0", 3, 4);
        const QStringList before =
            gridTexts(w, "msfmain0") + gridTexts(w, "msfmain") + gridTexts(w, "msfunit");
        if (answer == "Cancel")
            w.cancelNextPrompt();
        else
            w.answerNextPrompt(answer);
        w.press("cmdpidim");
        QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
        QCOMPARE(gridTexts(w, "msfmain0") + gridTexts(w, "msfmain") + gridTexts(w, "msfunit"),
                 before);
        checkFocusOnTableau(w);
    }

    void loadsInverseStepByStep()
    {
        TestWindow w;
        typeTableau(w, {{"2", "1", "3"}, {"1", "1", "2"}});
        QStringList first, afterFirstRow;
        w.atPause(1, [&] { first = tableau(w, 2); });
        // Pause 10 is the one before the second pivot is taken.
        w.atPause(10, [&] { afterFirstRow = tableau(w, 2); });
        w.press("cmdpivot");
        QCOMPARE(first, QStringList({"2|1|3", "1|1|2", "1|0|3", "0|1|2"}) + QStringList(4, "CCC"));
        QCOMPARE(afterFirstRow, QStringList({"1|0.5|1.5", "0|0.5|0.5", "0.5|0|1.5", "-0.5|1|0.5"}) +
                                    QStringList(4, "LLL"));
        QCOMPARE(tableau(w, 2),
                 QStringList({"1|-1|1", "-1|2|1", "2|1|1", "1|1|1"}) + QStringList(4, "LLL"));
        QCOMPARE(w.text1()->text(), QStringLiteral("2"));
        // A pause before each pivot, each normalised cell, each other row and
        // each cleared cell, and one at each end.
        QCOMPARE(w.pauseCount(), qint64(2 + 2 * (1 + 3 + 1 + 3)));
    }

    // No row is cleared: only the pauses before each pivot, each normalised
    // cell and each other row remain.
    void zeroDiagonalEliminatesNothing()
    {
        TestWindow w;
        typeTableau(w, {{"0", "1", "1"}, {"1", "0", "2"}});
        w.press("cmdpivot");
        QCOMPARE(tableau(w, 2).mid(0, 4), QStringList({"1|0|1", "0|1|2", "0|1|1", "1|0|2"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("3"));
        QCOMPARE(w.pauseCount(), qint64(2 + 2 * (1 + 3 + 1)));
    }

    void ratioTest_data()
    {
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("entering");
        QTest::addColumn<QString>("updMinr");
        QTest::addColumn<QString>("column1");
        // clang-format off
        QTest::newRow("three tied: second smallest entry") << "6 2 4" << "3 1 2" << "3|2 1|2 2|2" << "0 0 1";
        QTest::newRow("two tied: larger entry") << "2 4 9" << "1 2 3" << "1|2 2|2 3|3" << "0 1 0";
        QTest::newRow("zero ratio") << "0 6" << "1 2" << "1|0 2|3" << "1 0";
        QTest::newRow("entry rounds to 0: no ratio") << "4 6" << "0.00000004 1" << "0|0 1|6" << "0 1";
        QTest::newRow("ratio beyond double range: none") << "1E305 6" << "0.0000001 2" << "1E-07|0 2|3" << "0 1";
        QTest::newRow("no ratio: no pivot row") << "4 6" << "-1 0" << "-1|0 0|0" << "-1 0";
        // clang-format on
    }

    // "upd" and "Minr", then column 1 of the tableau: a unit column in the
    // pivot row, or the updated column when no row has a ratio. The column
    // headers in row 0 stay either way.
    void ratioTest()
    {
        QFETCH(QString, b);
        QFETCH(QString, entering);
        QFETCH(QString, updMinr);
        QFETCH(QString, column1);
        const int n = int(b.split(' ').size());
        TestWindow w;
        loadAndType(w, b.split(' '), entering.split(' '), "1");
        w.press("cmdpivot");
        QCOMPARE(rows(w, "msfmain0", n, n + 3, n + 4), updMinr.split(' '));
        QCOMPARE(rows(w, "msfmain0", n, n + 3, n + 4, true), QStringList(n, "CC"));
        QCOMPARE(rows(w, "msfmain", n, 1, 1), column1.split(' '));
        QCOMPARE(w.rowTexts("msfmain", 0, 1, n), QString("0 1 2").split(' ').mid(0, n));
    }

    // The exchange with cost 0: the entering variable is basic in row 2.
    void exchangeWithCostZero()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
        w.press("cmdpivot");
        QCOMPARE(rows(w, "msfmain", 3, 1, 4),
                 QStringList({"0|1|-0.5|1", "1|0|0.5|3", "|1|-0.5|1"}));
        QCOMPARE(rows(w, "msfmain", 3, 2, 4, true), QStringList(3, "LLL"));
        QCOMPARE(w.text1()->text(), QStringLiteral("1"));
        // msfunit: the entering column in column 3, B's first column kept, and
        // cost times basic value in column 4.
        QCOMPARE(rows(w, "msfunit", 2, 2, 4), QStringList({"1|1|1", "0|2|0"}));
    }

    // Minimise xA + xB + 2 xC + 2 xD subject to xA + xC + 2 xD = 4 and
    // xB + 2 xC + xD = 6, x >= 0, from the basis (xA, xB). The optimum is 20/3
    // at xC = 8/3, xD = 2/3.
    void textbookProblemInTwoSteps()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "2");
        QCOMPARE(w.text1()->text(), QStringLiteral("10"));
        // xC enters; xB leaves (ratios 4 and 3).
        w.press("cmdpivot");
        QCOMPARE(rows(w, "msfmain0", 2, 6, 6), QStringList({"4", "3"}));
        QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "0.5", "7"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("7"));
        // xD enters; xA leaves.
        for (int r = 1; r <= 3; ++r)
            w.typeIntoCell(r, 1, QString("\b") + "212"[r - 1]);
        w.press("cmdpivot");
        QCOMPARE(rows(w, "msfmain0", 2, 6, 6), QStringList({"0.6666667", "6"}));
        QCOMPARE(rows(w, "msfmain", 2, 4, 4),
                 QStringList({"0.666666666666667", "2.66666666666667"}));
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
        QCOMPARE(rows(w, "msfmain", 2, 1, 4), QStringList({"0|1|-0.5|1", "1|0|0.5|3"}));
        QCOMPARE(w.rowTexts("msfmain", 3, 2, 4), QStringList({"1", "-0.5", "1"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("1"));
    }

    // The objective is summed in single precision: the second 2E+38 would
    // overflow it, so that addition fails and the sum keeps the first.
    void objectiveBeyondSingleRange()
    {
        TestWindow w;
        typeTableau(w, {{"1", "0", "2E38"}, {"0", "1", "2E38"}});
        w.press("cmdpivot");
        QCOMPARE(w.text1()->text(), QStringLiteral("2E+38"));
    }
};

QTEST_MAIN(PivotTest)
#include "tst_pivot.moc"
