#include "GridCellAccessible.h"

#include "GridView.h"

GridCellAccessible::GridCellAccessible(GridView *grid, int row, int column)
    : grid(grid), row(row), column(column)
{}

void *GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface && !isHeader())
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool GridCellAccessible::isValid() const
{
    return grid && row < grid->model()->rowCount() && column < grid->model()->columnCount();
}

QAccessibleInterface *GridCellAccessible::parent() const
{
    return grid ? QAccessible::queryAccessibleInterface(grid.data()) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return grid->model()->index(row, column).data().toString();
}

QRect GridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    return QRect(grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

// The corner cell belongs to the header row.
QAccessible::Role GridCellAccessible::role() const
{
    if (row == 0)
        return QAccessible::ColumnHeader;
    if (column == 0)
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const QModelIndex index = grid->model()->index(row, column);
    state.focusable = true;
    state.focused = grid->hasFocus() && grid->currentIndex() == index;
    state.offscreen = !grid->viewport()->rect().intersects(grid->visualRect(index));
    return state;
}

QAccessibleInterface *GridCellAccessible::gridCell(int cellRow, int cellColumn) const
{
    QAccessibleInterface *table = parent();
    if (!table || !isValid())
        return nullptr;
    return table->child(cellRow * grid->model()->columnCount() + cellColumn);
}

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    QAccessibleInterface *header = isHeader() ? nullptr : gridCell(0, column);
    return header ? QList<QAccessibleInterface *>{header} : QList<QAccessibleInterface *>{};
}

QList<QAccessibleInterface *> GridCellAccessible::rowHeaderCells() const
{
    QAccessibleInterface *header = isHeader() ? nullptr : gridCell(row, 0);
    return header ? QList<QAccessibleInterface *>{header} : QList<QAccessibleInterface *>{};
}
