// Text helpers on UTF-8 strings: trimming, upper-casing and case-insensitive comparison that
// fold Latin (ASCII, Latin-1, Latin Extended-A) and Cyrillic letters alike.
#pragma once

#include <string>
#include <string_view>

namespace hx {

char32_t UpperCodePoint(char32_t cp);

std::string UpperCase(std::string_view text);

// Ordinal comparison of the upper-cased code points: <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

// Removes leading and trailing blanks and control characters (bytes up to 0x20).
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);

}  // namespace hx
