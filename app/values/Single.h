#pragma once

#include "Variant.h"

// An element of a single-precision array (matSide, basicCost, minrVal).
// A value read from it is a Single variant, and computes as one (the
// operators below only take a shorter way with a Double); a store rounds to
// single precision and fails, leaving the element as it was, when the value
// lies beyond the single range.
class Single
{
  public:
    Single() = default;
    explicit Single(float value) : m_value(value) {}

    Single &operator=(const Variant &value)
    {
        m_value = toSingle(value);
        return *this;
    }

    float value() const { return m_value; }

  private:
    float m_value = 0.0f;
};

inline Variant::Variant(Single value) : m_kind(Kind::Single), m_single(value.value()) {}

// Arithmetic with a Single element, which counts as a Single variant, in the
// forms the row operations use. With a Double, the case of the companion
// matrix, the result comes from the element's value straight away, with no
// variant made for it (a shortcut for `bench_procedures solve 100`, as those
// of Variant.h).
template <Operation operation>
inline Variant elementArithmetic(Single element, const Variant &other)
{
    if (other.kind() == Variant::Kind::Double) [[likely]] {
        const double x = element.value();
        return Variant(compute<operation>(x, other.doubleValue()));
    }
    return compute<operation>(Variant(element), other);
}

inline Variant operator-(Single a, const Variant &b)
{
    return elementArithmetic<Operation::Subtract>(a, b);
}
inline Variant operator*(Single a, const Variant &b)
{
    return elementArithmetic<Operation::Multiply>(a, b);
}
// A product is the same either way round.
inline Variant operator*(const Variant &a, Single b)
{
    return b * a;
}
inline Variant operator/(Single a, const Variant &b)
{
    return elementArithmetic<Operation::Divide>(a, b);
}
