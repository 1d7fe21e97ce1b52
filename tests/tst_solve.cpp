// SOLVE on the real window: the numbers and alignments of the working grid
// and the unit side while a system is eliminated and when it is done, the
// number of pauses of a run, and where the focus and current cell end up.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "support/TestWindow.h"
#include "ui/CellGrid.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QtTest>

using Matrix = QList<QStringList>;

namespace {

const QString Input = QStringLiteral("msfmain0");
const QString Working = QStringLiteral("msfmain");
const QString Unit = QStringLiteral("msfunit");

// The worked 2 x 2 example: A = (2 1; 4 3), b = (3; 7), x = (1; 1).
const Matrix Example = {{"2", "1", "3"}, {"4", "3", "7"}};

void dimension(TestWindow &window, int n)
{
    window.answerNextPrompt(QString::number(n));
    window.press(QStringLiteral("cmddim"));
    QVERIFY(windowActiveAgain(window));
}

} // namespace

class SolveTest : public QObject
{
    Q_OBJECT

  private slots:
    void showsTheFirstDisplayAndEachPivotPass();
    void finalGrids_data();
    void finalGrids();
    void rowWithZeroFactorIsLeftAlone();
    void unconvertibleCellKeepsTheValueReadBefore();
    void solvingTwiceGivesTheSameGrids();
    void delayHoldsEveryStepOfTheRun();
    void solvesOnTheTableauLayout();
};

// Right after start-up, without DIMENSION: the grids before the first pivot,
// after the first pivot pass, and at the end.
void SolveTest::showsTheFirstDisplayAndEachPivotPass()
{
    TestWindow window;
    window.typeMatrix(Example);

    QStringList firstWorking, firstUnit, firstAlignments;
    window.atPause(1, [&] {
        firstWorking = systemRows(window, Working, 2);
        firstUnit = systemRows(window, Unit, 2);
        firstAlignments = systemAlignments(window, Working, 2) + systemAlignments(window, Unit, 2);
    });
    // Pause 10 opens the second pivot pass: the first is complete.
    QStringList passWorking, passUnit, passAlignments;
    window.atPause(10, [&] {
        passWorking = systemRows(window, Working, 2);
        passUnit = systemRows(window, Unit, 2);
        passAlignments = systemAlignments(window, Working, 2);
    });
    window.pressAccelerator('S');

    QCOMPARE(firstWorking, (QStringList{"2|1|3", "4|3|7"}));
    QCOMPARE(firstUnit, (QStringList{"1|0|3", "0|1|7"}));
    QCOMPARE(firstAlignments, uniformAlignments('C', 2) + uniformAlignments('C', 2));

    QCOMPARE(passWorking, (QStringList{"1|0.5|1.5", "0|1|1"}));
    QCOMPARE(passUnit, (QStringList{"0.5|0|1.5", "-2|1|1"}));
    QCOMPARE(passAlignments, uniformAlignments('L', 2));

    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0|1", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"1.5|-0.5|1", "-2|1|1"}));
    QCOMPARE(systemAlignments(window, Working, 2), uniformAlignments('L', 2));
    QCOMPARE(systemAlignments(window, Unit, 2), uniformAlignments('L', 2));

    // Step 5 and the end let events run once; each pivot pass pauses 1 + 3
    // times for its own row and 1 + 3 times for the other row.
    QCOMPARE(window.pauseCount(), qint64(18));

    // The typed input stays, and the input grid is ready for the next entry.
    QCOMPARE(systemRows(window, Input, 2), (QStringList{"2|1|3", "4|3|7"}));
    QVERIFY(window.grid(Input)->hasFocus());
    QCOMPARE(currentCell(window.grid(Input)), qMakePair(1, 1));
    QCOMPARE(window.text1()->text(), QString());
}

void SolveTest::finalGrids_data()
{
    QTest::addColumn<Matrix>("system");
    QTest::addColumn<QStringList>("working");
    QTest::addColumn<QStringList>("unit");
    QTest::addColumn<int>("pauses");

    QTest::newRow("example") << Example << QStringList{"1|0|1", "0|1|1"}
                             << QStringList{"1.5|-0.5|1", "-2|1|1"} << 18;
    // Every pivot is 0: nothing is reduced, no message.
    QTest::newRow("zero pivots") << Matrix{{"0", "1", "1"}, {"1", "0", "2"}}
                                 << QStringList{"0|1|1", "1|0|2"} << QStringList{"1|0|1", "0|1|2"}
                                 << 12;
    QTest::newRow("singular") << Matrix{{"1", "2", "1"}, {"2", "4", "2"}}
                              << QStringList{"1|2|1", "0|0|0"} << QStringList{"1|0|1", "-2|1|0"}
                              << 15;
    QTest::newRow("a third") << Matrix{{"3", "0", "1"}, {"0", "1", "1"}}
                             << QStringList{"1|0|0.3333", "0|1|1"}
                             << QStringList{"0.3333|0|0.3333", "0|1|1"} << 12;
    // 1/3 reads as 1, a word as 0, 3kg as 3, an empty cell as 0.
    QTest::newRow("lenient cells")
        << Matrix{{"1/3", "word", "3kg"}, {"", "2", "4"}} << QStringList{"1|0|3", "0|1|2"}
        << QStringList{"1|0|3", "0|0.5|2"} << 12;
    // 1 / 1E-40 does not fit a single: the unit side keeps its values.
    QTest::newRow("single range") << Matrix{{"1E-40", "1", "1"}, {"0", "1", "1"}}
                                  << QStringList{"1|0|0", "0|1|1"} << QStringList{"1|0|1", "0|1|1"}
                                  << 15;
    // 1E300 / 1E-300 does not fit a double: the element keeps 1E300.
    QTest::newRow("double range") << Matrix{{"1E-300", "1E300", "0"}, {"0", "0", "1"}}
                                  << QStringList{"1|1E+300|0", "0|0|1"}
                                  << QStringList{"1|0|0", "0|1|1"} << 12;
    // A = (2 1 -1; -3 -1 2; -2 1 2) has the inverse (4 3 -1; -2 -2 1; 5 4 -1).
    QTest::newRow("3 x 3") << Matrix{{"2", "1", "-1", "8"},
                                     {"-3", "-1", "2", "-11"},
                                     {"-2", "1", "2", "-3"}}
                           << QStringList{"1|0|0|2", "0|1|0|3", "0|0|1|-1"}
                           << QStringList{"4|3|-1|2", "-2|-2|1|3", "5|4|-1|-1"} << 47;
}

void SolveTest::finalGrids()
{
    QFETCH(Matrix, system);
    QFETCH(QStringList, working);
    QFETCH(QStringList, unit);
    QFETCH(int, pauses);
    const int n = int(system.size());

    TestWindow window;
    if (n != 2)
        dimension(window, n);
    window.typeMatrix(system);
    const qint64 before = window.pauseCount();
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(systemRows(window, Working, n), working);
    QCOMPARE(systemRows(window, Unit, n), unit);
    // Every row is normalised once, so every cell ends left-aligned.
    QCOMPARE(systemAlignments(window, Working, n), uniformAlignments('L', n));
    QCOMPARE(systemAlignments(window, Unit, n), uniformAlignments('L', n));
    QCOMPARE(window.pauseCount() - before, qint64(pauses));
    QVERIFY(window.grid(Input)->hasFocus());
    QCOMPARE(currentCell(window.grid(Input)), qMakePair(1, 1));
}

// A = (2 0; 0 3): row 2 has the factor 0 in the first pass and keeps its
// first display until its own pass; row 1 is not written in the second.
void SolveTest::rowWithZeroFactorIsLeftAlone()
{
    TestWindow window;
    window.typeMatrix({{"2", "0", "4"}, {"0", "3", "9"}});

    QString workingRow2, unitRow2, alignmentsRow2;
    // Pause 7 opens the second pass: 1 + (1 + 3 + 1) pauses before it.
    window.atPause(7, [&] {
        workingRow2 = window.rowTexts(Working, 2, 1, 3).join('|');
        unitRow2 = window.rowTexts(Unit, 2, 1, 3).join('|');
        alignmentsRow2 =
            alignmentLetters(window, Working, 2, 2) + alignmentLetters(window, Unit, 2, 2);
        // A mark that any later write of row 1 would replace.
        CellGrid &cells = window.grid(Working)->cells();
        cells.setRow(1);
        cells.setCol(2);
        cells.setText("mark");
    });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(workingRow2, QStringLiteral("0|3|9"));
    QCOMPARE(unitRow2, QStringLiteral("0|1|9"));
    QCOMPARE(alignmentsRow2, QStringLiteral("CCCCCC"));

    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|mark|2", "0|1|3"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"0.5|0|2", "0|0.3333|3"}));
    QCOMPARE(window.pauseCount(), qint64(12));
}

// A cell beyond the double range cannot be read: its element keeps what it
// held, empty after DIMENSION, else the number the previous run read there.
void SolveTest::unconvertibleCellKeepsTheValueReadBefore()
{
    TestWindow window;
    dimension(window, 2);
    const Matrix tooLarge = {{"1E400", "0", "1"}, {"0", "1", "1"}};
    window.typeMatrix(tooLarge);

    QString firstDisplay;
    window.atPause(1, [&] { firstDisplay = window.rowTexts(Working, 1, 1, 3).join('|'); });
    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(firstDisplay, QStringLiteral("|0|1"));
    // The empty pivot divides nothing; the empty element shows as empty text.
    QCOMPARE(systemRows(window, Working, 2), (QStringList{"|0|1", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"1|0|1", "0|1|1"}));

    window.press(QStringLiteral("cmdclr"));
    window.typeMatrix({{"5", "0", "1"}, {"0", "1", "1"}});
    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0|0.2", "0|1|1"}));

    window.press(QStringLiteral("cmdclr"));
    window.typeMatrix(tooLarge);
    window.atPause(1, [&] { firstDisplay = window.rowTexts(Working, 1, 1, 3).join('|'); });
    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(firstDisplay, QStringLiteral("5|0|1"));
    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0|0.2", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"0.2|0|0.2", "0|1|1"}));
}

void SolveTest::solvingTwiceGivesTheSameGrids()
{
    TestWindow window;
    dimension(window, 3);
    window.typeMatrix({{"4", "-2", "1", "11"}, {"-2", "4", "-2", "-16"}, {"1", "-2", "4", "17"}});

    window.press(QStringLiteral("cmdrun"));
    const QStringList working = systemRows(window, Working, 3);
    const QStringList unit = systemRows(window, Unit, 3);
    QCOMPARE(working, (QStringList{"1|0|0|1", "0|1|0|-2", "0|0|1|3"}));

    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(systemRows(window, Working, 3), working);
    QCOMPARE(systemRows(window, Unit, 3), unit);
    QCOMPARE(systemAlignments(window, Unit, 3), uniformAlignments('L', 3));
}

// With Delay ticked every pause of a step runs the whole busy count. The
// box is read when the run starts: unticking it during the run changes
// nothing until the next run.
void SolveTest::delayHoldsEveryStepOfTheRun()
{
    TestWindow window;
    window.typeMatrix(Example);
    window.setDelay(true);

    Variant countBeforeThirdPause;
    window.atPause(3, [&] {
        countBeforeThirdPause = window.form().delayIx;
        window.setDelay(false);
    });
    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(window.form().delayOn, FormState::True);
    QCOMPARE(window.form().delayCount, 15000000);
    QCOMPARE(countBeforeThirdPause.toDouble(), 15000001.0);
    QCOMPARE(window.form().delayIx.toDouble(), 15000001.0);
    QCOMPARE(window.pauseCount(), qint64(18));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"1.5|-0.5|1", "-2|1|1"}));

    window.form().delayIx = Variant();
    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(window.form().delayOn, FormState::False);
    QVERIFY(window.form().delayIx.isEmpty());
}

// SOLVE does not check which command laid the grids out: after PIVOT DIM it
// solves the system typed into columns 1..3 of the tableau.
void SolveTest::solvesOnTheTableauLayout()
{
    TestWindow window;
    window.answerNextPrompt(QStringLiteral("2"));
    window.press(QStringLiteral("cmdpidim"));
    QVERIFY(windowActiveAgain(window));
    QCOMPARE(window.cellText(Working, 3, 0), QStringLiteral("Total"));
    window.typeMatrix(Example);

    window.press(QStringLiteral("cmdrun"));

    QCOMPARE(systemRows(window, Working, 2), (QStringList{"1|0|1", "0|1|1"}));
    QCOMPARE(systemRows(window, Unit, 2), (QStringList{"1.5|-0.5|1", "-2|1|1"}));
    QCOMPARE(window.pauseCount(), qint64(18));
    // The tableau's labels stay where they are.
    QCOMPARE(window.rowTexts(Working, 0, 1, 3), (QStringList{"0", "1", "2"}));
    QCOMPARE(window.cellText(Working, 3, 0), QStringLiteral("Total"));
    QCOMPARE(window.cellText(Input, 3, 0), QStringLiteral("Cost"));
}

QTEST_MAIN(SolveTest)
#include "tst_solve.moc"
