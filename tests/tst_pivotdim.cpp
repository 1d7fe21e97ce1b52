// PIVOT DIM: the size prompt, the labelled tableau layout of the three grids,
// the arrays it creates, and the answers it refuses.

#include "PivotTableau.h"
#include "support/TestWindow.h"

#include "app/Form1.h"

#include <QApplication>
#include <QtTest>

namespace {

QStringList allCellTexts(const TestWindow &w)
{
    QStringList rows;
    for (const char *grid : {"msfmain0", "msfmain", "msfunit"})
        for (int r = 0; r < gridSize(w, grid).first; ++r)
            rows << w.rowTexts(grid, r, 0, gridSize(w, grid).second - 1).join('|');
    return rows;
}

void checkFocusOnTableau(const TestWindow &w)
{
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QCOMPARE(currentCell(w, "msfmain0"), qMakePair(1, 2));
}

} // namespace

class PivotDimTest : public QObject
{
    Q_OBJECT

  private slots:
    void layoutForThree()
    {
        TestWindow w;
        pivotDim(w, "3");
        QCOMPARE(w.form().dimN, std::int16_t(3));
        QCOMPARE(gridSize(w, "msfmain0"), qMakePair(5, 8));
        QCOMPARE(gridSize(w, "msfmain"), qMakePair(5, 6));
        QCOMPARE(gridSize(w, "msfunit"), qMakePair(4, 6));
        QCOMPARE(w.rowTexts("msfmain0", 0, 0, 7),
                 QStringList({"", "0", "1", "2", "3", "", "upd", "Minr"}));
        QCOMPARE(columnTexts(w, "msfmain0", 0, 0, 4), QStringList({"", "1", "2", "3", "Cost"}));
        QCOMPARE(columnTexts(w, "msfmain", 0, 0, 4), QStringList({"", "1", "2", "3", "Total"}));
        for (const QString grid : {"msfmain", "msfunit"})
            QCOMPARE(w.rowTexts(grid, 0, 0, 5), QStringList({"", "0", "1", "2", "3", ""}));
        QCOMPARE(columnTexts(w, "msfunit", 0, 0, 3), QStringList({"", "1", "2", "3"}));
        // Every header and label is centred; the data area is empty.
        for (const QString grid : {"msfmain0", "msfmain", "msfunit"}) {
            for (int i = 1; i <= 4; ++i)
                QCOMPARE(w.cellAlignment(grid, 0, i), Qt::AlignCenter);
            for (int i = 1; i <= 3; ++i)
                QCOMPARE(w.cellAlignment(grid, i, 0), Qt::AlignCenter);
            QCOMPARE(gridRows(w, grid, 3, 1, 5), QStringList(3, "||||"));
        }
        for (const QPoint &label : {QPoint(0, 6), QPoint(0, 7), QPoint(4, 0)})
            QCOMPARE(w.cellAlignment("msfmain0", label.x(), label.y()), Qt::AlignCenter);
        QCOMPARE(w.cellAlignment("msfmain", 4, 0), Qt::AlignCenter);
        // The costs of the basic variables start at 1.
        const float costs[] = {0, 1, 1, 1, 0, 0};
        for (int i = 0; i <= 5; ++i)
            QCOMPARE(w.form().basicCost(i).value(), costs[i]);
        checkFocusOnTableau(w);
    }

    void acceptedAnswers()
    {
        for (auto [answer, n] : {std::pair{"1", 2}, {"3.5", 4}, {"253", 253}}) {
            TestWindow w;
            pivotDim(w, answer);
            QCOMPARE(int(w.form().dimN), n);
            QCOMPARE(gridSize(w, "msfmain0"), qMakePair(n + 2, n + 5));
            QCOMPARE(w.rowTexts("msfmain0", 0, n + 1, n + 4),
                     QStringList({QString::number(n), "", "upd", "Minr"}));
            QCOMPARE(w.cellText("msfmain", n + 1, 0), QStringLiteral("Total"));
        }
    }

    void refusedAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        for (const char *answer :
             {"0", "-3", "1.5", "", "three", "Cancel", "1E400", "254", "253.5", "1E10"})
            QTest::newRow(*answer ? answer : "empty") << QString(answer);
    }

    void refusedAnswers()
    {
        QFETCH(QString, answer);
        TestWindow w;
        pivotDim(w, "3");
        w.typeMatrix({{"7", "1", "2"}, {"", "3", "", "4"}});
        w.clickCell("msfmain0", 3, 4);
        const QStringList before = allCellTexts(w);
        w.form().matInput(1, 1) = 42;
        if (answer == "Cancel")
            w.cancelNextPrompt();
        else
            w.answerNextPrompt(answer);
        w.press("cmdpidim");
        QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
        QCOMPARE(w.form().dimN, std::int16_t(3));
        // The arrays were not re-created.
        QCOMPARE(w.form().matInput(1, 1).toDouble(), 42.0);
        QCOMPARE(allCellTexts(w), before);
        checkFocusOnTableau(w);
    }
};

QTEST_MAIN(PivotDimTest)
#include "tst_pivotdim.moc"
