#include "records/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/constants.h"
#include "base/locale_settings.h"
#include "base/msg_format.h"

namespace hx {
namespace {

std::string RightAlign(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// Scientific form with decimals digits after the point, then tidied: leading zeros of the
// exponent and trailing zeros of the mantissa go (with a point left alone at the end); the
// exponent's sign stays.
std::string Scientific(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", decimals, value);
  std::string s = buf;
  const size_t e = s.find('E');
  if (e == std::string::npos) return s;  // not finite
  std::string mantissa = s.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  std::string exponent = s.substr(e + 1);  // sign and at least two digits
  size_t first = 1;
  while (first + 1 < exponent.size() && exponent[first] == '0') ++first;
  return mantissa + 'E' + exponent[0] + exponent.substr(first);
}

std::string Shortest(double value, int width) {
  std::string s = FormatFloatGeneral(value, 15, '.');
  if (width <= 0 || static_cast<int>(s.size()) <= width || !std::isfinite(value)) return s;
  // The raw scientific text for k = 5, 4, ... is width + k - 1 characters long. The loop stops
  // once the tidied text fits or the mantissa has no decimal left, so it ends for any width.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0E", value);
  const int bare = static_cast<int>(std::string(buf).size());  // the form without decimals
  for (int k = 5;; --k) {
    int decimals = width + k - 1 - bare - 1;  // one character for the point
    const bool last = decimals <= 0;
    decimals = std::clamp(decimals, 0, 16);
    s = Scientific(value, decimals);
    if (static_cast<int>(s.size()) <= width || last) break;
  }
  return RightAlign(std::move(s), width);
}

std::string Fixed(double value, int width, int decimals) {
  std::string s;
  if (width != 0 || decimals != 0) {
    s = RightAlign(FormatFloatFixed(value, decimals, '.'), width);
  } else {
    s = FormatFloatGeneral(value, 15, '.');
  }
  const int length = static_cast<int>(s.size());
  if (width > 0 && length > width) {
    s = RightAlign(FormatFloatFixed(value, std::max(0, decimals + width - length), '.'), width);
  }
  return s;
}

}  // namespace

std::string FormatNumber(double value, int width, int decimals) {
  width = std::clamp(width, 0, kMaxNumberWidth);
  if (value == NoFloat) return std::string(width, ' ');
  std::string s = decimals < 0 ? Shortest(value, width) : Fixed(value, width, decimals);
  const char separator = DecimalSeparator();
  if (separator != '.') std::replace(s.begin(), s.end(), '.', separator);
  return s;
}

}  // namespace hx
