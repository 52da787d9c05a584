#include "base/text.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

TEST(Text, UpperCaseFoldsLatinAndCyrillic) {
  EXPECT_EQ(UpperCase("abc xyz"), "ABC XYZ");
  EXPECT_EQ(UpperCase("привет ёлка ґ ў їє"), "ПРИВЕТ ЁЛКА Ґ Ў ЇЄ");
  EXPECT_EQ(UpperCase("ąćęłńóśźż äöüß"), "ĄĆĘŁŃÓŚŹŻ ÄÖÜß");
  EXPECT_EQ(UpperCase("№ 1-2"), "№ 1-2");
}

TEST(Text, CompareTextIgnoresCase) {
  EXPECT_TRUE(SameText("ПРИВЕТ ЁЛКА", "привет ёлка"));
  EXPECT_TRUE(SameText("Łódź", "ŁÓDŹ"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("", "a"), 0);
}

TEST(Text, Trim) {
  EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimRight("ab   "), "ab");
}

}  // namespace
}  // namespace hx
