#pragma once

#include "GridModel.h"
#include "QtCellGrid.h"
#include "ui/CellTable.h"

#include <QAbstractItemView>

#include <cstdint>
#include <memory>
#include <vector>

// One grid of text cells on the screen. Row 0 and column 0 are fixed header
// cells drawn like button faces; the rest scrolls. model() holds every cell,
// the fixed ones included, and currentIndex() is the grid's current cell.
//
// The procedures work through cells(); their operations only change the cell
// table, and flush() tells Qt about them in one go. A current cell moved by a
// procedure is marked but not scrolled to, so that a long run does not pull
// the view about; the user's own moves scroll the cell into view.
//
// The grid never edits a cell: every character typed while it has the focus
// is sent as keyPress (a key with Alt held belongs to the window's
// accelerators and types nothing). The arrow, page, Home and End
// keys and a left click on a non-fixed cell move the current cell; a click on
// a header cell only gives the grid the focus, and a drag onto one leaves the
// current cell where it was. Tab moves the focus on.
//
// Columns are as wide as the table says in twips (CellTable::DefaultColWidth
// unless sized), at the widget's resolution; every row is
// CellTable::RowHeight high. A text too wide for its cell is drawn cut at its
// end with "…" in the cell's alignment, so that a number never loses its sign
// or leading digits unseen, and its tool tip shows the whole text; control
// characters are drawn as their pictures.
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
    bool ensureLayout() const;
    // Looks up the widget's resolution again; once per flush and per paint,
    // as asking the screen for it is far dearer than laying out a cell.
    void refreshResolution() const;
    QRect cellRect(int row, int col) const;
    // Whether the text of a cell is too wide for it, and so drawn cut.
    bool textIsCut(int row, int col) const;
    int rowHeight() const { return rowPixels; }
    int fixedWidth() const;
    std::int64_t contentWidth() const;
    std::int64_t contentHeight() const;
    int pageRows() const;
    void deliverCharacters(const QString &codes);

    struct CellSpan
    {
        int first, last;
    };
    CellSpan visibleScrollingRows() const;
    CellSpan visibleScrollingCols() const;
    void paintArea(QPainter &painter, const QRect &clip, CellSpan rows, CellSpan cols,
                   bool fixed) const;
    void paintCurrentMark(QPainter &painter) const;

    CellTable table;
    std::unique_ptr<GridModel> gridModel;
    QtCellGrid adapter;

    // Pixel layout: left edge of every column (one more for the right edge
    // of the last) and the row height, for the table's layout version and
    // the widget's resolution they were made for.
    mutable std::vector<std::int64_t> columnLeft;
    mutable int rowPixels = 16;
    mutable std::uint64_t layoutMadeFor = UINT64_MAX;
    mutable int dpiMadeFor = 0;
    mutable int resolutionX = 0;
    mutable int resolutionY = 0;
};
