// PIVOT before an entering column is typed: the tableau load, its pauses, the
// first and final displays, the sum in Text1, reloading, the layout it may
// find, and a close inside one of its pauses.

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

// Rows 1..n, columns 2..n+2 of msfmain, then of msfunit.
QStringList tableau(const TestWindow &w, int n)
{
    return gridRows(w, "msfmain", n, 2, n + 2) + gridRows(w, "msfunit", n, 2, n + 2);
}

QStringList alignments(const TestWindow &w, int n)
{
    return gridAlignments(w, "msfmain", n, 2, n + 2) + gridAlignments(w, "msfunit", n, 2, n + 2);
}

} // namespace

class PivotLoadTest : public QObject
{
    Q_OBJECT

  private slots:
    void loadsInverseStepByStep()
    {
        TestWindow w;
        pivotDim(w, "2");
        w.typeMatrix(TwoByTwo, 1, 2);
        QStringList first, afterFirstRow;
        w.atPause(1, [&] { first = tableau(w, 2) + alignments(w, 2); });
        // Pause 10 is the one before the second pivot is taken.
        w.atPause(10, [&] { afterFirstRow = tableau(w, 2) + alignments(w, 2); });
        const qint64 pausesBefore = w.pauseCount();
        w.press("cmdpivot");

        QCOMPARE(first, QStringList({"2|1|3", "1|1|2", "1|0|3", "0|1|2"}) + QStringList(4, "CCC"));
        QCOMPARE(afterFirstRow, QStringList({"1|0.5|1.5", "0|0.5|0.5", "0.5|0|1.5", "-0.5|1|0.5"}) +
                                    QStringList(4, "LLL"));
        QCOMPARE(tableau(w, 2), QStringList({"1|-1|1", "-1|2|1", "2|1|1", "1|1|1"}));
        QCOMPARE(alignments(w, 2), QStringList(4, "LLL"));
        QCOMPARE(w.text1()->text(), QStringLiteral("2"));
        // One pause before each pivot, each normalised cell, each other row
        // and each cleared cell, and one at each end.
        QCOMPARE(w.pauseCount() - pausesBefore, qint64(2 + 2 * (1 + 3 + 1 + 3)));
        // Column 1, "upd", "Minr", "Cost" and "Total" are not touched.
        QCOMPARE(columnTexts(w, "msfmain", 1, 1, 3), QStringList(3, ""));
        QCOMPARE(w.rowTexts("msfmain", 3, 1, 4), QStringList(4, ""));
        QCOMPARE(gridRows(w, "msfmain0", 3, 5, 6), QStringList(3, "|"));
        QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
        QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));
    }

    // Elimination steps show 4 places; the final display shows the single
    // precision values to 7 places, msfunit keeps the rounded x, and the sum
    // is kept in single precision.
    void singlePrecisionResults()
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
        QCOMPARE(duringElimination, QStringLiteral("0.3333 0.3333"));
        QCOMPARE(tableau(w, 2),
                 QStringList({"0.3333333|0|0.3333333", "0|1|1", "3|0|0.3333", "0|1|1"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("1.333333"));
    }

    // No row is cleared: only the pauses before each pivot, each normalised
    // cell and each other row remain.
    void zeroDiagonalEliminatesNothing()
    {
        TestWindow w;
        pivotDim(w, "2");
        w.typeMatrix({{"0", "1", "1"}, {"1", "0", "2"}}, 1, 2);
        const qint64 pausesBefore = w.pauseCount();
        w.press("cmdpivot");
        QCOMPARE(tableau(w, 2), QStringList({"1|0|1", "0|1|2", "0|1|1", "1|0|2"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("3"));
        QCOMPARE(w.pauseCount() - pausesBefore, qint64(2 + 2 * (1 + 3 + 1)));
    }

    void reloadsUntilColumnOneIsTyped()
    {
        TestWindow w;
        pivotDim(w, "2");
        // Typed before any load, column 1 does not count as an entering column.
        w.typeMatrix({{"5"}, {"6"}});
        w.typeMatrix(TwoByTwo, 1, 2);
        w.press("cmdpivot");
        QCOMPARE(w.form().editMark.toDouble(), 0.0);
        const QStringList loaded = tableau(w, 2);
        QCOMPARE(loaded, QStringList({"1|-1|1", "-1|2|1", "2|1|1", "1|1|1"}));

        // A second press without typing into column 1 repeats the whole load.
        QStringList first;
        w.atPause(1, [&] { first = tableau(w, 2) + alignments(w, 2); });
        const qint64 pausesBefore = w.pauseCount();
        w.press("cmdpivot");
        QCOMPARE(w.pauseCount() - pausesBefore, qint64(18));
        QCOMPARE(first, QStringList({"2|1|3", "1|1|2", "1|0|3", "0|1|2"}) + QStringList(4, "CCC"));
        QCOMPARE(tableau(w, 2), loaded);

        // It reads the input grid afresh, column 1 left out.
        retypeCell(w, 1, 4, "5");
        retypeCell(w, 2, 4, "3");
        w.press("cmdpivot");
        QCOMPARE(tableau(w, 2), QStringList({"1|-1|2", "-1|2|1", "2|1|2", "1|1|1"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("3"));
        QCOMPARE(columnTexts(w, "msfmain", 1, 1, 2), QStringList({"", ""}));
    }

    // Without PIVOT DIM the press works within the 2 x 2 system layout: the
    // column of b and every array element beyond it do not exist, so B is
    // taken from columns 2..3 and the sum finds nothing to add.
    void pressAfterStartUpLayout()
    {
        TestWindow w;
        w.typeMatrix(TwoByTwo);
        w.press("cmdpivot");
        QCOMPARE(gridRows(w, "msfmain", 2, 1, 3), QStringList({"|-2|3", "|1|-1"}));
        QCOMPARE(gridAlignments(w, "msfmain", 2, 2, 3), QStringList({"LL", "LL"}));
        QCOMPARE(gridRows(w, "msfunit", 2, 1, 3), QStringList({"|1|3", "|1|2"}));
        QCOMPARE(w.rowTexts("msfmain", 0, 0, 3), QStringList({"", "1", "2", ""}));
        QCOMPARE(gridRows(w, "msfmain0", 2, 1, 3), QStringList({"2|1|3", "1|1|2"}));
        QCOMPARE(w.text1()->text(), QStringLiteral("0"));
        QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 1));
    }

    // The close arrives while the pause before the first division lets events
    // run; the load stops there: the first display stays and Text1 is empty.
    void closingAbandonsDelayedLoad()
    {
        TestWindow w;
        pivotDim(w, "2");
        w.typeMatrix(TwoByTwo, 1, 2);
        w.setDelay(true);
        w.atPause(3, [&] { w.window().close(); });
        const qint64 pausesBefore = w.pauseCount();
        w.press("cmdpivot");
        QVERIFY(w.services().isClosing());
        QVERIFY(!w.window().isVisible());
        QCOMPARE(w.pauseCount() - pausesBefore, qint64(3));
        QCOMPARE(gridRows(w, "msfmain", 2, 2, 4), QStringList({"2|1|3", "1|1|2"}));
        QCOMPARE(w.text1()->text(), QString());
    }
};

QTEST_MAIN(PivotLoadTest)
#include "tst_pivotload.moc"
