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

bool isIntegerOrEmpty(Variant::Kind kind)
{
    return kind == Variant::Kind::Empty || kind == Variant::Kind::Integer;
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
    const Kind ka = a.m_kind;
    const Kind kb = b.m_kind;

    // Integer kinds: exact in 64 bits, then the smallest kind that holds it.
    if (a.isIntegral() && b.isIntegral() && operation != Operation::Divide) {
        const long long x = integralValue(a);
        const long long y = integralValue(b);
        long long r = 0;
        switch (operation) {
        case Operation::Add:
            r = x + y;
            break;
        case Operation::Subtract:
            r = x - y;
            break;
        case Operation::Multiply:
            r = x * y;
            break;
        case Operation::Divide:
            break;
        }
        const bool small = isIntegerOrEmpty(ka) && isIntegerOrEmpty(kb);
        if (small && fitsInteger(r))
            return Variant(static_cast<std::int16_t>(r));
        if (fitsLong(r))
            return longInteger(static_cast<std::int32_t>(r));
        return Variant(static_cast<double>(r));
    }

    const double x = a.toDouble();
    const double y = b.toDouble();
    double r = 0.0;
    switch (operation) {
    case Operation::Add:
        r = x + y;
        break;
    case Operation::Subtract:
        r = x - y;
        break;
    case Operation::Multiply:
        r = x * y;
        break;
    case Operation::Divide:
        if (y == 0.0)
            failStatement();
        r = x / y;
        break;
    }

    const bool singleA = ka == Kind::Single;
    const bool singleB = kb == Kind::Single;
    const bool singleResult = (singleA || singleB) && (singleA || isIntegerOrEmpty(ka)) &&
                              (singleB || isIntegerOrEmpty(kb));
    // A result beyond its kind's range is an overflow: Variant(float) and
    // Variant(double) fail on the infinity (or NaN) they are given.
    if (singleResult)
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
    const double r = roundHalfEven(value.toDouble());
    if (!(r >= std::numeric_limits<std::int16_t>::min() &&
          r <= std::numeric_limits<std::int16_t>::max()))
        failStatement();
    return static_cast<std::int16_t>(r);
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
    const double r = roundHalfEven(value.toDouble());
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max()))
        failStatement();
    return static_cast<std::int32_t>(r);
}
