#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace model {

// A cell of grid 0, 1 or 2 (msfmain0, msfmain, msfunit) takes a text and has
// an alignment afterwards (-1: never aligned); grid Pause marks a pause.
struct Write
{
    static constexpr int Pause = -1;
    int grid = Pause, row = 0, col = 0;
    std::string text;
    int alignment = -1;
    bool operator==(const Write &) const = default;
};

struct Cell
{
    std::string text;
    int alignment = -1;
    bool operator==(const Cell &) const = default;
};

// The cells, the column widths in twips and the current cell of a grid; rows
// and columns come and go at the bottom and the right.
struct Grid
{
    static constexpr int UnsizedWidth = 960; // a column nothing has sized
    std::vector<std::vector<Cell>> cells = std::vector(3, std::vector<Cell>(4));
    std::vector<int> widths = std::vector(4, UnsizedWidth);
    int row = 1, col = 1;

    int rows() const { return int(cells.size()); }
    int cols() const { return int(widths.size()); }
    void setRows(int count)
    {
        cells.resize(count, std::vector<Cell>(widths.size()));
        row = std::min(row, count - 1);
    }
    void setCols(int count)
    {
        for (std::vector<Cell> &cellsOfRow : cells)
            cellsOfRow.resize(count);
        widths.resize(count, UnsizedWidth);
        col = std::min(col, count - 1);
    }
    bool operator==(const Grid &) const = default;
};

} // namespace model
