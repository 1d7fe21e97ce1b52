// The cost of the cell grid: sizing, labelling and blanking the largest
// system layout (1001 x 1002 cells) cell by cell through CellGrid, the cell
// writes and current-cell moves of a SOLVE, the memory a cell takes, and a
// repaint while scrolling. Run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen bench/bench_grid

#include "ui/qt/GridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

// What DIMENSION does to one grid for a system of size n.
void layOut(CellGrid &grid, int n)
{
    grid.setRows(n + 1);
    grid.setCols(n + 2);
    for (int i = 0; i <= n; ++i) {
        grid.setColWidth(i, 700);
        if (i > 0) {
            const std::string label = std::to_string(i);
            grid.setRow(0);
            grid.setCol(i);
            grid.setText(label);
            grid.setCellAlignment(CellGrid::AlignCenterCenter);
            grid.setRow(i);
            grid.setCol(0);
            grid.setText(label);
            grid.setCellAlignment(CellGrid::AlignCenterCenter);
        }
    }
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText("");
        }
    }
    grid.setRow(0);
    grid.setCol(n + 1);
    grid.setText("");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int n = 1000;

    GridView view;
    view.resize(753, 213);
    view.show();
    CellGrid &grid = view.cells();

    const long before = residentBytes();
    auto start = Clock::now();
    layOut(grid, n);
    view.flush();
    const double layoutMs = millisecondsSince(start);
    const long after = residentBytes();
    const double cells = double(n + 1) * (n + 2);
    std::printf("size, label and blank %d x %d cells: %.1f ms\n", n + 1, n + 2, layoutMs);
    // The same again on the grid that already has this size.
    start = Clock::now();
    layOut(grid, n);
    view.flush();
    std::printf("label and blank again, size unchanged: %.1f ms\n", millisecondsSince(start));
    std::printf("memory: %zu bytes per cell stored, %.1f bytes per cell resident growth\n",
                sizeof(CellTable::Cell), (after - before) / cells);

    // A SOLVE at n = 100 writes two million cells and sets Row and Col four
    // million times; here the writes carry rounded values and alignment 1.
    const char *values[] = {"0.3333", "-1.25", "12345.6789", "1", "0"};
    start = Clock::now();
    long writes = 0;
    while (writes < 2000000) {
        for (int r = 1; r <= 100; ++r) {
            for (int c = 1; c <= 101; ++c) {
                grid.setRow(r);
                grid.setCol(c);
                grid.setText(values[(r + c) % 5]);
                grid.setCellAlignment(CellGrid::AlignLeftCenter);
                ++writes;
            }
        }
    }
    const double writeNs = millisecondsSince(start) * 1e6 / writes;
    view.flush();
    std::printf("cell write (Row, Col, Text, CellAlignment): %.1f ns\n", writeNs);

    // Repaint while scrolling down and right through the large grid.
    QScrollBar *vertical = view.verticalScrollBar();
    QScrollBar *horizontal = view.horizontalScrollBar();
    const int frames = 200;
    start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        vertical->setValue(vertical->maximum() * i / frames);
        horizontal->setValue(horizontal->maximum() * i / frames);
        view.viewport()->grab();
    }
    std::printf("repaint while scrolling: %.2f ms a frame\n", millisecondsSince(start) / frames);

    // Back to the start-up size.
    start = Clock::now();
    grid.setRows(3);
    grid.setCols(4);
    view.flush();
    std::printf("shrink to 3 x 4: %.1f ms\n", millisecondsSince(start));
    return 0;
}
