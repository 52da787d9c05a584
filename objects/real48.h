// The 6-byte real of legacy records: byte 0 is the exponent biased by 129 (0 means zero),
// bytes 1..5 hold 39 fraction bits, least significant first, and the sign in the top bit.
#pragma once

#include <cstdint>

namespace hx {

// Converts with rounding to nearest (ties to even). Magnitudes below the smallest 6-byte real
// become zero. Returns false, leaving out untouched, when the value is out of range, NaN or
// infinite.
bool DoubleToReal48(double v, uint8_t out[6]);

double Real48ToDouble(const uint8_t in[6]);

}  // namespace hx
