#pragma once

#include "ui/CellGrid.h"

class GridModel;
class GridView;

// The window's part of one GridView's cell grid: a change of the row or
// column count reaches the model (and so the view) at once, and the focus
// goes to the view. The cell operations only change the cell table; the view
// publishes them when it flushes.
class QtCellGrid final : public CellGrid
{
  public:
    QtCellGrid(CellTable &table, GridModel &model, GridView &view);

    void setRows(int count) override;
    void setCols(int count) override;
    bool reserveRoom(int rows, int cols) override;
    void releaseRoom() override;
    void setFocus() override;

  private:
    GridModel &model;
    GridView &view;
};
