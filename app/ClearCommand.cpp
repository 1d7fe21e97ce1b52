#include "CellWrite.h"
#include "Form1.h"

void Form1::cmdclr_Click()
{
    const int n = dimN;
    for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit}) {
        for (ii = 1; ii <= n; ii = ii + 1) {
            for (jj = 1; jj <= n + 1; jj = jj + 1)
                writeCell(*grid, ii, jj, "");
        }
        // The header of column n+1 goes too (the tableau labels it).
        writeCell(*grid, 0, n + 1, "");
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
    msfmain0.setFocus();
}
