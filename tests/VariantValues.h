#pragma once

// Values of each kind for the tables of the arithmetic and conversion tests,
// and the text a cell shows for them.

#include "app/Conversions.h"
#include "app/Single.h"

#include <QMetaType>
#include <QString>

#include <cstdint>

Q_DECLARE_METATYPE(Variant)

inline Variant I(int value)
{
    return Variant::integer(static_cast<std::int16_t>(value));
}

inline Variant L(long value)
{
    return Variant::longInteger(static_cast<std::int32_t>(value));
}

inline Variant S(double value)
{
    return Variant(static_cast<float>(value));
}

inline const Variant E;

inline QString cellText(const Variant &value)
{
    return QString::fromStdString(plainText(value));
}
