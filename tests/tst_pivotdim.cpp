// PIVOT DIM: the size prompt, the labelled tableau layout of the three grids,
// the arrays it creates, and the answers it refuses.

#include "PivotTableau.h"
#include "support/TestWindow.h"

#include "app/Form1.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QtTest>

namespace {

// Every cell text of a grid, row by row.
QStringList allCellTexts(const TestWindow &w, const QString &grid)
{
    const QPair<int, int> size = gridSize(w, grid);
    QStringList rows;
    for (int r = 0; r < size.first; ++r)
        rows << w.rowTexts(grid, r, 0, size.second - 1).join(QLatin1Char('|'));
    return rows;
}

struct ArrayShape
{
    long inputRows, inputCols, workingRows, workingCols, sideRows, sideCols, costs;
    bool operator==(const ArrayShape &) const = default;
};

ArrayShape arrayShape(Form1 &f)
{
    return {f.matInput.rowUpperBound(),
            f.matInput.colUpperBound(),
            f.matWorking.rowUpperBound(),
            f.matWorking.colUpperBound(),
            f.matSide.rowUpperBound(),
            f.matSide.colUpperBound(),
            f.basicCost.isCreated() ? f.basicCost.upperBound() : -1};
}

} // namespace

class PivotDimTest : public QObject
{
    Q_OBJECT

  private slots:
    void layoutForThree();
    void acceptedAnswers_data();
    void acceptedAnswers();
    void refusedAnswers_data();
    void refusedAnswers();
    void smallerTableauKeepsCellsOutsideItsArea();
};

void PivotDimTest::layoutForThree()
{
    TestWindow w;
    pivotDim(w, "3");

    QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(w.form().dimN, std::int16_t(3));

    QCOMPARE(gridSize(w, "msfmain0"), qMakePair(5, 8));
    QCOMPARE(w.rowTexts("msfmain0", 0, 0, 7),
             QStringList({"", "0", "1", "2", "3", "", "upd", "Minr"}));
    QCOMPARE(columnTexts(w, "msfmain0", 0, 0, 4), QStringList({"", "1", "2", "3", "Cost"}));

    QCOMPARE(gridSize(w, "msfmain"), qMakePair(5, 6));
    QCOMPARE(w.rowTexts("msfmain", 0, 0, 5), QStringList({"", "0", "1", "2", "3", ""}));
    QCOMPARE(columnTexts(w, "msfmain", 0, 0, 4), QStringList({"", "1", "2", "3", "Total"}));

    QCOMPARE(gridSize(w, "msfunit"), qMakePair(4, 6));
    QCOMPARE(w.rowTexts("msfunit", 0, 0, 5), QStringList({"", "0", "1", "2", "3", ""}));
    QCOMPARE(columnTexts(w, "msfunit", 0, 0, 3), QStringList({"", "1", "2", "3"}));

    // Every header and label is centred.
    for (const QString grid : {"msfmain0", "msfmain", "msfunit"}) {
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(w.cellAlignment(grid, 0, c), Qt::AlignCenter);
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(w.cellAlignment(grid, r, 0), Qt::AlignCenter);
    }
    QCOMPARE(w.cellAlignment("msfmain0", 0, 6), Qt::AlignCenter);
    QCOMPARE(w.cellAlignment("msfmain0", 0, 7), Qt::AlignCenter);
    QCOMPARE(w.cellAlignment("msfmain0", 4, 0), Qt::AlignCenter);
    QCOMPARE(w.cellAlignment("msfmain", 4, 0), Qt::AlignCenter);

    // The data area is empty.
    for (const QString grid : {"msfmain0", "msfmain", "msfunit"})
        QCOMPARE(gridRows(w, grid, 3, 1, 5), QStringList(3, "||||"));

    Form1 &f = w.form();
    QCOMPARE(arrayShape(f), (ArrayShape{5, 6, 5, 5, 4, 5, 5}));
    QCOMPARE(f.basicCost.lowerBound(), 0L);
    const float costs[] = {0, 1, 1, 1, 0, 0};
    for (int i = 0; i <= 5; ++i)
        QCOMPARE(f.basicCost(i).value(), costs[i]);

    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 2));
}

void PivotDimTest::acceptedAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("n");

    QTest::newRow("1 counts as 2") << "1" << 2;
    QTest::newRow("2.5 rounds to even") << "2.5" << 2;
    QTest::newRow("3.5 rounds to even") << "3.5" << 4;
    QTest::newRow("leading number") << "4abc" << 4;
    QTest::newRow("leading blanks") << "  5" << 5;
    QTest::newRow("largest tableau") << "253" << 253;
    QTest::newRow("253.4 rounds down") << "253.4" << 253;
}

void PivotDimTest::acceptedAnswers()
{
    QFETCH(QString, answer);
    QFETCH(int, n);

    TestWindow w;
    pivotDim(w, answer);

    QCOMPARE(int(w.form().dimN), n);
    QCOMPARE(gridSize(w, "msfmain0"), qMakePair(n + 2, n + 5));
    QCOMPARE(gridSize(w, "msfmain"), qMakePair(n + 2, n + 3));
    QCOMPARE(gridSize(w, "msfunit"), qMakePair(n + 1, n + 3));
    QCOMPARE(w.rowTexts("msfmain0", 0, n, n + 4),
             QStringList({QString::number(n - 1), QString::number(n), "", "upd", "Minr"}));
    QCOMPARE(w.cellText("msfmain0", n + 1, 0), QStringLiteral("Cost"));
    QCOMPARE(w.cellText("msfmain", n + 1, 0), QStringLiteral("Total"));
    QCOMPARE(w.cellText("msfunit", n, 0), QString::number(n));
    QCOMPARE(arrayShape(w.form()), (ArrayShape{n + 2, n + 3, n + 2, n + 2, n + 1, n + 2, n + 2}));
    QCOMPARE(w.form().basicCost(n).value(), 1.0f);
    QCOMPARE(w.form().basicCost(n + 1).value(), 0.0f);
}

void PivotDimTest::refusedAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("zero") << "0" << false;
    QTest::newRow("negative") << "-3" << false;
    QTest::newRow("1.5") << "1.5" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("word") << "three" << false;
    QTest::newRow("cancelled") << "" << true;
    QTest::newRow("beyond the double range") << "1E400" << false;
    QTest::newRow("one past the largest") << "254" << false;
    QTest::newRow("253.5 rounds to 254") << "253.5" << false;
    QTest::newRow("beyond 16 bits") << "1E10" << false;
}

void PivotDimTest::refusedAnswers()
{
    QFETCH(QString, answer);
    QFETCH(bool, cancel);

    TestWindow w;
    pivotDim(w, "3");
    w.typeMatrix({{"7", "1", "2"}, {"", "3", "", "4"}});
    w.clickCell("msfmain0", 3, 4);

    const QStringList before[] = {allCellTexts(w, "msfmain0"), allCellTexts(w, "msfmain"),
                                  allCellTexts(w, "msfunit")};
    const ArrayShape shape = arrayShape(w.form());
    w.form().matInput(1, 1) = 42;

    if (cancel)
        w.cancelNextPrompt();
    else
        w.answerNextPrompt(answer);
    w.press("cmdpidim");

    QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(w.form().dimN, std::int16_t(3));
    QCOMPARE(arrayShape(w.form()), shape);
    // The arrays were not re-created.
    QCOMPARE(w.form().matInput(1, 1).toDouble(), 42.0);
    QCOMPARE(allCellTexts(w, "msfmain0"), before[0]);
    QCOMPARE(allCellTexts(w, "msfmain"), before[1]);
    QCOMPARE(allCellTexts(w, "msfunit"), before[2]);
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 2));
}

void PivotDimTest::smallerTableauKeepsCellsOutsideItsArea()
{
    TestWindow w;
    pivotDim(w, "4");
    QCOMPARE(w.cellText("msfmain0", 0, 5), QStringLiteral("4"));
    w.typeIntoCell(1, 1, "5");
    w.typeIntoCell(1, 6, "9");
    w.typeIntoCell(4, 1, "7");
    w.typeIntoCell(2, 7, "8");

    pivotDim(w, "3");

    QCOMPARE(gridSize(w, "msfmain0"), qMakePair(5, 8));
    QCOMPARE(gridSize(w, "msfmain"), qMakePair(5, 6));
    QCOMPARE(gridSize(w, "msfunit"), qMakePair(4, 6));
    // The data area of the new size is blank, and so is the header of its
    // right-hand side column, which read "4" before.
    QCOMPARE(gridRows(w, "msfmain0", 3, 1, 5), QStringList(3, "||||"));
    QCOMPARE(w.rowTexts("msfmain0", 0, 0, 7),
             QStringList({"", "0", "1", "2", "3", "", "upd", "Minr"}));
    QCOMPARE(w.cellText("msfmain", 0, 5), QString());
    // What lay outside the area keeps its text: the old right-hand side is now
    // under "upd", the old "upd" under "Minr", and the old row 4 is the
    // "Cost" row.
    QCOMPARE(w.cellText("msfmain0", 1, 6), QStringLiteral("9"));
    QCOMPARE(w.cellText("msfmain0", 2, 7), QStringLiteral("8"));
    QCOMPARE(w.rowTexts("msfmain0", 4, 0, 1), QStringList({"Cost", "7"}));
}

QTEST_MAIN(PivotDimTest)
#include "tst_pivotdim.moc"
