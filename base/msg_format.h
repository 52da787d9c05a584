// Formatting of message texts: the %s %S %d %D %g %G forms (and f, e, n, u, x) with optional
// argument index, left alignment, width and precision, as in "%-10.3g" or "%1:s". The type
// letter is case-insensitive; "%%" writes a percent sign. Reals use the locale's decimal
// separator.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace hx {

class FmtArg {
 public:
  FmtArg(int v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(long v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(long long v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(unsigned v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(unsigned long v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(unsigned long long v) : v_(static_cast<int64_t>(v)) {}
  FmtArg(double v) : v_(v) {}
  FmtArg(const char* v) : v_(std::string(v)) {}
  FmtArg(std::string_view v) : v_(std::string(v)) {}
  FmtArg(const std::string& v) : v_(v) {}

  const std::variant<int64_t, double, std::string>& value() const { return v_; }

 private:
  std::variant<int64_t, double, std::string> v_;
};

std::string FormatMsg(std::string_view format, std::initializer_list<FmtArg> args);

// The text of a string-table entry formatted with args.
std::string FormatStr(int id, std::initializer_list<FmtArg> args);

// The general float format: at most precision significant digits, trailing zeros dropped, fixed
// notation while the value has at most precision integer digits and is at least 0.00001 in
// magnitude, else "1.5E-7" (no plus sign, no leading zeros in the exponent).
std::string FormatFloatGeneral(double v, int precision = 15, char separator = 0);

// Fixed notation with decimals digits after the separator.
std::string FormatFloatFixed(double v, int decimals, char separator = 0);

}  // namespace hx
