// PIVOT before an entering column is typed: the tableau load, its pauses,
// the first and final displays, the sum in Text1, reloading, the layouts it
// may find, and what a press or a close inside one of its pauses does.

#include "PivotTableau.h"
#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/QtWindowServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {

const QList<QStringList> TwoByTwo = {{"2", "1", "3"}, {"1", "1", "2"}};

// What the working grids show of the tableau: rows 1..n, columns 2..n+2.
struct TableauView
{
    QStringList working, workingAlign, side, sideAlign;
};

TableauView tableauView(const TestWindow &w, int n)
{
    return {gridRows(w, "msfmain", n, 2, n + 2), gridAlignments(w, "msfmain", n, 2, n + 2),
            gridRows(w, "msfunit", n, 2, n + 2), gridAlignments(w, "msfunit", n, 2, n + 2)};
}

} // namespace

class PivotLoadTest : public QObject
{
    Q_OBJECT

  private slots:
    void loadsInverseStepByStep();
    void singlePrecisionResults();
    void zeroDiagonalEliminatesNothing();
    void rowWithZeroInPivotColumnIsNotRewritten();
    void reloadsUntilColumnOneIsTyped();
    void pressAfterStartUpLayout();
    void closingAbandonsDelayedLoad();
    void tableauResizedInsidePause();
    void pressInsidePauseThenAgain();
};

void PivotLoadTest::loadsInverseStepByStep()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix(TwoByTwo, 1, 2);

    TableauView firstDisplay, afterFirstRow;
    w.atPause(1, [&] { firstDisplay = tableauView(w, 2); });
    // Pause 10 is the one before the second pivot is taken.
    w.atPause(10, [&] { afterFirstRow = tableauView(w, 2); });
    const qint64 pausesBefore = w.pauseCount();
    w.press("cmdpivot");

    QCOMPARE(firstDisplay.working, QStringList({"2|1|3", "1|1|2"}));
    QCOMPARE(firstDisplay.workingAlign, QStringList({"CCC", "CCC"}));
    QCOMPARE(firstDisplay.side, QStringList({"1|0|3", "0|1|2"}));
    QCOMPARE(firstDisplay.sideAlign, QStringList({"CCC", "CCC"}));

    QCOMPARE(afterFirstRow.working, QStringList({"1|0.5|1.5", "0|0.5|0.5"}));
    QCOMPARE(afterFirstRow.workingAlign, QStringList({"LLL", "LLL"}));
    QCOMPARE(afterFirstRow.side, QStringList({"0.5|0|1.5", "-0.5|1|0.5"}));
    QCOMPARE(afterFirstRow.sideAlign, QStringList({"LLL", "LLL"}));

    const TableauView last = tableauView(w, 2);
    QCOMPARE(last.working, QStringList({"1|-1|1", "-1|2|1"}));
    QCOMPARE(last.workingAlign, QStringList({"LLL", "LLL"}));
    QCOMPARE(last.side, QStringList({"2|1|1", "1|1|1"}));
    QCOMPARE(last.sideAlign, QStringList({"LLL", "LLL"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("2"));

    // One pause before each pivot, each normalised cell, each other row and
    // each cleared cell, and one at each end.
    QCOMPARE(w.pauseCount() - pausesBefore, qint64(2 + 2 * (1 + 3 + 1 + 3)));

    // Column 1, "upd", "Minr", "Cost" and "Total" are not touched.
    QCOMPARE(columnTexts(w, "msfmain", 1, 1, 3), QStringList(3, ""));
    QCOMPARE(w.rowTexts("msfmain", 3, 1, 4), QStringList(4, ""));
    QCOMPARE(gridRows(w, "msfmain0", 3, 5, 6), QStringList({"|", "|", "|"}));

    QCOMPARE(w.form().pivotState, std::uint8_t(1));
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));
}

void PivotLoadTest::singlePrecisionResults()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix({{"3", "0", "1"}, {"0", "1", "1"}}, 1, 2);

    QString duringElimination;
    // Pause 6 comes right after the last cell of row 1 was divided by 3.
    w.atPause(6, [&] {
        duringElimination = w.cellText("msfmain", 1, 4) + " " + w.cellText("msfunit", 1, 4);
    });
    w.press("cmdpivot");

    // Elimination steps show 4 places; the final display shows the single
    // precision values unrounded, and msfunit keeps the rounded x.
    QCOMPARE(duringElimination, QStringLiteral("0.3333 0.3333"));
    QCOMPARE(gridRows(w, "msfmain", 2, 2, 4), QStringList({"0.3333333|0|0.3333333", "0|1|1"}));
    QCOMPARE(gridRows(w, "msfunit", 2, 2, 4), QStringList({"3|0|0.3333", "0|1|1"}));
    // The sum is kept in single precision.
    QCOMPARE(w.text1()->text(), QStringLiteral("1.333333"));
}

void PivotLoadTest::zeroDiagonalEliminatesNothing()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix({{"0", "1", "1"}, {"1", "0", "2"}}, 1, 2);
    const qint64 pausesBefore = w.pauseCount();
    w.press("cmdpivot");

    const TableauView last = tableauView(w, 2);
    QCOMPARE(last.working, QStringList({"1|0|1", "0|1|2"}));
    QCOMPARE(last.side, QStringList({"0|1|1", "1|0|2"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("3"));
    // No row is cleared: only the pauses before each pivot, each normalised
    // cell and each other row remain.
    QCOMPARE(w.pauseCount() - pausesBefore, qint64(2 + 2 * (1 + 3 + 1)));
}

void PivotLoadTest::rowWithZeroInPivotColumnIsNotRewritten()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix({{"2", "0", "2"}, {"0", "4", "8"}}, 1, 2);

    TableauView beforeSecondPivot;
    w.atPause(7, [&] { beforeSecondPivot = tableauView(w, 2); });
    w.press("cmdpivot");

    QCOMPARE(beforeSecondPivot.working, QStringList({"1|0|1", "0|4|8"}));
    QCOMPARE(beforeSecondPivot.workingAlign, QStringList({"LLL", "CCC"}));
    QCOMPARE(beforeSecondPivot.sideAlign, QStringList({"LLL", "CCC"}));
    QCOMPARE(tableauView(w, 2).working, QStringList({"0.5|0|1", "0|0.25|2"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("3"));
}

void PivotLoadTest::reloadsUntilColumnOneIsTyped()
{
    TestWindow w;
    pivotDim(w, "2");
    // Typed before any load, column 1 does not count as an entering column.
    w.typeMatrix({{"5"}, {"6"}});
    w.typeMatrix(TwoByTwo, 1, 2);
    w.press("cmdpivot");
    QCOMPARE(w.form().editMark.toDouble(), 0.0);
    const TableauView first = tableauView(w, 2);
    QCOMPARE(first.working, QStringList({"1|-1|1", "-1|2|1"}));

    // A second press without typing into column 1 repeats the whole load.
    TableauView firstDisplay;
    w.atPause(1, [&] { firstDisplay = tableauView(w, 2); });
    const qint64 pausesBefore = w.pauseCount();
    w.press("cmdpivot");
    QCOMPARE(w.pauseCount() - pausesBefore, qint64(18));
    QCOMPARE(firstDisplay.working, QStringList({"2|1|3", "1|1|2"}));
    QCOMPARE(firstDisplay.workingAlign, QStringList({"CCC", "CCC"}));
    QCOMPARE(tableauView(w, 2).working, first.working);
    QCOMPARE(tableauView(w, 2).side, first.side);

    // It reads the input grid afresh.
    retypeCell(w, 1, 4, "5");
    retypeCell(w, 2, 4, "3");
    w.press("cmdpivot");
    QCOMPARE(tableauView(w, 2).working, QStringList({"1|-1|2", "-1|2|1"}));
    QCOMPARE(tableauView(w, 2).side, QStringList({"2|1|2", "1|1|1"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("3"));
    // Column 1 was read but left out of the load.
    QCOMPARE(columnTexts(w, "msfmain", 1, 1, 2), QStringList({"", ""}));
    QCOMPARE(w.form().matInput(2, 1).toDouble(), 6.0);
}

void PivotLoadTest::pressAfterStartUpLayout()
{
    // Without PIVOT DIM the press works within the 2 x 2 system layout: the
    // column of b and every array element beyond it do not exist, so B is
    // taken from columns 2..3 and the sum finds nothing to add.
    TestWindow w;
    w.typeMatrix(TwoByTwo);
    w.press("cmdpivot");

    QCOMPARE(gridRows(w, "msfmain", 2, 1, 3), QStringList({"|-2|3", "|1|-1"}));
    QCOMPARE(gridAlignments(w, "msfmain", 2, 2, 3), QStringList({"LL", "LL"}));
    QCOMPARE(gridRows(w, "msfunit", 2, 1, 3), QStringList({"|1|3", "|1|2"}));
    QCOMPARE(w.rowTexts("msfmain", 0, 0, 3), QStringList({"", "1", "2", ""}));
    QCOMPARE(gridRows(w, "msfmain0", 2, 1, 3), QStringList({"2|1|3", "1|1|2"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("0"));
    QCOMPARE(w.form().pivotState, std::uint8_t(1));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));
}

void PivotLoadTest::closingAbandonsDelayedLoad()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix(TwoByTwo, 1, 2);
    w.setDelay(true);

    // The close arrives while the pause before the first division lets
    // events run; the run stops right there: the first display is still
    // there and Text1 stays empty.
    w.atPause(3, [&] { w.window().close(); });
    const qint64 pausesBefore = w.pauseCount();
    w.press("cmdpivot");

    QVERIFY(w.services().isClosing());
    QVERIFY(!w.window().isVisible());
    QCOMPARE(w.pauseCount() - pausesBefore, qint64(3));
    QCOMPARE(tableauView(w, 2).working, QStringList({"2|1|3", "1|1|2"}));
    QCOMPARE(w.text1()->text(), QString());
}

void PivotLoadTest::tableauResizedInsidePause()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix(TwoByTwo, 1, 2);

    // PIVOT DIM inside the pause after the first display re-creates the
    // arrays empty; the load goes on over the new size with what it finds.
    w.atPause(1, [&] { pivotDim(w, "3"); });
    w.press("cmdpivot");

    QCOMPARE(w.form().dimN, std::int16_t(3));
    QCOMPARE(gridSize(w, "msfmain"), qMakePair(5, 6));
    QCOMPARE(gridRows(w, "msfmain", 3, 2, 5), QStringList(3, "0|0|0|0"));
    QCOMPARE(gridRows(w, "msfunit", 3, 2, 5), QStringList(3, "0|0|0|0"));
    QCOMPARE(w.rowTexts("msfmain", 0, 0, 5), QStringList({"", "0", "1", "2", "3", ""}));
    QCOMPARE(w.text1()->text(), QStringLiteral("0"));
}

void PivotLoadTest::pressInsidePauseThenAgain()
{
    TestWindow w;
    pivotDim(w, "2");
    w.typeMatrix(TwoByTwo, 1, 2);

    // A second press in the middle of the elimination runs a whole load of
    // its own; the interrupted one then finishes on the shared state.
    bool nestedRan = false;
    w.atPause(5, [&] {
        w.press("cmdpivot");
        nestedRan = true;
    });
    w.press("cmdpivot");
    QVERIFY(nestedRan);
    QCOMPARE(w.form().pivotState, std::uint8_t(1));

    // The window is unharmed: the next press loads the tableau as usual.
    w.press("cmdpivot");
    QCOMPARE(tableauView(w, 2).working, QStringList({"1|-1|1", "-1|2|1"}));
    QCOMPARE(tableauView(w, 2).side, QStringList({"2|1|1", "1|1|1"}));
    QCOMPARE(w.text1()->text(), QStringLiteral("2"));
}

QTEST_MAIN(PivotLoadTest)
#include "tst_pivotload.moc"
