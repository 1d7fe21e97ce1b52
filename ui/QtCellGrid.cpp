#include "QtCellGrid.h"

#include "GridModel.h"

#include <QWidget>

QtCellGrid::QtCellGrid(CellTable &table, GridModel &model, QWidget &view)
    : CellGrid(table), model(model), view(view)
{}

void QtCellGrid::setRows(int count)
{
    model.setRowCount(count);
}

void QtCellGrid::setCols(int count)
{
    model.setColumnCount(count);
}

void QtCellGrid::setFocus()
{
    view.setFocus(Qt::OtherFocusReason);
}
