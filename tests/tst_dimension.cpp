// DIMENSION on the real window: the size prompt, the answers it takes and
// how they round, the layout of the three grids it leaves, and the answers
// it refuses without changing anything but the focus.

#include "SystemGrids.h"

#include "app/Form1.h"
#include "support/TestWindow.h"
#include "ui/CellGrid.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList Grids = {"msfmain0", "msfmain", "msfunit"};
const QString Input = QStringLiteral("msfmain0");

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int i = first; i <= last; ++i)
        texts << QString::number(i);
    return texts;
}

QStringList headerColumn(const TestWindow &window, const QString &grid, int n)
{
    QStringList texts;
    for (int row = 1; row <= n; ++row)
        texts << window.cellText(grid, row, 0);
    return texts;
}

int columnWidth(TestWindow &window, const QString &grid, int col)
{
    GridView *view = window.grid(grid);
    return view->visualRect(view->model()->index(0, col)).width();
}

// Fills the grids: a typed system, its solution and the unit side.
void solveExample(TestWindow &window)
{
    window.typeMatrix({{"2", "1", "3"}, {"4", "3", "7"}});
    window.press(QStringLiteral("cmdrun"));
}

// Takes the focus and the input grid's current cell away from (1, 1).
void moveFocusAway(TestWindow &window)
{
    QVERIFY(windowActiveAgain(window));
    window.clickCell(Input, 2, 3);
    QTest::mouseClick(window.text1(), Qt::LeftButton);
    QVERIFY(window.text1()->hasFocus());
}

} // namespace

class DimensionTest : public QObject
{
    Q_OBJECT

  private slots:
    void acceptedAnswerLaysOutTheGrids_data();
    void acceptedAnswerLaysOutTheGrids();
    void refusedAnswerChangesOnlyTheFocus_data();
    void refusedAnswerChangesOnlyTheFocus();
    void smallerSizeAfterALargerOne();
    void largestSize();
};

void DimensionTest::acceptedAnswerLaysOutTheGrids_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("n");

    QTest::newRow("3") << "3" << 3;
    QTest::newRow("1 counts as 2") << "1" << 2;
    QTest::newRow("2.5 rounds to even") << "2.5" << 2;
    QTest::newRow("3.5 rounds to even") << "3.5" << 4;
    QTest::newRow("2.4999") << "2.4999" << 2;
    QTest::newRow("leading blanks") << "   4" << 4;
    QTest::newRow("4 rows") << "4 rows" << 4;
    QTest::newRow("comma is no decimal point") << "4,5" << 4;
    QTest::newRow("exponent") << "1E1" << 10;
    QTest::newRow("blank between digits") << "1 2" << 12;
}

void DimensionTest::acceptedAnswerLaysOutTheGrids()
{
    QFETCH(QString, answer);
    QFETCH(int, n);

    TestWindow window;
    solveExample(window);
    moveFocusAway(window);

    window.answerNextPrompt(answer);
    window.pressAccelerator('D');

    QCOMPARE(window.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(int(window.form().dimN), n);
    for (const QString &grid : Grids) {
        const QAbstractItemModel *model = window.grid(grid)->model();
        QCOMPARE(model->rowCount(), n + 1);
        QCOMPARE(model->columnCount(), n + 2);
        QCOMPARE(window.rowTexts(grid, 0, 1, n + 1), numbers(1, n) << QString());
        QCOMPARE(headerColumn(window, grid, n), numbers(1, n));
        for (int i = 1; i <= n; ++i) {
            QCOMPARE(window.cellAlignment(grid, 0, i), Qt::Alignment(Qt::AlignCenter));
            QCOMPARE(window.cellAlignment(grid, i, 0), Qt::Alignment(Qt::AlignCenter));
        }
        // Whatever was typed or solved before is gone, also at the same n.
        QCOMPARE(systemRows(window, grid, n), QStringList(n, QString(n, QLatin1Char('|'))));
        // Columns 0..n are sized alike; column n+1 keeps the grid's own width.
        const int sized = columnWidth(window, grid, 0);
        for (int col = 1; col <= n; ++col)
            QCOMPARE(columnWidth(window, grid, col), sized);
        QVERIFY(columnWidth(window, grid, n + 1) != sized);
    }
    QCOMPARE(window.form().matInput.rowUpperBound(), long(n + 1));
    QCOMPARE(window.form().matWorking.colUpperBound(), long(n + 1));
    QCOMPARE(window.form().matSide.rowUpperBound(), long(n + 1));
    QVERIFY(window.form().matInput(1, 1).isEmpty());

    QTRY_VERIFY(window.grid(Input)->hasFocus());
    QCOMPARE(currentCell(window.grid(Input)), qMakePair(1, 1));
    // Typing goes straight into cell (1, 1).
    window.typeText(QStringLiteral("7"));
    QCOMPARE(window.cellText(Input, 1, 1), QStringLiteral("7"));
}

void DimensionTest::refusedAnswerChangesOnlyTheFocus_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("answer");

    QTest::newRow("1.5") << false << "1.5";
    QTest::newRow("0") << false << "0";
    QTest::newRow("-2") << false << "-2";
    QTest::newRow("word") << false << "word";
    QTest::newRow("empty") << false << "";
    QTest::newRow("Cancel") << true << "";
    QTest::newRow("beyond the double range") << false << "1E400";
    QTest::newRow("-1E400") << false << "-1E400";
    QTest::newRow("beyond a 16-bit n") << false << "40000";
    QTest::newRow("32765.5") << false << "32765.5";
    QTest::newRow("more than memory allows")
        << false << QString::number(Form1::LargestDimension + 1);
}

void DimensionTest::refusedAnswerChangesOnlyTheFocus()
{
    QFETCH(bool, cancel);
    QFETCH(QString, answer);

    TestWindow window;
    window.answerNextPrompt(QStringLiteral("3"));
    window.press(QStringLiteral("cmddim"));
    QVERIFY(windowActiveAgain(window));
    window.typeMatrix({{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "1", "2", "3"}});
    window.press(QStringLiteral("cmdrun"));
    QStringList before;
    for (const QString &grid : Grids)
        before << systemRows(window, grid, 3) << window.rowTexts(grid, 0, 0, 4);
    moveFocusAway(window);

    if (cancel)
        window.cancelNextPrompt();
    else
        window.answerNextPrompt(answer);
    window.pressAccelerator('D');

    QCOMPARE(window.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(int(window.form().dimN), 3);
    QStringList after;
    for (const QString &grid : Grids) {
        QCOMPARE(window.grid(grid)->model()->rowCount(), 4);
        QCOMPARE(window.grid(grid)->model()->columnCount(), 5);
        after << systemRows(window, grid, 3) << window.rowTexts(grid, 0, 0, 4);
    }
    QCOMPARE(after, before);
    QCOMPARE(window.form().matInput.rowUpperBound(), 4L);
    QCOMPARE(window.form().matInput(2, 3).toDouble(), 7.0);
    QCOMPARE(window.form().matSide.colUpperBound(), 4L);

    QTRY_VERIFY(window.grid(Input)->hasFocus());
    QCOMPARE(currentCell(window.grid(Input)), qMakePair(1, 1));
}

// The grids shrink; the header of the new right-hand side column is blanked,
// the corner cell is never written.
void DimensionTest::smallerSizeAfterALargerOne()
{
    TestWindow window;
    CellGrid &working = window.grid(QStringLiteral("msfmain"))->cells();
    working.setRow(0);
    working.setCol(0);
    working.setText("corner");

    window.answerNextPrompt(QStringLiteral("5"));
    window.press(QStringLiteral("cmddim"));
    const int sized = columnWidth(window, QStringLiteral("msfunit"), 1);
    window.answerNextPrompt(QStringLiteral("3"));
    window.press(QStringLiteral("cmddim"));

    for (const QString &grid : Grids) {
        QCOMPARE(window.grid(grid)->model()->rowCount(), 4);
        QCOMPARE(window.grid(grid)->model()->columnCount(), 5);
        QCOMPARE(window.rowTexts(grid, 0, 1, 4), (QStringList{"1", "2", "3", ""}));
    }
    QCOMPARE(window.cellText(QStringLiteral("msfmain"), 0, 0), QStringLiteral("corner"));
    // Column 4 keeps the width the larger layout gave it.
    QCOMPARE(columnWidth(window, QStringLiteral("msfunit"), 4), sized);
}

// The largest n is taken; an answer that rounds beyond it is not.
void DimensionTest::largestSize()
{
    const int largest = Form1::LargestDimension;
    TestWindow window;

    window.answerNextPrompt(QString::number(largest) + QStringLiteral(".4"));
    window.press(QStringLiteral("cmddim"));
    QCOMPARE(int(window.form().dimN), largest);
    QCOMPARE(window.grid(QStringLiteral("msfunit"))->model()->rowCount(), largest + 1);
    QCOMPARE(window.cellText(QStringLiteral("msfunit"), 0, largest), QString::number(largest));
    QCOMPARE(window.cellText(QStringLiteral("msfunit"), largest, 0), QString::number(largest));
    QCOMPARE(window.form().matSide.colUpperBound(), long(largest + 1));

    window.answerNextPrompt(QString::number(largest) + QStringLiteral(".6"));
    window.press(QStringLiteral("cmddim"));
    QCOMPARE(int(window.form().dimN), largest);
    QCOMPARE(window.grid(QStringLiteral("msfmain"))->model()->columnCount(), largest + 2);
}

QTEST_MAIN(DimensionTest)
#include "tst_dimension.moc"
