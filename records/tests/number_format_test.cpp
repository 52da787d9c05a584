#include "records/number_format.h"

#include <gtest/gtest.h>

#include "base/constants.h"
#include "base/locale_settings.h"

namespace hx {
namespace {

struct FormatCase {
  double value;
  int width;
  int decimals;
  const char* expected;
};

TEST(FormatNumber, Table) {
  SetDecimalSeparator('.');
  const FormatCase cases[] = {
      // No value: width blanks, for every decimals setting.
      {NoFloat, 5, 2, "     "},
      {NoFloat, 0, -1, ""},
      {NoFloat, 3, 0, "   "},
      // Fixed notation, right-aligned.
      {12.5, 0, 1, "12.5"},
      {12.5, 6, 2, " 12.50"},
      {-0.004, 0, 2, "0.00"},
      {3.0, 4, 0, "   3"},
      // Too long for the width: decimals are given up.
      {1234.567, 6, 2, "1234.6"},
      {1234.567, 5, 2, " 1235"},
      {123456.0, 3, 1, "123456"},
      // General format when width and decimals are both 0.
      {0.1 + 0.2, 0, 0, "0.3"},
      {1e-6, 0, 0, "1E-6"},
      {1.5e20, 0, 0, "1.5E20"},
      // Shortest form.
      {2.5, 0, -1, "2.5"},
      {2.5, 6, -1, "2.5"},
      {1e-6, 0, -1, "1E-6"},
      {123456789.0, 0, -1, "123456789"},
      // Shortest form refitted in scientific notation.
      {1.23456789e-7, 8, -1, "1.235E-7"},
      {123456789.0, 6, -1, "1.2E+8"},
      {-123456789.0, 6, -1, " -1E+8"},
      // Nothing fits: the loop ends at the form without decimals.
      {123456789.0, 2, -1, "1E+8"},
      {-1.5e-300, 1, -1, "-2E-300"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.width, c.decimals), c.expected)
        << c.value << " w=" << c.width << " d=" << c.decimals;
  }
}

TEST(FormatNumber, UsesTheLocaleSeparator) {
  SetDecimalSeparator(',');
  EXPECT_EQ(FormatNumber(12.5, 6, 2), " 12,50");
  EXPECT_EQ(FormatNumber(1.5e20, 0, 0), "1,5E20");
  EXPECT_EQ(FormatNumber(1.23456789e-7, 8, -1), "1,235E-7");
  SetDecimalSeparator(0);  // the locale gives none
  EXPECT_EQ(FormatNumber(0.5, 0, 1), "0.5");
}

TEST(FormatNumber, HugeWidthIsBounded) {
  EXPECT_EQ(FormatNumber(NoFloat, 1 << 30, 0).size(), static_cast<size_t>(kMaxNumberWidth));
  EXPECT_EQ(FormatNumber(1.0, -7, 0), "1");
}

}  // namespace
}  // namespace hx
