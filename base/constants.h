// Values that mean "no value given" for reals, integers and bytes in objects, streams, fields
// and settings. They travel through every calculation untouched.
#pragma once

#include <cstdint>

namespace hx {

inline constexpr double NoFloat = -1e17;
inline constexpr int32_t NoInt = -2147483647;
inline constexpr uint8_t NoByte = 255;

inline bool IsNoFloat(double v) { return v == NoFloat; }

}  // namespace hx
