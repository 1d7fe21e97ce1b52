#pragma once

#include "Arithmetic.h"
#include "Statement.h"

#include <cmath>
#include <cstdint>
#include <optional>

class Single;

// A value of the form state: empty, or a number with its kind. The kind
// decides the precision of arithmetic and how many digits the number shows.
//
// Arithmetic (+, -, *, /, unary -) follows these rules, the table of
// resultKind() in Variant.cpp:
// - Empty counts as the 16-bit integer 0.
// - Integer with Integer gives an Integer, widened to Long and then to Double
//   when the result does not fit.
// - Long with Integer or Long gives a Long, widened to Double when needed.
// - Single with Integer or Single gives a Single; with Long it gives a Double.
// - Anything with a Double gives a Double.
// - Division gives a Single when one operand is a Single and the other a
//   Single or an Integer, and a Double otherwise (so 1 / 2 is a Double).
// Failures, each a StatementFailed: division by zero (0 / 0 included) and a
// result beyond the range of its kind: a Single result beyond the single
// range overflows just as a Double beyond the double range does. No infinity
// or NaN is ever held.
//
// Comparisons are numeric whatever the kinds; empty counts as 0.
//
// Speed: a SOLVE of n = 100 makes some four million variant operations and
// element accesses. The shortcuts here (the kind in a whole word, the Double
// cases first and [[likely]], the out-of-line cases [[gnu::const]],
// isInfiniteOrNaN), with those of Single.h and Position.h, are what keeps
// their cost to the instruction count of `bench_procedures solve 100` under
// callgrind that docs/performance.md gives.
class Variant
{
  public:
    enum class Kind : std::uint64_t
    {
        Empty,
        Integer,
        Long,
        Single,
        Double
    };

    Variant() = default;
    // An integer takes the smallest of Integer and Long that holds it (as a
    // literal does), Double beyond that.
    Variant(int value);
    Variant(long value);
    Variant(long long value);
    Variant(std::int16_t value) : m_kind(Kind::Integer), m_integer(value) {}
    // Fails when the value is not finite.
    Variant(float value);
    Variant(double value);
    Variant(Single value);

    static Variant integer(std::int16_t value) { return Variant(value); }
    static Variant longInteger(std::int32_t value);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isIntegral() const { return m_kind <= Kind::Long; }

    // The numeric value; empty gives 0.
    double toDouble() const;

    friend Variant operator+(const Variant &a, const Variant &b);
    friend Variant operator-(const Variant &a, const Variant &b);
    friend Variant operator*(const Variant &a, const Variant &b);
    friend Variant operator/(const Variant &a, const Variant &b);
    friend Variant operator-(const Variant &a);

    friend bool operator==(const Variant &a, const Variant &b)
    {
        return a.toDouble() == b.toDouble();
    }
    friend bool operator!=(const Variant &a, const Variant &b)
    {
        return a.toDouble() != b.toDouble();
    }
    friend bool operator<(const Variant &a, const Variant &b)
    {
        return a.toDouble() < b.toDouble();
    }
    friend bool operator<=(const Variant &a, const Variant &b)
    {
        return a.toDouble() <= b.toDouble();
    }
    friend bool operator>(const Variant &a, const Variant &b)
    {
        return a.toDouble() > b.toDouble();
    }
    friend bool operator>=(const Variant &a, const Variant &b)
    {
        return a.toDouble() >= b.toDouble();
    }

    // Raw access for the conversions; check kind() first.
    std::int16_t integerValue() const { return m_integer; }
    std::int32_t longValue() const { return m_long; }
    float singleValue() const { return m_single; }
    double doubleValue() const { return m_double; }

  private:
    template <Operation operation> static Variant arithmetic(const Variant &a, const Variant &b);
    // A Single with a Double, in either order.
    static bool floatingWithDouble(const Variant &a, const Variant &b);
    double floatingValue() const;
    // The other cases, out of line. A failure comes back as a result of kind
    // NoResult, not as an exception, so that the call reads and writes no
    // memory; the compiler is told so, and what a statement has loaded before
    // the call stays loaded after it.
    [[gnu::const]] static Variant mixed(Variant a, Variant b, Operation operation) noexcept;
    static constexpr Kind NoResult = static_cast<Kind>(-1);

    // The kind takes a whole word, so that a variant is two words with no
    // byte left undefined between them: a copy is two plain moves, with no
    // kind byte to merge into the word around it.
    Kind m_kind = Kind::Empty;
    union {
        std::int16_t m_integer;
        std::int32_t m_long;
        float m_single;
        double m_double = 0.0;
    };
};

// True for an infinity or a NaN: less itself, such a value gives a NaN, and a
// finite one 0. Every result of the inner loops is checked; this way takes
// four instructions where std::isfinite takes five.
template <class Real> inline bool isInfiniteOrNaN(Real value)
{
    const Real difference = value - value;
    return difference != difference;
}

// Conversions that fail as a statement when the value does not fit the
// target. Integer targets round half to even.
float toSingle(const Variant &value);
std::int16_t toInteger(const Variant &value);
std::int32_t toLong(const Variant &value);
// toLong, or nothing when the value does not fit: out of line, and, as with
// the arithmetic, a call that the compiler knows to read and write nothing.
[[gnu::const]] std::optional<std::int32_t> fittingLong(Variant value) noexcept;

inline double Variant::toDouble() const
{
    // The working matrix holds Doubles: that case first.
    if (m_kind == Kind::Double) [[likely]]
        return m_double;
    switch (m_kind) {
    case Kind::Empty:
        return 0.0;
    case Kind::Integer:
        return m_integer;
    case Kind::Long:
        return m_long;
    case Kind::Single:
        return m_single;
    case Kind::Double:
        return m_double;
    }
    return 0.0;
}

// Every store into a single-precision array comes here.
inline float toSingle(const Variant &value)
{
    if (value.kind() == Variant::Kind::Single)
        return value.singleValue();
    const float s = static_cast<float>(value.toDouble());
    if (isInfiniteOrNaN(s))
        failStatement();
    return s;
}

inline Variant::Variant(double value) : m_kind(Kind::Double), m_double(value)
{
    if (isInfiniteOrNaN(value))
        failStatement();
}

// The arithmetic of every inner loop stays inline: Double with Double (the
// working matrix and tmpVal) is tested first, with one kind test per
// operand; a Single with a Double (the companion matrix) next, where the
// compiler knows the Single's kind. The other kinds go out of line.
template <Operation operation>
inline Variant Variant::arithmetic(const Variant &a, const Variant &b)
{
    if (a.m_kind == Kind::Double && b.m_kind == Kind::Double) [[likely]]
        return Variant(compute<operation>(a.m_double, b.m_double));
    if (floatingWithDouble(a, b))
        return Variant(compute<operation>(a.floatingValue(), b.floatingValue()));
    const Variant result = mixed(a, b, operation);
    if (result.m_kind == NoResult)
        failStatement();
    return result;
}

inline bool Variant::floatingWithDouble(const Variant &a, const Variant &b)
{
    return (a.m_kind == Kind::Single && b.m_kind == Kind::Double) ||
           (a.m_kind == Kind::Double && b.m_kind == Kind::Single);
}

inline double Variant::floatingValue() const
{
    return m_kind == Kind::Double ? m_double : double(m_single);
}

inline Variant operator+(const Variant &a, const Variant &b)
{
    return Variant::arithmetic<Operation::Add>(a, b);
}

inline Variant operator-(const Variant &a, const Variant &b)
{
    return Variant::arithmetic<Operation::Subtract>(a, b);
}

inline Variant operator*(const Variant &a, const Variant &b)
{
    return Variant::arithmetic<Operation::Multiply>(a, b);
}

inline Variant operator/(const Variant &a, const Variant &b)
{
    return Variant::arithmetic<Operation::Divide>(a, b);
}
