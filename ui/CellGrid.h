#pragma once

#include "CellTable.h"
#include "app/values/CellNumber.h"

#include <cstdint>
#include <string>
#include <string_view>

// A grid of text cells as the procedures see it. Cells are addressed
// (row, column) from 0; row 0 and column 0 are fixed header cells. The grid
// always has one current cell, and the text and format operations act on it
// alone. Texts are UTF-8. The characters typed while a grid has the focus
// are its KeyPress event, which the window binds like a button's click; the
// grid never edits a cell itself.
//
// The operations on the cells work on the grid's CellTable directly, inline:
// a run makes millions of them, and whoever shows the grid publishes their
// changes when it is ready. Changing the number of rows or columns and the
// keyboard focus concern the window as well, so the window implements them.
class CellGrid
{
  public:
    // Cell alignment codes.
    static constexpr std::int16_t AlignLeftCenter = 1;
    static constexpr std::int16_t AlignCenterCenter = 4;

    CellGrid(const CellGrid &) = delete;
    CellGrid &operator=(const CellGrid &) = delete;

    // Rows 0..count-1 exist afterwards; rows are added or removed at the
    // bottom, added rows are empty, the others keep texts and formats.
    virtual void setRows(int count) = 0;
    int rows() const { return table.rows(); }
    // The same for columns, at the right; added columns get the default width.
    virtual void setCols(int count) = 0;
    int cols() const { return table.cols(); }

    // Makes room for setRows(rows) followed by setCols(cols), so that neither
    // can fail for want of memory. False, the cells as they were, when the
    // room cannot be had. releaseRoom() gives back room that was not used.
    virtual bool reserveRoom(int rows, int cols) = 0;
    virtual void releaseRoom() = 0;

    // Makes `row` current, the column staying. Refused (false, current cell
    // unchanged) when the row does not exist.
    bool setRow(int row) { return table.setRow(row); }
    int row() const { return table.row(); }
    // The same for the current column.
    bool setCol(int col) { return table.setCol(col); }
    int col() const { return table.col(); }

    // Replaces the whole text of the current cell.
    void setText(std::string_view text) { table.setText(text); }
    // Replaces it with a number; reading the cell gives number.text().
    void setNumber(const CellNumber &number) { table.setNumber(number); }
    // The same, then setCellAlignment, in one step.
    void setNumber(const CellNumber &number, std::int16_t alignment)
    {
        table.setNumber(number, alignment);
    }
    // The text of the current cell, "" if never written.
    std::string text() const { return table.text(); }

    // Width of one column in twips; refused when the column does not exist.
    bool setColWidth(int col, int twips) { return table.setColWidth(col, twips); }

    // Format of the current cell.
    void setCellAlignment(std::int16_t alignment) { table.setAlignment(alignment); }
    void setCellBackColor(std::uint32_t colorBgr) { table.setBackColor(colorBgr); }
    void setCellFontName(std::string_view name) { table.setFontName(name); }
    void setCellFontSize(float points) { table.setFontSize(points); }

    // Gives the grid the keyboard focus.
    virtual void setFocus() = 0;

    // The cells as they are, and an observer told of each change (tests).
    const CellTable &cellTable() const { return table; }
    void watchChanges(CellTable::ChangeObserver *observer) { table.watchChanges(observer); }

  protected:
    explicit CellGrid(CellTable &table) : table(table) {}
    ~CellGrid() = default;

    CellTable &table;
};
