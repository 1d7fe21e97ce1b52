#pragma once

#include "app/values/CellNumber.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The cells of one grid: texts or numbers, formats, column widths and the
// current cell, with no toolkit behind it. Cells lie row by row in one array,
// so the memory follows the number of cells that exist and every operation on
// the current cell is a few loads and stores. A cell written with a number
// keeps the number and makes its text whenever it is read. Changes are only
// recorded (the rows of changed cells, a version of the layout); whoever
// shows the grid compares and publishes them when it is ready.
class CellTable
{
  public:
    // Alignment code of a cell that was never aligned; it is shown left
    // aligned and vertically centred, like code 1.
    static constexpr std::int8_t NoAlignment = -1;
    // Width of a column that was never sized, in twips (64 pixels at 96 dpi).
    static constexpr int DefaultColWidth = 960;
    // Height of every row, in twips (16 pixels at 96 dpi).
    static constexpr int RowHeight = 240;
    // Widths are kept within 0..MaxColWidth twips (10000 pixels at 96 dpi),
    // so that no column position can overflow.
    static constexpr int MaxColWidth = 150000;
    // A grid holds at most this many cells (40 bytes each), far more than the
    // program's largest layout; a larger size is refused.
    static constexpr std::int64_t MaxCells = std::int64_t(1) << 24;

    // The largest font size in points: its height in twips (20 to the point)
    // still fits a 16-bit integer. A larger size is taken for no font at all.
    static constexpr float MaxFontPoints = 1638.0f;

    // Font 0 is the grid's own cell font.
    static constexpr const char *DefaultFontName = "MS Sans Serif";
    static constexpr float DefaultFontSize = 8.25f;

    struct CellFont
    {
        std::string name;
        float points;
    };

    class Cell;

    struct Format
    {
        std::uint32_t backColorBgr = 0; // 0x00BBGGRR, valid when hasBackColor
        std::int8_t alignment = NoAlignment;
        bool hasBackColor = false;
        std::uint8_t font = 0; // index into fonts()

      private:
        // Not a format: what the cell's storage holds, kept in this spare
        // byte so that a cell takes no more room than a text and a format.
        friend class Cell;
        std::uint8_t content = 0;
    };

    // One cell: a text, or a number whose text is made when it is read, and
    // the cell's format, in 40 bytes (the number takes the text's place).
    class Cell
    {
      public:
        Cell() noexcept : storedText() {}
        Cell(const Cell &other);
        Cell(Cell &&other) noexcept;
        Cell &operator=(const Cell &other);
        Cell &operator=(Cell &&other) noexcept;
        ~Cell();

        bool holdsNumber() const { return format.content != HoldsText; }
        // True when the cell shows no text.
        bool isEmpty() const { return !holdsNumber() && storedText.empty(); }
        // The text the cell shows, "" if never written.
        std::string text() const;

        // A failed allocation leaves the cell as it was.
        void setText(std::string_view text);
        // A number of kind Empty shows as the empty text.
        void setNumber(const CellNumber &number) noexcept
        {
            if (number.kind == Variant::Kind::Empty) {
                setEmpty();
                return;
            }
            if (!holdsNumber())
                storedText.~basic_string();
            storedValue = number.value;
            format.content = contentOf(number);
        }

        Format format;

      private:
        static constexpr std::uint8_t HoldsText = 0;
        // 1 + kind * 2 + form for a number.
        static std::uint8_t contentOf(const CellNumber &number)
        {
            return static_cast<std::uint8_t>(1 + int(number.kind) * 2 + int(number.form));
        }
        CellNumber number() const;
        void setEmpty() noexcept;

        union {
            std::string storedText;
            double storedValue;
        };
    };

    // An area of cells: rows top..bottom, columns left..right; empty when
    // top > bottom.
    struct ChangedArea
    {
        int top, left, bottom, right;
        bool isEmpty() const { return top > bottom; }
    };

    CellTable(int rows, int cols);

    int rows() const { return rowCount; }
    int cols() const { return colCount; }

    // Resizes at the bottom / right; added cells are empty, the others keep
    // text and format. A count below 1 (the fixed row and column always
    // exist) or a size beyond MaxCells throws and leaves the table as it was.
    // A current cell that no longer exists moves to the last row / column.
    void setRows(int count);
    void setCols(int count);

    // Makes room for setRows(rows) followed by setCols(cols), so that neither
    // can fail for want of memory. Throws (std::bad_alloc, or as setRows and
    // setCols do for a size they refuse) with the cells as they were.
    // setCols uses the room; releaseRoom() gives back room not used.
    void reserve(int rows, int cols);
    void releaseRoom();

    int row() const { return currentRow; }
    int col() const { return currentCol; }
    bool setRow(int row)
    {
        if (static_cast<unsigned>(row) >= static_cast<unsigned>(rowCount))
            return false;
        currentRow = row;
        return true;
    }
    bool setCol(int col)
    {
        if (static_cast<unsigned>(col) >= static_cast<unsigned>(colCount))
            return false;
        currentCol = col;
        return true;
    }
    // The user moved the current cell on the screen.
    void followView(int row, int col)
    {
        if (static_cast<unsigned>(row) < static_cast<unsigned>(rowCount) &&
            static_cast<unsigned>(col) < static_cast<unsigned>(colCount)) {
            currentRow = row;
            currentCol = col;
        }
    }

    const Cell &cell(int row, int col) const
    {
        return cells[static_cast<std::size_t>(row) * colCount + col];
    }
    // The text of the current cell, made from its number if it holds one.
    std::string text() const { return current().text(); }
    void setText(std::string_view text)
    {
        current().setText(text);
        markChanged();
    }
    void setNumber(const CellNumber &number)
    {
        current().setNumber(number);
        markChanged();
    }
    // setNumber, then setAlignment, in one step.
    void setNumber(const CellNumber &number, std::int16_t alignment)
    {
        Cell &cell = current();
        cell.setNumber(number);
        if (alignment >= 0 && alignment <= HighestAlignment)
            cell.format.alignment = static_cast<std::int8_t>(alignment);
        markChanged();
    }
    void setAlignment(std::int16_t alignment)
    {
        // Codes the grid does not know change nothing; nor does the code the
        // cell already has, as with every value a run writes after the first.
        std::int8_t &stored = current().format.alignment;
        if (alignment < 0 || alignment > HighestAlignment || stored == alignment)
            return;
        stored = static_cast<std::int8_t>(alignment);
        markChanged();
    }
    void setBackColor(std::uint32_t colorBgr)
    {
        Format &format = current().format;
        format.backColorBgr = colorBgr & 0xFFFFFF;
        format.hasBackColor = true;
        markChanged();
    }
    void setFontName(std::string_view name);
    void setFontSize(float points);
    const CellFont &font(std::uint16_t index) const { return fontTable[index]; }
    std::size_t fontCount() const { return fontTable.size(); }

    // Width of a column in twips; a negative width restores the default.
    bool setColWidth(int col, int twips);
    int colWidth(int col) const { return widths[static_cast<std::size_t>(col)]; }
    // Changes whenever the number or the widths of the columns or the number
    // of rows change.
    std::uint64_t layoutVersion() const { return layoutRevision; }

    // The rows changed since the last call, which starts afresh, in all their
    // columns; clipped to the cells that still exist.
    ChangedArea takeChangedArea();

    // Told of each change of a cell, with the cell as it is afterwards.
    class ChangeObserver
    {
      public:
        virtual void cellChanged(int row, int col, const Cell &cell) = 0;

      protected:
        ~ChangeObserver() = default;
    };
    // From now on tells `observer` of every change (nullptr: nobody). A
    // change in the row that changed last is otherwise not looked at again;
    // while an observer watches, no row counts as that row, so every change
    // goes out of line to noteChangedRow, which tells it. The procedures'
    // inline writes are the same with or without one.
    void watchChanges(ChangeObserver *observer);

    // Bytes the table holds for its cells and columns (texts too long for
    // the strings' own buffer not counted).
    std::size_t memoryBytes() const;

  private:
    Cell &current() { return cells[static_cast<std::size_t>(currentRow) * colCount + currentCol]; }
    const Cell &current() const
    {
        return cells[static_cast<std::size_t>(currentRow) * colCount + currentCol];
    }
    // Changes are recorded by row: a run writes row after row, so a change in
    // the row that changed last costs one comparison.
    void markChanged()
    {
        if (currentRow != lastChangedRow) [[unlikely]]
            noteChangedRow();
    }
    void noteChangedRow();
    // Alignment codes of the grid: 0..8 are left/centre/right by top/centre/
    // bottom, 9 is the general alignment.
    static constexpr std::int16_t HighestAlignment = 9;

    static void checkSize(int rows, int cols);
    std::uint8_t fontIndex(std::string_view name, float points);
    void releaseSpareMemory();

    std::vector<Cell> cells;
    std::vector<Cell> roomForCols; // made by reserve() for the next setCols
    std::vector<int> widths;
    std::vector<CellFont> fontTable;
    int rowCount = 0;
    int colCount = 0;
    int currentRow = 0;
    int currentCol = 0;
    // Rows changedTop..changedBottom changed (none while changedTop is the
    // larger); lastChangedRow, when not -1, is among them.
    int changedTop = INT_MAX;
    int changedBottom = INT_MIN;
    int lastChangedRow = -1;
    ChangeObserver *observer = nullptr;
    std::uint64_t layoutRevision = 0;
};

// A cell that holds a number takes no more room than one with a short text.
static_assert(sizeof(CellTable::Cell) == sizeof(std::string) + sizeof(CellTable::Format));
