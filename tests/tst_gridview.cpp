// Two grids in a plain window, the way the main window stacks its grids,
// driven through CellGrid and real key and mouse events.

#include "ui/GridView.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class GridViewTest : public QObject
{
    Q_OBJECT

    QModelIndex at(int row, int col) const { return grid->model()->index(row, col); }
    QString textAt(int row, int col) const { return at(row, col).data().toString(); }
    QSize shape() const { return QSize(grid->model()->columnCount(), grid->model()->rowCount()); }
    // The current cell as (Row, Col), or (-1, -1) when the view shows another.
    QPoint current() const
    {
        const QPoint cell(grid->cells().row(), grid->cells().col());
        return grid->currentIndex() == at(cell.x(), cell.y()) ? cell : QPoint(-1, -1);
    }
    QString fontAt(int row, int col) const
    {
        const QFont font = at(row, col).data(Qt::FontRole).value<QFont>();
        return font.family() + ' ' + QString::number(font.pointSizeF());
    }
    void write(int row, int col, const char *text)
    {
        QVERIFY(grid->cells().setRow(row) && grid->cells().setCol(col));
        grid->cells().setText(text);
        grid->flush();
    }
    static void clickCell(GridView *view, int row, int col)
    {
        const QRect rect = view->visualRect(view->model()->index(row, col));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::unique_ptr<QWidget> window;
    GridView *grid = nullptr;
    GridView *second = nullptr;
    QString typed; // the codes the KeyPress handler received

  private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(grid = new GridView);
        layout->addWidget(second = new GridView);
        window->resize(500, 600);
        grid->cells().setKeyPressHandler([this](char16_t code) { typed += QChar(code); });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
    }

    void cleanup()
    {
        window.reset();
        typed.clear();
    }

    void rolesOfWrittenCells()
    {
        CellGrid &cells = grid->cells();
        write(1, 1, "12.5");
        cells.setCellAlignment(CellGrid::AlignCenterCenter);
        cells.setCellFontName("arial");
        cells.setCellFontSize(9);
        write(1, 2, "0.3333");
        cells.setCellAlignment(CellGrid::AlignLeftCenter);
        cells.setCellBackColor(0x204080); // blue 0x20, green 0x40, red 0x80
        write(2, 3, "\xC3\xA9t\xC3\xA9");

        QCOMPARE(textAt(1, 1), QString("12.5"));
        QCOMPARE(textAt(2, 3), QString::fromUtf8("été"));
        QCOMPARE(at(1, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(at(1, 2).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(fontAt(1, 1), QString("arial 9"));
        QCOMPARE(fontAt(1, 2), QString("MS Sans Serif 8.25"));
        QCOMPARE(at(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(0x80, 0x40, 0x20));
        QVERIFY(!at(1, 1).data(Qt::BackgroundRole).isValid());
    }

    // Assistive technology sees each grid as a table of all its cells, header
    // cells included, named by their texts.
    void assistiveTechnologyReadsTheCells()
    {
        write(0, 1, "1");
        write(2, 3, "0.5");
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->tableInterface()->rowCount(), grid->cells().rows());
        QCOMPARE(table->tableInterface()->columnCount(), grid->cells().cols());
        QCOMPARE(table->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), QString("1"));
        QCOMPARE(table->tableInterface()->cellAt(2, 3)->text(QAccessible::Name), QString("0.5"));
    }

    void resizingKeepsTextsAndRefusesCellsOutside()
    {
        CellGrid &cells = grid->cells();
        write(0, 3, "h");
        write(1, 1, "a");
        write(2, 3, "b");
        cells.setRows(6);
        cells.setCols(7);
        QCOMPARE(shape(), QSize(7, 6));
        QCOMPARE(textAt(0, 3) + textAt(1, 1) + textAt(2, 3), QString("hab"));
        write(5, 6, "far");

        // The current cell (5, 6) goes; it moves to the last row and column left.
        cells.setRows(3);
        cells.setCols(2);
        grid->flush();
        QCOMPARE(shape(), QSize(2, 3));
        QCOMPARE(current(), QPoint(2, 1));
        QCOMPARE(textAt(1, 1), QString("a"));

        // Cells that come back are empty.
        cells.setRows(6);
        cells.setCols(7);
        QCOMPARE(textAt(2, 3) + textAt(5, 6), QString());

        // A row or column outside the grid is refused; the current cell stays.
        write(2, 3, "x");
        QVERIFY(!cells.setRow(-1) && !cells.setRow(6) && !cells.setRow(1000));
        QVERIFY(!cells.setCol(-1) && !cells.setCol(7) && !cells.setCol(1000));
        cells.setText("y");
        grid->flush();
        QCOMPARE(current(), QPoint(2, 3));
        QCOMPARE(textAt(2, 3), QString("y"));
    }

    void keysAndClicksMoveAmongNonFixedCells()
    {
        grid->cells().setRows(5);
        grid->cells().setCols(6);
        write(1, 1, "");
        const auto after = [this](const QList<int> &keys) {
            for (int key : keys)
                QTest::keyClick(grid, Qt::Key(key));
            return current();
        };
        QCOMPARE(after({Qt::Key_Up, Qt::Key_Left}), QPoint(1, 1)); // never onto a header
        QCOMPARE(after({Qt::Key_Right}), QPoint(1, 2));
        QCOMPARE(after(QList<int>(5, Qt::Key_Down)), QPoint(4, 2)); // stops at the last row
        QCOMPARE(after({Qt::Key_End}), QPoint(4, 5));
        clickCell(grid, 2, 3);
        QCOMPARE(current(), QPoint(2, 3));
        clickCell(grid, 0, 2);
        clickCell(grid, 3, 0);
        QCOMPARE(current(), QPoint(2, 3)); // a header cell is not a current cell
        QVERIFY(typed.isEmpty());
    }

    void typedKeysReachKeyPress_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("codes");
        const auto row = [](const char *name, int key, const char *text,
                            Qt::KeyboardModifiers modifiers, const char *codes) {
            QTest::newRow(name) << key << text << modifiers << codes;
        };
        const Qt::KeyboardModifiers none, ctrl(Qt::ControlModifier), alt(Qt::AltModifier);
        row("digit", Qt::Key_7, "7", none, "7");
        row("full stop", Qt::Key_Period, ".", none, ".");
        row("e acute", Qt::Key_Eacute, "\u00e9", none, "\u00e9");
        row("backspace", Qt::Key_Backspace, "\b", none, "\x08");
        row("return", Qt::Key_Return, "\r", none, "\x0d");
        row("keypad enter", Qt::Key_Enter, "\r", Qt::KeypadModifier, "\x0d");
        row("escape", Qt::Key_Escape, "\x1b", none, "\x1b");
        row("ctrl+a, text as on X11", Qt::Key_A, "\x01", ctrl, "\x01");
        row("ctrl+a, text as elsewhere", Qt::Key_A, "a", ctrl, "\x01");
        row("ctrl+z", Qt::Key_Z, "\x1a", ctrl, "\x1a");
        row("alt+p", Qt::Key_P, "p", alt, "");
        row("delete", Qt::Key_Delete, "\x7f", none, "");
        row("f2", Qt::Key_F2, "", none, "");
    }

    void typedKeysReachKeyPress()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, codes);
        write(1, 1, "3");
        QTest::sendKeyEvent(QTest::Click, grid, Qt::Key(key), text, modifiers);
        QCOMPARE(typed, codes);
        // The grid itself changes no cell, opens no editor and does not move.
        QVERIFY(grid->findChildren<QLineEdit *>().isEmpty());
        QCOMPARE(textAt(1, 1), QString("3"));
        QCOMPARE(current(), QPoint(1, 1));
    }

    void doubleClickAndTypingNeitherEditNorSearch()
    {
        write(2, 2, "b");
        write(1, 1, "a");
        QTest::keyClick(grid, 'b');
        QCOMPARE(current(), QPoint(1, 1)); // no jump to the cell reading "b"
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                           grid->visualRect(at(2, 2)).center());
        QTest::keyClick(grid, 'x');
        QVERIFY(grid->findChildren<QLineEdit *>().isEmpty());
        QCOMPARE(textAt(1, 1) + textAt(2, 2), QString("ab"));
        QCOMPARE(typed, QString("bx"));
    }

    void tabAndClicksMoveFocus()
    {
        QTest::keyClick(grid, Qt::Key_Tab);
        QTRY_VERIFY(second->hasFocus());
        QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(grid->hasFocus());
        QVERIFY(typed.isEmpty());
        // A click gives the focus too, and moves the clicked grid's current cell.
        clickCell(second, 1, 2);
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(QPoint(second->cells().row(), second->cells().col()), QPoint(1, 2));
    }
};

QTEST_MAIN(GridViewTest)
#include "tst_gridview.moc"
