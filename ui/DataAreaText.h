#pragma once

#include "CellTable.h"

#include <string>

// The data area of a grid as text, the way a spreadsheet takes it from the
// clipboard: rows 1 to the last, columns 1 to the last, each cell's whole
// text, the cells of a row separated by a tab and the rows by a line feed.
std::string dataAreaText(const CellTable &table);
