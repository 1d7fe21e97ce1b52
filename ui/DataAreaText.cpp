#include "DataAreaText.h"

std::string dataAreaText(const CellTable &table)
{
    std::string text;
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
