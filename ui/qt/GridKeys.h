#pragma once

#include <QString>

#include <optional>

class CellTable;
class QInputMethodEvent;
class QKeyEvent;

// What the keys do in a grid. The grid never edits a cell: a key either
// moves the current cell (the arrow, page, Home and End keys), copies or
// pastes, or types characters, which go to the grid's KeyPress event. A key
// with Alt held belongs to the window's accelerators and does none of these.
class GridKeys
{
  public:
    enum class Move
    {
        Up,
        Down,
        Left,
        Right,
        PageUp,
        PageDown,
        Home,
        End
    };

    // The move a key makes, if it is one.
    static std::optional<Move> moveOf(const QKeyEvent &event);

    // Where a move takes the current cell of `table`: among the non-fixed
    // cells, and from a fixed cell, where a procedure may have left the
    // current cell, into them. `control` is Ctrl held (Home and End then
    // go to the first or last row as well); a page is `pageRows` rows.
    struct Cell
    {
        int row, col;
    };
    static Cell moved(Move move, bool control, const CellTable &table, int pageRows);

    // Whether a key copies the grid's data area: Ctrl+Insert, and Ctrl+C
    // where typed characters go nowhere (`typing` false); where they have a
    // procedure, Ctrl+C types the code 3.
    static bool copies(const QKeyEvent &event, bool typing);
    // Whether a key pastes the clipboard's text: Shift+Insert.
    static bool pastes(const QKeyEvent &event);

    // The character codes a key event types, or nothing.
    static QString typedCodes(const QKeyEvent &event);
    // The character codes that an input method commits, control
    // characters left out.
    static QString typedCodes(const QInputMethodEvent &event);
};
