#include "records/number_reader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "base/constants.h"
#include "base/msg_format.h"
#include "base/string_table.h"
#include "records/check_result.h"
#include "records/messages.h"

namespace hx {
namespace {

// A failure inside the evaluation: the message id and its argument.
struct ReadFailure {
  int id;
  std::string text;
  double number = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSign(char c) {
  return c == '+' || c == '-';
}
// An infinite or undefined intermediate result is an overflow, reported like the whole text
// not being a number (and not hidden by a later step such as 1/x).
double Finite(double v) {
  if (!std::isfinite(v)) throw ReadFailure{-1, {}};
  return v;
}

bool EndsNumber(char c) {
  return c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '/' || c == '^';
}

// The first max_chars characters (not bytes) of text.
std::string_view Head(std::string_view text, size_t max_chars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == max_chars) {
      return text.substr(0, i);
    }
  }
  return text;
}

// Reads a decimal number: digits with an optional point and an optional exponent.
bool ParseDecimal(std::string_view t, double& out) {
  size_t i = 0;
  size_t int_digits = 0, frac_digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++int_digits;
  const size_t int_end = i;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++frac_digits;
  }
  if (int_digits + frac_digits == 0) return false;
  const size_t mantissa_end = i;
  long exponent = 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && IsSign(t[i])) ++i;
    if (i == t.size()) return false;
    for (; i < t.size() && IsDigit(t[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (t[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  if (i != t.size()) return false;
  const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
  if (ec == std::errc()) return ptr == t.data() + t.size();
  if (ec != std::errc::result_out_of_range) return false;
  // Out of range: too small reads as 0, too large is an overflow. The decimal magnitude is
  // the position of the first significant digit plus the exponent.
  long magnitude = exponent;
  size_t first = 0;
  while (first < int_end && t[first] == '0') ++first;
  if (first < int_end) {
    magnitude += static_cast<long>(int_end - first);
  } else {
    for (size_t k = int_end + 1; k < mantissa_end && t[k] == '0'; ++k) --magnitude;
  }
  if (magnitude > 0) throw ReadFailure{-1, {}};
  out = 0;
  return true;
}

class Evaluator {
 public:
  explicit Evaluator(const std::string& s) : s_(s) {}

  double Run() {
    const double v = Sum();
    if (pos_ < s_.size()) throw ReadFailure{20068, std::string(1, s_[pos_])};
    return v;
  }

 private:
  bool At(char c) const { return pos_ < s_.size() && s_[pos_] == c; }

  double Sum() {
    double result = Product();
    while (At('+') || At('-')) {
      const char op = s_[pos_++];
      const double r = Product();
      result = Finite(op == '+' ? result + r : result - r);
    }
    return result;
  }

  double Product() {
    double result = Power();
    while (At('*') || At('/')) {
      const char op = s_[pos_++];
      const double r = Power();
      if (op == '*') {
        result = Finite(result * r);
      } else {
        if (r == 0) throw ReadFailure{20069, {}};
        result = Finite(result / r);
      }
    }
    return result;
  }

  // A run of "^" groups from the right; it is folded without recursion.
  double Power() {
    std::vector<double> operands{Operand()};
    while (At('^')) {
      ++pos_;
      operands.push_back(Operand());
    }
    double r = operands.back();
    for (size_t i = operands.size() - 1; i-- > 0;) {
      if (operands[i] < 0) throw ReadFailure{20070, {}, operands[i]};
      r = Finite(std::pow(operands[i], r));
    }
    return r;
  }

  double Operand() {
    if (pos_ >= s_.size() || At(')')) throw ReadFailure{20067, {}};
    bool negative = false;
    if (IsSign(s_[pos_])) {
      negative = s_[pos_++] == '-';
      if (pos_ >= s_.size() || At(')')) throw ReadFailure{20067, {}};
    }
    double v;
    if (At('(')) {
      if (++depth_ > kMaxBracketDepth) throw ReadFailure{-1, {}};
      ++pos_;
      if (At(')')) throw ReadFailure{20067, {}};
      v = Sum();
      if (!At(')')) {
        if (pos_ >= s_.size()) throw ReadFailure{20063, {}};
        throw ReadFailure{20068, std::string(1, s_[pos_])};
      }
      ++pos_;
      --depth_;
    } else if (IsDigit(s_[pos_]) || s_[pos_] == '.') {
      const size_t start = pos_;
      while (pos_ < s_.size()) {
        const char c = s_[pos_];
        // The sign of an exponent ("1E-6") belongs to the number.
        const bool exponent_sign = IsSign(c) && pos_ - start >= 2 &&
                                   (s_[pos_ - 1] == 'E' || s_[pos_ - 1] == 'e') &&
                                   (IsDigit(s_[pos_ - 2]) || s_[pos_ - 2] == '.');
        if (EndsNumber(c) && !exponent_sign) break;
        ++pos_;
      }
      const std::string number = s_.substr(start, pos_ - start);
      if (!ParseDecimal(number, v)) throw ReadFailure{20065, number};
    } else {
      throw ReadFailure{20065, s_.substr(pos_)};
    }
    return negative ? -v : v;
  }

  const std::string& s_;
  size_t pos_ = 0;
  int depth_ = 0;
};

bool Fail(const ReadFailure& f, const std::string& whole, double& value) {
  value = NoFloat;
  TCheckResult& r = CheckResult();
  r.Clear();
  // -1 marks an internal failure (overflow, nesting): reported as the whole text not being
  // a number.
  const int id = f.id < 0 ? 20065 : f.id;
  const std::string arg = f.id < 0 ? whole : f.text;
  std::string message;
  if (id == 20070) {
    message = FormatStr(id, {f.number});
  } else {
    message = FormatStr(id, {arg});
  }
  if (id == 20065) {
    r.kind = ckWrongValue;
    r.field_kind = fkFloat;
    r.text = arg;
  } else {
    r.SetMessage(message);
  }
  ShowErrorText(message);
  return false;
}

double RoundHalfEven(double v) {
  return std::nearbyint(v);
}

}  // namespace

bool ReadNumber(std::string_view text, double& value) {
  text = Head(text, kMaxNumberTextLength);
  size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
  if (start < text.size() && text[start] == '=') ++start;
  std::string s;
  for (size_t i = start; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) <= ' ') continue;
    s += c == ',' ? '.' : c;
  }
  if (s.empty()) {
    value = NoFloat;
    return true;
  }
  try {
    for (size_t i = 0; i + 1 < s.size(); ++i) {
      if (IsSign(s[i]) && IsSign(s[i + 1])) throw ReadFailure{20066, s.substr(i, 2)};
    }
    long balance = 0;
    for (const char c : s) balance += c == '(' ? 1 : c == ')' ? -1 : 0;
    if (balance > 0) throw ReadFailure{20063, {}};
    if (balance < 0) throw ReadFailure{20064, {}};
    const double v = Evaluator(s).Run();
    if (!std::isfinite(v) || v == NoFloat) throw ReadFailure{-1, {}};
    value = v;
    return true;
  } catch (const ReadFailure& f) {
    return Fail(f, s, value);
  }
}

int32_t FloatToInt32Value(double v) {
  if (v == NoFloat) return NoInt;
  if (v > 2147483647.0) return 2147483647;
  if (v < -2147483646.0) return -2147483646;
  return static_cast<int32_t>(RoundHalfEven(v));
}

uint16_t FloatToWordValue(double v) {
  if (v == NoFloat || v > 65535.0) return 65535;
  if (v < 0) return 0;
  return static_cast<uint16_t>(RoundHalfEven(v));
}

uint8_t FloatToByteValue(double v) {
  if (v == NoFloat || v > 255.0) return 255;
  if (v < 0) return 0;
  return static_cast<uint8_t>(RoundHalfEven(v));
}

uint32_t FloatToCardinalValue(double v) {
  if (v == NoFloat || v > 4294967295.0) return 4294967295u;
  if (v < 0) return 0;
  return static_cast<uint32_t>(RoundHalfEven(v));
}

bool ReadNumberInt32(std::string_view text, int32_t& value) {
  double v;
  const bool ok = ReadNumber(text, v);
  value = FloatToInt32Value(v);
  return ok;
}

bool ReadNumberWord(std::string_view text, uint16_t& value) {
  double v;
  const bool ok = ReadNumber(text, v);
  value = FloatToWordValue(v);
  return ok;
}

bool ReadNumberByte(std::string_view text, uint8_t& value) {
  double v;
  const bool ok = ReadNumber(text, v);
  value = FloatToByteValue(v);
  return ok;
}

bool ReadNumberCardinal(std::string_view text, uint32_t& value) {
  double v;
  const bool ok = ReadNumber(text, v);
  value = FloatToCardinalValue(v);
  return ok;
}

}  // namespace hx
