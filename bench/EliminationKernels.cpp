#include "EliminationKernels.h"

#include "BenchSystem.h"

#include "app/values/Conversions.h"
#include "app/values/Single.h"

#include <cstddef>
#include <vector>

namespace {

// A dense (n+2) x (n+3) matrix indexed like the grids.
template <class T> class Dense
{
  public:
    explicit Dense(int n) : cols(n + 3), cells(static_cast<std::size_t>(n + 2) * (n + 3)) {}
    T &operator()(int r, int c) { return cells[static_cast<std::size_t>(r) * cols + c]; }

  private:
    int cols;
    std::vector<T> cells;
};

// The two result grids.
enum class Grid
{
    Main,
    Unit
};

// The kernel's way of showing a value: its cell text, plain or rounded to 4
// places, in the value's own precision, counted into the checksum.
class TextShower
{
  public:
    explicit TextShower(int) {}
    void plain(Grid, int, int, double value) { add(plainText(Variant(value))); }
    void plain(Grid, int, int, float value) { add(plainText(Variant(Single(value)))); }
    void rounded(Grid, int, int, double value) { add(roundedText(Variant(value))); }
    void rounded(Grid, int, int, float value) { add(roundedText(Variant(Single(value)))); }
    long checksum() const { return sum; }

  private:
    void add(const std::string &text) { sum += static_cast<long>(text.size()); }
    long sum = 0;
};

// The floor's way: the value stored into the cell's place in a grid of
// numbers, summed up at the end.
class ValueShower
{
  public:
    explicit ValueShower(int n) : n(n), main(n), unit(n) {}
    template <class Real> void plain(Grid grid, int r, int c, Real value)
    {
        (grid == Grid::Main ? main : unit)(r, c) = value;
    }
    template <class Real> void rounded(Grid grid, int r, int c, Real value)
    {
        plain(grid, r, c, value);
    }
    long checksum()
    {
        double sum = 0;
        for (int r = 1; r <= n + 1; ++r) {
            for (int c = 1; c <= n + 2; ++c)
                sum += main(r, c) + unit(r, c);
        }
        return static_cast<long>(sum * 1000) | 1;
    }

  private:
    int n;
    Dense<double> main;
    Dense<double> unit;
};

// Gauss-Jordan on the diagonal over columns [first, last], each new value of
// both matrices shown rounded to 4 places as SOLVE shows it.
template <class Shower>
void eliminate(Dense<double> &working, Dense<float> &side, int n, int first, int last,
               int pivotOffset, Shower &show)
{
    for (int p = 1; p <= n; ++p) {
        const int pc = p + pivotOffset;
        const double pivot = working(p, pc);
        for (int j = first; j <= last; ++j) {
            working(p, j) = working(p, j) / pivot;
            show.rounded(Grid::Main, p, j, working(p, j));
            side(p, j) = static_cast<float>(double(side(p, j)) / pivot);
            show.rounded(Grid::Unit, p, j, side(p, j));
        }
        auto clear = [&](int k) {
            const double factor = working(k, pc) / working(p, pc);
            if (factor == 0)
                return;
            for (int c = first; c <= last; ++c) {
                working(k, c) = working(k, c) - working(p, c) * factor;
                show.rounded(Grid::Main, k, c, working(k, c));
                side(k, c) = static_cast<float>(double(side(k, c)) - double(side(p, c)) * factor);
                show.rounded(Grid::Unit, k, c, side(k, c));
            }
        };
        for (int k = p + 1; k <= n; ++k)
            clear(k);
        for (int k = 1; k < p; ++k)
            clear(k);
    }
}

template <class Shower> long solve(const BenchSystem &system)
{
    const int n = system.size();
    Dense<double> input(n), working(n);
    Dense<float> side(n);
    Shower show(n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j)
            input(i, j) = numberFromText(system.entryText(i, j));
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) {
            working(i, j) = input(i, j);
            show.plain(Grid::Main, i, j, working(i, j));
            side(i, j) = i == j ? 1.0f : 0.0f;
            show.plain(Grid::Unit, i, j, side(i, j));
        }
        side(i, n + 1) = static_cast<float>(input(i, n + 1));
        show.plain(Grid::Unit, i, n + 1, side(i, n + 1));
    }
    eliminate(working, side, n, 1, n + 1, 0, show);
    return show.checksum();
}

template <class Shower> long tableauLoad(const BenchSystem &system)
{
    // The tableau holds B in columns 2..n+1 and b in column n+2.
    const int n = system.size();
    Dense<double> input(n), working(n);
    Dense<float> side(n);
    Shower show(n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j)
            input(i, j) = numberFromText(system.entryText(i, j - 1));
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j) {
            working(i, j) = input(i, j);
            show.plain(Grid::Main, i, j, working(i, j));
            side(i, j) = j == i + 1 ? 1.0f : 0.0f;
            show.plain(Grid::Unit, i, j, side(i, j));
        }
        side(i, n + 2) = static_cast<float>(input(i, n + 2));
        show.plain(Grid::Unit, i, n + 2, side(i, n + 2));
    }
    eliminate(working, side, n, 2, n + 2, 1, show);
    // The final displays: the inverse and x unrounded, B again.
    float sum = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j)
            show.plain(Grid::Main, i, j, side(i, j));
        for (int j = 2; j <= n + 1; ++j)
            show.plain(Grid::Unit, i, j, static_cast<float>(input(i, j)));
        sum += side(i, n + 2);
    }
    show.plain(Grid::Main, n + 1, 1, sum); // Text1
    return show.checksum();
}

} // namespace

long solveKernel(const BenchSystem &system)
{
    return solve<TextShower>(system);
}

long tableauLoadKernel(const BenchSystem &system)
{
    return tableauLoad<TextShower>(system);
}

long solveFloor(const BenchSystem &system)
{
    return solve<ValueShower>(system);
}

long tableauLoadFloor(const BenchSystem &system)
{
    return tableauLoad<ValueShower>(system);
}
