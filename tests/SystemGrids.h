#pragma once

// What the three grids of a linear system show, in a form that compares
// whole grids at once: one string per row, the cells of columns 1..n+1
// joined by "|", and their alignments as letters (L left, C centred,
// ? anything else).

#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"

#include <QStringList>
#include <QTest>

inline QStringList systemRows(const TestWindow &window, const QString &grid, int n)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row)
        rows << window.rowTexts(grid, row, 1, n + 1).join(QLatin1Char('|'));
    return rows;
}

inline QString alignmentLetters(const TestWindow &window, const QString &grid, int row, int n)
{
    QString letters;
    for (int col = 1; col <= n + 1; ++col) {
        const Qt::Alignment alignment = window.cellAlignment(grid, row, col);
        if (alignment == (Qt::AlignLeft | Qt::AlignVCenter))
            letters += QLatin1Char('L');
        else if (alignment == Qt::AlignCenter)
            letters += QLatin1Char('C');
        else
            letters += QLatin1Char('?');
    }
    return letters;
}

inline QStringList systemAlignments(const TestWindow &window, const QString &grid, int n)
{
    QStringList rows;
    for (int row = 1; row <= n; ++row)
        rows << alignmentLetters(window, grid, row, n);
    return rows;
}

// n rows of the same alignment letter.
inline QStringList uniformAlignments(QChar letter, int n)
{
    return QStringList(n, QString(n + 1, letter));
}

// The current cell of a grid as the view shows it.
inline QPair<int, int> currentCell(GridView *grid)
{
    const QModelIndex index = grid->currentIndex();
    return {index.row(), index.column()};
}

// Waits until the window is active again after a size prompt: without a
// window manager its activation comes back a little after the prompt closes.
inline bool windowActiveAgain(TestWindow &window)
{
    return QTest::qWaitForWindowActive(&window.window());
}
