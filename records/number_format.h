// The number formatter shared by fields, numeric edits and look-ups: a real shown in a given
// width with a given number of decimals, with the user's decimal separator.
#pragma once

#include <string>

namespace hx {

// Formats value for display.
// - NoFloat gives width blanks.
// - decimals < 0: the shortest form; when it is longer than width (width > 0), the value is
//   written in scientific form that is shortened step by step until it fits or no decimal is
//   left; then right-aligned to width.
// - decimals >= 0: fixed notation right-aligned to width with that many decimals, or the
//   general format when width and decimals are both 0; a text longer than width is written
//   again with fewer decimals.
// The "." of the result is the locale's decimal separator (DecimalSeparator()). Widths above
// kMaxNumberWidth are taken as kMaxNumberWidth; negative widths as 0.
std::string FormatNumber(double value, int width, int decimals);

inline constexpr int kMaxNumberWidth = 1024;

}  // namespace hx
