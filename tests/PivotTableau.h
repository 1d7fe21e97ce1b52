#pragma once

// Driving the tableau the way a user does: PIVOT DIM with an answer, the
// basis and right-hand side typed into columns 2..n+2, an entering column
// and its cost typed into column 1 and the "Cost" row, and reading back
// whole columns and rows of the three grids.

#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QAbstractItemModel>
#include <QPair>
#include <QString>
#include <QStringList>

// The layout of PIVOT DIM for the answer given at the size prompt.
inline void pivotDim(TestWindow &w, const QString &answer)
{
    w.answerNextPrompt(answer);
    w.press("cmdpidim");
}

// PIVOT DIM for as many rows as given, the rows typed into columns 2..n+2
// (the basis B, then b), and the first PIVOT press that loads them.
inline void loadTableau(TestWindow &w, const QList<QStringList> &rows)
{
    pivotDim(w, QString::number(rows.size()));
    w.typeMatrix(rows, 1, 2);
    w.press("cmdpivot");
}

// The rows of [I | b].
inline QList<QStringList> unitBasis(const QStringList &b)
{
    QList<QStringList> rows;
    for (int r = 0; r < b.size(); ++r) {
        QStringList row;
        for (int c = 0; c < b.size(); ++c)
            row << (c == r ? "1" : "0");
        rows << (row << b[r]);
    }
    return rows;
}

// Replaces the text of an input cell as a user does: Backspace empties the
// cell, then the new text is typed.
inline void retypeCell(TestWindow &w, int row, int col, const QString &text)
{
    w.typeIntoCell(row, col, QStringLiteral("\b") + text);
}

// Types an entering column into column 1 and its cost into the "Cost" row.
inline void typeEntering(TestWindow &w, const QStringList &column, const QString &cost)
{
    for (int r = 0; r < column.size(); ++r)
        retypeCell(w, r + 1, 1, column[r]);
    retypeCell(w, int(column.size()) + 1, 1, cost);
}

inline QStringList columnTexts(const TestWindow &w, const QString &grid, int col, int firstRow,
                               int lastRow)
{
    QStringList texts;
    for (int row = firstRow; row <= lastRow; ++row)
        texts << w.cellText(grid, row, col);
    return texts;
}

// Rows 1..n of a grid, columns firstCol..lastCol joined by "|".
inline QStringList gridRows(const TestWindow &w, const QString &grid, int n, int firstCol,
                            int lastCol)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row)
        rows << w.rowTexts(grid, row, firstCol, lastCol).join(QLatin1Char('|'));
    return rows;
}

// The alignments of rows 1..n, columns firstCol..lastCol, as letters: L left,
// C centred, ? anything else.
inline QStringList gridAlignments(const TestWindow &w, const QString &grid, int n, int firstCol,
                                  int lastCol)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row) {
        QString letters;
        for (int col = firstCol; col <= lastCol; ++col) {
            const Qt::Alignment alignment = w.cellAlignment(grid, row, col);
            if (alignment == (Qt::AlignLeft | Qt::AlignVCenter))
                letters += QLatin1Char('L');
            else if (alignment == Qt::AlignCenter)
                letters += QLatin1Char('C');
            else
                letters += QLatin1Char('?');
        }
        rows << letters;
    }
    return rows;
}

inline QPair<int, int> gridSize(const TestWindow &w, const QString &grid)
{
    const QAbstractItemModel *model = w.grid(grid)->model();
    return {model->rowCount(), model->columnCount()};
}

inline QPair<int, int> currentCell(const TestWindow &w, const QString &grid)
{
    GridView *view = w.grid(grid);
    view->flush();
    const QModelIndex index = view->currentIndex();
    return {index.row(), index.column()};
}
