#include "base/text.h"

#include "base/utf8.h"

namespace hx {

char32_t UpperCodePoint(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 0x20;
  if (cp < 0xB5) return cp;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  if (cp == 0xFF) return 0x0178;
  if (cp >= 0x0100 && cp <= 0x017F) {
    // Latin Extended-A: pairs of upper and lower case, upper first, with two shifted runs.
    if (cp == 0x0131) return 'I';
    if (cp == 0x0138 || cp == 0x0149) return cp;
    if ((cp >= 0x0139 && cp <= 0x0148) || (cp >= 0x0179 && cp <= 0x017E)) {
      return (cp & 1) ? cp : cp - 1;
    }
    if (cp == 0x017F) return 'S';
    if (cp == 0x0178) return cp;
    return (cp & 1) ? cp - 1 : cp;
  }
  if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;
  if (cp >= 0x0450 && cp <= 0x045F) return cp - 0x50;
  if (cp >= 0x0460 && cp <= 0x04FF && (cp & 1)) {
    // Historic and extended Cyrillic letters come in upper/lower pairs (ґ = U+0491 among them).
    if ((cp >= 0x0460 && cp <= 0x0481) || (cp >= 0x048A && cp <= 0x04BF) ||
        (cp >= 0x04D0 && cp <= 0x04FF)) {
      return cp - 1;
    }
  }
  if (cp >= 0x04C1 && cp <= 0x04CE && !(cp & 1)) return cp - 1;
  if (cp == 0x04CF) return 0x04C0;
  return cp;
}

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t cp = NextCodePoint(text, pos);
    if (cp == kBadCodePoint) {
      out.append(text.substr(start, pos - start));
    } else {
      AppendUtf8(out, UpperCodePoint(cp));
    }
  }
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t ca = UpperCodePoint(NextCodePoint(a, i));
    const char32_t cb = UpperCodePoint(NextCodePoint(b, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(b, e - b));
}

std::string TrimRight(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(0, e));
}

}  // namespace hx
