#include "GridPainter.h"

#include "GridModel.h"
#include "ui/CellTable.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

// Room between a cell's text and its left and right edges, in pixels.
constexpr int TextMargin = 2;

const QColor GridLineColor(0xC0, 0xC0, 0xC0);

// Thickness of the frame of the current cell, in pixels.
constexpr int CurrentMarkWidth = 2;

// The room for the text in a cell's rectangle.
QRect textArea(const QRect &cell)
{
    return cell.adjusted(TextMargin, 0, -TextMargin - 1, -1);
}

// Bytes of a cell's text measured first: far more than the widest cell can
// show, so that a pasted field of megabytes costs a paint no more than one of
// a thousand characters (a 10,000-character text takes about 1 ms to cut,
// one of a million about 100 ms).
constexpr std::size_t MeasuredBytes = 1024;

// A cell's text as drawn in a text area `width` pixels wide: whole, or cut at
// its end with "…" (then `cut` is set). The painting and the cut test both
// take it from here, in the same fractional measure, so that a cell is drawn
// cut exactly when its tool tip shows the whole text.
QString fittedText(const QFontMetrics &metrics, const std::string &text, int width,
                   bool *cut = nullptr)
{
    if (text.size() > MeasuredBytes) {
        std::size_t end = MeasuredBytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end; // back to the first byte of a character
        const QString start = GridModel::shownText(text.substr(0, end));
        const QString fitted = metrics.elidedText(start, Qt::ElideRight, width);
        if (fitted != start) {
            if (cut)
                *cut = true;
            return fitted;
        }
    }
    const QString shown = GridModel::shownText(text);
    QString fitted = metrics.elidedText(shown, Qt::ElideRight, width);
    if (cut)
        *cut = fitted != shown;
    return fitted;
}

} // namespace

GridPainter::GridPainter(const CellTable &table, const GridModel &model,
                         const GridGeometry &geometry)
    : table(table), model(model), geometry(geometry)
{}

bool GridPainter::textIsCut(int row, int col, const QPaintDevice &device) const
{
    const CellTable::Cell &cell = table.cell(row, col);
    if (cell.isEmpty())
        return false;
    const QFontMetrics metrics(model.font(cell.format.font), &device);
    bool cut = false;
    fittedText(metrics, cell.text(), textArea(geometry.cellRect(row, col, QPoint())).width(), &cut);
    return cut;
}

void GridPainter::paint(QPainter &painter, const QRect &area, QPoint scrolled,
                        const QPalette &colours, bool focused) const
{
    const int fixedW = std::min(geometry.fixedWidth(), area.width());
    const int fixedH = std::min(geometry.rowHeight(), area.height());
    const CellSpan rows = geometry.visibleScrollingRows(scrolled, area.size());
    const CellSpan cols = geometry.visibleScrollingCols(scrolled, area.size());

    // Beyond the last row and column lies the empty background.
    const int right = GridGeometry::clampToInt(
        table.cols() > 1 ? geometry.contentWidth() - scrolled.x() : std::int64_t(fixedW));
    const int bottom = GridGeometry::clampToInt(
        table.rows() > 1 ? geometry.contentHeight() - scrolled.y() : std::int64_t(fixedH));
    const QColor background = colours.color(QPalette::Dark);
    if (right < area.width())
        painter.fillRect(QRect(right, 0, area.width() - right, area.height()), background);
    if (bottom < area.height())
        painter.fillRect(QRect(0, bottom, area.width(), area.height() - bottom), background);

    const QRect scrolling(fixedW, fixedH, area.width() - fixedW, area.height() - fixedH);
    paintArea(painter, scrolling, rows, cols, scrolled, colours, false);
    paintArea(painter, QRect(fixedW, 0, area.width() - fixedW, fixedH), {0, 0}, cols, scrolled,
              colours, true);
    paintArea(painter, QRect(0, fixedH, fixedW, area.height() - fixedH), rows, {0, 0}, scrolled,
              colours, true);
    paintArea(painter, QRect(0, 0, fixedW, fixedH), {0, 0}, {0, 0}, scrolled, colours, true);
    paintCurrentMark(painter, area, scrolled, colours, focused);
}

void GridPainter::paintArea(QPainter &painter, const QRect &clip, CellSpan rows, CellSpan cols,
                            QPoint scrolled, const QPalette &colours, bool fixed) const
{
    if (clip.isEmpty() || rows.first > rows.last || cols.first > cols.last)
        return;
    const auto cellRect = [&](int row, int col) { return geometry.cellRect(row, col, scrolled); };
    painter.save();
    painter.setClipRect(clip);
    const QRect topLeft = cellRect(rows.first, cols.first);
    const QRect bottomRight = cellRect(rows.last, cols.last);
    const QRect cellsRect = topLeft.united(bottomRight);
    painter.fillRect(cellsRect, colours.color(fixed ? QPalette::Button : QPalette::Base));

    painter.setPen(colours.color(fixed ? QPalette::ButtonText : QPalette::Text));
    int fontInUse = -1;
    QFontMetrics metrics = painter.fontMetrics();
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = cols.first; c <= cols.last; ++c) {
            const CellTable::Cell &cell = table.cell(r, c);
            const QRect rect = cellRect(r, c);
            if (cell.format.hasBackColor && !fixed) {
                const std::uint32_t bgr = cell.format.backColorBgr;
                painter.fillRect(rect, QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
            }
            if (cell.isEmpty())
                continue;
            if (fontInUse != cell.format.font) {
                fontInUse = cell.format.font;
                painter.setFont(model.font(cell.format.font));
                metrics = painter.fontMetrics();
            }
            // Cut at the end whatever the alignment: the sign and the leading
            // digits are the part of a number that must stay in sight.
            const QRect textRect = textArea(rect);
            painter.drawText(
                textRect, int(GridModel::alignmentOf(cell.format.alignment)) | Qt::TextSingleLine,
                fittedText(metrics, cell.text(), textRect.width()));
        }
    }

    // Each cell's right and bottom pixel line is its grid line.
    painter.setPen(fixed ? colours.color(QPalette::Mid) : GridLineColor);
    for (int r = rows.first; r <= rows.last; ++r) {
        const int y = cellRect(r, cols.first).bottom();
        painter.drawLine(cellsRect.left(), y, cellsRect.right(), y);
    }
    for (int c = cols.first; c <= cols.last; ++c) {
        const int x = cellRect(rows.first, c).right();
        painter.drawLine(x, cellsRect.top(), x, cellsRect.bottom());
    }
    painter.restore();
}

// The current cell is framed in the highlight colour whether or not the grid
// has the focus, so that the cell a run writes can be followed in every grid
// at once. The frame lies within the cell's rectangle, its grid lines
// included, and leaves the cell's own colour to the procedures. The grid
// with the focus adds a dotted line inside the frame.
void GridPainter::paintCurrentMark(QPainter &painter, const QRect &area, QPoint scrolled,
                                   const QPalette &colours, bool focused) const
{
    const int row = table.row();
    const int col = table.col();
    QRect clip = area;
    if (row > 0)
        clip.setTop(geometry.rowHeight());
    if (col > 0)
        clip.setLeft(geometry.fixedWidth());
    const QRect mark = geometry.cellRect(row, col, scrolled);
    if (clip.isEmpty() || !clip.intersects(mark))
        return;
    painter.save();
    painter.setClipRect(clip);
    const QColor colour = colours.color(QPalette::Highlight);
    const int thick = CurrentMarkWidth;
    painter.fillRect(QRect(mark.left(), mark.top(), mark.width(), thick), colour);
    painter.fillRect(QRect(mark.left(), mark.bottom() - thick + 1, mark.width(), thick), colour);
    painter.fillRect(QRect(mark.left(), mark.top(), thick, mark.height()), colour);
    painter.fillRect(QRect(mark.right() - thick + 1, mark.top(), thick, mark.height()), colour);
    if (focused) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(mark.adjusted(thick, thick, -thick - 1, -thick - 1));
    }
    painter.restore();
}
