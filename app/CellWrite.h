#pragma once

#include "app/values/BoundedArray.h"
#include "app/values/CellNumber.h"
#include "app/values/Statement.h"
#include "ui/CellGrid.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

// A row or column number: an integer, or a variant, which rounds half to
// even. Without an exception: sets `position` and returns true, or returns
// false when there is no such row or column.
inline bool cellPosition(long index, int &position)
{
    if (index < INT_MIN || index > INT_MAX)
        return false;
    position = static_cast<int>(index);
    return true;
}

inline bool cellPosition(const Variant &index, int &position)
{
    if (index.kind() == Variant::Kind::Integer) [[likely]] {
        position = index.integerValue();
        return true;
    }
    const std::optional<std::int32_t> i = fittingLong(index);
    if (i)
        position = *i;
    return i.has_value();
}

// The same as a statement: a number beyond the grid's range fails.
template <class I> int cellIndex(const I &index)
{
    int position = 0;
    if (!cellPosition(index, position))
        failStatement();
    return position;
}

// Makes (row, col) the current cell, row first. Each is a statement of its
// own: a refused row or column leaves that coordinate as it was. Nothing here
// throws, so the compiler keeps what it knows of the cell for the write that
// follows.
template <class R, class C> void selectCell(CellGrid &grid, const R &row, const C &col)
{
    int position = 0;
    if (cellPosition(row, position))
        grid.setRow(position);
    if (cellPosition(col, position))
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
