// SOLVE: what the working grid and the unit side show while a system is
// eliminated and when it is done, the pauses of a run, and where the focus
// and current cell end up.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QtTest>

using Matrix = QList<QStringList>;

namespace {

// A = (2 1; 4 3), b = (3; 7), x = (1; 1).
const Matrix Example = {{"2", "1", "3"}, {"4", "3", "7"}};
const QStringList ExampleSolved = {"1|0|1", "0|1|1", "1.5|-0.5|1", "-2|1|1"};

// The rows of the working grid, then those of the unit side.
QStringList solvedRows(const TestWindow &w, int n)
{
    return systemRows(w, "msfmain", n) + systemRows(w, "msfunit", n);
}

QStringList alignments(const TestWindow &w, int n)
{
    return systemAlignments(w, "msfmain", n) + systemAlignments(w, "msfunit", n);
}

// Both grids, every cell aligned alike.
QStringList aligned(char letter, int n)
{
    return QStringList(2 * n, QString(n + 1, QLatin1Char(letter)));
}

void checkInputReady(TestWindow &w)
{
    QVERIFY(w.grid("msfmain0")->hasFocus());
    QCOMPARE(currentCell(w.grid("msfmain0")), qMakePair(1, 1));
}

} // namespace

class SolveTest : public QObject
{
    Q_OBJECT

  private slots:
    // Right after start-up: the grids before the first pivot, after the first
    // pivot pass (pause 10 opens the second) and at the end.
    void firstDisplayAndFirstPivotPass()
    {
        TestWindow w;
        w.typeMatrix(Example);
        QStringList first, pass;
        w.atPause(1, [&] { first = solvedRows(w, 2) + alignments(w, 2); });
        w.atPause(10, [&] { pass = solvedRows(w, 2) + alignments(w, 2); });
        w.pressAccelerator('S');
        QCOMPARE(first, QStringList({"2|1|3", "4|3|7", "1|0|3", "0|1|7"}) + aligned('C', 2));
        QCOMPARE(pass,
                 QStringList({"1|0.5|1.5", "0|1|1", "0.5|0|1.5", "-2|1|1"}) + aligned('L', 2));
        QCOMPARE(solvedRows(w, 2), ExampleSolved);
        QCOMPARE(alignments(w, 2), aligned('L', 2));
        QCOMPARE(w.pauseCount(), qint64(18));
        QCOMPARE(systemRows(w, "msfmain0", 2), QStringList({"2|1|3", "4|3|7"}));
        QCOMPARE(w.text1()->text(), QString());
        checkInputReady(w);
    }

    void finalGrids_data()
    {
        QTest::addColumn<Matrix>("system");
        QTest::addColumn<QStringList>("solved");
        QTest::addColumn<int>("pauses");
        // Every pivot is 0: nothing is reduced, no message.
        QTest::newRow("zero pivots") << Matrix{{"0", "1", "1"}, {"1", "0", "2"}}
                                     << QStringList{"0|1|1", "1|0|2", "1|0|1", "0|1|2"} << 12;
        QTest::newRow("singular") << Matrix{{"1", "2", "1"}, {"2", "4", "2"}}
                                  << QStringList{"1|2|1", "0|0|0", "1|0|1", "-2|1|0"} << 15;
        QTest::newRow("a third") << Matrix{{"3", "0", "1"}, {"0", "1", "1"}}
                                 << QStringList{"1|0|0.3333", "0|1|1", "0.3333|0|0.3333", "0|1|1"}
                                 << 12;
        // 1/3 reads as 1, a word as 0, 3kg as 3, an empty cell as 0.
        QTest::newRow("lenient cells") << Matrix{{"1/3", "word", "3kg"}, {"", "2", "4"}}
                                       << QStringList{"1|0|3", "0|1|2", "1|0|3", "0|0.5|2"} << 12;
        // 1 / 1E-40 does not fit a single: the unit side keeps its values.
        QTest::newRow("single range") << Matrix{{"1E-40", "1", "1"}, {"0", "1", "1"}}
                                      << QStringList{"1|0|0", "0|1|1", "1|0|1", "0|1|1"} << 15;
        // 1E300 / 1E-300 does not fit a double: the element keeps 1E300.
        QTest::newRow("double range") << Matrix{{"1E-300", "1E300", "0"}, {"0", "0", "1"}}
                                      << QStringList{"1|1E+300|0", "0|0|1", "1|0|0", "0|1|1"} << 12;
        // A = (2 1 -1; -3 -1 2; -2 1 2) has the inverse (4 3 -1; -2 -2 1; 5 4 -1).
        QTest::newRow("3 x 3")
            << Matrix{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}}
            << QStringList{"1|0|0|2", "0|1|0|3", "0|0|1|-1", "4|3|-1|2", "-2|-2|1|3", "5|4|-1|-1"}
            << 47;
    }

    void finalGrids()
    {
        QFETCH(Matrix, system);
        QFETCH(QStringList, solved);
        QFETCH(int, pauses);
        const int n = int(system.size());
        TestWindow w;
        if (n != 2)
            dimension(w, n);
        w.typeMatrix(system);
        const qint64 before = w.pauseCount();
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, n), solved);
        QCOMPARE(alignments(w, n), aligned('L', n));
        QCOMPARE(w.pauseCount() - before, qint64(pauses));
        checkInputReady(w);
    }

    // A = (2 0; 0 3): row 2 has the factor 0 in the first pass and keeps its
    // first display until its own pass, which pause 7 opens.
    void rowWithZeroFactorIsLeftAlone()
    {
        TestWindow w;
        w.typeMatrix({{"2", "0", "4"}, {"0", "3", "9"}});
        QStringList row2;
        w.atPause(7, [&] {
            row2 << w.rowTexts("msfmain", 2, 1, 3).join('|')
                 << w.rowTexts("msfunit", 2, 1, 3).join('|')
                 << alignmentLetters(w, "msfmain", 2, 2) + alignmentLetters(w, "msfunit", 2, 2);
        });
        w.press("cmdrun");
        QCOMPARE(row2, QStringList({"0|3|9", "0|1|9", "CCCCCC"}));
        QCOMPARE(solvedRows(w, 2), QStringList({"1|0|2", "0|1|3", "0.5|0|2", "0|0.3333|3"}));
        QCOMPARE(w.pauseCount(), qint64(12));
    }

    // A cell beyond the double range cannot be read: its element keeps what
    // it held, empty after start-up, else the number the last run read there.
    void unreadableCellKeepsTheValueReadBefore()
    {
        TestWindow w;
        const Matrix tooLarge = {{"1E400", "0", "1"}, {"0", "1", "1"}};
        w.typeMatrix(tooLarge);
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, 2), QStringList({"|0|1", "0|1|1", "1|0|1", "0|1|1"}));
        w.press("cmdclr");
        w.typeMatrix({{"5", "0", "1"}, {"0", "1", "1"}});
        w.press("cmdrun");
        w.press("cmdclr");
        w.typeMatrix(tooLarge);
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, 2), QStringList({"1|0|0.2", "0|1|1", "0.2|0|0.2", "0|1|1"}));
    }

    void solvingTwiceGivesTheSameGrids()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.press("cmdrun");
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, 2), ExampleSolved);
        QCOMPARE(alignments(w, 2), aligned('L', 2));
        QCOMPARE(w.pauseCount(), qint64(36));
    }

    // After PIVOT DIM SOLVE solves the system typed into columns 1..3 of the
    // tableau and leaves the tableau's labels where they are.
    void solvesOnTheTableauLayout()
    {
        TestWindow w;
        w.answerNextPrompt("2");
        w.press("cmdpidim");
        QVERIFY(windowActiveAgain(w));
        w.typeMatrix(Example);
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, 2), ExampleSolved);
        QCOMPARE(w.pauseCount(), qint64(18));
        QCOMPARE(w.rowTexts("msfmain", 0, 1, 3), QStringList({"0", "1", "2"}));
        QCOMPARE(w.cellText("msfmain", 3, 0), QStringLiteral("Total"));
        QCOMPARE(w.cellText("msfmain0", 3, 0), QStringLiteral("Cost"));
    }

  private:
    static void dimension(TestWindow &w, int n)
    {
        w.answerNextPrompt(QString::number(n));
        w.press("cmddim");
        QVERIFY(windowActiveAgain(w));
    }
};

QTEST_MAIN(SolveTest)
#include "tst_solve.moc"
