#pragma once

#include <cstdint>

// The look of a cell the user filled, by typing or by pasting: arial 9 point,
// centred (CellGrid::AlignCenterCenter), on white.
namespace TypedCell {

constexpr const char *FontName = "arial";
constexpr float FontSize = 9;
constexpr std::uint32_t BackColor = 0xFFFFFF;

} // namespace TypedCell
