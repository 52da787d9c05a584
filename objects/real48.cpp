#include "objects/real48.h"

#include <cmath>

namespace hx {

bool DoubleToReal48(double v, uint8_t out[6]) {
  if (!std::isfinite(v)) return false;
  uint8_t r[6] = {0, 0, 0, 0, 0, 0};
  if (v != 0) {
    int x;
    const double m = std::frexp(std::fabs(v), &x);  // |v| = m * 2^x, 0.5 <= m < 1
    int e = x + 128;                                 // |v| = 1.f * 2^(e - 129)
    // 2m - 1 has at most 52 significant bits, so scaling by 2^39 is exact; nearbyint rounds
    // half to even in the default rounding mode.
    uint64_t f = static_cast<uint64_t>(std::nearbyint(std::ldexp(2 * m - 1, 39)));
    if (f == (uint64_t{1} << 39)) {
      f = 0;
      ++e;
    }
    if (e > 255) return false;
    if (e >= 1) {
      r[0] = static_cast<uint8_t>(e);
      for (int i = 1; i <= 5; ++i) {
        r[i] = static_cast<uint8_t>(f & 0xFF);
        f >>= 8;
      }
      if (v < 0) r[5] |= 0x80;
    }
  }
  for (int i = 0; i < 6; ++i) out[i] = r[i];
  return true;
}

double Real48ToDouble(const uint8_t in[6]) {
  if (in[0] == 0) return 0.0;
  uint64_t f = in[5] & 0x7F;
  for (int i = 4; i >= 1; --i) f = (f << 8) | in[i];
  const double m = 1.0 + std::ldexp(static_cast<double>(f), -39);
  const double v = std::ldexp(m, in[0] - 129);
  return (in[5] & 0x80) ? -v : v;
}

}  // namespace hx
