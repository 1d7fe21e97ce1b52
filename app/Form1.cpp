#include "Form1.h"

#include "CellWrite.h"
#include "app/values/Conversions.h"

Form1::Form1(CellGrid &msfmain0, CellGrid &msfmain, CellGrid &msfunit, WindowServices &window)
    : msfmain0(msfmain0), msfmain(msfmain), msfunit(msfunit), window(window)
{}

void Form1::Form_Load()
{
    matInput.create(0, 2, 0, 3);
    matWorking.create(0, 2, 0, 3);
    matSide.create(0, 2, 0, 3);
    editMark = 0;
    pivotState = 0;
    dimN = 2;

    for (CellGrid *grid : {&msfmain0, &msfmain, &msfunit}) {
        for (ii = 0; ii <= 2; ii = ii + 1) {
            grid->setColWidth(position(ii), ColumnWidth);
            if (ii > 0) {
                writeCell(*grid, 0, ii, CellGrid::AlignCenterCenter, plainNumber(ii));
                writeCell(*grid, ii, 0, CellGrid::AlignCenterCenter, plainNumber(ii));
            }
        }
    }

    msfmain0.setCol(1);
    msfmain0.setRow(1);
}
