#pragma once

#include "Variant.h"

// An element of a single-precision array (matSide, basicCost, minrVal).
// It has no arithmetic of its own: a value read from it is a Single variant,
// and a store rounds to single precision and fails, leaving the element as it
// was, when the value lies beyond the single range.
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
