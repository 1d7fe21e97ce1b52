// SOLVE: what the working grid and the unit side show while a system is
// eliminated and when it is done, the pauses of a run, commands run inside
// one of its pauses, and a window closed in the middle of a run.

#include "TestWindow.h"

#include <QtTest>

using Matrix = QList<QStringList>;

namespace {

// A = (2 1; 4 3), b = (3; 7), x = (1; 1).
const Matrix Example = {{"2", "1", "3"}, {"4", "3", "7"}};

// Rows 1..n, columns 1..n+1 of the working grid, then of the unit side; or
// their alignments.
QStringList results(const TestWindow &w, int n, bool alignments = false)
{
    return w.rows("msfmain", 1, n, 1, n + 1, alignments) +
           w.rows("msfunit", 1, n, 1, n + 1, alignments);
}

QStringList allRows(const TestWindow &w, int n)
{
    return w.rows("msfmain0", 1, n, 1, n + 1) + results(w, n);
}

} // namespace

class SolveTest : public QObject
{
    Q_OBJECT

  private slots:
    void run_data()
    {
        QTest::addColumn<Matrix>("system");
        QTest::addColumn<int>("pause"); // 0: none
        QTest::addColumn<QStringList>("atPause");
        QTest::addColumn<QStringList>("solved");
        QTest::addColumn<int>("pauses");
        const QStringList exampleSolved = {"1|0|1", "0|1|1", "1.5|-0.5|1", "-2|1|1"};
        const QStringList centred(4, "CCC"), left(4, "LLL");
        // Pause 1 follows the first display; pause 10 opens the second pivot pass.
        QTest::newRow("first display")
            << Example << 1 << QStringList{"2|1|3", "4|3|7", "1|0|3", "0|1|7"} + centred
            << exampleSolved << 18;
        QTest::newRow("first pivot pass")
            << Example << 10 << QStringList{"1|0.5|1.5", "0|1|1", "0.5|0|1.5", "-2|1|1"} + left
            << exampleSolved << 18;
        // Row 2 has the factor 0 in the first pass and keeps its first
        // display until its own pass, which pause 7 opens.
        QTest::newRow("zero factor")
            << Matrix{{"2", "0", "4"}, {"0", "3", "9"}} << 7
            << QStringList{"1|0|2", "0|3|9", "0.5|0|2", "0|1|9", "LLL", "CCC", "LLL", "CCC"}
            << QStringList{"1|0|2", "0|1|3", "0.5|0|2", "0|0.3333|3"} << 12;
        // Every pivot is 0: nothing is reduced, no message.
        QTest::newRow("zero pivots")
            << Matrix{{"0", "1", "1"}, {"1", "0", "2"}} << 0 << QStringList()
            << QStringList{"0|1|1", "1|0|2", "1|0|1", "0|1|2"} << 12;
        QTest::newRow("singular") << Matrix{{"1", "2", "1"}, {"2", "4", "2"}} << 0 << QStringList()
                                  << QStringList{"1|2|1", "0|0|0", "1|0|1", "-2|1|0"} << 15;
        // 1 / 1E-40 does not fit a single: the unit side keeps its values.
        QTest::newRow("single range")
            << Matrix{{"1E-40", "1", "1"}, {"0", "1", "1"}} << 0 << QStringList()
            << QStringList{"1|0|0", "0|1|1", "1|0|1", "0|1|1"} << 15;
        // A = (2 1 -1; -3 -1 2; -2 1 2) has the inverse (4 3 -1; -2 -2 1; 5 4 -1).
        // Pause 27 comes in the second pass after the row below the pivot was
        // cleared and before the row above it is.
        QTest::newRow("3 x 3")
            << Matrix{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}} << 27
            << QStringList{"1|0.5|-0.5|4", "0|1|1|2", "0|0|-1|1",
                           "0.5|0|0|4",    "3|2|0|2", "-5|-4|1|1"} +
                   QStringList(6, "LLLL")
            << QStringList{"1|0|0|2", "0|1|0|3", "0|0|1|-1", "4|3|-1|2", "-2|-2|1|3", "5|4|-1|-1"}
            << 47;
    }

    // The grids at one pause and at the end, the number of pauses, and the
    // focus back at (1, 1). A second run gives the same grids.
    void run()
    {
        QFETCH(Matrix, system);
        QFETCH(int, pause);
        QFETCH(QStringList, atPause);
        QFETCH(QStringList, solved);
        QFETCH(int, pauses);
        const int n = int(system.size());
        TestWindow w;
        w.prompts.add(QString::number(n));
        w.press("cmddim");
        w.typeMatrix(system);
        QStringList seen;
        w.atPause(pause, [&] { seen = results(w, n) + results(w, n, true); });
        w.press("cmdrun");
        QCOMPARE(seen.mid(0, atPause.size()), atPause);
        const QStringList left(2 * n, QString(n + 1, 'L'));
        QCOMPARE(results(w, n) + results(w, n, true), solved + left);
        QCOMPARE(w.services().pauseCount(), pauses);
        QCOMPARE(w.focus(), "msfmain0 (1, 1)");
        w.pressAccelerator('s');
        QCOMPARE(results(w, n) + results(w, n, true), solved + left);
        QCOMPARE(w.services().pauseCount(), 2 * pauses);
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
        QCOMPARE(w.services().pauseCount(), 22);
        w.atPause(1, [&] {
            w.prompts.add("3");
            w.press("cmddim");
        });
        w.press("cmdrun");
        QCOMPARE(allRows(w, 3), QStringList(6, "|||") + QStringList(3, "0|0|0|0"));
        QCOMPARE(w.rows("msfunit", 1, 3, 1, 4, true), QStringList(3, "LLLL"));
        QCOMPARE(w.services().pauseCount(), 22 + 23);
    }

    // Closing the window in a run with Delay stops it in that pause, after
    // every earlier pause held its step for the whole busy count; no cell
    // changes after.
    void closingDuringADelayedRun()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.setDelay(true);
        QStringList atClose;
        qint64 busyCount = 0;
        w.atPause(5, [&] {
            atClose = allRows(w, 2);
            busyCount = qint64(w.form().delayIx.toDouble()) - 1;
            w.window.close();
        });
        w.press("cmdrun");
        QVERIFY(w.services().isClosing());
        QCOMPARE(busyCount, 15000000);
        QCOMPARE(atClose, QStringList({"2|1|3", "4|3|7", "1|0.5|3", "4|3|7", "0.5|0|3", "0|1|7"}));
        QTest::qWait(100);
        QCOMPARE(allRows(w, 2), atClose);
        QCOMPARE(w.services().pauseCount(), 5);
        QCOMPARE(w.window.runDepth(), 0);
    }

    // SOLVE pressed again in each of thousands of pauses: the runs nest no
    // deeper than the window allows, the presses beyond are ignored, and once
    // every run has ended the grids show the solved system.
    void pressedInEveryPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        int presses = 0, deepest = 0;
        connect(&w.services(), &QtWindowServices::pauseReached, &w.window, [&] {
            deepest = std::max(deepest, w.window.runDepth());
            if (++presses <= 3000)
                w.press("cmdrun");
        });
        w.press("cmdrun");
        QCOMPARE(deepest, MainWindow::MaxRunDepth);
        QCOMPARE(w.window.runDepth(), 0);
        QCOMPARE(results(w, 2), QStringList({"1|0|1", "0|1|1", "1.5|-0.5|1", "-2|1|1"}));
    }
};

QTEST_MAIN(SolveTest)
#include "tst_solve.moc"
