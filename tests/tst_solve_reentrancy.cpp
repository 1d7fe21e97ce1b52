// Commands run in one of SOLVE's pauses run to their end inside the
// interrupted run, which then goes on with the counters, n and grids it
// finds; closing the window stops a run at its next pause.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QtTest>

namespace {

const QList<QStringList> Example = {{"2", "1", "3"}, {"4", "3", "7"}};

// Pause 1 lets events run before the elimination, 2..9 are the first pivot
// pass, 10 opens the second.
constexpr int SecondPassPause = 10;

QStringList allRows(const TestWindow &w, int n)
{
    return systemRows(w, "msfmain0", n) + systemRows(w, "msfmain", n) + systemRows(w, "msfunit", n);
}

} // namespace

class SolveReentrancyTest : public QObject
{
    Q_OBJECT

  private slots:
    // CLEAR leaves ii past the last row: the second pass finds its pivot row
    // gone and only rewrites the rows it still has, from the values they hold.
    void clearInAPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.atPause(SecondPassPause, [&] { w.press("cmdclr"); });
        w.press("cmdrun");
        QCOMPARE(allRows(w, 2),
                 QStringList({"||", "||", "1|0.5|1.5", "0|1|1", "0.5|0|1.5", "-2|1|1"}));
        QCOMPARE(w.rowTexts("msfmain", 0, 1, 2), QStringList({"1", "2"}));
        // 1 + 8 for the first pass, 1 + 3 for the lost pivot row, 2 x (1 + 3)
        // for the rows above it, 1 at the end.
        QCOMPARE(w.pauseCount(), qint64(22));
        QVERIFY(w.grid("msfmain0")->hasFocus());
    }

    // DIMENSION before the first pivot: the run eliminates the new, empty
    // 3 x 3 system; every pivot is empty, so nothing divides.
    void dimensionInAPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.atPause(1, [&] {
            w.answerNextPrompt("3");
            w.press("cmddim");
        });
        w.press("cmdrun");
        QCOMPARE(int(w.form().dimN), 3);
        QCOMPARE(w.grid("msfmain")->model()->rowCount(), 4);
        QCOMPARE(allRows(w, 3), QStringList(6, "|||") + QStringList(3, "0|0|0|0"));
        QCOMPARE(systemAlignments(w, "msfunit", 3), uniformAlignments('L', 3));
        // Three passes of 1 + 4 + 2 pauses between the two single ones.
        QCOMPARE(w.pauseCount(), qint64(23));
    }

    // A second SOLVE in a pause solves the system to its end; the first then
    // finds its counters past the pivot rows and only rewrites the final rows.
    void solveInAPause()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.atPause(SecondPassPause, [&] { w.press("cmdrun"); });
        w.press("cmdrun");
        QCOMPARE(systemRows(w, "msfmain", 2), QStringList({"1|0|1", "0|1|1"}));
        QCOMPARE(systemRows(w, "msfunit", 2), QStringList({"1.5|-0.5|1", "-2|1|1"}));
        QCOMPARE(systemAlignments(w, "msfunit", 2), uniformAlignments('L', 2));
        // 18 of the inner run; the outer one's 22 as after CLEAR.
        QCOMPARE(w.pauseCount(), qint64(40));
    }

    // With Delay ticked every pause runs the whole busy count. Closing the
    // window stops the run in the pause it is in, and no cell changes after.
    void closingDuringADelayedRun()
    {
        TestWindow w;
        w.typeMatrix(Example);
        w.setDelay(true);
        Variant countAtThirdPause;
        w.atPause(3, [&] { countAtThirdPause = w.form().delayIx; });
        QStringList atClose;
        // Pause 5 comes before the third cell of the pivot row.
        w.atPause(5, [&] {
            atClose = allRows(w, 2);
            w.window().close();
        });
        w.press("cmdrun");
        QCOMPARE(countAtThirdPause.toDouble(), 15000001.0);
        QVERIFY(w.services().isClosing());
        QCOMPARE(w.window().runDepth(), 0);
        QCOMPARE(atClose, QStringList({"2|1|3", "4|3|7", "1|0.5|3", "4|3|7", "0.5|0|3", "0|1|7"}));
        QTest::qWait(100);
        QCOMPARE(allRows(w, 2), atClose);
        QCOMPARE(alignmentLetters(w, "msfmain", 1, 2), QStringLiteral("LLC"));
        QCOMPARE(w.pauseCount(), qint64(5));
        QVERIFY(!w.window().isVisible());
        // A closing window starts nothing more.
        w.press("cmdclr");
        QCOMPARE(allRows(w, 2), atClose);
    }
};

QTEST_MAIN(SolveReentrancyTest)
#include "tst_solve_reentrancy.moc"
