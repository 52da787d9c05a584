// Execute strings, type bytes, client handles and the names derived from the program file.
#include "server/core/macro_text.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

using Lines = std::vector<std::string>;

TEST(MacroText, SplitLines) {
  struct Case {
    std::string_view text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"SelectRad", {"SelectRad"}},
      {"SelectRad\r\nR22\r\n\x01\x0e", {"SelectRad", "R22", "\x01\x0e"}},
      {"SelectRad\r\n\r\n\xfe\r\n", {"SelectRad", "", "\xfe"}},
      {"a\nb\rc\r\n", {"a", "b", "c"}},
      {"\r\n", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitMacroLines(c.text), c.lines) << c.text;
}

TEST(MacroText, AllowedTypes) {
  const TTypeSet zero = BuildAllowedTypes("\xfe");
  EXPECT_EQ(zero.count(), 1u);
  EXPECT_TRUE(zero.test(0));
  EXPECT_FALSE(TypeFilterOf(BuildAllowedTypes("")).has_value());

  TTypeSet t = BuildAllowedTypes("\x01\x0e\xff");
  EXPECT_EQ(t.count(), 3u);
  EXPECT_TRUE(t.test(255));
  MapValveTypes(t);
  EXPECT_FALSE(t.test(14));
  EXPECT_TRUE(t.test(117));
  EXPECT_TRUE(t.test(1));
  ASSERT_TRUE(TypeFilterOf(t).has_value());
  EXPECT_EQ(*TypeFilterOf(t), t);

  TTypeSet without = BuildAllowedTypes("\x01");
  MapValveTypes(without);
  EXPECT_EQ(without, BuildAllowedTypes("\x01"));
}

TEST(MacroText, ClientHandles) {
  struct Case {
    std::string_view text;
    std::optional<uint32_t> handle;
  } cases[] = {
      {"", 4294967295u},
      {"  ", 4294967295u},
      {"132456", 132456u},
      {" 42 ", 42u},
      {"4294967295", 4294967295u},
      {"4294967296", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-1", std::nullopt},
      {"+5", std::nullopt},
      {"0x10", std::nullopt},
      {"12 3", std::nullopt},
      {"1e3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseClientHandle(c.text), c.handle) << c.text;
}

TEST(MacroText, ProgramNames) {
  EXPECT_EQ(ServiceNameOf("C:\\Prog\\TRVHX16_32Server.exe"), "TRVHX16_32Server");
  EXPECT_EQ(ServiceNameOf("C:\\a.b\\Server.v2.exe"), "Server");
  const TProgramPaths p = ProgramPathsOf("C:\\Program Files\\Tarvos\\TRVHX16_32Server.exe");
  EXPECT_EQ(p.program_folder, "C:\\Program Files\\Tarvos");
  EXPECT_EQ(p.catalog_folder, "C:\\Program Files\\Tarvos\\Danekat\\");
}

}  // namespace
}  // namespace hx
