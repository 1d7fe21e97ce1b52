#include "QtCellGrid.h"

#include "GridModel.h"
#include "GridView.h"

#include <new>
#include <stdexcept>

QtCellGrid::QtCellGrid(CellTable &table, GridModel &model, GridView &view)
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

bool QtCellGrid::reserveRoom(int rows, int cols)
{
    try {
        table.reserve(rows, cols);
        view.reserveColumns(cols);
        return true;
    } catch (const std::bad_alloc &) {
    } catch (const std::invalid_argument &) { // fewer than one row or column
    } catch (const std::length_error &) {     // more cells than a grid holds
    }
    table.releaseRoom();
    return false;
}

void QtCellGrid::releaseRoom()
{
    table.releaseRoom();
}

void QtCellGrid::setFocus()
{
    view.setFocus(Qt::OtherFocusReason);
}
