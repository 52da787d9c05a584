#include "base/msg_format.h"

#include <gtest/gtest.h>

#include "base/constants.h"
#include "base/locale_settings.h"
#include "base/string_table.h"

namespace hx {
namespace {

TEST(MsgFormat, Forms) {
  SetDecimalSeparator(',');
  struct Case {
    const char* format;
    std::initializer_list<FmtArg> args;
    const char* expected;
  };
  const Case cases[] = {
      {"Файл '%S' и '%s'", {"a.pro", "б"}, "Файл 'a.pro' и 'б'"},
      {"код %D, %d", {-20, 7}, "код -20, 7"},
      {"%G .. %G", {0.5, 100.0}, "0,5 .. 100"},
      {"%g", {1e-6}, "1E-6"},
      {"%g", {1.5e20}, "1,5E20"},
      {"%g", {NoFloat}, "-1E17"},
      {"%g", {123456789012345.0}, "123456789012345"},
      {"%g", {0.1 + 0.2}, "0,3"},
      {"%.3g", {3.14159}, "3,14"},
      {"%5.1f%%", {12.345}, " 12,3%"},
      {"[%-4s][%4s]", {"ab", "ёж"}, "[ab  ][  ёж]"},
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%x %.4d", {255, 42}, "FF 0042"},
      {"%n", {1234567.891}, "1 234 567,89"},
      {"%e", {1500.0}, "1,50000000000000E+003"},
      {"%s %s", {"only"}, "only %s"},
      {"end %", {1}, "end %"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMsg(c.format, c.args), c.expected) << c.format;
  SetDecimalSeparator('.');
  EXPECT_EQ(FormatMsg("%g", {2.5}), "2.5");
}

TEST(MsgFormat, StringTableEntries) {
  EXPECT_EQ(LoadStr(501), "Tarvos H.X. - Ошибка");
  EXPECT_TRUE(LoadStr(1).empty());
  EXPECT_EQ(FormatStr(20014, {-99}), "Неизвестная ошибка -99 в объекте TObjectStream.");
}

}  // namespace
}  // namespace hx
