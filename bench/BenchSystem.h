#pragma once

#include <string>
#include <vector>

// The system every benchmark solves: a strictly diagonally dominant n x n
// matrix with small integer entries, so that no pivot is zero and every
// statement takes its success path, and b the row sums (x is all ones).
class BenchSystem
{
  public:
    explicit BenchSystem(int n);

    int size() const { return n; }
    // Entry (row, col) of [A | b], rows 1..n, columns 1..n+1.
    double entry(int row, int col) const;
    std::string entryText(int row, int col) const;

    static const char *description();

  private:
    int n;
    std::vector<double> values;
};
