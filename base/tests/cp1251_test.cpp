#include "base/cp1251.h"

#include <gtest/gtest.h>

#include <set>

#include "base/utf8.h"

namespace hx {
namespace {

TEST(Cp1251, AllBytesMapToDistinctCodePointsAndBack) {
  std::set<char32_t> seen;
  std::string all;
  for (int b = 0; b < 256; ++b) {
    seen.insert(Cp1251ToCodePoint(static_cast<unsigned char>(b)));
    all += static_cast<char>(b);
  }
  EXPECT_EQ(seen.size(), 256u);
  size_t lost = 99;
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all), &lost), all);
  EXPECT_EQ(lost, 0u);
}

TEST(Cp1251, KnownLetters) {
  struct Case {
    unsigned char byte;
    char32_t cp;
  } cases[] = {{0xC0, 0x0410}, {0xFF, 0x044F}, {0xA8, 0x0401}, {0xB8, 0x0451}, {0xB9, 0x2116},
               {0x88, 0x20AC}, {0x98, 0x0098}, {0xA5, 0x0490}, {0xB4, 0x0491}, {0x41, 'A'}};
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251ToCodePoint(c.byte), c.cp) << int(c.byte);
    EXPECT_EQ(CodePointToCp1251(c.cp), c.byte) << int(c.byte);
  }
  EXPECT_EQ(Cp1251ToUtf8("\xCA\xEE\xF2"), "Кот");
}

TEST(Cp1251, UnmappableCharactersAreCountedAsLoss) {
  size_t lost = 0;
  // Polish letters and a malformed byte have no place in the code page.
  EXPECT_EQ(Utf8ToCp1251("Alę łódź", &lost), "Al? ??d?");
  EXPECT_EQ(lost, 4u);
  EXPECT_EQ(Utf8ToCp1251("a\xFFz", &lost), "a?z");
  EXPECT_EQ(lost, 1u);
}

TEST(Utf8, MalformedSequencesAreRejectedOneByteAtATime) {
  const std::string bad[] = {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "\xE2\x82", "\x80"};
  for (const auto& s : bad) {
    size_t pos = 0;
    EXPECT_EQ(NextCodePoint(s, pos), kBadCodePoint) << s.size();
    EXPECT_EQ(pos, 1u);
  }
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("Ё€😀")), "Ё€😀");
}

}  // namespace
}  // namespace hx

#ifdef _WIN32
#include <windows.h>

namespace hx {
namespace {

// Under Windows (and Wine) the table must agree with the system's own 1251 code page for
// every assigned byte.
TEST(Cp1251, AgreesWithTheSystemCodePage) {
  for (int b = 0x20; b < 256; ++b) {
    if (b == 0x98) continue;  // unassigned in the code page
    const char c = static_cast<char>(b);
    wchar_t w = 0;
    ASSERT_EQ(MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &c, 1, &w, 1), 1) << b;
    EXPECT_EQ(static_cast<char32_t>(w), Cp1251ToCodePoint(static_cast<unsigned char>(b))) << b;
  }
}

}  // namespace
}  // namespace hx
#endif
