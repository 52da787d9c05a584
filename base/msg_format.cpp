#include "base/msg_format.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "base/locale_settings.h"
#include "base/string_table.h"

namespace hx {
namespace {

char g_decimal_separator = '.';

char Sep(char separator) { return separator ? separator : g_decimal_separator; }

// Digits and decimal exponent of v rounded to precision significant digits: v = 0.d1d2... * 10^exp.
void Digits(double v, int precision, std::string& digits, int& exp) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(v));
  digits.clear();
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits += *p;
  }
  exp = (*p == 'e') ? std::atoi(p + 1) + 1 : 1;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

std::string ApplyWidth(std::string text, int width, bool left) {
  // Width counts characters, not the bytes of their UTF-8 form.
  int length = 0;
  for (const char c : text) length += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (width > 0 && length < width) {
    const std::string pad(width - length, ' ');
    text = left ? text + pad : pad + text;
  }
  return text;
}

std::string Thousands(const std::string& fixed, char sep) {
  // Inserts blanks between groups of three integer digits.
  const size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
  size_t end = fixed.find(sep);
  if (end == std::string::npos) end = fixed.size();
  std::string out = fixed.substr(0, start);
  for (size_t i = start; i < end; ++i) {
    out += fixed[i];
    const size_t left = end - i - 1;
    if (left > 0 && left % 3 == 0) out += ' ';
  }
  return out + fixed.substr(end);
}

std::string FormatExponent(double v, int precision, char sep) {
  // "-d.ddddE+ddd": precision significant digits, a signed exponent of at least three digits.
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", precision - 1, v);
  std::string s = buf;
  const size_t e = s.find('E');
  std::string mant = s.substr(0, e);
  for (char& c : mant) {
    if (c == '.') c = sep;
  }
  const int exp = std::atoi(s.c_str() + e + 1);
  char ebuf[16];
  std::snprintf(ebuf, sizeof ebuf, "E%c%03d", exp < 0 ? '-' : '+', std::abs(exp));
  return mant + ebuf;
}

}  // namespace

char DecimalSeparator() { return g_decimal_separator; }
void SetDecimalSeparator(char separator) { g_decimal_separator = separator ? separator : '.'; }

std::string FormatFloatGeneral(double v, int precision, char separator) {
  const char sep = Sep(separator);
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  if (v == 0) return "0";
  std::string digits;
  int exp;
  Digits(v, precision, digits, exp);
  std::string out = v < 0 ? "-" : "";
  if (exp <= precision && std::fabs(v) >= 0.00001) {
    if (exp <= 0) {
      out += '0';
      out += sep;
      out.append(-exp, '0');
      out += digits;
    } else if (static_cast<int>(digits.size()) <= exp) {
      out += digits;
      out.append(exp - digits.size(), '0');
    } else {
      out += digits.substr(0, exp);
      out += sep;
      out += digits.substr(exp);
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += sep;
    out += digits.substr(1);
  }
  out += 'E';
  out += std::to_string(exp - 1);
  return out;
}

std::string FormatFloatFixed(double v, int decimals, char separator) {
  const char sep = Sep(separator);
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  std::vector<char> buf(400);
  std::snprintf(buf.data(), buf.size(), "%.*f", decimals, v);
  std::string s = buf.data();
  for (char& c : s) {
    if (c == '.') c = sep;
  }
  // A value that rounds to zero shows without a minus sign.
  if (s[0] == '-' && s.find_first_not_of(std::string("0") + sep, 1) == std::string::npos) {
    s.erase(0, 1);
  }
  return s;
}

std::string FormatMsg(std::string_view format, std::initializer_list<FmtArg> args) {
  std::string out;
  const FmtArg* argv = args.begin();
  const int argc = static_cast<int>(args.size());
  int next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    const size_t start = i;
    ++i;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      continue;
    }
    auto number = [&]() {
      int n = -1;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        n = (n < 0 ? 0 : n) * 10 + (format[i] - '0');
        if (n > 10000) n = 10000;
        ++i;
      }
      return n;
    };
    int n = number();
    if (n >= 0 && i < format.size() && format[i] == ':') {
      next = n;
      ++i;
      n = -1;
    }
    bool left = false;
    if (n < 0 && i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    int width = n >= 0 ? n : number();
    int prec = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      prec = number();
      if (prec < 0) prec = 0;
    }
    if (i >= format.size() || next >= argc) {
      // An unfinished form or a missing argument is written as it stands.
      out.append(format.substr(start, (i < format.size() ? i + 1 : i) - start));
      continue;
    }
    const auto& arg = argv[next++].value();
    const char type = static_cast<char>(format[i] | 0x20);
    auto as_double = [&]() -> double {
      if (auto* d = std::get_if<double>(&arg)) return *d;
      if (auto* k = std::get_if<int64_t>(&arg)) return static_cast<double>(*k);
      return 0.0;
    };
    auto as_int = [&]() -> int64_t {
      if (auto* k = std::get_if<int64_t>(&arg)) return *k;
      if (auto* d = std::get_if<double>(&arg)) return static_cast<int64_t>(*d);
      return 0;
    };
    std::string piece;
    switch (type) {
      case 's':
        if (auto* s = std::get_if<std::string>(&arg)) {
          piece = *s;
        } else if (std::holds_alternative<int64_t>(arg)) {
          piece = std::to_string(as_int());
        } else {
          piece = FormatFloatGeneral(as_double());
        }
        if (prec >= 0 && static_cast<int>(piece.size()) > prec) piece.resize(prec);
        break;
      case 'd':
      case 'u': {
        const int64_t k = as_int();
        piece = std::to_string(k < 0 ? -k : k);
        if (prec > static_cast<int>(piece.size())) piece.insert(0, prec - piece.size(), '0');
        if (k < 0) piece.insert(0, "-");
        break;
      }
      case 'x': {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(as_int()));
        piece = buf;
        if (prec > static_cast<int>(piece.size())) piece.insert(0, prec - piece.size(), '0');
        break;
      }
      case 'g':
        piece = FormatFloatGeneral(as_double(), prec < 0 ? 15 : (prec == 0 ? 1 : prec));
        break;
      case 'f':
        piece = FormatFloatFixed(as_double(), prec < 0 ? 2 : prec);
        break;
      case 'n':
        piece = Thousands(FormatFloatFixed(as_double(), prec < 0 ? 2 : prec), Sep(0));
        break;
      case 'e':
        piece = FormatExponent(as_double(), prec < 0 ? 15 : prec, Sep(0));
        break;
      default:
        out.append(format.substr(start, i + 1 - start));
        --next;
        continue;
    }
    out += ApplyWidth(std::move(piece), width, left);
  }
  return out;
}

std::string FormatStr(int id, std::initializer_list<FmtArg> args) {
  return FormatMsg(LoadStr(id), args);
}

}  // namespace hx
