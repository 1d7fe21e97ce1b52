#include "Form1.h"
#include "PastedText.h"
#include "TypedCell.h"

// Each field of the text goes into one cell of msfmain0: the first line's
// from the current cell rightwards, each further line's one row lower. The
// cell gets the field's whole text and the look of a typed cell. Fields
// beyond the last row or column, or on a header cell, are dropped, so any
// text ends in the cells that fit; the rows beyond 70, which take no typed
// characters, are filled too. The current cell stays where it was.
void Form1::msfmain0_Paste(std::string_view clipboardText)
{
    const int firstRow = msfmain0.row();
    const int firstCol = msfmain0.col();
    PastedText pasted(clipboardText);
    std::string_view field;
    for (int row = firstRow; row < msfmain0.rows() && pasted.nextLine(); ++row) {
        for (int col = firstCol; col < msfmain0.cols() && pasted.nextField(field); ++col) {
            if (row == 0 || col == 0)
                continue;
            // The pivot procedure learns of a new entering column, as from typing.
            if (col == 1 && pivotState != 0)
                editMark = 1;
            msfmain0.setRow(row);
            msfmain0.setCol(col);
            msfmain0.setText(field);
            msfmain0.setCellFontName(TypedCell::FontName);
            msfmain0.setCellFontSize(TypedCell::FontSize);
            msfmain0.setCellAlignment(CellGrid::AlignCenterCenter);
            msfmain0.setCellBackColor(TypedCell::BackColor);
        }
    }
    msfmain0.setRow(firstRow);
    msfmain0.setCol(firstCol);
}
