// DIMENSION: the answers it takes and how they round, the layout it leaves,
// and the answers it refuses without changing anything but the focus.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList Grids = {"msfmain0", "msfmain", "msfunit"};

// Fills the grids with a solved system and takes the focus away from (1, 1).
void solveAndLookAway(TestWindow &w, const QList<QStringList> &rows)
{
    w.typeMatrix(rows);
    w.press("cmdrun");
    w.clickCell("msfmain0", 2, 3);
    QTest::mouseClick(w.text1(), Qt::LeftButton);
    QVERIFY(w.text1()->hasFocus());
}

// Alt+D with this answer to the size prompt ("Cancel" cancels it).
void dimension(TestWindow &w, const QString &answer)
{
    if (answer == "Cancel")
        w.cancelNextPrompt();
    else
        w.answerNextPrompt(answer);
    w.pressAccelerator('D');
    QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
}

QStringList allGrids(TestWindow &w, int n)
{
    QStringList texts;
    for (const QString &grid : Grids)
        texts << systemRows(w, grid, n) << w.rowTexts(grid, 0, 0, n + 1);
    return texts;
}

} // namespace

class DimensionTest : public QObject
{
    Q_OBJECT

  private slots:
    void acceptedAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("n");
        // clang-format off
        for (auto [answer, n] : {std::pair{"1", 2}, {"3", 3}, {"2.5", 2}, {"3.5", 4}, {"2.4999", 2},
                                 {"4 rows", 4}, {"4,5", 4}, {"1E1", 10}, {"1 2", 12}})
            QTest::newRow(answer) << answer << n;
        // clang-format on
    }

    void acceptedAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, n);
        TestWindow w;
        solveAndLookAway(w, {{"2", "1", "3"}, {"4", "3", "7"}});
        dimension(w, answer);
        QCOMPARE(int(w.form().dimN), n);
        for (const QString &grid : Grids) {
            QCOMPARE(w.grid(grid)->model()->rowCount(), n + 1);
            QCOMPARE(w.grid(grid)->model()->columnCount(), n + 2);
            QCOMPARE(w.cellText(grid, 0, n + 1), QString());
            for (int i = 1; i <= n; ++i) {
                QCOMPARE(w.cellText(grid, 0, i), QString::number(i));
                QCOMPARE(w.cellText(grid, i, 0), QString::number(i));
                QCOMPARE(w.cellAlignment(grid, 0, i), Qt::AlignCenter);
                QCOMPARE(w.cellAlignment(grid, i, 0), Qt::AlignCenter);
            }
            // Whatever was typed or solved before is gone, also at the same n.
            QCOMPARE(systemRows(w, grid, n), QStringList(n, QString(n, QLatin1Char('|'))));
        }
        QCOMPARE(w.form().matInput.rowUpperBound(), long(n + 1));
        QVERIFY(w.form().matInput(1, 1).isEmpty());
        QTRY_VERIFY(w.grid("msfmain0")->hasFocus());
        QCOMPARE(currentCell(w.grid("msfmain0")), qMakePair(1, 1));
        w.typeText("7");
        QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("7"));
    }

    void refusedAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        for (const QString &answer :
             QStringList{"1.5", "0", "-2", "word", "", "1E400", "40000", "32765.5", "Cancel",
                         QString::number(Form1::LargestDimension + 1)})
            QTest::newRow(qPrintable(answer.isEmpty() ? "empty" : answer)) << answer;
    }

    void refusedAnswers()
    {
        QFETCH(QString, answer);
        TestWindow w;
        w.answerNextPrompt("3");
        w.press("cmddim");
        QVERIFY(windowActiveAgain(w));
        solveAndLookAway(w, {{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "1", "2", "3"}});
        const QStringList before = allGrids(w, 3);
        dimension(w, answer);
        QCOMPARE(int(w.form().dimN), 3);
        QCOMPARE(allGrids(w, 3), before);
        QCOMPARE(w.form().matInput.rowUpperBound(), 4L);
        QCOMPARE(w.form().matInput(2, 3).toDouble(), 7.0);
        QTRY_VERIFY(w.grid("msfmain0")->hasFocus());
        QCOMPARE(currentCell(w.grid("msfmain0")), qMakePair(1, 1));
    }

    // The largest n is taken; an answer that rounds beyond it is not.
    void largestSize()
    {
        const int largest = Form1::LargestDimension;
        TestWindow w;
        w.answerNextPrompt(QString::number(largest) + ".4");
        w.press("cmddim");
        QCOMPARE(int(w.form().dimN), largest);
        QCOMPARE(w.cellText("msfunit", largest, 0), QString::number(largest));
        w.answerNextPrompt(QString::number(largest) + ".6");
        w.press("cmddim");
        QCOMPARE(w.grid("msfmain")->model()->columnCount(), largest + 2);
    }
};

QTEST_MAIN(DimensionTest)
#include "tst_dimension.moc"
