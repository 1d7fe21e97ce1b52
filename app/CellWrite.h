#pragma once

#include "app/values/CellNumber.h"
#include "app/values/Position.h"
#include "app/values/Statement.h"
#include "ui/CellGrid.h"

#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

// Makes (row, col) the current cell, row first; a row or a column is a
// position (Position.h). Each is a statement of its own: a refused row or
// column leaves that coordinate as it was. Nothing here throws, so the
// compiler keeps what it knows of the cell for the write that follows.
template <class R, class C> void selectCell(CellGrid &grid, const R &row, const C &col)
{
    std::int32_t position = 0;
    if (positionOf(row, position))
        grid.setRow(position);
    if (positionOf(col, position))
        grid.setCol(position);
}

// The text of the current cell: a string, or a number that the cell keeps
// and shows as its text (plainNumber, roundedNumber).
inline void setCellText(CellGrid &grid, std::string_view text)
{
    grid.setText(text);
}

inline void setCellText(CellGrid &grid, const CellNumber &number)
{
    grid.setNumber(number);
}

// Writes one cell: selects it, then sets its text, a statement of its own, so
// the text lands in whatever cell is current. `text` is a string or a number
// as setCellText takes it, or a callable that computes one, so that a failure
// in computing the text skips only the text and leaves the cell as it was.
template <class R, class C, class Text>
void writeCell(CellGrid &grid, const R &row, const C &col, Text &&text)
{
    selectCell(grid, row, col);
    guarded([&] {
        if constexpr (std::is_invocable_v<Text>)
            setCellText(grid, text());
        else
            setCellText(grid, text);
    });
}

// The same, then sets the current cell's alignment, a statement of its own.
// A number that is computed goes into the cell together with the alignment,
// in one step of the grid: the same cell, the same effect, half the work.
template <class R, class C, class Text>
void writeCell(CellGrid &grid, const R &row, const C &col, std::int16_t alignment, Text &&text)
{
    if constexpr (std::is_invocable_r_v<CellNumber, Text>) {
        selectCell(grid, row, col);
        CellNumber number;
        if (attempt([&] { number = text(); }))
            grid.setNumber(number, alignment);
        else
            grid.setCellAlignment(alignment);
    } else {
        writeCell(grid, row, col, std::forward<Text>(text));
        guarded([&] { grid.setCellAlignment(alignment); });
    }
}
