#include "GridAccessible.h"

#include "GridCellAccessible.h"
#include "GridView.h"

#include <algorithm>

GridAccessible::GridAccessible(GridView *grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridAccessible::~GridAccessible()
{
    forgetCells();
}

QAccessibleInterface *GridAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String(GridView::staticMetaObject.className()) &&
        qobject_cast<GridView *>(object))
        return new GridAccessible(static_cast<GridView *>(object));
    return nullptr;
}

GridView *GridAccessible::grid() const
{
    return static_cast<GridView *>(widget());
}

void *GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int GridAccessible::gridRows() const
{
    return grid()->model()->rowCount();
}

int GridAccessible::gridCols() const
{
    return grid()->model()->columnCount();
}

int GridAccessible::rowCount() const
{
    return std::max(0, gridRows() - 1);
}

int GridAccessible::columnCount() const
{
    return std::max(0, gridCols() - 1);
}

int GridAccessible::childCount() const
{
    return gridRows() * gridCols();
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    const int cols = gridCols();
    if (index < 0 || index >= childCount())
        return nullptr;
    return gridCell(index / cols, index % cols);
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const GridCellAccessible *>(child);
    if (!cell || cell->parent() != this || !cell->isValid())
        return -1;
    return cell->gridRow() * gridCols() + cell->gridColumn();
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? gridCell(index.row(), index.column()) : nullptr;
}

QAccessibleInterface *GridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    if (!grid()->hasFocus() || !current.isValid())
        return nullptr;
    return gridCell(current.row(), current.column());
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return gridCell(row + 1, column + 1);
}

QAccessibleInterface *GridAccessible::gridCell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= gridRows() || column >= gridCols())
        return nullptr;
    const quint64 key = (quint64(row) << 32) | quint32(column);
    const auto known = cellIds.constFind(key);
    if (known != cellIds.constEnd())
        return QAccessible::accessibleInterface(*known);
    QAccessibleInterface *cell = new GridCellAccessible(grid(), row, column);
    cellIds.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QString GridAccessible::columnDescription(int column) const
{
    return grid()->model()->index(0, column + 1).data().toString();
}

QString GridAccessible::rowDescription(int row) const
{
    return grid()->model()->index(row + 1, 0).data().toString();
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        forgetCells();
}

void GridAccessible::forgetCells()
{
    for (QAccessible::Id id : std::as_const(cellIds))
        QAccessible::deleteAccessibleInterface(id);
    cellIds.clear();
}
