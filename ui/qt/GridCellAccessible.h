#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class GridView;

// One cell of a grid for assistive technology: its text, place and whether
// it is the current cell. Cells of the header row and column are the column
// and row headers of the others, and only those others are cells of the
// table, numbered from the first cell beyond the headers.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
  public:
    GridCellAccessible(GridView *grid, int row, int column);

    void *interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override { return column - 1; }
    int rowIndex() const override { return row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    // The place of the cell in the grid, header cells included.
    int gridRow() const { return row; }
    int gridColumn() const { return column; }

  private:
    bool isHeader() const { return row == 0 || column == 0; }
    // The cell (row, column) of the grid, header cells included.
    QAccessibleInterface *gridCell(int row, int column) const;

    QPointer<GridView> grid;
    int row;
    int column;
};
