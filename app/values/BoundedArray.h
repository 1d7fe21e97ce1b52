#pragma once

#include "Position.h"
#include "Statement.h"

#include <cstddef>
#include <vector>

inline std::size_t elementCount(long lower, long upper)
{
    return upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0;
}

// The elements reserved for a create() of `count` elements, or fresh ones
// when none are; a reserve for another size is given back either way.
template <class T> std::vector<T> takeReservedElements(std::vector<T> &reserved, std::size_t count)
{
    std::vector<T> taken;
    taken.swap(reserved);
    if (taken.size() != count)
        std::vector<T>(count).swap(taken);
    return taken;
}

// A one-dimensional array with explicit lower and upper bounds, its
// subscripts positions (Position.h). Until it is created, and outside its
// bounds, every access fails as a statement. Its
// elements can be obtained ahead (reserve) so that creating it cannot fail.
template <class T> class BoundedArray1
{
  public:
    // Discards the old contents; every element starts as T().
    void create(long lower, long upper)
    {
        std::vector<T> fresh = takeReservedElements(m_reserved, elementCount(lower, upper));
        m_elements.swap(fresh);
        m_lower = lower;
        m_upper = upper;
        m_created = true;
    }

    // Obtains the elements of create(lower, upper) ahead, so that it cannot
    // fail. Throws std::bad_alloc when the memory cannot hold them.
    void reserve(long lower, long upper)
    {
        m_reserved = std::vector<T>(elementCount(lower, upper));
    }
    void releaseReserve() { std::vector<T>().swap(m_reserved); }

    bool isCreated() const { return m_created; }
    long lowerBound() const { return m_lower; }
    long upperBound() const { return m_upper; }

    template <class I> T &operator()(const I &index) { return at(position(index)); }
    template <class I> const T &operator()(const I &index) const
    {
        return const_cast<BoundedArray1 *>(this)->at(position(index));
    }

  private:
    T &at(long i)
    {
        if (!m_created || i < m_lower || i > m_upper)
            failStatement();
        return m_elements[static_cast<std::size_t>(i - m_lower)];
    }

    std::vector<T> m_elements;
    std::vector<T> m_reserved;
    long m_lower = 0;
    long m_upper = -1;
    bool m_created = false;
};

// A two-dimensional array indexed (row, column) by positions, each subscript
// with explicit lower and upper bounds. Until it is created, and outside its bounds, every
// access fails as a statement. Its elements can be obtained ahead (reserve)
// so that creating it cannot fail.
template <class T> class BoundedArray2
{
  public:
    // Discards the old contents; every element starts as T().
    void create(long rowLower, long rowUpper, long colLower, long colUpper)
    {
        const std::size_t rowCount = elementCount(rowLower, rowUpper);
        const std::size_t colCount = elementCount(colLower, colUpper);
        std::vector<T> fresh = takeReservedElements(m_reserved, rowCount * colCount);
        m_elements.swap(fresh);
        m_rowLower = rowLower;
        m_rowUpper = rowUpper;
        m_colLower = colLower;
        m_colUpper = colUpper;
        m_rowCount = rowCount;
        m_colCount = colCount;
        m_created = true;
    }

    // Obtains the elements of create() with these bounds ahead, so that it
    // cannot fail. Throws std::bad_alloc when the memory cannot hold them.
    void reserve(long rowLower, long rowUpper, long colLower, long colUpper)
    {
        m_reserved =
            std::vector<T>(elementCount(rowLower, rowUpper) * elementCount(colLower, colUpper));
    }
    void releaseReserve() { std::vector<T>().swap(m_reserved); }

    bool isCreated() const { return m_created; }
    long rowLowerBound() const { return m_rowLower; }
    long rowUpperBound() const { return m_rowUpper; }
    long colLowerBound() const { return m_colLower; }
    long colUpperBound() const { return m_colUpper; }

    template <class R, class C> T &operator()(const R &row, const C &col)
    {
        return at(position(row), position(col));
    }
    template <class R, class C> const T &operator()(const R &row, const C &col) const
    {
        return const_cast<BoundedArray2 *>(this)->at(position(row), position(col));
    }

  private:
    // Every element access of the procedures comes here: one unsigned
    // comparison per subscript checks both of its bounds (an array not yet
    // created has no rows).
    T &at(long r, long c)
    {
        const auto row = static_cast<std::size_t>(r - m_rowLower);
        const auto col = static_cast<std::size_t>(c - m_colLower);
        if (row >= m_rowCount || col >= m_colCount)
            failStatement();
        return m_elements[row * m_colCount + col];
    }

    std::vector<T> m_elements;
    std::vector<T> m_reserved;
    long m_rowLower = 0;
    long m_rowUpper = -1;
    long m_colLower = 0;
    long m_colUpper = -1;
    std::size_t m_rowCount = 0;
    std::size_t m_colCount = 0;
    bool m_created = false;
};
