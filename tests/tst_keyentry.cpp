// Typing into the input grid: each character is appended to the current
// cell, which turns arial 9, centred, on white; Backspace empties the cell.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"

#include <QtTest>

namespace {

QVariant cellData(TestWindow &w, const QString &grid, int row, int col, int role)
{
    w.cellText(grid, row, col); // publishes pending changes
    return w.grid(grid)->model()->index(row, col).data(role);
}

bool isWhite(TestWindow &w, const QString &grid, int row, int col)
{
    return cellData(w, grid, row, col, Qt::BackgroundRole).value<QBrush>().color() == Qt::white;
}

// Makes the cell current (a header cell too) and presses Backspace there.
void backspaceAt(TestWindow &w, int row, int col)
{
    QVERIFY(w.grid("msfmain0")->cells().setRow(row) && w.grid("msfmain0")->cells().setCol(col));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
}

} // namespace

class KeyEntryTest : public QObject
{
    Q_OBJECT

  private slots:
    void typedCellIsMarked()
    {
        TestWindow w;
        w.typeIntoCell(2, 3, "12.5");
        QCOMPARE(w.cellText("msfmain0", 2, 3), QStringLiteral("12.5"));
        QCOMPARE(w.cellAlignment("msfmain0", 2, 3), Qt::AlignCenter);
        const QFont font = cellData(w, "msfmain0", 2, 3, Qt::FontRole).value<QFont>();
        QCOMPARE(font.family().toLower(), QStringLiteral("arial"));
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY(isWhite(w, "msfmain0", 2, 3));
        QVERIFY(!isWhite(w, "msfmain0", 1, 1));
    }

    void charactersAreAppended()
    {
        TestWindow w;
        w.typeIntoCell(1, 2, "-2");
        w.typeIntoCell(2, 1, "x");
        w.typeIntoCell(1, 2, "E3kg");
        QCOMPARE(w.rowTexts("msfmain0", 1, 1, 2), QStringList({"", "-2E3kg"}));
        // Backspace empties the cell, in any row, the header row too.
        for (const QPoint &cell : {QPoint(1, 2), QPoint(2, 1), QPoint(0, 2)}) {
            backspaceAt(w, cell.x(), cell.y());
            QCOMPARE(w.cellText("msfmain0", cell.x(), cell.y()), QString());
            QVERIFY(isWhite(w, "msfmain0", cell.x(), cell.y()));
        }
    }

    void enterIsAppendedAndReadsAsSeven()
    {
        TestWindow w;
        w.typeMatrix({{"7\r", "0", "14"}, {"0", "1", "2"}});
        QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("7\r"));
        w.press("cmdrun");
        QCOMPARE(w.rowTexts("msfmain", 1, 1, 3), QStringList({"1", "0", "2"}));
    }

    void rowsBeyondSeventyTakeNoCharacters()
    {
        TestWindow w;
        w.answerNextPrompt("75");
        w.press("cmddim");
        w.typeIntoCell(70, 1, "4");
        w.typeIntoCell(71, 1, "4");
        QCOMPARE(w.cellText("msfmain0", 70, 1), QStringLiteral("4"));
        QCOMPARE(w.cellText("msfmain0", 71, 1), QString());
        // Backspace still empties such a cell.
        w.grid("msfmain0")->cells().setText("5");
        QCOMPARE(w.cellText("msfmain0", 71, 1), QStringLiteral("5"));
        backspaceAt(w, 71, 1);
        QCOMPARE(w.cellText("msfmain0", 71, 1), QString());
    }

    void otherGridsTakeNoKeys()
    {
        TestWindow w;
        w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
        w.press("cmdrun");
        for (const char *grid : {"msfmain", "msfunit"}) {
            const QStringList before = w.rowTexts(grid, 1, 0, 3) + w.rowTexts(grid, 2, 0, 3);
            w.clickCell(grid, 1, 2);
            w.typeText("12.5\b");
            QCOMPARE(w.rowTexts(grid, 1, 0, 3) + w.rowTexts(grid, 2, 0, 3), before);
            QCOMPARE(w.cellText("msfmain0", 1, 2), QStringLiteral("1"));
        }
    }

    void editMark_data()
    {
        QTest::addColumn<int>("pivotState");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("editMark");
        QTest::newRow("no tableau, column 1") << 0 << 1 << "3" << 0;
        QTest::newRow("tableau, column 1") << 1 << 1 << "3" << 1;
        QTest::newRow("tableau, column 1, Backspace") << 1 << 1 << "\b" << 1;
        QTest::newRow("tableau, column 2") << 1 << 2 << "3" << 0;
    }

    void editMark()
    {
        QFETCH(int, pivotState);
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(int, editMark);
        TestWindow w;
        w.form().pivotState = static_cast<std::uint8_t>(pivotState);
        w.typeIntoCell(2, col, keys);
        QCOMPARE(w.form().editMark.toDouble(), double(editMark));
    }
};

QTEST_MAIN(KeyEntryTest)
#include "tst_keyentry.moc"
