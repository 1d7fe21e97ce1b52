#pragma once

#include "BoundedArray.h"
#include "Statement.h"
#include "ui/CellGrid.h"

#include <climits>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace cellwrite_detail {

template <class I> int cellIndex(const I &index)
{
    const long i = arrayIndex(index);
    if (i < INT_MIN || i > INT_MAX)
        failStatement();
    return static_cast<int>(i);
}

template <class Text> std::string cellText(Text &&text)
{
    if constexpr (std::is_invocable_v<Text>)
        return std::string(text());
    else
        return std::string(std::forward<Text>(text));
}

} // namespace cellwrite_detail

// Writes one cell: makes (row, col) current, row first, then sets its text.
// Each of these is a statement of its own: a refused row or column leaves
// that coordinate as it was and the text lands in the cell that is current.
// `text` is a string, or a callable that computes it, so that a failure in
// computing the text skips only the text.
template <class R, class C, class Text>
void writeCell(CellGrid &grid, const R &row, const C &col, Text &&text)
{
    using namespace cellwrite_detail;
    guarded([&] { failUnless(grid.setRow(cellIndex(row))); });
    guarded([&] { failUnless(grid.setCol(cellIndex(col))); });
    guarded([&] { grid.setText(cellText(std::forward<Text>(text))); });
}

// The same, then sets the current cell's alignment, a statement of its own.
template <class R, class C, class Text>
void writeCell(CellGrid &grid, const R &row, const C &col, Text &&text, std::int16_t alignment)
{
    writeCell(grid, row, col, std::forward<Text>(text));
    guarded([&] { grid.setCellAlignment(alignment); });
}
