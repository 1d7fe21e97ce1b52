#include "BenchSystem.h"

#include <cstdio>

BenchSystem::BenchSystem(int n) : n(n), values(static_cast<std::size_t>(n) * (n + 1))
{
    for (int i = 1; i <= n; ++i) {
        double rowSum = 0;
        for (int j = 1; j <= n; ++j) {
            const double a = i == j ? 5.0 * n + 1.0 : double((i * 7 + j * 3) % 10 - 4);
            values[static_cast<std::size_t>(i - 1) * (n + 1) + (j - 1)] = a;
            rowSum += a;
        }
        values[static_cast<std::size_t>(i - 1) * (n + 1) + n] = rowSum;
    }
}

double BenchSystem::entry(int row, int col) const
{
    return values[static_cast<std::size_t>(row - 1) * (n + 1) + (col - 1)];
}

std::string BenchSystem::entryText(int row, int col) const
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", entry(row, col));
    return text;
}

const char *BenchSystem::description()
{
    return "A(i,i) = 5n+1, A(i,j) = ((7i + 3j) mod 10) - 4 off the diagonal, b = row sums "
           "(x = 1): strictly diagonally dominant, no zero pivot, no failing statement";
}
