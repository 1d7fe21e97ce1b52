#include "GridView.h"

#include "CellToolTip.h"
#include "GridAccessible.h"
#include "ui/DataAreaText.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

GridView::GridView(QWidget *parent)
    : QAbstractItemView(parent), table(InitialRows, InitialCols),
      gridModel(std::make_unique<GridModel>(table)), adapter(table, *gridModel, *this),
      geometry(table, *this), cellPainter(table, *gridModel, geometry)
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
    geometry.refreshResolution();
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
    geometry.reserveColumns(cols);
}

bool GridView::textIsCut(int row, int col) const
{
    ensureLayout();
    return cellPainter.textIsCut(row, col, *viewport());
}

QRect GridView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= table.rows() || index.column() >= table.cols())
        return {};
    ensureLayout();
    return geometry.cellRect(index.row(), index.column(), scrolled());
}

void GridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.row() >= table.rows() || index.column() >= table.cols())
        return;
    ensureLayout();
    const QPoint position =
        geometry.scrolledTo(index.row(), index.column(), hint, scrolled(), viewport()->size());
    verticalScrollBar()->setValue(position.y());
    horizontalScrollBar()->setValue(position.x());
}

QModelIndex GridView::indexAt(const QPoint &point) const
{
    ensureLayout();
    int row = 0;
    int col = 0;
    if (!geometry.cellAt(point, scrolled(), row, col))
        return {};
    return gridModel->index(row, col);
}

void GridView::keyboardSearch(const QString &) {}

QModelIndex GridView::movedTo(GridKeys::Move move, Qt::KeyboardModifiers modifiers) const
{
    ensureLayout();
    const GridKeys::Cell cell = GridKeys::moved(move, modifiers & Qt::ControlModifier, table,
                                                geometry.pageRows(viewport()->size()));
    return gridModel->index(cell.row, cell.col);
}

QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    using Move = GridKeys::Move;
    switch (cursorAction) {
    case MoveUp:
        return movedTo(Move::Up, modifiers);
    case MoveDown:
        return movedTo(Move::Down, modifiers);
    case MoveLeft:
        return movedTo(Move::Left, modifiers);
    case MoveRight:
        return movedTo(Move::Right, modifiers);
    case MovePageUp:
        return movedTo(Move::PageUp, modifiers);
    case MovePageDown:
        return movedTo(Move::PageDown, modifiers);
    case MoveHome:
        return movedTo(Move::Home, modifiers);
    case MoveEnd:
        return movedTo(Move::End, modifiers);
    case MoveNext:
    case MovePrevious:
        break;
    }
    return gridModel->index(table.row(), table.col());
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
    const int rowHeight = geometry.rowHeight();
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, GridGeometry::clampToInt(
                                std::max<std::int64_t>(0, geometry.contentWidth() - area.width())));
    horizontal->setPageStep(std::max(1, area.width() - geometry.fixedWidth()));
    horizontal->setSingleStep(rowHeight * 2);
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, GridGeometry::clampToInt(
                              std::max<std::int64_t>(0, geometry.contentHeight() - area.height())));
    vertical->setPageStep(std::max(1, area.height() - rowHeight));
    vertical->setSingleStep(rowHeight);
    QAbstractItemView::updateGeometries();
}

void GridView::scrollContentsBy(int, int)
{
    // The fixed row and column stay while the rest moves, so the viewport is
    // drawn anew rather than shifted.
    viewport()->update();
}

void GridView::paintEvent(QPaintEvent *)
{
    geometry.refreshResolution();
    ensureLayout();
    QPainter painter(viewport());
    cellPainter.paint(painter, viewport()->rect(), scrolled(), palette(), hasFocus());
}

bool GridView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractItemView::viewportEvent(event);
    showToolTip(*static_cast<QHelpEvent *>(event));
    return true;
}

void GridView::showToolTip(const QHelpEvent &event)
{
    const QModelIndex index = indexAt(event.pos());
    const QString whole = index.data(Qt::ToolTipRole).toString();
    const QScreen *screen = QGuiApplication::screenAt(event.globalPos());
    if (!screen)
        screen = this->screen();
    if (whole.isEmpty() || !screen) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event.globalPos(),
                       CellToolTip::of(whole, QToolTip::font(), screen->availableGeometry()),
                       viewport(), visualRect(index));
}

void GridView::deliverCharacters(const QString &codes)
{
    // The cell a character goes into is in sight first, wherever a procedure
    // has left the current cell.
    scrollTo(gridModel->index(table.row(), table.col()));
    for (QChar unit : codes)
        emit keyPress(unit.unicode());
}

bool GridView::typesCharacters() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&GridView::keyPress));
}

void GridView::copyDataArea() const
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(dataAreaText(table)));
}

void GridView::deliverPaste()
{
    // Only a grid that takes pasted text reads the clipboard, and a
    // clipboard without text, or with an empty one, pastes nothing.
    if (!isSignalConnected(QMetaMethod::fromSignal(&GridView::pasteText)))
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        emit pasteText(text);
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    if (const std::optional<GridKeys::Move> move = GridKeys::moveOf(*event)) {
        const QModelIndex target = movedTo(*move, event->modifiers());
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        scrollTo(target);
        event->accept();
        return;
    }
    if (GridKeys::copies(*event, typesCharacters())) {
        event->accept();
        copyDataArea();
        return;
    }
    if (GridKeys::pastes(*event)) {
        event->accept();
        deliverPaste();
        return;
    }
    const QString codes = GridKeys::typedCodes(*event);
    if (codes.isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    deliverCharacters(codes);
}

void GridView::inputMethodEvent(QInputMethodEvent *event)
{
    const QString codes = GridKeys::typedCodes(*event);
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
        announceCurrentCell(topLeft, bottomRight);
        QAccessibleTableModelChangeEvent changed(this,
                                                 QAccessibleTableModelChangeEvent::DataChanged);
        changed.setFirstRow(topLeft.row());
        changed.setFirstColumn(topLeft.column());
        changed.setLastRow(bottomRight.row());
        changed.setLastColumn(bottomRight.column());
        QAccessible::updateAccessibility(&changed);
    }
}

// A screen reader speaks the name of the focused cell again when it changes,
// as it does for any focused object: so while the user types, each new text.
void GridView::announceCurrentCell(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() ||
        !QItemSelectionRange(topLeft, bottomRight).contains(current))
        return;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    renamed.setChild(current.row() * table.cols() + current.column());
    QAccessible::updateAccessibility(&renamed);
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
