// SOLVE: commands run inside one of its pauses, nested runs, and a window
// closed in the middle of a run. What a run shows, write by write and pause by
// pause, is compared with a reference model in tst_reference.

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
