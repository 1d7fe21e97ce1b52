#include "GridView.h"

#include "GridAccessible.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace {

constexpr int TwipsPerInch = 1440;
// Room between a cell's text and its left and right edges, in pixels.
constexpr int TextMargin = 2;

const QColor GridLineColor(0xC0, 0xC0, 0xC0);

int pixelsOf(int twips, int dpi)
{
    return static_cast<int>(std::lround(double(twips) * dpi / TwipsPerInch));
}

// The room for the text in a cell's rectangle.
QRect textArea(const QRect &cell)
{
    return cell.adjusted(TextMargin, 0, -TextMargin - 1, -1);
}

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

// The character codes a key event types, or nothing. A key with Alt held
// belongs to the window's accelerators (AltGr, which arrives as Ctrl+Alt on
// some systems, still types its character); Ctrl+letter gives the control
// codes 1..26, taken from the key since the event's text differs between
// systems.
QString typedCodes(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if ((alt && !control) || (modifiers & Qt::MetaModifier))
        return {};
    const int key = event.key();
    if (!alt) {
        switch (key) {
        case Qt::Key_Backspace:
            return QString(QChar(8));
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QString(QChar(13));
        case Qt::Key_Escape:
            return QString(QChar(27));
        default:
            break;
        }
        if (control)
            return key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key - Qt::Key_A + 1))
                                                        : QString();
    }
    const QString text = event.text();
    for (QChar unit : text) {
        const char16_t code = unit.unicode();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            return {};
    }
    return text;
}

} // namespace

GridView::GridView(QWidget *parent)
    : QAbstractItemView(parent), table(InitialRows, InitialCols),
      gridModel(std::make_unique<GridModel>(table)), adapter(table, *gridModel, *this)
{
    static const bool accessibleGrids = (QAccessible::installFactory(GridAccessible::create), true);
    Q_UNUSED(accessibleGrids);
    gridModel->setCutTest([this](int row, int col) { return textIsCut(row, col); });
    setModel(gridModel.get());
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    // Input methods stay on although no cell is editable, so that composed
    // characters (dead keys) reach the KeyPress handler too.
    setAttribute(Qt::WA_InputMethodEnabled, true);
    // paintEvent covers every pixel of the viewport.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    flush();
}

GridView::~GridView()
{
    // The model goes before the table it reads.
    gridModel.reset();
}

CellGrid &GridView::cells()
{
    return adapter;
}

void GridView::flush()
{
    refreshResolution();
    if (ensureLayout()) {
        updateGeometries();
        viewport()->update();
    }
    const CellTable::ChangedArea changed = table.takeChangedArea();
    if (!changed.isEmpty()) {
        viewport()->update();
        gridModel->announceChanges(changed);
    }
    // The procedures move the current cell without scrolling to it; only the
    // user's moves scroll.
    const QModelIndex current = gridModel->index(table.row(), table.col());
    if (selectionModel()->currentIndex() != current) {
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        setAutoScroll(scrolls);
    }
}

void GridView::reserveColumns(int cols)
{
    columnLeft.reserve(static_cast<std::size_t>(cols) + 1);
}

void GridView::refreshResolution() const
{
    resolutionX = logicalDpiX();
    resolutionY = logicalDpiY();
}

bool GridView::ensureLayout() const
{
    if (resolutionX == 0)
        refreshResolution();
    const int dpiX = resolutionX;
    const int dpiY = resolutionY;
    const int dpi = dpiX * 4096 + dpiY;
    if (layoutMadeFor == table.layoutVersion() && dpiMadeFor == dpi)
        return false;
    const int cols = table.cols();
    columnLeft.resize(static_cast<std::size_t>(cols) + 1);
    columnLeft[0] = 0;
    for (int c = 0; c < cols; ++c)
        columnLeft[c + 1] = columnLeft[c] + pixelsOf(table.colWidth(c), dpiX);
    rowPixels = std::max(1, pixelsOf(CellTable::RowHeight, dpiY));
    layoutMadeFor = table.layoutVersion();
    dpiMadeFor = dpi;
    return true;
}

int GridView::fixedWidth() const
{
    return clampToInt(columnLeft[1]);
}

std::int64_t GridView::contentWidth() const
{
    return columnLeft.back();
}

std::int64_t GridView::contentHeight() const
{
    return std::int64_t(table.rows()) * rowPixels;
}

QRect GridView::cellRect(int row, int col) const
{
    const std::int64_t x = col == 0 ? 0 : columnLeft[col] - horizontalOffset();
    const std::int64_t y = row == 0 ? 0 : std::int64_t(row) * rowPixels - verticalOffset();
    const std::int64_t width = columnLeft[col + 1] - columnLeft[col];
    return QRect(clampToInt(x), clampToInt(y), static_cast<int>(width), rowPixels);
}

bool GridView::textIsCut(int row, int col) const
{
    const CellTable::Cell &cell = table.cell(row, col);
    if (cell.isEmpty())
        return false;
    ensureLayout();
    const QFontMetrics metrics(gridModel->font(cell.format.font), viewport());
    return metrics.horizontalAdvance(GridModel::shownText(cell.text())) >
           textArea(cellRect(row, col)).width();
}

QRect GridView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= table.rows() || index.column() >= table.cols())
        return {};
    ensureLayout();
    return cellRect(index.row(), index.column());
}

void GridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.row() >= table.rows() || index.column() >= table.cols())
        return;
    ensureLayout();
    // Where the scrolling area begins and ends on the screen, and where the
    // cell lies in the whole grid.
    const auto place = [hint](std::int64_t offset, std::int64_t start, std::int64_t end,
                              std::int64_t cellStart, std::int64_t cellEnd) {
        switch (hint) {
        case PositionAtTop:
            return cellStart - start;
        case PositionAtBottom:
            return cellEnd - end;
        case PositionAtCenter:
            return (cellStart + cellEnd) / 2 - (start + end) / 2;
        case EnsureVisible:
        default:
            if (cellEnd - offset > end)
                offset = cellEnd - end;
            if (cellStart - offset < start)
                offset = cellStart - start;
            return offset;
        }
    };
    const QSize area = viewport()->size();
    if (index.row() > 0) {
        const std::int64_t top = std::int64_t(index.row()) * rowPixels;
        verticalScrollBar()->setValue(
            clampToInt(place(verticalOffset(), rowPixels, area.height(), top, top + rowPixels)));
    }
    if (index.column() > 0) {
        const int c = index.column();
        horizontalScrollBar()->setValue(clampToInt(place(
            horizontalOffset(), fixedWidth(), area.width(), columnLeft[c], columnLeft[c + 1])));
    }
}

QModelIndex GridView::indexAt(const QPoint &point) const
{
    ensureLayout();
    if (point.x() < 0 || point.y() < 0)
        return {};
    const std::int64_t y = point.y() < rowPixels ? point.y() : point.y() + verticalOffset();
    const std::int64_t row = y / rowPixels;
    const std::int64_t x = point.x() < fixedWidth() ? point.x() : point.x() + horizontalOffset();
    const auto right = std::upper_bound(columnLeft.begin(), columnLeft.end(), x);
    const std::int64_t col = (right - columnLeft.begin()) - 1;
    if (row >= table.rows() || col < 0 || col >= table.cols())
        return {};
    return gridModel->index(static_cast<int>(row), static_cast<int>(col));
}

void GridView::keyboardSearch(const QString &) {}

int GridView::pageRows() const
{
    return std::max(1, (viewport()->height() - rowPixels) / rowPixels);
}

// The arrow keys and the page keys move among the non-fixed cells; from a
// fixed cell, where a procedure may have left the current cell, they lead
// into the non-fixed ones.
QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    ensureLayout();
    const int rows = table.rows();
    const int cols = table.cols();
    const int firstRow = rows > 1 ? 1 : 0;
    const int firstCol = cols > 1 ? 1 : 0;
    int row = table.row();
    int col = table.col();
    const bool control = modifiers & Qt::ControlModifier;
    switch (cursorAction) {
    case MoveUp:
        if (row > firstRow)
            --row;
        break;
    case MoveDown:
        if (row < rows - 1)
            row = std::max(row + 1, firstRow);
        break;
    case MoveLeft:
        if (col > firstCol)
            --col;
        break;
    case MoveRight:
        if (col < cols - 1)
            col = std::max(col + 1, firstCol);
        break;
    case MovePageUp:
        if (row > firstRow)
            row = std::max(firstRow, row - pageRows());
        break;
    case MovePageDown:
        row = std::max(firstRow, std::min(rows - 1, row + pageRows()));
        break;
    case MoveHome:
        col = firstCol;
        if (control)
            row = firstRow;
        break;
    case MoveEnd:
        col = cols - 1;
        if (control)
            row = rows - 1;
        break;
    case MoveNext:
    case MovePrevious:
        break;
    }
    return gridModel->index(row, col);
}

int GridView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int GridView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool GridView::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void GridView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QModelIndex first = indexAt(rect.topLeft());
    const QModelIndex last = indexAt(rect.bottomRight());
    if (first.isValid() && last.isValid())
        selectionModel()->select(QItemSelection(first, last), command);
}

QRegion GridView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    for (const QItemSelectionRange &range : selection) {
        const QRect first = visualRect(range.topLeft());
        const QRect last = visualRect(range.bottomRight());
        region += first.united(last);
    }
    return region;
}

bool GridView::edit(const QModelIndex &, EditTrigger, QEvent *)
{
    return false;
}

void GridView::updateGeometries()
{
    ensureLayout();
    const QSize area = viewport()->size();
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, clampToInt(std::max<std::int64_t>(0, contentWidth() - area.width())));
    horizontal->setPageStep(std::max(1, area.width() - fixedWidth()));
    horizontal->setSingleStep(rowPixels * 2);
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, clampToInt(std::max<std::int64_t>(0, contentHeight() - area.height())));
    vertical->setPageStep(std::max(1, area.height() - rowPixels));
    vertical->setSingleStep(rowPixels);
    QAbstractItemView::updateGeometries();
}

void GridView::scrollContentsBy(int, int)
{
    // The fixed row and column stay while the rest moves, so the viewport is
    // drawn anew rather than shifted.
    viewport()->update();
}

GridView::CellSpan GridView::visibleScrollingRows() const
{
    const std::int64_t offset = verticalOffset();
    const std::int64_t first = offset / rowPixels + 1;
    const std::int64_t last = (offset + viewport()->height() - 1) / rowPixels;
    return {static_cast<int>(std::min<std::int64_t>(first, table.rows())),
            static_cast<int>(std::min<std::int64_t>(last, table.rows() - 1))};
}

GridView::CellSpan GridView::visibleScrollingCols() const
{
    const std::int64_t offset = horizontalOffset();
    const auto begin = columnLeft.begin();
    const auto firstRight = std::upper_bound(begin, columnLeft.end(), offset + fixedWidth());
    const auto lastLeft = std::lower_bound(begin, columnLeft.end(), offset + viewport()->width());
    const int first = std::max(1, static_cast<int>(firstRight - begin) - 1);
    const int last = std::min(table.cols() - 1, static_cast<int>(lastLeft - begin) - 1);
    return {first, last};
}

void GridView::paintEvent(QPaintEvent *)
{
    refreshResolution();
    ensureLayout();
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    const int fixedW = std::min(fixedWidth(), area.width());
    const int fixedH = std::min(rowPixels, area.height());
    const CellSpan rows = visibleScrollingRows();
    const CellSpan cols = visibleScrollingCols();

    // Beyond the last row and column lies the empty background.
    const int right =
        clampToInt(table.cols() > 1 ? contentWidth() - horizontalOffset() : std::int64_t(fixedW));
    const int bottom =
        clampToInt(table.rows() > 1 ? contentHeight() - verticalOffset() : std::int64_t(fixedH));
    const QColor background = palette().color(QPalette::Dark);
    if (right < area.width())
        painter.fillRect(QRect(right, 0, area.width() - right, area.height()), background);
    if (bottom < area.height())
        painter.fillRect(QRect(0, bottom, area.width(), area.height() - bottom), background);

    const QRect scrolling(fixedW, fixedH, area.width() - fixedW, area.height() - fixedH);
    paintArea(painter, scrolling, rows, cols, false);
    paintArea(painter, QRect(fixedW, 0, area.width() - fixedW, fixedH), {0, 0}, cols, true);
    paintArea(painter, QRect(0, fixedH, fixedW, area.height() - fixedH), rows, {0, 0}, true);
    paintArea(painter, QRect(0, 0, fixedW, fixedH), {0, 0}, {0, 0}, true);
    paintCurrentMark(painter);
}

void GridView::paintArea(QPainter &painter, const QRect &clip, CellSpan rows, CellSpan cols,
                         bool fixed) const
{
    if (clip.isEmpty() || rows.first > rows.last || cols.first > cols.last)
        return;
    painter.save();
    painter.setClipRect(clip);
    const QRect topLeft = cellRect(rows.first, cols.first);
    const QRect bottomRight = cellRect(rows.last, cols.last);
    const QRect cellsRect = topLeft.united(bottomRight);
    const QPalette &colours = palette();
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
                painter.setFont(gridModel->font(cell.format.font));
                metrics = painter.fontMetrics();
            }
            // Cut at the end whatever the alignment: the sign and the leading
            // digits are the part of a number that must stay in sight.
            const QRect textRect = textArea(rect);
            painter.drawText(
                textRect, int(GridModel::alignmentOf(cell.format.alignment)) | Qt::TextSingleLine,
                metrics.elidedText(GridModel::shownText(cell.text()), Qt::ElideRight,
                                   textRect.width()));
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

// The current cell is framed, boldly while the grid has the focus and with
// a thin dotted line while it has not.
void GridView::paintCurrentMark(QPainter &painter) const
{
    const int row = table.row();
    const int col = table.col();
    const QRect area = viewport()->rect();
    const int fixedW = fixedWidth();
    QRect clip = area;
    if (row > 0)
        clip.setTop(rowPixels);
    if (col > 0)
        clip.setLeft(fixedW);
    const QRect rect = cellRect(row, col);
    if (clip.isEmpty() || !clip.intersects(rect))
        return;
    painter.save();
    painter.setClipRect(clip);
    painter.setBrush(Qt::NoBrush);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect.adjusted(1, 1, -1, -1));
    } else {
        painter.setPen(QPen(palette().color(QPalette::Shadow), 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(0, 0, -2, -2));
    }
    painter.restore();
}

void GridView::deliverCharacters(const QString &codes)
{
    for (QChar unit : codes)
        emit keyPress(unit.unicode());
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    std::optional<CursorAction> move;
    switch (event->key()) {
    case Qt::Key_Up:
        move = MoveUp;
        break;
    case Qt::Key_Down:
        move = MoveDown;
        break;
    case Qt::Key_Left:
        move = MoveLeft;
        break;
    case Qt::Key_Right:
        move = MoveRight;
        break;
    case Qt::Key_PageUp:
        move = MovePageUp;
        break;
    case Qt::Key_PageDown:
        move = MovePageDown;
        break;
    case Qt::Key_Home:
        move = MoveHome;
        break;
    case Qt::Key_End:
        move = MoveEnd;
        break;
    default:
        break;
    }
    if (move && !alt) {
        const QModelIndex target = moveCursor(*move, event->modifiers());
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        scrollTo(target);
        event->accept();
        return;
    }
    const QString codes = typedCodes(*event);
    if (codes.isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    deliverCharacters(codes);
}

void GridView::inputMethodEvent(QInputMethodEvent *event)
{
    QString codes = event->commitString();
    codes.removeIf([](QChar unit) { return unit.unicode() < 0x20 || unit.unicode() == 0x7F; });
    event->accept();
    if (!codes.isEmpty())
        deliverCharacters(codes);
}

// Only a left click on a non-fixed cell makes it current; a click on a fixed
// header cell, or with another button, just gives the grid the focus.
void GridView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || index.row() == 0 ||
        index.column() == 0) {
        event->accept();
        return;
    }
    QAbstractItemView::mousePressEvent(event);
}

// A drag with the button held moves the current cell like a click, and
// like a click it never makes a header cell current.
void GridView::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && (index.row() == 0 || index.column() == 0)) {
        event->accept();
        return;
    }
    QAbstractItemView::mouseMoveEvent(event);
}

void GridView::focusInEvent(QFocusEvent *event)
{
    QAbstractItemView::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

// The base class works out the screen rectangle of every changed cell, which
// for the thousands of cells a run changes between two frames costs more than
// repainting the whole viewport; flush() repaints it once per frame anyway.
void GridView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &)
{
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent changed(this,
                                                 QAccessibleTableModelChangeEvent::DataChanged);
        changed.setFirstRow(topLeft.row());
        changed.setFirstColumn(topLeft.column());
        changed.setLastRow(bottomRight.row());
        changed.setLastColumn(bottomRight.column());
        QAccessible::updateAccessibility(&changed);
    }
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    // The base turns input methods off on cells that cannot be edited.
    setAttribute(Qt::WA_InputMethodEnabled, true);
    if (!current.isValid())
        return;
    table.followView(current.row(), current.column());
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current.row() * table.cols() + current.column());
        QAccessible::updateAccessibility(&focus);
    }
}
