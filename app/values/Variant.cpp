#include "Variant.h"

#include "Single.h"

#include <cfloat>
#include <cstdint>
#include <limits>

namespace {

bool fitsInteger(long long value)
{
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

bool fitsLong(long long value)
{
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// The kind of the result of an operation on values of kinds a and b, before
// an integer result that does not fit its kind is widened.
Variant::Kind resultKind(Variant::Kind a, Variant::Kind b, Operation operation)
{
    using K = Variant::Kind;
    static constexpr K table[5][5] = {
        // with Empty  Integer     Long     Single     Double
        {K::Integer, K::Integer, K::Long, K::Single, K::Double}, // Empty
        {K::Integer, K::Integer, K::Long, K::Single, K::Double}, // Integer
        {K::Long, K::Long, K::Long, K::Double, K::Double},       // Long
        {K::Single, K::Single, K::Double, K::Single, K::Double}, // Single
        {K::Double, K::Double, K::Double, K::Double, K::Double}, // Double
    };
    const K kind = table[int(a)][int(b)];
    // A quotient of integers is a Double.
    if (operation == Operation::Divide && (kind == K::Integer || kind == K::Long))
        return K::Double;
    return kind;
}

long long integralValue(const Variant &value)
{
    switch (value.kind()) {
    case Variant::Kind::Integer:
        return value.integerValue();
    case Variant::Kind::Long:
        return value.longValue();
    default:
        return 0;
    }
}

// Rounds half to even under the default rounding mode.
double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// A value rounded half to even into the integer type Whole; the statement
// fails outside Whole's range.
template <class Whole> Whole roundedInto(const Variant &value)
{
    const double r = roundHalfEven(value.toDouble());
    if (!(r >= std::numeric_limits<Whole>::min() && r <= std::numeric_limits<Whole>::max()))
        failStatement();
    return static_cast<Whole>(r);
}

} // namespace

Variant::Variant(int value) : Variant(static_cast<long long>(value)) {}

Variant::Variant(long value) : Variant(static_cast<long long>(value)) {}

Variant::Variant(long long value)
{
    if (fitsInteger(value)) {
        m_kind = Kind::Integer;
        m_integer = static_cast<std::int16_t>(value);
    } else if (fitsLong(value)) {
        m_kind = Kind::Long;
        m_long = static_cast<std::int32_t>(value);
    } else {
        m_kind = Kind::Double;
        m_double = static_cast<double>(value);
    }
}

Variant::Variant(float value) : m_kind(Kind::Single), m_single(value)
{
    if (!std::isfinite(value))
        failStatement();
}

Variant Variant::longInteger(std::int32_t value)
{
    Variant result;
    result.m_kind = Kind::Long;
    result.m_long = value;
    return result;
}

Variant Variant::mixed(Variant a, Variant b, Operation operation) noexcept
try {
    const Kind kind = resultKind(a.m_kind, b.m_kind, operation);
    if (kind == Kind::Integer || kind == Kind::Long) {
        // Exact in 64 bits, then the smallest kind that holds it.
        const long long r = compute(operation, integralValue(a), integralValue(b));
        if (kind == Kind::Integer && fitsInteger(r))
            return Variant(static_cast<std::int16_t>(r));
        if (fitsLong(r))
            return longInteger(static_cast<std::int32_t>(r));
        return Variant(static_cast<double>(r));
    }
    // A result beyond its kind's range is an overflow: Variant(float) and
    // Variant(double) fail on the infinity (or NaN) they are given.
    const double r = compute(operation, a.toDouble(), b.toDouble());
    if (kind == Kind::Single)
        return Variant(static_cast<float>(r));
    return Variant(r);
} catch (const StatementFailed &) {
    Variant failed;
    failed.m_kind = NoResult;
    return failed;
}

Variant operator-(const Variant &a)
{
    return Variant(0) - a;
}

std::int16_t toInteger(const Variant &value)
{
    if (value.kind() == Variant::Kind::Integer)
        return value.integerValue();
    return roundedInto<std::int16_t>(value);
}

std::optional<std::int32_t> fittingLong(Variant value) noexcept
{
    std::optional<std::int32_t> result;
    attempt([&] { result = toLong(value); });
    return result;
}

std::int32_t toLong(const Variant &value)
{
    if (value.kind() == Variant::Kind::Integer)
        return value.integerValue();
    if (value.kind() == Variant::Kind::Long)
        return value.longValue();
    return roundedInto<std::int32_t>(value);
}
