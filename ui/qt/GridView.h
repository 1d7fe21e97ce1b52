#pragma once

#include "GridGeometry.h"
#include "GridKeys.h"
#include "GridModel.h"
#include "GridPainter.h"
#include "QtCellGrid.h"
#include "ui/CellTable.h"

#include <QAbstractItemView>

#include <memory>

class QHelpEvent;

// One grid of text cells on the screen. Row 0 and column 0 are fixed header
// cells drawn like button faces; the rest scrolls. model() holds every cell,
// the fixed ones included, and currentIndex() is the grid's current cell.
//
// The procedures work through cells(); their operations only change the cell
// table, and flush() tells Qt about them in one go. A current cell moved by a
// procedure is marked but not scrolled to, so that a long run does not pull
// the view about; the user's own moves scroll the cell into view, and so
// does a typed character, so that it never goes into a cell out of sight.
//
// The grid never edits a cell: every character typed while it has the focus
// is sent as keyPress (GridKeys tells what a key types and where it moves the
// current cell), and the clipboard's text pasted into it as pasteText.
// Ctrl+Insert, and Ctrl+C in a grid whose keyPress has no receiver, put the
// data area on the clipboard (dataAreaText). A left click on a non-fixed
// cell moves the current cell; a click on a header cell only gives the grid
// the focus, and a drag onto one leaves the current cell where it was. Tab
// moves the focus on.
//
// Columns are as wide as the table says in twips (CellTable::DefaultColWidth
// unless sized), at the widget's resolution; every row is
// CellTable::RowHeight high (GridGeometry). GridPainter draws the cells; a
// text too wide for its cell is drawn cut, and its tool tip shows the whole
// text (CellToolTip).
class GridView : public QAbstractItemView
{
    Q_OBJECT

  public:
    // Every grid of the window starts with 3 rows and 4 columns, the layout
    // of a 2 x 2 system.
    static constexpr int InitialRows = 3;
    static constexpr int InitialCols = 4;

    explicit GridView(QWidget *parent = nullptr);
    ~GridView() override;

    CellGrid &cells();

    // Makes room for the pixel layout of `cols` columns, so that laying them
    // out cannot fail for want of memory; throws std::bad_alloc.
    void reserveColumns(int cols);

    // Publishes what the cell operations changed since the last flush: one
    // repaint and one dataChanged over the changed cells, the column layout,
    // and the current index.
    void flush();

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;
    // Typing never jumps to a cell.
    void keyboardSearch(const QString &search) override;

  signals:
    // The grid's KeyPress event: one character typed while it has the focus.
    void keyPress(char16_t keyAscii);
    // Shift+Insert while the grid has the focus and the clipboard holds text.
    void pasteText(const QString &text);

  protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

  protected slots:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

  private:
    // Brings the pixel layout in line with the table; true when it changed.
    bool ensureLayout() const { return geometry.update(); }
    // The scroll position: the horizontal and vertical offsets.
    QPoint scrolled() const { return {horizontalOffset(), verticalOffset()}; }
    // Whether the text of a cell is too wide for it, and so drawn cut.
    bool textIsCut(int row, int col) const;
    // The model index of the cell a key's move leads to.
    QModelIndex movedTo(GridKeys::Move move, Qt::KeyboardModifiers modifiers) const;
    void deliverCharacters(const QString &codes);
    // Shows the whole text of a cut cell at a point of the viewport.
    void showToolTip(const QHelpEvent &event);
    // Tells assistive technology that the text of the cell the user is on
    // has changed, when it lies in the changed area.
    void announceCurrentCell(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    // Whether the characters typed into the grid have a receiver.
    bool typesCharacters() const;
    void copyDataArea() const;
    void deliverPaste();

    CellTable table;
    std::unique_ptr<GridModel> gridModel;
    QtCellGrid adapter;
    mutable GridGeometry geometry;
    GridPainter cellPainter;
};
