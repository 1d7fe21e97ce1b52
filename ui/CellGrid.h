#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A grid of text cells as the procedures see it. Cells are addressed
// (row, column) from 0; row 0 and column 0 are fixed header cells. The grid
// always has one current cell, and the text and format operations act on it
// alone. Texts are UTF-8. The characters typed while a grid has the focus
// are its KeyPress event, which the window binds like a button's click; the
// grid never edits a cell itself.
class CellGrid
{
  public:
    // Cell alignment codes.
    static constexpr std::int16_t AlignLeftCenter = 1;
    static constexpr std::int16_t AlignCenterCenter = 4;

    virtual ~CellGrid() = default;

    // Rows 0..count-1 exist afterwards; rows are added or removed at the
    // bottom, added rows are empty, the others keep texts and formats.
    virtual void setRows(int count) = 0;
    virtual int rows() const = 0;
    // The same for columns, at the right; added columns get the default width.
    virtual void setCols(int count) = 0;
    virtual int cols() const = 0;

    // Makes room for setRows(rows) followed by setCols(cols), so that neither
    // can fail for want of memory. False, the cells as they were, when the
    // room cannot be had. releaseRoom() gives back room that was not used.
    virtual bool reserveRoom(int rows, int cols) = 0;
    virtual void releaseRoom() = 0;

    // Makes `row` current, the column staying. Refused (false, current cell
    // unchanged) when the row does not exist.
    virtual bool setRow(int row) = 0;
    virtual int row() const = 0;
    // The same for the current column.
    virtual bool setCol(int col) = 0;
    virtual int col() const = 0;

    // Replaces the whole text of the current cell.
    virtual void setText(std::string_view text) = 0;
    // The text of the current cell, "" if never written.
    virtual std::string text() const = 0;

    // Width of one column in twips; refused when the column does not exist.
    virtual bool setColWidth(int col, int twips) = 0;

    // Format of the current cell.
    virtual void setCellAlignment(std::int16_t alignment) = 0;
    virtual void setCellBackColor(std::uint32_t colorBgr) = 0;
    virtual void setCellFontName(std::string_view name) = 0;
    virtual void setCellFontSize(float points) = 0;

    // Gives the grid the keyboard focus.
    virtual void setFocus() = 0;
};
