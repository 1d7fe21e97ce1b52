#include "QtCellGrid.h"

#include "CellTable.h"
#include "GridModel.h"
#include "GridView.h"

#include <new>
#include <stdexcept>

QtCellGrid::QtCellGrid(CellTable &table, GridModel &model, GridView &view)
    : table(table), model(model), view(view)
{}

void QtCellGrid::setRows(int count)
{
    model.setRowCount(count);
}

int QtCellGrid::rows() const
{
    return table.rows();
}

void QtCellGrid::setCols(int count)
{
    model.setColumnCount(count);
}

int QtCellGrid::cols() const
{
    return table.cols();
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

bool QtCellGrid::setRow(int row)
{
    return table.setRow(row);
}

int QtCellGrid::row() const
{
    return table.row();
}

bool QtCellGrid::setCol(int col)
{
    return table.setCol(col);
}

int QtCellGrid::col() const
{
    return table.col();
}

void QtCellGrid::setText(std::string_view text)
{
    table.setText(text);
}

std::string QtCellGrid::text() const
{
    return table.text();
}

bool QtCellGrid::setColWidth(int col, int twips)
{
    return table.setColWidth(col, twips);
}

void QtCellGrid::setCellAlignment(std::int16_t alignment)
{
    table.setAlignment(alignment);
}

void QtCellGrid::setCellBackColor(std::uint32_t colorBgr)
{
    table.setBackColor(colorBgr);
}

void QtCellGrid::setCellFontName(std::string_view name)
{
    table.setFontName(name);
}

void QtCellGrid::setCellFontSize(float points)
{
    table.setFontSize(points);
}

void QtCellGrid::setFocus()
{
    view.setFocus(Qt::OtherFocusReason);
}
