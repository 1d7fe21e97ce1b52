#include "ui/GridView.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>
#include <vector>

// Three grids and a line edit in a plain window, the way the main window
// stacks its grids, driven through CellGrid and real key and mouse events.
class GridViewTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void rolesOfWrittenCells();
    void backColorIsBgr_data();
    void backColorIsBgr();
    void resizingKeepsTextsAndClampsCurrentCell();
    void rowOrColumnOutsideGridIsRefused();
    void flushPublishesChangesOnce();
    void arrowKeysMoveAmongNonFixedCells_data();
    void arrowKeysMoveAmongNonFixedCells();
    void clickMovesCurrentCellExceptOnFixedCells();
    void keysScrollCurrentCellIntoViewButProceduresDoNot();
    void typedKeysReachKeyPress_data();
    void typedKeysReachKeyPress();
    void gridNeverEditsOrSearches();
    void tabMovesFocusAndSetFocusTakesIt();
    void fixedCellsStayAndAreShaded();
    void assistiveTechnologyReadsTheCells();

  private:
    QModelIndex at(int row, int col) const { return grid->model()->index(row, col); }
    QString textAt(int row, int col) const { return at(row, col).data().toString(); }
    void write(int row, int col, const char *text);
    void clickCell(int row, int col);

    std::unique_ptr<QWidget> window;
    GridView *grid = nullptr;
    GridView *second = nullptr;
    QLineEdit *edit = nullptr;
    std::vector<char16_t> typed;
};

void GridViewTest::init()
{
    window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    grid = new GridView;
    second = new GridView;
    edit = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(second);
    layout->addWidget(new GridView);
    layout->addWidget(edit);
    window->resize(500, 600);
    typed.clear();
    grid->cells().setKeyPressHandler([this](char16_t code) { typed.push_back(code); });
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
}

void GridViewTest::cleanup()
{
    window.reset();
}

void GridViewTest::write(int row, int col, const char *text)
{
    CellGrid &cells = grid->cells();
    QVERIFY(cells.setRow(row));
    QVERIFY(cells.setCol(col));
    cells.setText(text);
}

void GridViewTest::clickCell(int row, int col)
{
    const QRect rect = grid->visualRect(at(row, col));
    QVERIFY(grid->viewport()->rect().contains(rect.center()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

void GridViewTest::rolesOfWrittenCells()
{
    CellGrid &cells = grid->cells();
    write(1, 1, "12.5");
    cells.setCellAlignment(CellGrid::AlignCenterCenter);
    cells.setCellFontName("arial");
    cells.setCellFontSize(9);
    write(1, 2, "0.3333");
    cells.setCellAlignment(CellGrid::AlignLeftCenter);
    write(2, 3, "\xC3\xA9t\xC3\xA9");
    grid->flush();

    QCOMPARE(textAt(1, 1), QString("12.5"));
    QCOMPARE(textAt(1, 2), QString("0.3333"));
    QCOMPARE(textAt(2, 3), QString::fromUtf8("été"));
    QCOMPARE(textAt(2, 1), QString());
    QCOMPARE(cells.text(), std::string("\xC3\xA9t\xC3\xA9"));

    const auto alignment = [this](int r, int c) {
        return at(r, c).data(Qt::TextAlignmentRole).toInt();
    };
    QCOMPARE(alignment(1, 1), int(Qt::AlignCenter));
    QCOMPARE(alignment(1, 2), int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(alignment(2, 3), int(Qt::AlignLeft | Qt::AlignVCenter)); // never aligned

    const QFont typedFont = at(1, 1).data(Qt::FontRole).value<QFont>();
    QCOMPARE(typedFont.family(), QString("arial"));
    QCOMPARE(typedFont.pointSizeF(), 9.0);
    const QFont gridFont = at(1, 2).data(Qt::FontRole).value<QFont>();
    QCOMPARE(gridFont.family(), QString("MS Sans Serif"));
    QCOMPARE(gridFont.pointSizeF(), 8.25);
    QCOMPARE(gridFont.bold(), false);
    QVERIFY(!at(1, 2).data(Qt::BackgroundRole).isValid());
}

void GridViewTest::backColorIsBgr_data()
{
    QTest::addColumn<uint>("bgr");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("white") << 0xFFFFFFu << QColor(255, 255, 255);
    QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("mixed") << 0x204080u << QColor(0x80, 0x40, 0x20);
}

void GridViewTest::backColorIsBgr()
{
    QFETCH(uint, bgr);
    QFETCH(QColor, colour);
    write(2, 2, "7");
    grid->cells().setCellBackColor(bgr);
    grid->flush();
    QCOMPARE(at(2, 2).data(Qt::BackgroundRole).value<QBrush>().color(), colour);
    // Drawn as such, inside the cell and away from the current-cell frame.
    grid->cells().setRow(1);
    grid->flush();
    const QRect rect = grid->visualRect(at(2, 2));
    const QImage image = grid->viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(rect.right() - 3, rect.bottom() - 3), colour);
}

void GridViewTest::resizingKeepsTextsAndClampsCurrentCell()
{
    CellGrid &cells = grid->cells();
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->columnCount(), 4);
    QCOMPARE(cells.row(), 1); // the first cell below and right of the headers
    QCOMPARE(cells.col(), 1);
    QCOMPARE(grid->currentIndex(), at(1, 1));
    write(0, 3, "h");
    write(1, 1, "a");
    write(2, 3, "b");
    cells.setCellAlignment(CellGrid::AlignCenterCenter);

    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    cells.setRows(6);
    cells.setCols(7);
    QCOMPARE(resets.count(), 2); // at once, not at the next flush
    QCOMPARE(grid->model()->rowCount(), 6);
    QCOMPARE(grid->model()->columnCount(), 7);
    QCOMPARE(cells.rows(), 6);
    QCOMPARE(cells.cols(), 7);
    QCOMPARE(textAt(0, 3), QString("h"));
    QCOMPARE(textAt(1, 1), QString("a"));
    QCOMPARE(textAt(2, 3), QString("b"));
    QCOMPARE(at(2, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(textAt(5, 6), QString());
    write(5, 6, "far");

    // The current cell (5, 6) goes; it moves to the last row and column left.
    cells.setRows(3);
    cells.setCols(2);
    QCOMPARE(cells.row(), 2);
    QCOMPARE(cells.col(), 1);
    grid->flush();
    QCOMPARE(grid->currentIndex(), at(2, 1));
    QCOMPARE(textAt(1, 1), QString("a"));

    // The header row and column always exist; a grid too large is refused.
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, cells.setRows(0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, cells.setCols(-1));
    QVERIFY_THROWS_EXCEPTION(std::length_error, cells.setCols(1 << 30));
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->columnCount(), 2);
    QCOMPARE(textAt(1, 1), QString("a"));

    // Cells that come back are empty.
    cells.setRows(6);
    cells.setCols(7);
    QCOMPARE(textAt(2, 3), QString());
    QCOMPARE(textAt(0, 3), QString());
    QCOMPARE(textAt(5, 6), QString());
    QCOMPARE(textAt(1, 1), QString("a"));
}

void GridViewTest::rowOrColumnOutsideGridIsRefused()
{
    CellGrid &cells = grid->cells();
    write(2, 3, "x");
    for (int row : {-1, 3, 1000})
        QVERIFY(!cells.setRow(row));
    for (int col : {-1, 4, 1000})
        QVERIFY(!cells.setCol(col));
    QCOMPARE(cells.row(), 2);
    QCOMPARE(cells.col(), 3);
    cells.setText("y"); // lands on the cell still current
    grid->flush();
    QCOMPARE(grid->currentIndex(), at(2, 3));
    QCOMPARE(textAt(2, 3), QString("y"));
    QVERIFY(!cells.setColWidth(4, 700));
    QVERIFY(cells.setColWidth(3, 700));
}

void GridViewTest::flushPublishesChangesOnce()
{
    CellGrid &cells = grid->cells();
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
    write(1, 1, "a");
    write(2, 3, "b");
    write(1, 2, "c");
    QCOMPARE(changes.count(), 0);
    QCOMPARE(textAt(2, 3), QString("b")); // the model reads the cells themselves
    grid->flush();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].value<QModelIndex>(), at(1, 1));
    QCOMPARE(changes[0][1].value<QModelIndex>(), at(2, 3));
    QCOMPARE(grid->currentIndex(), at(1, 2));
    grid->flush();
    QCOMPARE(changes.count(), 1);
    QVERIFY(cells.setRow(2));
    grid->flush();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(grid->currentIndex(), at(2, 2));
}

void GridViewTest::arrowKeysMoveAmongNonFixedCells_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("right") << QList<int>{Qt::Key_Right} << 1 << 2;
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << 2 << 1;
    QTest::newRow("up stays below the header row") << QList<int>{Qt::Key_Up} << 1 << 1;
    QTest::newRow("left stays right of the header column") << QList<int>{Qt::Key_Left} << 1 << 1;
    QTest::newRow("down, right, up")
        << QList<int>{Qt::Key_Down, Qt::Key_Right, Qt::Key_Up} << 1 << 2;
    QTest::newRow("down stops at the last row")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 4 << 1;
    QTest::newRow("end, then home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 1 << 1;
    QTest::newRow("end") << QList<int>{Qt::Key_End} << 1 << 5;
}

void GridViewTest::arrowKeysMoveAmongNonFixedCells()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, row);
    QFETCH(int, col);
    CellGrid &cells = grid->cells();
    cells.setRows(5);
    cells.setCols(6);
    write(1, 1, "");
    grid->flush();
    for (int key : keys)
        QTest::keyClick(grid, Qt::Key(key));
    QCOMPARE(grid->currentIndex(), at(row, col));
    QCOMPARE(cells.row(), row);
    QCOMPARE(cells.col(), col);
    QVERIFY(typed.empty());
}

void GridViewTest::clickMovesCurrentCellExceptOnFixedCells()
{
    CellGrid &cells = grid->cells();
    write(1, 1, "");
    grid->flush();
    clickCell(2, 3);
    QCOMPARE(grid->currentIndex(), at(2, 3));
    QCOMPARE(cells.row(), 2);
    QCOMPARE(cells.col(), 3);
    clickCell(0, 2);
    clickCell(1, 0);
    clickCell(0, 0);
    QCOMPARE(grid->currentIndex(), at(2, 3));
    QCOMPARE(cells.row(), 2);
    QCOMPARE(cells.col(), 3);

    // A click gives the focus too, and typing then goes into the clicked cell.
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::mouseClick(second->viewport(), Qt::LeftButton, {},
                      second->visualRect(second->model()->index(1, 2)).center());
    QTRY_VERIFY(second->hasFocus());
    QCOMPARE(second->cells().row(), 1);
    QCOMPARE(second->cells().col(), 2);
}

void GridViewTest::keysScrollCurrentCellIntoViewButProceduresDoNot()
{
    CellGrid &cells = grid->cells();
    cells.setRows(101);
    cells.setCols(40);
    write(1, 1, "");
    grid->flush();
    const QRect area = grid->viewport()->rect();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex(), at(100, 39));
    QVERIFY(area.contains(grid->visualRect(at(100, 39))));
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    QVERIFY(grid->horizontalScrollBar()->value() > 0);

    // The fixed cells stay at the top and left while the rest has scrolled.
    QCOMPARE(grid->visualRect(at(0, 0)).topLeft(), QPoint(0, 0));
    QCOMPARE(grid->visualRect(at(5, 0)).left(), 0);
    QCOMPARE(grid->visualRect(at(0, 5)).top(), 0);

    // A point of the scrolled cell leads back to it.
    const QRect firstShown = grid->visualRect(at(100, 39));
    QCOMPARE(grid->indexAt(firstShown.center()), at(100, 39));

    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex(), at(1, 1));
    QCOMPARE(grid->verticalScrollBar()->value(), 0);
    QCOMPARE(grid->horizontalScrollBar()->value(), 0);
    write(90, 30, "quiet");
    grid->flush();
    QCOMPARE(grid->currentIndex(), at(90, 30));
    QCOMPARE(grid->verticalScrollBar()->value(), 0);
}

void GridViewTest::typedKeysReachKeyPress_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QList<int>>("codes");
    const Qt::KeyboardModifiers none;
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << none << QList<int>{'7'};
    QTest::newRow("letter") << int(Qt::Key_E) << "e" << none << QList<int>{'e'};
    QTest::newRow("capital") << int(Qt::Key_E) << "E" << Qt::KeyboardModifiers(Qt::ShiftModifier)
                             << QList<int>{'E'};
    QTest::newRow("full stop") << int(Qt::Key_Period) << "." << none << QList<int>{'.'};
    QTest::newRow("space") << int(Qt::Key_Space) << " " << none << QList<int>{32};
    QTest::newRow("keypad digit") << int(Qt::Key_5) << "5"
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier) << QList<int>{'5'};
    QTest::newRow("e acute") << int(Qt::Key_Eacute) << QString::fromUtf8("é") << none
                             << QList<int>{0xE9};
    QTest::newRow("euro") << int(Qt::Key_unknown) << QString::fromUtf8("€") << none
                          << QList<int>{0x20AC};
    QTest::newRow("outside the basic plane")
        << int(Qt::Key_unknown) << QString::fromUtf8("😀") << none << QList<int>{0xD83D, 0xDE00};
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << none << QList<int>{8};
    QTest::newRow("return") << int(Qt::Key_Return) << "\r" << none << QList<int>{13};
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r"
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier) << QList<int>{13};
    QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << none << QList<int>{27};
    QTest::newRow("ctrl+a, text as on X11")
        << int(Qt::Key_A) << "\x01" << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{1};
    QTest::newRow("ctrl+a, text as elsewhere")
        << int(Qt::Key_A) << "a" << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{1};
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << "\x1a"
                            << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{26};
    QTest::newRow("alt+p") << int(Qt::Key_P) << "p" << Qt::KeyboardModifiers(Qt::AltModifier)
                           << QList<int>{};
    QTest::newRow("alt+m") << int(Qt::Key_M) << "m" << Qt::KeyboardModifiers(Qt::AltModifier)
                           << QList<int>{};
    QTest::newRow("delete") << int(Qt::Key_Delete) << "\x7f" << none << QList<int>{};
    QTest::newRow("f2") << int(Qt::Key_F2) << "" << none << QList<int>{};
    QTest::newRow("insert") << int(Qt::Key_Insert) << "" << none << QList<int>{};
    QTest::newRow("ctrl+digit") << int(Qt::Key_1) << "1"
                                << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{};
}

void GridViewTest::typedKeysReachKeyPress()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QList<int>, codes);
    write(1, 1, "3");
    grid->flush();
    QTest::sendKeyEvent(QTest::Click, grid, Qt::Key(key), text, modifiers);
    QCOMPARE(QList<int>(typed.begin(), typed.end()), codes);
    // The grid itself changes no cell and does not move.
    QCOMPARE(textAt(1, 1), QString("3"));
    QCOMPARE(grid->currentIndex(), at(1, 1));
}

void GridViewTest::gridNeverEditsOrSearches()
{
    CellGrid &cells = grid->cells();
    write(2, 2, "b");
    write(1, 1, "a");
    grid->flush();
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, 'b');
    QCOMPARE(grid->currentIndex(), at(1, 1)); // no jump to the cell reading "b"
    const QPoint centre = grid->visualRect(at(2, 2)).center();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::keyClick(grid, 'x');
    QCOMPARE(QApplication::focusWidget(), grid);
    QVERIFY(grid->findChildren<QLineEdit *>().isEmpty());
    QCOMPARE(textAt(1, 1), QString("a"));
    QCOMPARE(textAt(2, 2), QString("b"));
    QCOMPARE(cells.row(), 2);
    QCOMPARE(cells.col(), 2);
    QCOMPARE(QList<int>(typed.begin(), typed.end()), (QList<int>{'b', 'x'}));
    QVERIFY(!grid->model()->setData(at(1, 1), "z"));
    QCOMPARE(textAt(1, 1), QString("a"));
}

void GridViewTest::tabMovesFocusAndSetFocusTakesIt()
{
    QTest::keyClick(grid, Qt::Key_Tab);
    QTRY_VERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(grid->hasFocus());
    QVERIFY(typed.empty());
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    grid->cells().setFocus();
    QVERIFY(grid->hasFocus());
    QCOMPARE(QApplication::focusWidget(), grid);
}

void GridViewTest::fixedCellsStayAndAreShaded()
{
    CellGrid &cells = grid->cells();
    cells.setRows(60);
    QVERIFY(cells.setColWidth(0, 700));
    grid->flush();
    // 700 twips at the widget's resolution (15 twips a pixel at 96 dpi).
    QCOMPARE(grid->visualRect(at(1, 0)).width(), qRound(700.0 * grid->logicalDpiX() / 1440));
    QCOMPARE(grid->visualRect(at(1, 3)).width(), qRound(960.0 * grid->logicalDpiX() / 1440));
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    const QImage image = grid->viewport()->grab().toImage();
    const QColor button = grid->palette().color(QPalette::Button);
    const QColor base = grid->palette().color(QPalette::Base);
    const auto inside = [this](int r, int c) {
        return grid->visualRect(at(r, c)).topLeft() + QPoint(4, 4);
    };
    QCOMPARE(image.pixelColor(inside(0, 2)), button);
    QCOMPARE(image.pixelColor(inside(0, 0)), button);
    QCOMPARE(image.pixelColor(inside(59, 0)), button);
    QCOMPARE(image.pixelColor(inside(59, 2)), base);
    QCOMPARE(grid->indexAt(inside(0, 2)), at(0, 2));
    QCOMPARE(grid->indexAt(inside(59, 2)), at(59, 2));
}

void GridViewTest::assistiveTechnologyReadsTheCells()
{
    write(0, 2, "2");
    write(1, 2, "12.5");
    grid->flush();
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface *cells = table->tableInterface();
    QVERIFY(cells);
    QCOMPARE(cells->rowCount(), 3);
    QCOMPARE(cells->columnCount(), 4);
    QAccessibleInterface *cell = cells->cellAt(1, 2);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QString("12.5"));
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cells->cellAt(1, 2), cell);
    QCOMPARE(table->focusChild(), cell);
    QCOMPARE(table->child(table->indexOfChild(cell)), cell);
    const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers[0]->role(), QAccessible::ColumnHeader);
    QCOMPARE(headers[0]->text(QAccessible::Name), QString("2"));
    const QRect rect = grid->visualRect(at(1, 2));
    QCOMPARE(cell->rect(), QRect(grid->viewport()->mapToGlobal(rect.topLeft()), rect.size()));

    grid->cells().setCols(6);
    QCOMPARE(cells->columnCount(), 6);
    QVERIFY(cells->cellAt(2, 5));
    QVERIFY(!cells->cellAt(3, 0));
}

QTEST_MAIN(GridViewTest)
#include "tst_gridview.moc"
