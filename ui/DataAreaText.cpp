#include "DataAreaText.h"

#include <cstddef>

namespace {

// Room reserved per cell, enough for most numbers and their separator, so
// that the text of a large grid is seldom copied as it grows.
constexpr std::size_t ExpectedCellLength = 8;

} // namespace

std::string dataAreaText(const CellTable &table)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(table.rows()) * table.cols() * ExpectedCellLength);
    for (int row = 1; row < table.rows(); ++row) {
        if (row > 1)
            text += '\n';
        for (int col = 1; col < table.cols(); ++col) {
            if (col > 1)
                text += '\t';
            text += table.cell(row, col).text();
        }
    }
    return text;
}
