#include "Form.h"

#include <utility>

namespace model {

namespace {

constexpr int Left = 1, Centred = 4;

// A statement: the target takes the result unless it failed; a single-
// precision element takes it as a single.
void set(Value &target, Result result)
{
    target = result.value_or(target);
}

void store(Value &element, Result result)
{
    set(element, result ? toSingle(*result) : result);
}

Value single(float x)
{
    return {Value::Single, x};
}

} // namespace

Form::Form()
{
    createArrays();
    for (int g = Input; g <= Side; ++g)
        label(g, 2, 1);
    focusInput(1, 1);
    journal.clear();
}

void Form::write(int grid, int row, int col, const std::string &text, int alignment)
{
    Cell &cell = grids[grid].cells[row][col];
    grids[grid].row = row;
    grids[grid].col = col;
    cell = {text, alignment == Keep ? cell.alignment : alignment};
    journal.push_back({grid, row, col, cell.text, cell.alignment});
}

int Form::askForSize(std::string_view answer, int largest) const
{
    double size = readNumber(answer).value_or(0);
    size = size == 1 ? 2 : size;
    return size >= 2 && roundPlaces(size, 0) <= largest ? int(roundPlaces(size, 0)) : 0;
}

void Form::createArrays()
{
    for (Matrix *m : {&input, &working, &side})
        *m = {n + 4, std::vector<Value>((n + 3) * (n + 4))};
    for (Value &element : side.elements)
        element = single(0);
}

void Form::label(int grid, int lastCol, int firstLabel)
{
    for (int i = 0; i <= lastCol; ++i) {
        grids[grid].widths[i] = 700;
        if (i > 0)
            write(grid, 0, i, std::to_string(i - 1 + firstLabel), Centred);
        if (i > 0 && i <= n)
            write(grid, i, 0, std::to_string(i), Centred);
    }
}

void Form::layOut(std::vector<int> rows, std::vector<int> cols, int firstLabel)
{
    createArrays();
    const int lastHeader = n + 1 - firstLabel;
    for (int g = Input; g <= Side; ++g) {
        grids[g].setRows(rows[g]);
        grids[g].setCols(cols[g]);
        label(g, lastHeader, firstLabel);
        if (firstLabel == 0 && g == Input) {
            write(g, 0, n + 3, "upd", Centred);
            write(g, 0, n + 4, "Minr", Centred);
            write(g, n + 1, 0, "Cost", Centred);
        } else if (firstLabel == 0 && g == Working) {
            write(g, n + 1, 0, "Total", Centred);
        }
    }
    for (int g = Input; g <= Side; ++g) {
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= lastHeader + 1; ++j)
                write(g, i, j, "", Keep);
        write(g, 0, lastHeader + 1, "", Keep);
    }
}

void Form::dimension(std::string_view answer)
{
    if (const int size = askForSize(answer, 1000)) {
        n = size;
        layOut({n + 1, n + 1, n + 1}, {n + 2, n + 2, n + 2}, 1);
    }
    focusInput(1, 1);
}

void Form::pivotDimension(std::string_view answer)
{
    if (const int size = askForSize(answer, 253)) {
        n = size;
        basicCost.assign(n + 3, single(1));
        basicCost[0] = basicCost[n + 1] = basicCost[n + 2] = single(0);
        layOut({n + 2, n + 2, n + 1}, {n + 5, n + 3, n + 3}, 0);
    }
    focusInput(1, 2);
}

void Form::type(int row, int col, std::string_view keys)
{
    focusInput(row, col);
    Cell &cell = grids[Input].cells[row][col];
    for (char key : keys) {
        columnTyped = columnTyped || (col == 1 && loaded);
        cell = {key == '\b' ? "" : cell.text + key, Centred};
    }
}

// Reads [A | b] (or [B | b]) and shows it on msfmain, [I | b] on msfunit.
void Form::showFirst(int offset)
{
    const int first = 1 + offset, last = n + 1 + offset;
    for (int i = 1; i <= n; ++i)
        for (int c = first; c <= last; ++c)
            if (const auto number = readNumber(cellText(i, c)))
                input(i, c) = {Value::Double, *number};
    for (int i = 1; i <= n; ++i)
        for (int c = first; c <= last; ++c)
            write(Working, i, c, plainText(working(i, c) = input(i, c)), Centred);
    for (int i = 1; i <= n; ++i) {
        for (int c = first; c <= last; ++c)
            write(Side, i, c, plainText(side(i, c) = single(c == i + offset)), Centred);
        store(side(i, last), input(i, last));
        write(Side, i, last, plainText(side(i, last)), Centred);
    }
    pause();
}

void Form::eliminate(int offset)
{
    for (int p = 1; p <= n; ++p) {
        pause();
        tmpVal = working(p, p + offset);
        for (int c = 1 + offset; c <= n + 1 + offset; ++c) {
            pause();
            set(working(p, c), compute(working(p, c), '/', tmpVal));
            write(Working, p, c, roundedText(working(p, c)), Left);
            store(side(p, c), compute(side(p, c), '/', tmpVal));
            write(Side, p, c, roundedText(side(p, c)), Left);
        }
        for (int k = p + 1; k <= n; ++k)
            clearRow(k, p, offset);
        for (int k = 1; k < p; ++k)
            clearRow(k, p, offset);
    }
}

// Row `row` less tmpVal times the pivot row; a factor of 0 changes nothing.
void Form::clearRow(int row, int pivot, int offset)
{
    pause();
    set(tmpVal, compute(working(row, pivot + offset), '/', working(pivot, pivot + offset)));
    for (int c = 1 + offset; tmpVal.number != 0 && c <= n + 1 + offset; ++c) {
        pause();
        set(working(row, c),
            compute(working(row, c), '-', compute(working(pivot, c), '*', tmpVal)));
        write(Working, row, c, roundedText(working(row, c)), Left);
        store(side(row, c), compute(side(row, c), '-', compute(side(pivot, c), '*', tmpVal)));
        write(Side, row, c, roundedText(side(row, c)), Left);
    }
}

void Form::solve()
{
    showFirst(0);
    eliminate(0);
    focusInput(1, 1);
    pause();
}

void Form::pivot()
{
    for (int r = 1; r <= n; ++r)
        if (const auto number = readNumber(cellText(r, 1)))
            input(r, 1) = {Value::Double, *number};
    if (!columnTyped)
        load();
    else
        exchange(ratioTest());
}

// [B | b] becomes [inverse | x]; then the inverse and x as singles on
// msfmain, B again on msfunit, and the sum of x in Text1.
void Form::load()
{
    loaded = true;
    showFirst(1);
    eliminate(1);
    for (int r = 1; r <= n; ++r)
        for (int c = 2; c <= n + 2; ++c)
            write(Working, r, c, plainText(working(r, c) = side(r, c)), Left);
    for (int r = 1; r <= n; ++r)
        for (int c = 2; c <= n + 1; ++c) {
            store(side(r, c), input(r, c));
            write(Side, r, c, plainText(side(r, c)), Left);
        }
    tmpVal = {Value::Integer, 0};
    for (int r = 1; r <= n; ++r)
        set(tmpVal, compute(tmpVal, '+', working(r, n + 2)));
    text1 = plainText(tmpVal);
    focusInput(1, 1);
    pause();
}

int Form::ratioTest()
{
    struct Record
    {
        int row;
        Value ratio, updated;
    };
    std::vector<Record> records; // the rows with a ratio
    std::vector<Value> updCol(n + 1), updRhs(n + 1);
    for (int i = 1; i <= n; ++i) {
        Value &upd = updCol[i], &rhs = updRhs[i];
        for (int j = 2; j <= n + 1; ++j) {
            set(rhs, compute(rhs, '+', compute(working(i, j), '*', input(j - 1, n + 2))));
            set(upd, compute(upd, '+', compute(working(i, j), '*', input(j - 1, 1))));
        }
        rhs = roundTo(rhs.number < 0 ? Value{Value::Integer, 0} : rhs, 7);
        upd = roundTo(upd, 7);
        write(Input, i, n + 3, plainText(upd), Centred);
        // "Minr" shows the single ratio, or a ratio beyond the single range
        // that takes part as a double.
        const Result ratio = upd.number > 0 ? compute(rhs, '/', upd) : std::nullopt;
        if (ratio)
            records.push_back({i, toSingle(*ratio).value_or(*ratio), upd});
        write(Input, i, n + 4, plainText(ratio ? records.back().ratio : single(0)), Centred);
    }
    for (int i = 1; i <= n; ++i) {
        write(Working, i, 1, plainText(working(i, 1) = updCol[i]), Left);
        write(Working, i, n + 2, plainText(working(i, n + 2) = updRhs[i]), Left);
    }

    // Exchange sorts: by ratio, then the rows tied at the smallest by updated
    // entry, of which the second wins.
    const auto sort = [](std::vector<Record> &list, auto key) {
        for (std::size_t i = 0; i < list.size(); ++i)
            for (std::size_t j = i + 1; j < list.size(); ++j)
                if (key(list[i]) > key(list[j]))
                    std::swap(list[i], list[j]);
    };
    sort(records, [](const Record &r) { return r.ratio.number; });
    std::vector<Record> ties;
    for (const Record &r : records)
        if (r.ratio.number == records[0].ratio.number)
            ties.push_back(r);
    sort(ties, [](const Record &r) { return r.updated.number; });
    pause();
    return ties.size() > 1 ? ties[1].row : records.empty() ? 0 : records[0].row;
}

// Row r takes the entering column with the cost typed under it. With no pivot
// row (r = 0) no row changes and the column headers in row 0 stay.
void Form::exchange(int r)
{
    if (const auto cost = readNumber(cellText(n + 1, 1)))
        store(basicCost[r], Value{Value::Double, *cost});
    tmpVal = working(r, 1);
    for (int c = 1; r > 0 && c <= n + 2; ++c) {
        set(working(r, c), compute(working(r, c), '/', tmpVal));
        write(Working, r, c, plainText(working(r, c)), Left);
    }
    for (int i = 1; i <= n; ++i) {
        if (i != r)
            set(tmpVal, compute(working(i, 1), '/', working(r, 1)));
        for (int c = 1; i != r && tmpVal.number != 0 && c <= n + 2; ++c) {
            set(working(i, c), compute(working(i, c), '-', compute(tmpVal, '*', working(r, c))));
            write(Working, i, c, plainText(working(i, c)), Left);
        }
    }
    for (int i = 1; i <= n; ++i) {
        store(side(i, r + 1), input(i, 1));
        write(Side, i, r + 1, plainText(side(i, r + 1)), Left);
        store(side(i, n + 2), working(i, n + 2));
        write(Side, i, n + 2, plainText(side(i, n + 2)), Left);
    }
    for (int c = 2; c <= n + 2; ++c) {
        tmpVal = {Value::Integer, 0};
        for (int i = 1; i <= n; ++i)
            set(tmpVal, compute(tmpVal, '+', compute(working(i, c), '*', basicCost[i])));
        write(Working, n + 1, c, plainText(tmpVal), Left);
    }
    text1 = roundedText(tmpVal);
    for (int i = 1; i <= n; ++i) {
        store(side(i, n + 2), compute(working(i, n + 2), '*', basicCost[i]));
        write(Side, i, n + 2, roundedText(side(i, n + 2)), Left);
    }
    focusInput(1, 1);
    pause();
}

} // namespace model
