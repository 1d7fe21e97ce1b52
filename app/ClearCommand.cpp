#include "CellWrite.h"
#include "Form1.h"

void Form1::cmdclr_Click()
{
    // The header of column n+1 goes too (the tableau labels it).
    const int n = dimN;
    for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit})
        blankDataCells(*grid, n, n + 1);

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
}

void Form1::blankDataCells(CellGrid &grid, int lastRow, int lastCol)
{
    for (ii = 1; ii <= lastRow; ii = ii + 1) {
        for (jj = 1; jj <= lastCol; jj = jj + 1)
            writeCell(grid, ii, jj, "");
    }
    writeCell(grid, 0, lastCol, "");
}
