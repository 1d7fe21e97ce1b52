#include "Conversions.h"

std::string plainText(const Variant &value)
{
    return plainNumber(value).text();
}

// Negative places fail, as they do for any rounding to decimal places.
Variant roundTo(const Variant &value, const Variant &places)
{
    const long count = toLong(places);
    if (count < 0)
        failStatement();
    const double rounded = roundedInKind(value.toDouble(), value.kind(), count);
    switch (value.kind()) {
    case Variant::Kind::Single:
        return Variant(static_cast<float>(rounded));
    case Variant::Kind::Double:
        return Variant(rounded);
    default:
        return value;
    }
}

std::string roundedText(const Variant &value)
{
    return roundedNumber(value).text();
}
