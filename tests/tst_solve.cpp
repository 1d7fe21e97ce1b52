// SOLVE: what the working grid and the unit side show while a system is
// eliminated and when it is done, the pauses of a run, commands run inside
// one of its pauses, and a window closed in the middle of a run.

#include "SystemGrids.h"

#include "ui/QtWindowServices.h"

#include <QtTest>

using Matrix = QList<QStringList>;

namespace {

// A = (2 1; 4 3), b = (3; 7), x = (1; 1).
const Matrix Example = {{"2", "1", "3"}, {"4", "3", "7"}};
const QStringList ExampleSolved = {"1|0|1", "0|1|1", "1.5|-0.5|1", "-2|1|1"};

// The rows of the working grid, then those of the unit side; or their alignments.
QStringList solvedRows(const TestWindow &w, int n, bool alignments = false)
{
    return systemRows(w, "msfmain", n, alignments) + systemRows(w, "msfunit", n, alignments);
}

QStringList allRows(const TestWindow &w, int n)
{
    return systemRows(w, "msfmain0", n) + solvedRows(w, n);
}

} // namespace

class SolveTest : public QObject
{
    Q_OBJECT

  private slots:
    // The grids before the first pivot, after the first pivot pass (pause 10
    // opens the second) and at the end.
    void firstDisplayAndFirstPivotPass()
    {
        TestWindow w;
        w.typeMatrix(Example);
        QStringList first, pass;
        const QStringList centred(4, "CCC"), left(4, "LLL");
        w.atPause(1, [&] { first = solvedRows(w, 2) + solvedRows(w, 2, true); });
        w.atPause(10, [&] { pass = solvedRows(w, 2) + solvedRows(w, 2, true); });
        w.pressAccelerator('S');
        QCOMPARE(first, QStringList({"2|1|3", "4|3|7", "1|0|3", "0|1|7"}) + centred);
        QCOMPARE(pass, QStringList({"1|0.5|1.5", "0|1|1", "0.5|0|1.5", "-2|1|1"}) + left);
        QCOMPARE(allRows(w, 2), QStringList({"2|1|3", "4|3|7"}) + ExampleSolved);
        QCOMPARE(w.pauseCount(), qint64(18));
        QVERIFY(w.grid("msfmain0")->hasFocus());
        QCOMPARE(currentCell(w.grid("msfmain0")), qMakePair(1, 1));
        // A second run gives the same grids.
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, 2) + solvedRows(w, 2, true), ExampleSolved + left);
        QCOMPARE(w.pauseCount(), qint64(36));
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
        // 1/3 reads as 1, a word as 0, 3kg as 3, an empty cell as 0.
        QTest::newRow("lenient cells") << Matrix{{"1/3", "word", "3kg"}, {"", "2", "4"}}
                                       << QStringList{"1|0|3", "0|1|2", "1|0|3", "0|0.5|2"} << 12;
        // 1 / 1E-40 does not fit a single: the unit side keeps its values.
        QTest::newRow("single range") << Matrix{{"1E-40", "1", "1"}, {"0", "1", "1"}}
                                      << QStringList{"1|0|0", "0|1|1", "1|0|1", "0|1|1"} << 15;
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
        w.answerNextPrompt(QString::number(n));
        w.press("cmddim");
        QVERIFY(QTest::qWaitForWindowActive(&w.window()));
        w.typeMatrix(system);
        const qint64 before = w.pauseCount();
        w.press("cmdrun");
        QCOMPARE(solvedRows(w, n) + solvedRows(w, n, true),
                 solved + QStringList(2 * n, QString(n + 1, 'L')));
        QCOMPARE(w.pauseCount() - before, qint64(pauses));
    }

    // A = (2 0; 0 3): row 2 has the factor 0 in the first pass and keeps its
    // first display until its own pass, which pause 7 opens.
    void rowWithZeroFactorIsLeftAlone()
    {
        TestWindow w;
        w.typeMatrix({{"2", "0", "4"}, {"0", "3", "9"}});
        QStringList atPause;
        w.atPause(7, [&] { atPause = solvedRows(w, 2) + solvedRows(w, 2, true); });
        w.press("cmdrun");
        QCOMPARE(atPause,
                 QStringList({"1|0|2", "0|3|9", "0.5|0|2", "0|1|9", "LLL", "CCC", "LLL", "CCC"}));
        QCOMPARE(solvedRows(w, 2), QStringList({"1|0|2", "0|1|3", "0.5|0|2", "0|0.3333|3"}));
        QCOMPARE(w.pauseCount(), qint64(12));
    }

    // CLEAR in a pause leaves ii past the last row: the second pass finds its
    // pivot row gone and only rewrites the rows it still has. DIMENSION before
    // the first pivot: the run eliminates the new, empty 3 x 3 system.
    void commandsInAPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.atPause(10, [&] { w.press("cmdclr"); });
        w.press("cmdrun");
        QCOMPARE(allRows(w, 2),
                 QStringList({"||", "||", "1|0.5|1.5", "0|1|1", "0.5|0|1.5", "-2|1|1"}));
        QCOMPARE(w.pauseCount(), qint64(22));
        w.atPause(1, [&] {
            w.answerNextPrompt("3");
            w.press("cmddim");
        });
        w.press("cmdrun");
        QCOMPARE(allRows(w, 3), QStringList(6, "|||") + QStringList(3, "0|0|0|0"));
        QCOMPARE(systemRows(w, "msfunit", 3, true), QStringList(3, "LLLL"));
        QCOMPARE(w.pauseCount(), qint64(22 + 23));
    }

    // Closing the window in a delayed run stops it in that pause; no cell changes after.
    void closingDuringADelayedRun()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.setDelay(true);
        QStringList atClose;
        w.atPause(5, [&] {
            atClose = allRows(w, 2);
            w.window().close();
        });
        w.press("cmdrun");
        QVERIFY(w.services().isClosing());
        QCOMPARE(atClose, QStringList({"2|1|3", "4|3|7", "1|0.5|3", "4|3|7", "0.5|0|3", "0|1|7"}));
        QTest::qWait(100);
        QCOMPARE(allRows(w, 2), atClose);
        QCOMPARE(w.pauseCount(), qint64(5));
    }

    // SOLVE pressed again in each of thousands of pauses: the runs nest no
    // deeper than the window allows, the presses beyond are ignored, and once
    // every run has ended the grids show the solved system.
    void pressedInEveryPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        int presses = 0, deepest = 0;
        connect(&w.services(), &QtWindowServices::pauseReached, &w.window(), [&] {
            deepest = std::max(deepest, w.window().runDepth());
            if (++presses <= 3000)
                w.press("cmdrun");
        });
        w.press("cmdrun");
        QCOMPARE(deepest, MainWindow::MaxRunDepth);
        QCOMPARE(w.window().runDepth(), 0);
        QCOMPARE(solvedRows(w, 2), ExampleSolved);
    }
};

QTEST_MAIN(SolveTest)
#include "tst_solve.moc"
