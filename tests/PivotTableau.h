#pragma once

// Driving the tableau as a user does, and reading back whole columns and rows
// of the three grids.

#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QAbstractItemModel>
#include <QPair>
#include <QStringList>

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
        QStringList row(b.size(), "0");
        row[r] = "1";
        rows << (row << b[r]);
    }
    return rows;
}

// Backspace empties the input cell, then the new text is typed.
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

// The alignments of those cells as letters: L left, C centred, ? anything else.
inline QStringList gridAlignments(const TestWindow &w, const QString &grid, int n, int firstCol,
                                  int lastCol)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row) {
        QString letters;
        for (int col = firstCol; col <= lastCol; ++col) {
            const Qt::Alignment a = w.cellAlignment(grid, row, col);
            letters += a == Qt::AlignCenter                      ? 'C'
                       : a == (Qt::AlignLeft | Qt::AlignVCenter) ? 'L'
                                                                 : '?';
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
    return {view->currentIndex().row(), view->currentIndex().column()};
}
