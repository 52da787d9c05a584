// UTF-8 decoding and encoding of single code points, and UTF-16 conversion for the calls of the
// Win32 layer and the wide file names of the Windows build.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hx {

inline constexpr char32_t kBadCodePoint = 0xFFFFFFFF;

// Decodes the code point that starts at text[pos] and advances pos past it. A malformed or
// truncated sequence yields kBadCodePoint and advances by one byte.
char32_t NextCodePoint(std::string_view text, size_t& pos);

void AppendUtf8(std::string& out, char32_t cp);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

#ifdef _WIN32
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
#endif

}  // namespace hx
