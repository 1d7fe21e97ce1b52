// PIVOT DIM: the labelled tableau layout and a size it refuses. PIVOT: the
// load of the basis inverse with its pauses, then the steps once an entering
// column is typed: "upd", "Minr", the pivot row by the minimum-ratio rule and
// its tie rule, the basis exchange, the "Total" row and the objective in Text1.

#include "TestWindow.h"

#include <QLineEdit>
#include <QtTest>

using Matrix = QList<QStringList>;

namespace {

// PIVOT DIM for as many rows as given, and the rows typed into columns 2..n+2
// (the basis B, then b).
void typeTableau(TestWindow &w, const Matrix &rows)
{
    w.prompts.add(QString::number(rows.size()));
    w.press("cmdpidim");
    w.typeMatrix(rows, 1, 2);
}

// Loads B = I and b, then types the entering column and its cost into
// column 1, the cells emptied by Backspace first.
void loadAndType(TestWindow &w, const QStringList &b, const QStringList &entering,
                 const QString &cost)
{
    Matrix rows; // [I | b]
    for (int r = 0; r < b.size(); ++r)
        rows << (QString(b.size(), '0').replace(r, 1, '1').split("", Qt::SkipEmptyParts) << b[r]);
    typeTableau(w, rows);
    w.press("cmdpivot");
    for (int r = 0; r <= entering.size(); ++r)
        w.typeInto(r + 1, 1, "\b" + (entering + QStringList(cost))[r]);
}

QString text1(const TestWindow &w)
{
    return w.find<QLineEdit>("Text1")->text();
}

} // namespace

class PivotTest : public QObject
{
    Q_OBJECT

  private slots:
    // After a layout for 4, whose label of column 5 has to go while cells
    // typed outside the smaller tableau's blocks stay; then a size too large
    // and a cancelled prompt change nothing but the current cell.
    void layoutForThree()
    {
        TestWindow w;
        w.prompts.add("4");
        w.press("cmdpidim");
        w.typeInto(4, 1, "9"); // the "Cost" cell of the smaller tableau
        w.typeInto(1, 7, "8"); // its "Minr" cell
        w.prompts.add("3");
        w.press("cmdpidim");
        for (std::optional<QString> refused : {std::optional<QString>("254"), {}}) {
            w.prompts.add(refused);
            w.press("cmdpidim");
            QCOMPARE(w.prompts.last, "Select Dimention|Quelvar");
        }
        const QStringList body = {"1|||||", "2|||||", "3|||||"};
        QCOMPARE(w.grids(), QStringList({"5x8", "|0|1|2|3||upd|Minr", "1|||||||8", "2|||||||",
                                         "3|||||||", "Cost|9||||||", "5x6", "|0|1|2|3|"}) +
                                body + QStringList({"Total|||||", "4x6", "|0|1|2|3|"}) + body);
        // Every header and label is centred.
        for (const char *grid : {"msfmain0", "msfmain", "msfunit"}) {
            const int labels = grid == QString("msfunit") ? 3 : 4; // "Cost", "Total"
            QCOMPARE(w.rows(grid, 1, labels, 0, 0, true), QStringList(labels, "C"));
            QCOMPARE(w.rows(grid, 0, 0, 1, 4, true), QStringList("CCCC"));
        }
        QCOMPARE(w.rows("msfmain0", 0, 0, 6, 7, true), QStringList("CC"));
        QCOMPARE(w.focus(), "msfmain0 (1, 2)");
    }

    void load_data()
    {
        QTest::addColumn<Matrix>("rows");
        QTest::addColumn<int>("pause"); // 0: none
        QTest::addColumn<QStringList>("atPause");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<int>("pauses");
        const QStringList centred(4, "CCC"), left(4, "LLL");
        const Matrix example = {{"2", "1", "3"}, {"1", "1", "2"}};
        const QStringList exampleLoaded = QStringList{"1|-1|1", "-1|2|1", "2|1|1", "1|1|1"} + left;
        // A pause before each pivot, each normalised cell, each other row and
        // each cleared cell, and one at each end.
        QTest::newRow("first display")
            << example << 1 << QStringList{"2|1|3", "1|1|2", "1|0|3", "0|1|2"} + centred
            << exampleLoaded << "2" << 2 + 2 * (1 + 3 + 1 + 3);
        // Pause 10 is the one before the second pivot is taken.
        QTest::newRow("first pivot row")
            << example << 10
            << QStringList{"1|0.5|1.5", "0|0.5|0.5", "0.5|0|1.5", "-0.5|1|0.5"} + left
            << exampleLoaded << "2" << 18;
        // No row is cleared: only the pauses before each pivot, each
        // normalised cell and each other row remain.
        QTest::newRow("zero diagonal")
            << Matrix{{"0", "1", "1"}, {"1", "0", "2"}} << 0 << QStringList()
            << QStringList{"1|0|1", "0|1|2", "0|1|1", "1|0|2"} + left << "3" << 2 + 2 * (1 + 3 + 1);
        // The inverse and the sum in single precision, unrounded.
        QTest::newRow("thirds") << Matrix{{"3", "0", "1"}, {"0", "3", "0"}} << 0 << QStringList()
                                << QStringList{"0.3333333|0|0.3333333", "0|0.3333333|0",
                                               "3|0|0.3333", "0|3|0"} +
                                       left
                                << "0.3333333" << 12;
    }

    void load()
    {
        QFETCH(Matrix, rows);
        QFETCH(int, pause);
        QFETCH(QStringList, atPause);
        QFETCH(QStringList, loaded);
        QFETCH(QString, sum);
        QFETCH(int, pauses);
        TestWindow w;
        typeTableau(w, rows);
        w.typeInto(1, 1, "5"); // column 1 before the first load: it still loads
        const auto tableau = [&] {
            return w.rows("msfmain", 1, 2, 2, 4) + w.rows("msfunit", 1, 2, 2, 4) +
                   w.rows("msfmain", 1, 2, 2, 4, true) + w.rows("msfunit", 1, 2, 2, 4, true);
        };
        QStringList seen;
        w.atPause(pause, [&] { seen = tableau(); });
        w.press("cmdpivot");
        QCOMPARE(seen, atPause);
        QCOMPARE(tableau(), loaded);
        QCOMPARE(text1(w), sum);
        QCOMPARE(w.services().pauseCount(), pauses);
        QCOMPARE(w.focus(), "msfmain0 (1, 1)");
        // Typing into another column after the load: the next press loads again.
        w.typeInto(1, 2, "\b" + rows[0][0]);
        w.press("cmdpivot");
        QCOMPARE(tableau(), loaded);
        QCOMPARE(w.services().pauseCount(), 2 * pauses);
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
        QCOMPARE(w.rows("msfmain0", 1, n, n + 3, n + 4), updMinr.split(' '));
        QCOMPARE(w.rows("msfmain0", 1, n, n + 3, n + 4, true), QStringList(n, "CC"));
        QCOMPARE(w.rows("msfmain", 1, n, 1, 1), column1.split(' '));
        QCOMPARE(w.rows("msfmain", 0, 0, 1, n), QStringList(QString("0|1|2").left(2 * n - 1)));
    }

    void exchangeWithCostZero_data()
    {
        QTest::addColumn<bool>("nested");
        QTest::newRow("one press") << false;
        // A press inside the pause between the ratio test and the exchange
        // does a whole step; the interrupted one then exchanges on row 2
        // again, which leaves the result of one step.
        QTest::newRow("a press inside its pause") << true;
    }

    // The entering variable becomes basic in row 2.
    void exchangeWithCostZero()
    {
        QFETCH(bool, nested);
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "0");
        if (nested)
            w.atPause(1, [&] { w.press("cmdpivot"); });
        w.press("cmdpivot");
        // The load's 12 pauses, then 2 for each step.
        QCOMPARE(w.services().pauseCount(), nested ? 12 + 2 + 2 : 12 + 2);
        QCOMPARE(w.rows("msfmain", 1, 3, 1, 4),
                 QStringList({"0|1|-0.5|1", "1|0|0.5|3", "|1|-0.5|1"}));
        QCOMPARE(w.rows("msfmain", 1, 3, 2, 4, true), QStringList(3, "LLL"));
        QCOMPARE(text1(w), "1");
        // msfunit: the entering column in column 3, B's first column kept, and
        // cost times basic value in column 4.
        QCOMPARE(w.rows("msfunit", 1, 2, 2, 4), QStringList({"1|1|1", "0|2|0"}));
        QCOMPARE(w.focus(), "msfmain0 (1, 1)");
    }

    // Minimise xA + xB + 2 xC + 2 xD subject to xA + xC + 2 xD = 4 and
    // xB + 2 xC + xD = 6, x >= 0, from the basis (xA, xB). The optimum is 20/3
    // at xC = 8/3, xD = 2/3.
    void textbookProblemInTwoSteps()
    {
        TestWindow w;
        loadAndType(w, {"4", "6"}, {"1", "2"}, "2");
        QCOMPARE(text1(w), "10");
        // xC enters; xB leaves (ratios 4 and 3).
        w.press("cmdpivot");
        QCOMPARE(w.rows("msfmain0", 1, 2, 6, 6), QStringList({"4", "3"}));
        QCOMPARE(w.rows("msfmain", 3, 3, 2, 4), QStringList("1|0.5|7"));
        QCOMPARE(text1(w), "7");
        // xD enters; xA leaves.
        for (int r = 1; r <= 3; ++r)
            w.typeInto(r, 1, QString("\b") + "212"[r - 1]);
        w.press("cmdpivot");
        QCOMPARE(w.rows("msfmain0", 1, 2, 6, 6), QStringList({"0.6666667", "6"}));
        QCOMPARE(w.rows("msfmain", 1, 2, 4, 4),
                 QStringList({"0.666666666666667", "2.66666666666667"}));
        QCOMPARE(text1(w), "6.6667");
    }

    // The objective is summed in single precision: the second 2E+38 would
    // overflow it, so that addition fails and the sum keeps the first.
    void objectiveBeyondSingleRange()
    {
        TestWindow w;
        typeTableau(w, {{"1", "0", "2E38"}, {"0", "1", "2E38"}});
        w.press("cmdpivot");
        QCOMPARE(text1(w), QStringLiteral("2E+38"));
    }
};

QTEST_MAIN(PivotTest)
#include "tst_pivot.moc"
