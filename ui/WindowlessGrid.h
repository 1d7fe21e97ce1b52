#pragma once

#include "CellGrid.h"

// A grid whose cells nothing shows: the procedures run on it as on the
// window's grids, with no toolkit behind it (the benchmark of the procedures
// and the tests of the cell operations use it).
class WindowlessGrid final : public CellGrid
{
  public:
    explicit WindowlessGrid(CellTable &table) : CellGrid(table) {}

    void setRows(int count) override { table.setRows(count); }
    void setCols(int count) override { table.setCols(count); }
    bool reserveRoom(int rows, int cols) override
    {
        table.reserve(rows, cols);
        return true;
    }
    void releaseRoom() override { table.releaseRoom(); }
    void setFocus() override {}
};
