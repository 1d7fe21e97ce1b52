#include "EliminationKernels.h"

#include "BenchSystem.h"

#include "app/Conversions.h"
#include "app/Single.h"

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

long textOf(double value)
{
    return static_cast<long>(roundedText(Variant(value)).size());
}

long textOf(float value)
{
    return static_cast<long>(roundedText(Variant(Single(value))).size());
}

long plainOf(double value)
{
    return static_cast<long>(plainText(Variant(value)).size());
}

long plainOf(float value)
{
    return static_cast<long>(plainText(Variant(Single(value))).size());
}

// Gauss-Jordan on the diagonal over columns [first, last], each new value of
// both matrices converted to its 4-place text as SOLVE shows it.
long eliminate(Dense<double> &working, Dense<float> &side, int n, int first, int last,
               int pivotOffset)
{
    long checksum = 0;
    for (int p = 1; p <= n; ++p) {
        const int pc = p + pivotOffset;
        const double pivot = working(p, pc);
        for (int j = first; j <= last; ++j) {
            working(p, j) = working(p, j) / pivot;
            checksum += textOf(working(p, j));
            side(p, j) = static_cast<float>(double(side(p, j)) / pivot);
            checksum += textOf(side(p, j));
        }
        auto clear = [&](int k) {
            const double factor = working(k, pc) / working(p, pc);
            if (factor == 0)
                return;
            for (int c = first; c <= last; ++c) {
                working(k, c) = working(k, c) - working(p, c) * factor;
                checksum += textOf(working(k, c));
                side(k, c) = static_cast<float>(double(side(k, c)) - double(side(p, c)) * factor);
                checksum += textOf(side(k, c));
            }
        };
        for (int k = p + 1; k <= n; ++k)
            clear(k);
        for (int k = 1; k < p; ++k)
            clear(k);
    }
    return checksum;
}

} // namespace

long solveKernel(const BenchSystem &system)
{
    const int n = system.size();
    Dense<double> input(n), working(n);
    Dense<float> side(n);
    long checksum = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j)
            input(i, j) = numberFromText(system.entryText(i, j));
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) {
            working(i, j) = input(i, j);
            checksum += plainOf(working(i, j));
            side(i, j) = i == j ? 1.0f : 0.0f;
            checksum += plainOf(side(i, j));
        }
        side(i, n + 1) = static_cast<float>(input(i, n + 1));
        checksum += plainOf(side(i, n + 1));
    }
    return checksum + eliminate(working, side, n, 1, n + 1, 0);
}

long tableauLoadKernel(const BenchSystem &system)
{
    // The tableau holds B in columns 2..n+1 and b in column n+2.
    const int n = system.size();
    Dense<double> input(n), working(n);
    Dense<float> side(n);
    long checksum = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j)
            input(i, j) = numberFromText(system.entryText(i, j - 1));
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j) {
            working(i, j) = input(i, j);
            checksum += plainOf(working(i, j));
            side(i, j) = j == i + 1 ? 1.0f : 0.0f;
            checksum += plainOf(side(i, j));
        }
        side(i, n + 2) = static_cast<float>(input(i, n + 2));
        checksum += plainOf(side(i, n + 2));
    }
    checksum += eliminate(working, side, n, 2, n + 2, 1);
    // The final displays: the inverse and x unrounded, B again.
    float sum = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 2; j <= n + 2; ++j)
            checksum += plainOf(side(i, j));
        for (int j = 2; j <= n + 1; ++j)
            checksum += plainOf(static_cast<float>(input(i, j)));
        sum += side(i, n + 2);
    }
    return checksum + plainOf(sum);
}
