// Typing into the input grid: each character is appended to the current
// cell, which turns arial 9, centred, on white; Backspace empties the cell.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"

#include <QtTest>

namespace {

const QStringList GridNames = {"msfmain0", "msfmain", "msfunit"};

QVariant cellData(TestWindow &w, const QString &grid, int row, int col, int role)
{
    w.cellText(grid, row, col); // publishes pending changes
    return w.grid(grid)->model()->index(row, col).data(role);
}

QStringList everyCell(TestWindow &w)
{
    QStringList texts;
    for (const QString &grid : GridNames) {
        const QAbstractItemModel *model = w.grid(grid)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << w.rowTexts(grid, r, 0, model->columnCount() - 1);
    }
    return texts;
}

void makeCurrent(TestWindow &w, int row, int col)
{
    CellGrid &cells = w.grid("msfmain0")->cells();
    QVERIFY(cells.setRow(row));
    QVERIFY(cells.setCol(col));
    w.grid("msfmain0")->flush();
}

} // namespace

class KeyEntryTest : public QObject
{
    Q_OBJECT

  private slots:
    void typedCellIsMarked();
    void typingRightAfterStartUpFillsFirstCell();
    void charactersAreAppended_data();
    void charactersAreAppended();
    void backspaceEmptiesTheCell_data();
    void backspaceEmptiesTheCell();
    void rowsBeyondSeventyTakeNoCharacters();
    void deleteKeepsTheText();
    void arrowKeysChooseTheCell();
    void headerCellTakesCharacters();
    void otherGridsTakeNoKeys_data();
    void otherGridsTakeNoKeys();
    void editMark_data();
    void editMark();
};

void KeyEntryTest::typedCellIsMarked()
{
    TestWindow w;
    w.typeIntoCell(2, 3, "12.5");

    QCOMPARE(w.cellText("msfmain0", 2, 3), QStringLiteral("12.5"));
    QCOMPARE(w.cellAlignment("msfmain0", 2, 3), Qt::AlignCenter);
    const QFont font = cellData(w, "msfmain0", 2, 3, Qt::FontRole).value<QFont>();
    QCOMPARE(font.family().toLower(), QStringLiteral("arial"));
    QCOMPARE(font.pointSizeF(), 9.0);
    const QBrush background = cellData(w, "msfmain0", 2, 3, Qt::BackgroundRole).value<QBrush>();
    QCOMPARE(background.color(), QColor(Qt::white));
    // The grid never moves the current cell itself.
    QCOMPARE(w.grid("msfmain0")->currentIndex(), w.grid("msfmain0")->model()->index(2, 3));
    // A cell nobody typed into keeps the grid's look.
    QVERIFY(!cellData(w, "msfmain0", 1, 1, Qt::BackgroundRole).isValid() ||
            cellData(w, "msfmain0", 1, 1, Qt::BackgroundRole).value<QBrush>().style() ==
                Qt::NoBrush);
}

void KeyEntryTest::typingRightAfterStartUpFillsFirstCell()
{
    TestWindow w;
    w.typeText("8");
    QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("8"));
    QCOMPARE(w.rowTexts("msfmain0", 1, 2, 3), (QStringList{"", ""}));
    QCOMPARE(w.rowTexts("msfmain0", 2, 1, 3), (QStringList{"", "", ""}));
}

void KeyEntryTest::charactersAreAppended_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no overwrite on the first key") << "3"
                                                   << "4"
                                                   << "34";
    QTest::newRow("letters are kept") << "1"
                                      << "kg"
                                      << "1kg";
    QTest::newRow("Enter adds a carriage return") << "7"
                                                  << "\r"
                                                  << "7\r";
    QTest::newRow("Escape is appended") << "7"
                                        << "\x1b"
                                        << "7\x1b";
    QTest::newRow("minus and exponent") << "-2"
                                        << "E3"
                                        << "-2E3";
}

void KeyEntryTest::charactersAreAppended()
{
    QFETCH(QString, first);
    QFETCH(QString, then);
    QFETCH(QString, expected);

    TestWindow w;
    w.typeIntoCell(1, 2, first);
    w.clickCell("msfmain0", 2, 1);
    w.typeIntoCell(1, 2, then);
    QCOMPARE(w.cellText("msfmain0", 1, 2), expected);
    QCOMPARE(w.cellText("msfmain0", 2, 1), QString());
}

void KeyEntryTest::backspaceEmptiesTheCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("inner cell") << 1 << 1;
    QTest::newRow("right-hand side") << 2 << 3;
    QTest::newRow("header cell") << 0 << 2;
}

void KeyEntryTest::backspaceEmptiesTheCell()
{
    QFETCH(int, row);
    QFETCH(int, col);
    TestWindow w;
    makeCurrent(w, row, col);
    w.typeText("12.5");
    QVERIFY(w.cellText("msfmain0", row, col).endsWith("12.5"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);

    QCOMPARE(w.cellText("msfmain0", row, col), QString());
    QCOMPARE(cellData(w, "msfmain0", row, col, Qt::BackgroundRole).value<QBrush>().color(),
             QColor(Qt::white));
}

void KeyEntryTest::rowsBeyondSeventyTakeNoCharacters()
{
    TestWindow w;
    w.answerNextPrompt("75");
    w.press("cmddim");
    QCOMPARE(w.form().dimN, 75);

    w.typeIntoCell(70, 1, "4");
    QCOMPARE(w.cellText("msfmain0", 70, 1), QStringLiteral("4"));

    w.typeIntoCell(71, 1, "4");
    QCOMPARE(w.cellText("msfmain0", 71, 1), QString());
    QCOMPARE(w.cellAlignment("msfmain0", 71, 1), Qt::AlignCenter);
    QCOMPARE(cellData(w, "msfmain0", 71, 1, Qt::FontRole).value<QFont>().family().toLower(),
             QStringLiteral("arial"));

    // Backspace still empties such a cell.
    CellGrid &cells = w.grid("msfmain0")->cells();
    QVERIFY(cells.setRow(72));
    QVERIFY(cells.setCol(2));
    cells.setText("5");
    w.clickCell("msfmain0", 72, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(w.cellText("msfmain0", 72, 2), QString());
}

void KeyEntryTest::deleteKeepsTheText()
{
    TestWindow w;
    w.typeIntoCell(1, 1, "12");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("12"));
}

void KeyEntryTest::arrowKeysChooseTheCell()
{
    TestWindow w;
    w.typeText("1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    w.typeText("2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    w.typeText("3");
    QCOMPARE(w.rowTexts("msfmain0", 1, 1, 2), (QStringList{"1", "2"}));
    QCOMPARE(w.rowTexts("msfmain0", 2, 1, 2), (QStringList{"", "3"}));
}

void KeyEntryTest::headerCellTakesCharacters()
{
    TestWindow w;
    makeCurrent(w, 0, 2);
    w.typeText("x");
    QCOMPARE(w.cellText("msfmain0", 0, 2), QStringLiteral("2x"));
    QCOMPARE(w.cellText("msfmain0", 1, 1), QString());
}

void KeyEntryTest::otherGridsTakeNoKeys_data()
{
    QTest::addColumn<QString>("grid");
    QTest::newRow("msfmain") << "msfmain";
    QTest::newRow("msfunit") << "msfunit";
}

void KeyEntryTest::otherGridsTakeNoKeys()
{
    QFETCH(QString, grid);
    TestWindow w;
    w.typeIntoCell(1, 1, "5");
    const QStringList before = everyCell(w);

    w.clickCell(grid, 1, 2);
    QCOMPARE(QApplication::focusWidget(), w.grid(grid));
    w.typeText("12.5\b");

    QCOMPARE(everyCell(w), before);
    QVERIFY(!cellData(w, grid, 1, 2, Qt::BackgroundRole).isValid() ||
            cellData(w, grid, 1, 2, Qt::BackgroundRole).value<QBrush>().style() == Qt::NoBrush);
}

void KeyEntryTest::editMark_data()
{
    QTest::addColumn<int>("pivotState");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("editMark");

    QTest::newRow("no tableau, column 1") << 0 << 1 << "3" << 0;
    QTest::newRow("tableau, column 1") << 1 << 1 << "3" << 1;
    QTest::newRow("tableau, column 1, Backspace") << 1 << 1 << "\b" << 1;
    QTest::newRow("tableau, column 2") << 1 << 2 << "3" << 0;
    QTest::newRow("tableau, column 3") << 1 << 3 << "3" << 0;
}

void KeyEntryTest::editMark()
{
    QFETCH(int, pivotState);
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(int, editMark);

    TestWindow w;
    w.form().pivotState = static_cast<std::uint8_t>(pivotState);
    w.typeIntoCell(2, col, keys);
    QCOMPARE(w.form().editMark.toDouble(), double(editMark));
    // Once set, it stays set whatever is typed where.
    if (editMark == 1) {
        w.typeIntoCell(1, 2, "4");
        QCOMPARE(w.form().editMark.toDouble(), 1.0);
    }
}

QTEST_MAIN(KeyEntryTest)
#include "tst_keyentry.moc"
