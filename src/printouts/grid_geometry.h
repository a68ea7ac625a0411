#pragma once

// The schedule grid as designed, in pixels at 96 dots per inch. The window's grid and the
// printed table both follow it; this header needs no Qt, so the PDF writer shares it.

#include <array>

namespace gui {

inline constexpr int kDesignDotsPerInch = 96;
inline constexpr int kDefaultRowHeight = 21;
inline constexpr std::array<int, 7> kColumnWidths = {45, 90, 100, 100, 95, 92, 93};
inline constexpr int kWideColumnsExtra = 12;  // at 120 dots per inch

// Header background (an inactive caption gradient), red, green, blue.
inline constexpr std::array<int, 3> kHeaderRgb = {215, 228, 242};

}  // namespace gui
