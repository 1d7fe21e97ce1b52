#include "CellTable.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr CellTable::ChangedArea NothingChanged{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

} // namespace

CellTable::Cell::Cell(const Cell &other) : format(other.format)
{
    if (other.holdsNumber())
        storedValue = other.storedValue;
    else
        new (&storedText) std::string(other.storedText);
}

CellTable::Cell::Cell(Cell &&other) noexcept : format(other.format)
{
    if (other.holdsNumber())
        storedValue = other.storedValue;
    else
        new (&storedText) std::string(std::move(other.storedText));
}

CellTable::Cell &CellTable::Cell::operator=(const Cell &other)
{
    if (this != &other) {
        if (other.holdsNumber())
            setNumber(other.number());
        else
            setText(other.storedText);
        format = other.format;
    }
    return *this;
}

CellTable::Cell &CellTable::Cell::operator=(Cell &&other) noexcept
{
    if (this == &other)
        return *this;
    if (other.holdsNumber()) {
        setNumber(other.number());
    } else if (holdsNumber()) {
        new (&storedText) std::string(std::move(other.storedText));
    } else {
        storedText = std::move(other.storedText);
    }
    format = other.format;
    return *this;
}

CellTable::Cell::~Cell()
{
    if (!holdsNumber())
        storedText.~basic_string();
}

CellNumber CellTable::Cell::number() const
{
    const int code = format.content - 1;
    return {storedValue, static_cast<Variant::Kind>(code / 2),
            static_cast<CellNumber::Form>(code % 2)};
}

std::string CellTable::Cell::text() const
{
    return holdsNumber() ? number().text() : storedText;
}

void CellTable::Cell::setText(std::string_view text)
{
    if (!holdsNumber()) {
        storedText.assign(text.data(), text.size());
        return;
    }
    std::string fresh(text);
    new (&storedText) std::string(std::move(fresh));
    format.content = HoldsText;
}

void CellTable::Cell::setEmpty() noexcept
{
    if (holdsNumber()) {
        new (&storedText) std::string();
        format.content = HoldsText;
    } else {
        storedText.clear();
    }
}

CellTable::CellTable(int rows, int cols) : fontTable{{DefaultFontName, DefaultFontSize}}
{
    checkSize(rows, cols);
    cells.resize(static_cast<std::size_t>(rows) * cols);
    widths.assign(static_cast<std::size_t>(cols), DefaultColWidth);
    rowCount = rows;
    colCount = cols;
    // The first cell that is not a header starts current.
    currentRow = std::min(1, rows - 1);
    currentCol = std::min(1, cols - 1);
}

void CellTable::checkSize(int rows, int cols)
{
    if (rows < 1 || cols < 1)
        throw std::invalid_argument("a grid keeps its fixed row and column");
    if (std::int64_t(rows) * cols > MaxCells)
        throw std::length_error("too many cells for one grid");
}

void CellTable::setRows(int count)
{
    if (count == rowCount)
        return;
    checkSize(count, colCount);
    // Strings move without throwing, so a failed allocation leaves the cells
    // as they were.
    cells.resize(static_cast<std::size_t>(count) * colCount);
    rowCount = count;
    if (currentRow >= rowCount)
        currentRow = rowCount - 1;
    releaseSpareMemory();
    ++layoutRevision;
}

void CellTable::setCols(int count)
{
    if (count == colCount)
        return;
    checkSize(rowCount, count);
    const std::size_t cellCount = static_cast<std::size_t>(rowCount) * count;
    std::vector<Cell> resized;
    if (roomForCols.capacity() >= cellCount)
        resized.swap(roomForCols);
    releaseRoom();
    // Within the room that reserve() made neither allocates.
    resized.resize(cellCount);
    widths.resize(static_cast<std::size_t>(count), DefaultColWidth);
    const int kept = std::min(colCount, count);
    for (int r = 0; r < rowCount; ++r) {
        auto from = cells.begin() + static_cast<std::ptrdiff_t>(r) * colCount;
        auto to = resized.begin() + static_cast<std::ptrdiff_t>(r) * count;
        std::move(from, from + kept, to);
    }
    cells.swap(resized);
    colCount = count;
    if (currentCol >= colCount)
        currentCol = colCount - 1;
    ++layoutRevision;
}

void CellTable::reserve(int rows, int cols)
{
    checkSize(rows, colCount);
    checkSize(rows, cols);
    std::vector<Cell> room;
    if (cols != colCount)
        room.reserve(static_cast<std::size_t>(rows) * cols);
    widths.reserve(static_cast<std::size_t>(cols));
    cells.reserve(static_cast<std::size_t>(rows) * colCount);
    roomForCols.swap(room);
}

void CellTable::releaseRoom()
{
    std::vector<Cell>().swap(roomForCols);
}

void CellTable::releaseSpareMemory()
{
    if (cells.capacity() > 2 * cells.size() + 64)
        cells.shrink_to_fit();
}

std::uint8_t CellTable::fontIndex(std::string_view name, float points)
{
    for (std::size_t i = 0; i < fontTable.size(); ++i) {
        if (fontTable[i].points == points && fontTable[i].name == name)
            return static_cast<std::uint8_t>(i);
    }
    // The program uses two fonts; should a grid ever collect more than
    // the index can tell apart, the last one stands for the rest.
    if (fontTable.size() > UINT8_MAX)
        return UINT8_MAX;
    fontTable.push_back({std::string(name), points});
    return static_cast<std::uint8_t>(fontTable.size() - 1);
}

void CellTable::setFontName(std::string_view name)
{
    Format &format = current().format;
    format.font = fontIndex(name, fontTable[format.font].points);
    markChanged();
}

void CellTable::setFontSize(float points)
{
    // A size that no font can have changes nothing.
    if (!(points > 0.0f && points <= MaxFontPoints))
        return;
    Format &format = current().format;
    format.font = fontIndex(fontTable[format.font].name, points);
    markChanged();
}

bool CellTable::setColWidth(int col, int twips)
{
    if (static_cast<unsigned>(col) >= static_cast<unsigned>(colCount))
        return false;
    const int width = twips < 0 ? DefaultColWidth : std::min(twips, MaxColWidth);
    int &stored = widths[static_cast<std::size_t>(col)];
    if (stored != width) {
        stored = width;
        ++layoutRevision;
    }
    return true;
}

void CellTable::noteChangedRow()
{
    changedTop = std::min(changedTop, currentRow);
    changedBottom = std::max(changedBottom, currentRow);
    if (observer) [[unlikely]] {
        observer->cellChanged(currentRow, currentCol, current());
        return;
    }
    lastChangedRow = currentRow;
}

void CellTable::watchChanges(ChangeObserver *changeObserver)
{
    observer = changeObserver;
    lastChangedRow = -1;
}

CellTable::ChangedArea CellTable::takeChangedArea()
{
    const ChangedArea area{changedTop, 0, std::min(changedBottom, rowCount - 1), colCount - 1};
    changedTop = INT_MAX;
    changedBottom = INT_MIN;
    lastChangedRow = -1;
    return area.isEmpty() ? NothingChanged : area;
}

std::size_t CellTable::memoryBytes() const
{
    std::size_t bytes = cells.capacity() * sizeof(Cell) + widths.capacity() * sizeof(int);
    for (const CellFont &font : fontTable)
        bytes += sizeof(CellFont) + font.name.capacity();
    return bytes;
}
