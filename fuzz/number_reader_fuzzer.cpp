// Feeds arbitrary text to the number reader, and arbitrary reals, widths and decimals to the
// number formatter whose output must read back. The first byte chooses: odd reads the rest as
// text; even takes a real (8 bytes), a width and a decimals byte and formats them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/constants.h"
#include "base/locale_settings.h"
#include "records/messages.h"
#include "records/number_format.h"
#include "records/number_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  hx::MessagesSilenced quiet;
  double v;
  if (data[0] & 1) {
    hx::ReadNumber(std::string(reinterpret_cast<const char*>(data + 1), size - 1), v);
    return 0;
  }
  if (size < 11) return 0;
  double x;
  std::memcpy(&x, data + 1, sizeof x);
  const int width = data[9];
  const int decimals = static_cast<int8_t>(data[10]) % 20;
  hx::SetDecimalSeparator(data[0] & 2 ? ',' : '.');
  const std::string text = hx::FormatNumber(x, width, decimals);
  // Values that are not finite, or so close to the largest real that their 15-digit form
  // rounds beyond it, are not numbers to read back.
  if (!std::isfinite(x) || std::fabs(x) > 1e300) return 0;
  if (hx::ReadNumber(text, v)) return 0;
  // The only other text allowed to fail is one that rounds to NoFloat, the text of no value.
  std::string plain;
  for (const char c : text) {
    if (c != ' ') plain += c == ',' ? '.' : c;
  }
  if (std::strtod(plain.c_str(), nullptr) != hx::NoFloat) std::abort();
  return 0;
}
