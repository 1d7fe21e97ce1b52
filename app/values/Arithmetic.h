#pragma once

#include <cstdint>

// The four operations of the values' arithmetic, each computed in one place
// for every type a value computes in: a 64-bit integer for the integer kinds,
// a double for the others, and a Variant or a Single element, whose operators
// choose the type. A quotient by zero is an infinity or a NaN, which no kind
// holds: a result's constructor refuses it.
enum class Operation : std::uint8_t
{
    Add,
    Subtract,
    Multiply,
    Divide
};

template <Operation operation, class X, class Y> inline auto compute(const X &x, const Y &y)
{
    if constexpr (operation == Operation::Add)
        return x + y;
    else if constexpr (operation == Operation::Subtract)
        return x - y;
    else if constexpr (operation == Operation::Multiply)
        return x * y;
    else
        return x / y;
}

// The same with the operation known only when the program runs.
template <class T> inline T compute(Operation operation, T x, T y)
{
    switch (operation) {
    case Operation::Add:
        return compute<Operation::Add>(x, y);
    case Operation::Subtract:
        return compute<Operation::Subtract>(x, y);
    case Operation::Multiply:
        return compute<Operation::Multiply>(x, y);
    case Operation::Divide:
        return compute<Operation::Divide>(x, y);
    }
    return T();
}
