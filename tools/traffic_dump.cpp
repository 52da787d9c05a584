#include "tools/traffic_dump.h"

#include <cstdio>

#include "base/cp1251.h"

namespace hx {

std::string FormatCopyData(bool outgoing, int32_t code, std::span<const uint8_t> data,
                           std::optional<int32_t> result) {
  constexpr size_t kShown = 32;
  char head[64];
  std::snprintf(head, sizeof(head), "%s %d cb=%zu", outgoing ? "->" : "<-", code, data.size());
  std::string line = head;
  if (!data.empty()) {
    line += ":";
    std::string text;
    for (size_t i = 0; i < data.size() && i < kShown; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof(hex), " %02X", data[i]);
      line += hex;
      text += data[i] >= 0x20 && data[i] < 0x7F ? static_cast<char>(data[i]) : '.';
    }
    if (data.size() > kShown) {
      line += " ...";
      text += "...";
    }
    line += " |" + text + "|";
  }
  if (result) line += " = " + std::to_string(*result);
  return line;
}

std::string QuoteText(std::string_view bytes) {
  std::string out = "\"";
  std::string plain;
  const auto flush = [&] {
    out += Cp1251ToUtf8(plain);
    plain.clear();
  };
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const char* escape = c == '\r'   ? "\\r"
                         : c == '\n' ? "\\n"
                         : c == '"'  ? "\\\""
                         : c == '\\' ? "\\\\"
                                     : nullptr;
    if (!escape && b >= 0x20) {
      plain += c;
      continue;
    }
    flush();
    if (escape) {
      out += escape;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02X", b);
      out += hex;
    }
  }
  flush();
  return out + "\"";
}

}  // namespace hx
