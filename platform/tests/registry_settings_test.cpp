// The registry store under Wine: types, sections, the "0x" rule, deleting, read-only keys.
#include "platform/registry_settings.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKeyW); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKeyW); }
  static constexpr const char* kKey = "Software\\HXPlatformTest";
  static constexpr const wchar_t* kKeyW = L"Software\\HXPlatformTest";
};

TEST_F(RegistrySettingsTest, ValuesRoundTripByType) {
  TRegistrySettings s(HKEY_CURRENT_USER, kKey);
  ASSERT_TRUE(s.IsOpen());
  ASSERT_TRUE(s.Writable());
  s.WriteText("Cat\\TDM_CatProd", "InitialDir", "C:\\Каталоги\\Łódź");
  s.WriteInt("Cat", "Small", -7);
  s.WriteInt("Cat", "Big", 5000000000LL);
  s.WriteFloat("Cat", "F", 2.5);
  s.WriteBool("Cat", "B", true);
  s.WriteText("Cat", "Hex", "0x1F");
  s.WriteText("\\Cat\\", "Padded", "x");

  EXPECT_EQ(s.ReadText("cat\\tdm_catprod", "initialdir", ""), "C:\\Каталоги\\Łódź");
  EXPECT_EQ(s.ReadInt("Cat", "Small", 0), -7);
  EXPECT_EQ(s.ReadInt("Cat", "Big", 0), 5000000000LL);
  EXPECT_EQ(s.ReadFloat("Cat", "F", 0), 2.5);
  EXPECT_TRUE(s.ReadBool("Cat", "B", false));
  EXPECT_EQ(s.ReadInt("Cat", "Hex", 0), 31);
  EXPECT_EQ(s.ReadText("Cat", "Padded", ""), "x");
  // Missing values and values of another type give the default.
  EXPECT_FALSE(s.ReadText("Cat", "Small").has_value());
  EXPECT_FALSE(s.ReadFloat("Cat", "Small").has_value());
  EXPECT_FALSE(s.ReadInt("Nowhere", "X").has_value());

  // The values are really in the registry, where other programs find them.
  DWORD v = 0, size = sizeof(v);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\HXPlatformTest\\Cat", L"B",
                         RRF_RT_REG_DWORD, nullptr, &v, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(v, 1u);

  s.DeleteValue("Cat", "Small");
  EXPECT_FALSE(s.ReadInt("Cat", "Small").has_value());
  s.DeleteSection("Cat");
  EXPECT_FALSE(s.ReadText("Cat\\TDM_CatProd", "InitialDir").has_value());
  EXPECT_FALSE(s.ReadInt("Cat", "Big").has_value());
}

TEST_F(RegistrySettingsTest, ReadOnlyKeysIgnoreWrites) {
  {
    TRegistrySettings w(HKEY_CURRENT_USER, kKey);
    w.WriteText("S", "Name", "value");
  }
  TRegistrySettings r(HKEY_CURRENT_USER, kKey, TRegistrySettings::Mode::ReadOnly);
  ASSERT_TRUE(r.IsOpen());
  EXPECT_FALSE(r.Writable());
  EXPECT_EQ(r.ReadText("S", "Name", ""), "value");
  r.WriteText("S", "Name", "changed");
  r.WriteInt("S", "New", 1);
  r.DeleteSection("S");
  EXPECT_EQ(r.ReadText("S", "Name", ""), "value");
  EXPECT_FALSE(r.ReadInt("S", "New").has_value());

  // A key that cannot be opened at all: nothing to read, writes go nowhere.
  TRegistrySettings none(HKEY_CURRENT_USER, "Software\\HXPlatformTest\\Missing",
                         TRegistrySettings::Mode::ReadOnly);
  EXPECT_FALSE(none.IsOpen());
  none.WriteText("S", "Name", "x");
  EXPECT_FALSE(none.ReadText("S", "Name").has_value());
}

}  // namespace
}  // namespace hx
