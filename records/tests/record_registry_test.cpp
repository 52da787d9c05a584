// Record settings written through the registry store land under the exact keys and value names
// of the real registry (Windows only).
#include <gtest/gtest.h>
#include <windows.h>

#include "base/utf8.h"
#include "platform/registry_settings.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/record.h"

namespace hx {
namespace {

constexpr const char* kTestKey = "Software\\Varnel\\HX16_32_1_0_TARVOS_RecordTest";

TEST(RecordRegistry, FieldsLandUnderTheirKeys) {
  TZqDBRecord record;
  record.Name = "R_Calc";
  TDataStringField name;
  TDataFloatField len;
  TDataIntegerField count;
  TDataBooleanField on;
  name.Name = "PF_Name";
  len.Name = "PF_Len";
  count.Name = "PF_Count";
  on.Name = "PF_On";
  for (TZqField* f : std::initializer_list<TZqField*>{&name, &len, &count, &on}) {
    record.AddField(*f);
  }
  name.SetValue("Жёлоб");
  len.SetValue(2.5);
  count.SetValue(-2);
  on.SetValue(true);
  {
    TRegistrySettings store(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(store.Writable());
    record.WriteSettings("CatCalcData\\TDM_Test", store);
  }

  const std::wstring base = Widen(std::string(kTestKey) + "\\CatCalcData\\TDM_Test\\R_Calc\\");
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (base + L"PF_Name").c_str(), L"F", RRF_RT_ANY, &type,
                         text, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Narrow(text), "Жёлоб");
  double real = 0;
  size = sizeof real;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (base + L"PF_Len").c_str(), L"V", RRF_RT_ANY, &type,
                         &real, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(real, 2.5);
  DWORD dword = 0;
  size = sizeof dword;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (base + L"PF_Count").c_str(), L"V", RRF_RT_ANY, &type,
                         &dword, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(static_cast<int32_t>(dword), -2);

  // And they read back into a fresh record.
  name.SetValue("");
  count.SetValue(0);
  on.SetValue(false);
  {
    TRegistrySettings store(HKEY_CURRENT_USER, kTestKey);
    record.ReadSettings("CatCalcData\\TDM_Test", store);
  }
  EXPECT_EQ(name.Value(), "Жёлоб");
  EXPECT_EQ(count.Value(), -2);
  EXPECT_TRUE(on.Value());
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kTestKey).c_str());
}

}  // namespace
}  // namespace hx
