// Commands run in one of SOLVE's pauses: each runs to its end inside the
// interrupted run, which then goes on with the counters, n, arrays and grids
// it finds. And closing the window during a run, nested runs included: the
// run stops at its next pause and nothing changes after that.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QtTest>

namespace {

const QString Input = QStringLiteral("msfmain0");
const QString Working = QStringLiteral("msfmain");
const QString Unit = QStringLiteral("msfunit");

const QList<QStringList> Example = {{"2", "1", "3"}, {"4", "3", "7"}};

// Pauses of the example's run: 1 lets events run before the elimination,
// 2..9 are the first pivot pass, 10 opens the second.
constexpr int SecondPassPause = 10;

QStringList allRows(const TestWindow &window, int n)
{
    return systemRows(window, Input, n) + systemRows(window, Working, n) +
           systemRows(window, Unit, n);
}

} // namespace

class SolveReentrancyTest : public QObject
{
    Q_OBJECT

  private slots:
    void clearInAPause();
    void dimensionBeforeTheElimination();
    void smallerDimensionDuringTheElimination();
    void solveInAPause();
    void closingDuringADelayedRun();
    void closingDuringANestedRun();
    void quittingDuringARun();
};

// CLEAR leaves ii past the last row: the second pass finds its pivot row
// gone and only rewrites the rows it still has, from the values they hold.
void SolveReentrancyTest::clearInAPause()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.atPause(SecondPassPause, [&] { window.press(QStringLiteral("cmdclr")); });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(systemRows(window, Input, 2), (QStringList{"||", "||"}));
    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0.5|1.5", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"0.5|0|1.5", "-2|1|1"}));
    QCOMPARE(window.rowTexts(Working, 0, 1, 2), (QStringList{"1", "2"}));
    // 1 + 8 for the first pass, 1 + 3 for the lost pivot row, 2 x (1 + 3)
    // for the rows above it, 1 at the end.
    QCOMPARE(window.pauseCount(), qint64(22));
    QVERIFY(window.grid(Input)->hasFocus());
}

// DIMENSION before the first pivot: the run eliminates the new, empty 3 x 3
// system. Every pivot is empty, so nothing divides and no row is cleared.
void SolveReentrancyTest::dimensionBeforeTheElimination()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.atPause(1, [&] {
        window.answerNextPrompt(QStringLiteral("3"));
        window.press(QStringLiteral("cmddim"));
    });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(int(window.form().dimN), 3);
    QCOMPARE(window.grid(Working)->model()->rowCount(), 4);
    QCOMPARE(systemRows(window, Input, 3), QStringList(3, QStringLiteral("|||")));
    QCOMPARE(systemRows(window, Working, 3), QStringList(3, QStringLiteral("|||")));
    QCOMPARE(systemRows(window, Unit, 3), QStringList(3, QStringLiteral("0|0|0|0")));
    QCOMPARE(systemAlignments(window, Unit, 3), uniformAlignments('L', 3));
    // Three passes of 1 + 4 + 2 pauses between the two single ones.
    QCOMPARE(window.pauseCount(), qint64(23));
}

// DIMENSION 2 in the middle of a 3 x 3 run: the run goes on with positions
// that no longer exist; those statements fail and nothing else happens.
void SolveReentrancyTest::smallerDimensionDuringTheElimination()
{
    TestWindow window;
    window.answerNextPrompt(QStringLiteral("3"));
    window.press(QStringLiteral("cmddim"));
    QVERIFY(windowActiveAgain(window));
    window.typeMatrix({{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}});

    for (int pause : {5, 24, 40}) {
        const qint64 before = window.pauseCount();
        window.atPause(pause, [&] {
            window.answerNextPrompt(QStringLiteral("2"));
            window.press(QStringLiteral("cmddim"));
        });
        window.press(QStringLiteral("cmdrun"));
        QVERIFY(window.pauseCount() - before > pause);

        QCOMPARE(int(window.form().dimN), 2);
        for (const QString &grid : {Input, Working, Unit}) {
            QCOMPARE(window.grid(grid)->model()->rowCount(), 3);
            QCOMPARE(window.grid(grid)->model()->columnCount(), 4);
            QCOMPARE(window.cellText(grid, 1, 0), QStringLiteral("1"));
            QCOMPARE(window.cellText(grid, 2, 0), QStringLiteral("2"));
        }
        QCOMPARE(systemRows(window, Input, 2), (QStringList{"||", "||"}));
        QTRY_VERIFY(window.grid(Input)->hasFocus());
        QCOMPARE(currentCell(window.grid(Input)), qMakePair(1, 1));

        // Back to the 3 x 3 system for the next round.
        window.answerNextPrompt(QStringLiteral("3"));
        window.press(QStringLiteral("cmddim"));
        QVERIFY(windowActiveAgain(window));
        window.typeMatrix(
            {{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}});
    }
}

// A second SOLVE in a pause solves the system to its end; the first then
// finds its counters past the pivot rows and only rewrites the final rows.
void SolveReentrancyTest::solveInAPause()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.atPause(SecondPassPause, [&] { window.press(QStringLiteral("cmdrun")); });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0|1", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"1.5|-0.5|1", "-2|1|1"}));
    QCOMPARE(systemAlignments(window, Unit, 2), uniformAlignments('L', 2));
    // 18 of the inner run; the outer one's 22 as after CLEAR.
    QCOMPARE(window.pauseCount(), qint64(40));
}

// Closing the window with Delay ticked: the run stops in the pause it is
// in, and no cell changes after that.
void SolveReentrancyTest::closingDuringADelayedRun()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.setDelay(true);

    QStringList atClose;
    // Pause 5 comes before the third cell of the pivot row.
    window.atPause(5, [&] {
        atClose = allRows(window, 2);
        window.window().close();
    });
    window.press(QStringLiteral("cmdrun"));

    QVERIFY(window.services().isClosing());
    QCOMPARE(window.window().runDepth(), 0);
    QCOMPARE(atClose, (QStringList{"2|1|3", "4|3|7", "1|0.5|3", "4|3|7", "0.5|0|3", "0|1|7"}));
    QTest::qWait(100);
    QCOMPARE(allRows(window, 2), atClose);
    QCOMPARE(alignmentLetters(window, Working, 1, 2), QStringLiteral("LLC"));
    QCOMPARE(window.pauseCount(), qint64(5));
    QVERIFY(!window.window().isVisible());

    // A closing window starts nothing more.
    window.press(QStringLiteral("cmdclr"));
    QCOMPARE(allRows(window, 2), atClose);
}

// Closing in a pause of a SOLVE started in another SOLVE's pause ends both.
void SolveReentrancyTest::closingDuringANestedRun()
{
    TestWindow window;
    window.typeMatrix(Example);
    QStringList atClose;
    window.atPause(SecondPassPause, [&] { window.press(QStringLiteral("cmdrun")); });
    // The inner run's second pause opens its first pivot pass.
    window.atPause(SecondPassPause + 2, [&] {
        atClose = allRows(window, 2);
        window.window().close();
    });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(window.window().runDepth(), 0);
    QCOMPARE(window.pauseCount(), qint64(SecondPassPause + 2));
    QCOMPARE(atClose, (QStringList{"2|1|3", "4|3|7", "2|1|3", "4|3|7", "1|0|3", "0|1|7"}));
    QCOMPARE(allRows(window, 2), atClose);
}

// The program being asked to quit stops a run like closing the window.
void SolveReentrancyTest::quittingDuringARun()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.atPause(3, [&] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    });
    window.press(QStringLiteral("cmdrun"));

    QVERIFY(window.services().isClosing());
    QCOMPARE(window.window().runDepth(), 0);
    QCOMPARE(window.pauseCount(), qint64(3));
    QCOMPARE(systemRows(window, Working, 2), (QStringList{"2|1|3", "4|3|7"}));
}

QTEST_MAIN(SolveReentrancyTest)
#include "tst_solve_reentrancy.moc"
