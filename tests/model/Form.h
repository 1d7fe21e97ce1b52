#pragma once

#include "Grid.h"
#include "Value.h"

#include <string>
#include <string_view>
#include <vector>

namespace model {

// The window as its user sees it, command by command: the three grids, the
// text box and, in `journal`, the cells written and the pauses, in order.
// Each command runs on a layout of its own kind (SOLVE after DIMENSION or
// start-up, PIVOT after PIVOT DIM), with no command run inside a pause.
class Form
{
  public:
    Form(); // as the window opens, ready for n = 2

    void dimension(std::string_view answer); // DIMENSION, answering the size prompt
    void pivotDimension(std::string_view answer);
    void type(int row, int col, std::string_view keys); // into msfmain0; '\b' is Backspace
    void solve();
    void pivot();

    Grid grids[3];
    std::string text1;
    std::vector<Write> journal;

  private:
    enum
    {
        Input,   // msfmain0
        Working, // msfmain
        Side,    // msfunit
        Keep = -2
    };
    // An array of the form state, indexed from 0 like the cells.
    struct Matrix
    {
        int width = 0;
        std::vector<Value> elements;
        Value &operator()(int r, int c) { return elements[r * width + c]; }
    };

    void write(int grid, int row, int col, const std::string &text, int alignment);
    void pause() { journal.push_back(Write{}); }
    void focusInput(int row, int col)
    {
        grids[Input].row = row;
        grids[Input].col = col;
    }
    std::string cellText(int row, int col) { return grids[Input].cells[row][col].text; }

    int askForSize(std::string_view answer, int largest) const; // 0: refused
    void createArrays();
    // DIMENSION's layout (firstLabel 1) or PIVOT DIM's (headers from 0).
    void layOut(std::vector<int> rows, std::vector<int> cols, int firstLabel);
    void label(int grid, int lastCol, int firstLabel);

    // The Gauss-Jordan elimination of SOLVE (offset 0: columns 1..n+1) and of
    // the tableau load (offset 1: columns 2..n+2), pivoting on the diagonal.
    void showFirst(int offset);
    void eliminate(int offset);
    void clearRow(int row, int pivot, int offset);

    void load();
    int ratioTest(); // the pivot row, 0 when no row has a ratio
    void exchange(int r);

    int n = 2;
    Matrix input, working, side;
    std::vector<Value> basicCost;
    Value tmpVal;
    bool loaded = false;      // pivotState
    bool columnTyped = false; // editMark
};

} // namespace model
