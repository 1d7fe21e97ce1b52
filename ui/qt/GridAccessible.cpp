#include "GridAccessible.h"

#include "GridCellAccessible.h"
#include "GridView.h"

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

int GridAccessible::rowCount() const
{
    return grid()->model()->rowCount();
}

int GridAccessible::columnCount() const
{
    return grid()->model()->columnCount();
}

int GridAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    const int cols = columnCount();
    if (index < 0 || index >= childCount())
        return nullptr;
    return cellAt(index / cols, index % cols);
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    QAccessibleTableCellInterface *cell =
        child ? const_cast<QAccessibleInterface *>(child)->tableCellInterface() : nullptr;
    if (!cell || cell->table() != this)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
}

QAccessibleInterface *GridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    if (!grid()->hasFocus() || !current.isValid())
        return nullptr;
    return cellAt(current.row(), current.column());
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
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
    return grid()->model()->index(0, column).data().toString();
}

QString GridAccessible::rowDescription(int row) const
{
    return grid()->model()->index(row, 0).data().toString();
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
