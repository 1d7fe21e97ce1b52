#include "QtCellGrid.h"

#include "CellTable.h"
#include "GridModel.h"

#include <QWidget>

QtCellGrid::QtCellGrid(CellTable &table, GridModel &model, QWidget &view)
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
