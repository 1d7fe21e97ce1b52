#pragma once

#include <QAbstractItemView>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

class CellTable;
class QPaintDevice;

// Where the cells of a grid lie on the screen: the left edge of every column
// and the height of the rows at the widget's resolution, made anew only when
// the table's layout or the resolution changes. Row 0 and column 0 stay in
// place; the rest is shifted by the scroll position, given to each question
// as `scrolled` (the horizontal and vertical offsets, in pixels).
class GridGeometry
{
  public:
    // A run of rows or columns, first..last; empty when first > last.
    struct CellSpan
    {
        int first, last;
    };

    // `device` is the widget whose resolution the layout follows.
    GridGeometry(const CellTable &table, const QPaintDevice &device);

    // Looks up the widget's resolution again; once per flush and per paint,
    // as asking the screen for it is far dearer than laying out a cell.
    void refreshResolution();
    // Brings the pixel layout in line with the table; true when it changed.
    bool update();
    // Makes room for the layout of `cols` columns, so that laying them out
    // cannot fail for want of memory; throws std::bad_alloc.
    void reserveColumns(int cols);

    int rowHeight() const { return rowPixels; }
    // The width of the fixed column 0.
    int fixedWidth() const;
    // The whole grid's width and height, the fixed row and column included.
    std::int64_t contentWidth() const;
    std::int64_t contentHeight() const;

    QRect cellRect(int row, int col, QPoint scrolled) const;
    // The cell at a point of the viewport; false where there is none.
    bool cellAt(QPoint point, QPoint scrolled, int &row, int &col) const;
    // The rows and columns beyond the fixed ones that a viewport shows.
    CellSpan visibleScrollingRows(QPoint scrolled, QSize viewport) const;
    CellSpan visibleScrollingCols(QPoint scrolled, QSize viewport) const;
    // The rows a page key moves over: those that fit below the fixed row.
    int pageRows(QSize viewport) const;

    // The scroll position that shows a cell as `hint` asks; a coordinate
    // of the fixed row or column keeps its position.
    QPoint scrolledTo(int row, int col, QAbstractItemView::ScrollHint hint, QPoint scrolled,
                      QSize viewport) const;

    // A pixel coordinate of the whole grid brought within the range that a
    // widget's coordinates can take.
    static int clampToInt(std::int64_t value);

  private:
    const CellTable &table;
    const QPaintDevice &device;

    // Left edge of every column, one more for the right edge of the last.
    std::vector<std::int64_t> columnLeft;
    int rowPixels = 16;
    // The table's layout version and the resolution the layout was made for.
    std::uint64_t layoutMadeFor = UINT64_MAX;
    QSize dpiMadeFor;
    QSize dpi;
};
