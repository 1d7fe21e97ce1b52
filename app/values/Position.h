#pragma once

#include "Statement.h"
#include "Variant.h"

#include <climits>
#include <cstdint>
#include <optional>

// A position: an array subscript, or a row or column number of a grid. An
// integer, or a variant, which rounds half to even as every conversion to an
// integer does; nothing when it lies beyond 32 bits. Without an exception,
// so that the compiler keeps what a statement has loaded across a call.
inline std::optional<std::int32_t> positionOf(int index)
{
    return index;
}

inline std::optional<std::int32_t> positionOf(long index)
{
    if (index < INT32_MIN || index > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(index);
}

inline std::optional<std::int32_t> positionOf(const Variant &index)
{
    // Loop counters are Integers: the common case stays inline (a shortcut
    // for `bench_procedures solve 100`, as those of Variant.h).
    if (index.kind() == Variant::Kind::Integer) [[likely]]
        return index.integerValue();
    return fittingLong(index);
}

// The same as a statement: a position beyond 32 bits fails.
template <class I> std::int32_t position(const I &index)
{
    const std::optional<std::int32_t> p = positionOf(index);
    if (!p)
        failStatement();
    return *p;
}
