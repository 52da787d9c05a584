// The 8-bit code page of files, object streams and DDE strings (1251), converted to and from
// the UTF-8 used inside the program. The table is lossless: every one of the 256 bytes maps to
// its own code point (the unassigned byte 0x98 to U+0098), so bytes read and written back are
// the same bytes.
#pragma once

#include <string>
#include <string_view>

namespace hx {

inline constexpr int kFileCodePage = 1251;

char32_t Cp1251ToCodePoint(unsigned char byte);

// The byte of a code point, or -1 when the code page cannot hold it.
int CodePointToCp1251(char32_t cp);

std::string Cp1251ToUtf8(std::string_view bytes);

// Characters the code page cannot hold (and malformed UTF-8) become '?'; lost, when given,
// receives the number of such characters so that callers can report the loss.
std::string Utf8ToCp1251(std::string_view text, size_t* lost = nullptr);

}  // namespace hx
