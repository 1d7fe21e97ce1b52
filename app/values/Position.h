#pragma once

#include "Statement.h"
#include "Variant.h"

#include <climits>
#include <cstdint>
#include <optional>

// A position: an array subscript, or a row or column number of a grid. An
// integer, or a variant, which rounds half to even as every conversion to an
// integer does. Without an exception: sets `position` and returns true, or
// returns false when the position lies beyond 32 bits. The answer comes in
// a flag and a plain integer rather than a std::optional, which the
// compiler keeps on the stack, and the subscripts of a row operation would
// cost some 100 more instructions each (`bench_procedures solve 100`).
inline bool positionOf(int index, std::int32_t &position)
{
    position = index;
    return true;
}

inline bool positionOf(long index, std::int32_t &position)
{
    if (index < INT32_MIN || index > INT32_MAX)
        return false;
    position = static_cast<std::int32_t>(index);
    return true;
}

inline bool positionOf(const Variant &index, std::int32_t &position)
{
    // Loop counters are Integers: the common case stays inline (a shortcut
    // for `bench_procedures solve 100`, as those of Variant.h).
    if (index.kind() == Variant::Kind::Integer) [[likely]] {
        position = index.integerValue();
        return true;
    }
    const std::optional<std::int32_t> fitting = fittingLong(index);
    if (fitting)
        position = *fitting;
    return fitting.has_value();
}

// The same as a statement: a position beyond 32 bits fails.
template <class I> std::int32_t position(const I &index)
{
    std::int32_t p = 0;
    if (!positionOf(index, p))
        failStatement();
    return p;
}
