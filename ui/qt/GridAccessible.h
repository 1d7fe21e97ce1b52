#pragma once

#include <QAccessibleWidget>
#include <QHash>

class GridView;

// What assistive technology sees of a grid: a table whose rows and columns
// are those of the cells beyond the header row and column, with the header
// cells as their row and column headers. Its children are all the cells of
// the grid, row by row, the header cells included; their names are the cell
// texts. The current cell is the focused child while the grid has the focus.
// Cell interfaces are made when asked for and kept until the grid is resized.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
  public:
    explicit GridAccessible(GridView *grid);
    ~GridAccessible() override;

    // The factory to install once: gives every GridView this interface.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    // A cell of the table: row and column count the cells that are not
    // headers, from 0.
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

  private:
    GridView *grid() const;
    int gridRows() const;
    int gridCols() const;
    // The cell (row, column) of the grid, header cells included.
    QAccessibleInterface *gridCell(int row, int column) const;
    void forgetCells();

    mutable QHash<quint64, QAccessible::Id> cellIds;
};
