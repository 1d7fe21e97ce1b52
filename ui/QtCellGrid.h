#pragma once

#include "CellGrid.h"

class CellTable;
class GridModel;
class GridView;

// The cell grid operations of one GridView. The operations on the current
// cell only change the cell table; the view publishes them when it flushes.
// Changes of the row or column count reach the model (and so the view) at
// once.
class QtCellGrid final : public CellGrid
{
  public:
    QtCellGrid(CellTable &table, GridModel &model, GridView &view);

    void setRows(int count) override;
    int rows() const override;
    void setCols(int count) override;
    int cols() const override;
    bool reserveRoom(int rows, int cols) override;
    void releaseRoom() override;

    bool setRow(int row) override;
    int row() const override;
    bool setCol(int col) override;
    int col() const override;

    void setText(std::string_view text) override;
    std::string text() const override;

    bool setColWidth(int col, int twips) override;

    void setCellAlignment(std::int16_t alignment) override;
    void setCellBackColor(std::uint32_t colorBgr) override;
    void setCellFontName(std::string_view name) override;
    void setCellFontSize(float points) override;

    void setFocus() override;

  private:
    CellTable &table;
    GridModel &model;
    GridView &view;
};
