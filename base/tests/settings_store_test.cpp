#include "base/settings_store.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

TEST(SettingsStore, IntegerTexts) {
  struct Case {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {{"42", 42},        {" -7 ", -7},          {"0x1F", 31},     {"0XfF", 255},
               {"0xFFFFFFFF", -1}, {"0x", std::nullopt}, {"", std::nullopt}, {"12a", std::nullopt},
               {"x12", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseSettingInt(c.text), c.value) << c.text;
}

TEST(SettingsStore, MemoryStoreReadsByTypeAndIgnoresCase) {
  TMemorySettings s;
  s.WriteText("Cat\\TDM_CatProd", "InitialDir", "C:\\Каталоги");
  s.WriteText("Cat\\TDM_CatProd", "Hex", "0x10");
  s.WriteInt("Cat", "N", 5);
  s.WriteFloat("Cat", "F", 2.5);
  s.WriteBool("Cat", "B", true);
  EXPECT_EQ(s.ReadText("CAT\\tdm_catprod", "initialdir", ""), "C:\\Каталоги");
  EXPECT_EQ(s.ReadInt("Cat\\TDM_CatProd", "Hex", 0), 16);
  EXPECT_EQ(s.ReadInt("Cat", "N", 0), 5);
  EXPECT_EQ(s.ReadFloat("Cat", "F", 0), 2.5);
  EXPECT_TRUE(s.ReadBool("Cat", "B", false));
  EXPECT_EQ(s.ReadFloat("Cat", "N", -1.0), -1.0);  // wrong type: the default
  EXPECT_EQ(s.ReadInt("Cat", "Missing", 9), 9);
  s.DeleteSection("Cat");
  EXPECT_EQ(s.ReadInt("Cat", "N", 0), 0);
  EXPECT_TRUE(s.Values().empty());
}

TEST(SettingsStore, TheFourthObjectStaysEmpty) {
  Settings(ssEmpty).WriteInt("S", "V", 1);
  EXPECT_FALSE(Settings(ssEmpty).ReadInt("S", "V").has_value());
  Settings(ssUser).WriteInt("S", "V", 1);
  EXPECT_EQ(Settings(ssUser).ReadInt("S", "V", 0), 1);
}

}  // namespace
}  // namespace hx
