#pragma once

// What the grids of a linear system show, in a form that compares whole
// grids at once: one string per row of the cells of columns 1..n+1 joined
// by "|", or of their alignments as letters (L left, C centred, ? other).

#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QStringList>
#include <QTest>

inline QStringList systemRows(const TestWindow &window, const QString &grid, int n,
                              bool alignments = false)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row) {
        rows << window.rowTexts(grid, row, 1, n + 1).join(QLatin1Char('|'));
        for (int col = 1; alignments && col <= n + 1; ++col) {
            const Qt::Alignment how = window.cellAlignment(grid, row, col);
            const bool left = how == (Qt::AlignLeft | Qt::AlignVCenter);
            rows.last() = rows.last().left(col - 1) + (left                     ? 'L'
                                                       : how == Qt::AlignCenter ? 'C'
                                                                                : '?');
        }
    }
    return rows;
}

// The current cell of a grid as the view shows it.
inline QPair<int, int> currentCell(GridView *grid)
{
    return {grid->currentIndex().row(), grid->currentIndex().column()};
}
