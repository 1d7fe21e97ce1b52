// Two grids in a plain window, the way the main window stacks its grids,
// driven through CellGrid and real key and mouse events.

#include "ui/qt/GridView.h"

#include <QtTest>
#include <QtWidgets>

class GridViewTest : public QObject
{
    Q_OBJECT

    QModelIndex at(int row, int col) const { return grid->model()->index(row, col); }
    QString textAt(int row, int col) const { return at(row, col).data().toString(); }
    // The current cell as (Row, Col), or (-1, -1) when the view shows another.
    QPoint current() const
    {
        const QPoint cell(grid->cells().row(), grid->cells().col());
        return grid->currentIndex() == at(cell.x(), cell.y()) ? cell : QPoint(-1, -1);
    }
    QPoint centre(int row, int col) const { return grid->visualRect(at(row, col)).center(); }
    // Writes a cell and shows it; the view and assistive technology are told.
    void write(int row, int col, const char *text)
    {
        QSignalSpy told(grid->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(grid->cells().setRow(row) && grid->cells().setCol(col));
        grid->cells().setText(text);
        grid->flush();
        QVERIFY(told.size() == 1 && QItemSelectionRange(told[0][0].value<QModelIndex>(),
                                                        told[0][1].value<QModelIndex>())
                                        .contains(at(row, col)));
    }

    std::unique_ptr<QWidget> window;
    GridView *grid = nullptr, *second = nullptr;
    QString typed; // the codes the KeyPress handler received

  private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(grid = new GridView);
        layout->addWidget(second = new GridView);
        connect(grid, &GridView::keyPress, [this](char16_t code) { typed += QChar(code); });
        window->show();
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow() && grid->hasFocus());
    }

    // Texts and colours as the model gives them to the view and to assistive
    // technology, which reads the grid as a table of the cells beyond the
    // header row and column, with the header cells as its headers.
    void rolesOfWrittenCells()
    {
        CellGrid &cells = grid->cells();
        write(0, 2, "x");
        write(1, 0, "r1");
        write(1, 2, "\xC3\xA9t\xC3\xA9");
        cells.setCellBackColor(0x204080); // blue 0x20, green 0x40, red 0x80
        QCOMPARE(at(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(0x80, 0x40, 0x20));
        QVERIFY(!at(1, 1).data(Qt::BackgroundRole).isValid());
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(grid);
        QAccessibleTableInterface *table = read->tableInterface();
        QCOMPARE(QSize(table->columnCount(), table->rowCount()), QSize(3, 2));
        QCOMPARE(read->childCount(), 12);
        QAccessibleInterface *cell = table->cellAt(0, 1);
        QAccessibleTableCellInterface *place = cell->tableCellInterface();
        const auto name = [](const QList<QAccessibleInterface *> &cells) {
            return cells.size() == 1 ? cells[0]->text(QAccessible::Name) : QString();
        };
        QCOMPARE(QStringList({cell->text(QAccessible::Name), name(place->columnHeaderCells()),
                              name(place->rowHeaderCells())}),
                 QStringList({QString::fromUtf8("été"), "x", "r1"}));
        QCOMPARE(read->indexOfChild(cell), 6);
        QVERIFY(!table->cellAt(2, 0) && !table->cellAt(0, 3));
        QCOMPARE(table->selectedCellCount() + table->selectedRowCount(), 0); // nothing selects
        // The reader is on the current cell while the grid has the focus.
        QVERIFY(cells.setRow(1) && cells.setCol(2));
        grid->flush();
        QAccessibleInterface *focused = read->focusChild();
        QVERIFY(focused && focused->tableCellInterface()->columnIndex() == 1);
        second->setFocus();
        QTRY_VERIFY(!read->focusChild());
    }

    // What the viewport shows where it matters: the header row and column as
    // button faces, the cells on the base colour with grey grid lines, the
    // dark background beyond the last row and column, and the current cell,
    // a header cell too, framed 2 pixels thick in the highlight colour, with
    // a dotted line inside the frame only while the grid has the focus.
    void paintedPicture()
    {
        CellGrid &cells = grid->cells();
        cells.setRows(3), cells.setCols(3);
        const QPalette colours = grid->palette();
        const QColor button = colours.color(QPalette::Button), base = colours.color(QPalette::Base),
                     dark = colours.color(QPalette::Dark), lines(0xC0, 0xC0, 0xC0),
                     mark = colours.color(QPalette::Highlight);
        for (const bool focused : {true, false}) {
            focused ? grid->setFocus() : second->setFocus();
            QTRY_COMPARE(grid->hasFocus(), focused);
            QVERIFY(cells.setRow(1) && cells.setCol(1));
            grid->flush();
            const QImage shown = grid->viewport()->grab().toImage();
            const QRect c = grid->visualRect(at(1, 1)), far = grid->visualRect(at(2, 2));
            QVERIFY(shown.rect().contains(far.bottomRight() + QPoint(5, 5)));
            const std::pair<QPoint, QColor> pixels[] = {{centre(0, 0), button},
                                                        {centre(0, 2), button},
                                                        {centre(2, 0), button},
                                                        {far.center(), base},
                                                        {{far.right(), far.center().y()}, lines},
                                                        {{far.center().x(), far.bottom()}, lines},
                                                        {far.bottomRight() + QPoint(5, 0), dark},
                                                        {far.bottomRight() + QPoint(0, 5), dark},
                                                        {{c.left() + 1, c.center().y()}, mark},
                                                        {{c.right(), c.center().y()}, mark},
                                                        {{c.right() - 1, c.center().y()}, mark},
                                                        {{c.center().x(), c.top() + 1}, mark},
                                                        {{c.center().x(), c.bottom() - 1}, mark}};
            for (const auto &[pixel, colour] : pixels) {
                const QString where = QString(" at (%1, %2)").arg(pixel.x()).arg(pixel.y());
                QCOMPARE(shown.pixelColor(pixel).name() + where, colour.name() + where);
            }
            int dots = 0;
            for (int y = c.top() + 3; y < c.bottom() - 3; ++y)
                dots += shown.pixelColor(c.left() + 2, y) == colours.color(QPalette::Text);
            QCOMPARE(dots > 0, focused);
        }
        QVERIFY(cells.setRow(0) && cells.setCol(2));
        grid->flush();
        const QRect header = grid->visualRect(at(0, 2));
        QCOMPARE(grid->viewport()->grab().toImage().pixelColor(header.left(), header.center().y()),
                 mark);
    }

    // Page keys move a page of rows, Home and End to the first and last
    // column; the current cell comes into view, and a move within the view
    // does not scroll it.
    void movesAndScrolling()
    {
        CellGrid &cells = grid->cells();
        cells.setRows(200), cells.setCols(60), grid->flush();
        const auto inView = [&] {
            return grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex()));
        };
        QTest::keyClick(grid, Qt::Key_PageDown);
        const int page = current().x() - 1;
        QVERIFY(page > 1 && inView());
        QTest::keyClick(grid, Qt::Key_PageDown);
        QTest::keyClick(grid, Qt::Key_PageUp);
        QCOMPARE(current(), QPoint(1 + page, 1));
        QTest::keyClick(grid, Qt::Key_End);
        QVERIFY(current() == QPoint(1 + page, 59) && inView());
        const QPoint scrolled(grid->horizontalScrollBar()->value(),
                              grid->verticalScrollBar()->value());
        QTest::keyClick(grid, Qt::Key_Down); // from the top row of the view
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(QPoint(grid->horizontalScrollBar()->value(), grid->verticalScrollBar()->value()),
                 scrolled);
        QTest::keyClick(grid, Qt::Key_Home);
        QVERIFY(current() == QPoint(2 + page, 1) && inView());
    }

    // In a 700-twip column a text is drawn cut (otherwise than in a column
    // wide enough for it) exactly when it has a tool tip, over texts around
    // the column's width; four-place results are drawn whole.
    void cutExactlyWithToolTip()
    {
        CellGrid &cells = grid->cells();
        cells.setColWidth(1, 700), cells.setColWidth(2, 6000);
        QStringList texts = {"-0.3333", "-0.0426", "-0.0957", "-1.23E-4", "1234567", "-1E+15"};
        for (QChar repeated : QString("1.-Wi"))
            for (int count = 1; count < 24; ++count)
                texts << QString(count, repeated);
        // Long texts: cut, or whole when the characters beyond the first
        // thousand or so take no room.
        texts << QString(3000, '7') << "7" + QString(3000, QChar(0x301));
        int cut = 0;
        for (const QString &text : texts) {
            write(1, 1, qPrintable(text));
            write(1, 2, qPrintable(text));
            QVERIFY(cells.setRow(2) && cells.setCol(3)); // the current cell's frame elsewhere
            grid->flush();
            const QRect narrow = grid->visualRect(at(1, 1)).adjusted(0, 0, -1, -1);
            const bool drawnCut = grid->viewport()->grab(narrow).toImage() !=
                                  grid->viewport()
                                      ->grab(narrow.translated(
                                          grid->visualRect(at(1, 2)).topLeft() - narrow.topLeft()))
                                      .toImage();
            QCOMPARE(at(1, 1).data(Qt::ToolTipRole).toString(), drawnCut ? text : QString());
            QVERIFY2(!drawnCut || texts.indexOf(text) > 2, qPrintable(text));
            cut += drawnCut;
        }
        QVERIFY(cut > 0 && cut < texts.size());
    }

    // The tool tip of a text far too long for the screen: lines that fit the
    // screen, its beginning and its end, and how many characters are left
    // out between them; what looks like markup shows as it is.
    void longToolTip()
    {
        QString text = "<b>";
        while (text.size() < 40000)
            text += QString::number(text.size());
        write(1, 1, qPrintable(text));
        const QPoint centre = grid->visualRect(at(1, 1)).center();
        QHelpEvent hover(QEvent::ToolTip, centre, grid->viewport()->mapToGlobal(centre));
        QApplication::sendEvent(grid->viewport(), &hover);
        QVERIFY(QToolTip::isVisible());
        const QRect screen = grid->screen()->availableGeometry();
        QStringList lines =
            QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText().split('\n');
        for (const QString &line : lines)
            QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(line) <= screen.width());
        const QRegularExpression gapLine(
            QString::fromUtf8("^\\[… (\\d+) characters left out …\\]$"));
        const qsizetype gap = lines.indexOf(gapLine);
        QVERIFY(gap > 0 && gap < lines.size() - 1);
        const qsizetype left = gapLine.match(lines.takeAt(gap)).captured(1).toLongLong();
        const QString head = lines.mid(0, gap).join(""), tail = lines.mid(gap).join("");
        QCOMPARE(head + tail, text.left(head.size()) + text.right(tail.size()));
        QCOMPARE(head.size() + left + tail.size(), text.size());
    }

    // A text is cut at its end, with "…" and a tool tip that shows it
    // whole, exactly when it does not fit within the cell's margins: 2 pixels
    // at either side and the grid line. Column 2, wide, shows what column 1
    // must show. Header cells are drawn like button faces.
    void textCutWhenItDoesNotFitWithinTheMargins()
    {
        CellGrid &cells = grid->cells();
        const double twipsPerPixel = 1440.0 / grid->logicalDpiX();
        const auto drawn = [&](int row, int col, int width) {
            const QRect cell = grid->visualRect(at(row, col));
            return grid->viewport()->grab(cell).toImage().copy(0, 0, width, cell.height());
        };
        const QString text = "-1234\x7F", shown = "-1234\u2421"; // as a control picture
        for (int col : {1, 2})
            write(1, col, ""), cells.setCellFontName("arial"), cells.setCellFontSize(9);
        cells.setColWidth(2, qRound(200 * twipsPerPixel));
        const QFontMetricsF metrics(at(1, 1).data(Qt::FontRole).value<QFont>(), grid->viewport());
        const int width = std::ceil(metrics.horizontalAdvance(shown));
        QVERIFY(width - metrics.horizontalAdvance(shown) < 0.5); // within a pixel, not half of one
        const int margins = 2 + 2 + 1;
        for (int column : {width + margins, width + margins - 1, width, width - 1}) {
            const bool cut = column < width + margins;
            cells.setColWidth(1, qRound(column * twipsPerPixel));
            QString start = shown;
            while (cut && metrics.horizontalAdvance(start + "…") > column - margins)
                start.chop(1);
            write(1, 1, text.toUtf8().constData());
            write(1, 2, (cut ? start + "…" : shown).toUtf8().constData());
            QVERIFY(cells.setRow(2)); // the current cell's frame elsewhere
            QCOMPARE(drawn(1, 1, column - 1), drawn(1, 2, column - 1));
            QCOMPARE(at(1, 1).data(Qt::ToolTipRole).toString(), cut ? shown : QString());
        }
        write(0, 1, "1");
        QVERIFY(cells.setRow(2));
        QCOMPARE(drawn(0, 1, 2).pixelColor(1, 1), grid->palette().color(QPalette::Button));
    }

    void resizingKeepsTextsAndRefusesCellsOutside()
    {
        CellGrid &cells = grid->cells();
        write(1, 1, "a");
        cells.setRows(6), cells.setCols(7), write(5, 6, "far");
        cells.setRows(3), cells.setCols(2), grid->flush();
        QCOMPARE(QSize(grid->model()->columnCount(), grid->model()->rowCount()), QSize(2, 3));
        QCOMPARE(textAt(1, 1), QString("a"));
        QVERIFY(!cells.setRow(-1) && !cells.setRow(3) && !cells.setCol(-1) && !cells.setCol(2));
        QCOMPARE(current(), QPoint(2, 1)); // the current cell went with its row and column
    }

    // Arrow keys and clicks move among the cells that are not headers; typed
    // characters go to KeyPress; Tab moves the focus on; the grid itself edits nothing.
    void keysAndClicks()
    {
        write(1, 3, "4");
        write(1, 1, "3");
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(grid, key); // never onto a header
        QCOMPARE(current(), QPoint(2, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(0, 2));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre(1, 3));
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(1, 3));
        QTest::mouseMove(grid->viewport(), centre(0, 1)); // a drag onto a header
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(0, 1));
        QCOMPARE(current(), QPoint(1, 3));
        const int none = 0, alt = Qt::AltModifier;
        const std::tuple<Qt::Key, const char *, int> keys[] = {{Qt::Key_7, "7", none},
                                                               {Qt::Key_AsciiTilde, "~", none},
                                                               {Qt::Key_Eacute, "\u00e9", none},
                                                               {Qt::Key_P, "p", alt},
                                                               {Qt::Key_Tab, "\t", none}};
        QInputMethodEvent composed; // control characters in it go
        composed.setCommitString("a b\x01");
        QApplication::sendEvent(grid, &composed);
        for (const auto &[key, text, modifiers] : keys)
            QTest::sendKeyEvent(QTest::Click, grid, key, text, Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(typed, QString::fromUtf8("a b7~\u00e9"));
        QVERIFY(grid->findChildren<QLineEdit *>().isEmpty());
        QCOMPARE(textAt(1, 1) + textAt(1, 3), QString("34"));
    }
};

QTEST_MAIN(GridViewTest)
#include "tst_gridview.moc"
