#include "GridGeometry.h"

#include "Twips.h"
#include "ui/CellTable.h"

#include <QPaintDevice>

#include <algorithm>
#include <climits>

int GridGeometry::clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

GridGeometry::GridGeometry(const CellTable &table, const QPaintDevice &device)
    : table(table), device(device)
{}

void GridGeometry::refreshResolution()
{
    dpi = QSize(device.logicalDpiX(), device.logicalDpiY());
}

bool GridGeometry::update()
{
    if (dpi.isEmpty())
        refreshResolution();
    if (layoutMadeFor == table.layoutVersion() && dpiMadeFor == dpi)
        return false;
    const int cols = table.cols();
    columnLeft.resize(static_cast<std::size_t>(cols) + 1);
    columnLeft[0] = 0;
    for (int c = 0; c < cols; ++c)
        columnLeft[c + 1] = columnLeft[c] + pixelsFromTwips(table.colWidth(c), dpi.width());
    rowPixels = std::max(1, pixelsFromTwips(CellTable::RowHeight, dpi.height()));
    layoutMadeFor = table.layoutVersion();
    dpiMadeFor = dpi;
    return true;
}

void GridGeometry::reserveColumns(int cols)
{
    columnLeft.reserve(static_cast<std::size_t>(cols) + 1);
}

int GridGeometry::fixedWidth() const
{
    return clampToInt(columnLeft[1]);
}

std::int64_t GridGeometry::contentWidth() const
{
    return columnLeft.back();
}

std::int64_t GridGeometry::contentHeight() const
{
    return std::int64_t(table.rows()) * rowPixels;
}

QRect GridGeometry::cellRect(int row, int col, QPoint scrolled) const
{
    const std::int64_t x = col == 0 ? 0 : columnLeft[col] - scrolled.x();
    const std::int64_t y = row == 0 ? 0 : std::int64_t(row) * rowPixels - scrolled.y();
    const std::int64_t width = columnLeft[col + 1] - columnLeft[col];
    return QRect(clampToInt(x), clampToInt(y), static_cast<int>(width), rowPixels);
}

bool GridGeometry::cellAt(QPoint point, QPoint scrolled, int &row, int &col) const
{
    if (point.x() < 0 || point.y() < 0)
        return false;
    const std::int64_t y = point.y() < rowPixels ? point.y() : point.y() + scrolled.y();
    const std::int64_t r = y / rowPixels;
    const std::int64_t x = point.x() < fixedWidth() ? point.x() : point.x() + scrolled.x();
    const auto right = std::upper_bound(columnLeft.begin(), columnLeft.end(), x);
    const std::int64_t c = (right - columnLeft.begin()) - 1;
    if (r >= table.rows() || c < 0 || c >= table.cols())
        return false;
    row = static_cast<int>(r);
    col = static_cast<int>(c);
    return true;
}

GridGeometry::CellSpan GridGeometry::visibleScrollingRows(QPoint scrolled, QSize viewport) const
{
    const std::int64_t offset = scrolled.y();
    const std::int64_t first = offset / rowPixels + 1;
    const std::int64_t last = (offset + viewport.height() - 1) / rowPixels;
    return {static_cast<int>(std::min<std::int64_t>(first, table.rows())),
            static_cast<int>(std::min<std::int64_t>(last, table.rows() - 1))};
}

GridGeometry::CellSpan GridGeometry::visibleScrollingCols(QPoint scrolled, QSize viewport) const
{
    const std::int64_t offset = scrolled.x();
    const auto begin = columnLeft.begin();
    const auto firstRight = std::upper_bound(begin, columnLeft.end(), offset + fixedWidth());
    const auto lastLeft = std::lower_bound(begin, columnLeft.end(), offset + viewport.width());
    const int first = std::max(1, static_cast<int>(firstRight - begin) - 1);
    const int last = std::min(table.cols() - 1, static_cast<int>(lastLeft - begin) - 1);
    return {first, last};
}

int GridGeometry::pageRows(QSize viewport) const
{
    return std::max(1, (viewport.height() - rowPixels) / rowPixels);
}

QPoint GridGeometry::scrolledTo(int row, int col, QAbstractItemView::ScrollHint hint,
                                QPoint scrolled, QSize viewport) const
{
    // Where the scrolling area begins and ends on the screen, and where the
    // cell lies in the whole grid.
    const auto place = [hint](std::int64_t offset, std::int64_t start, std::int64_t end,
                              std::int64_t cellStart, std::int64_t cellEnd) {
        switch (hint) {
        case QAbstractItemView::PositionAtTop:
            return cellStart - start;
        case QAbstractItemView::PositionAtBottom:
            return cellEnd - end;
        case QAbstractItemView::PositionAtCenter:
            return (cellStart + cellEnd) / 2 - (start + end) / 2;
        case QAbstractItemView::EnsureVisible:
        default:
            if (cellEnd - offset > end)
                offset = cellEnd - end;
            if (cellStart - offset < start)
                offset = cellStart - start;
            return offset;
        }
    };
    QPoint result = scrolled;
    if (row > 0) {
        const std::int64_t top = std::int64_t(row) * rowPixels;
        result.setY(
            clampToInt(place(scrolled.y(), rowPixels, viewport.height(), top, top + rowPixels)));
    }
    if (col > 0) {
        result.setX(clampToInt(place(scrolled.x(), fixedWidth(), viewport.width(), columnLeft[col],
                                     columnLeft[col + 1])));
    }
    return result;
}
