// Settings stores: a registry key read and written like an ini file (section = subkey path
// below the key, name = value name). The platform provides the registry implementation; the
// memory store serves tests and the native build.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace hx {

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  // Each read gives nothing when the value is missing or has an unusable type.
  virtual std::optional<std::string> ReadText(std::string_view section, std::string_view name) = 0;
  // An integer value, or a text value holding a decimal number or a hexadecimal one that
  // begins with "0x" or "0X".
  virtual std::optional<int64_t> ReadInt(std::string_view section, std::string_view name) = 0;
  virtual std::optional<double> ReadFloat(std::string_view section, std::string_view name) = 0;
  virtual std::optional<bool> ReadBool(std::string_view section, std::string_view name) = 0;

  virtual void WriteText(std::string_view section, std::string_view name, std::string_view value) = 0;
  virtual void WriteInt(std::string_view section, std::string_view name, int64_t value) = 0;
  virtual void WriteFloat(std::string_view section, std::string_view name, double value) = 0;
  virtual void WriteBool(std::string_view section, std::string_view name, bool value) = 0;

  virtual void DeleteValue(std::string_view section, std::string_view name) = 0;
  // Deletes the section with its subsections.
  virtual void DeleteSection(std::string_view section) = 0;

  std::string ReadText(std::string_view section, std::string_view name, std::string_view def) {
    return ReadText(section, name).value_or(std::string(def));
  }
  int64_t ReadInt(std::string_view section, std::string_view name, int64_t def) {
    return ReadInt(section, name).value_or(def);
  }
  double ReadFloat(std::string_view section, std::string_view name, double def) {
    return ReadFloat(section, name).value_or(def);
  }
  bool ReadBool(std::string_view section, std::string_view name, bool def) {
    return ReadBool(section, name).value_or(def);
  }
};

// Reads an integer from settings text: decimal, or hexadecimal after "0x" / "0X".
std::optional<int64_t> ParseSettingInt(std::string_view text);

// Values kept in memory; sections and names compare ignoring case, like registry keys.
class TMemorySettings : public ISettingsStore {
 public:
  using Value = std::variant<std::string, int64_t, double, bool>;

  std::optional<std::string> ReadText(std::string_view section, std::string_view name) override;
  std::optional<int64_t> ReadInt(std::string_view section, std::string_view name) override;
  std::optional<double> ReadFloat(std::string_view section, std::string_view name) override;
  std::optional<bool> ReadBool(std::string_view section, std::string_view name) override;
  void WriteText(std::string_view section, std::string_view name, std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view name, int64_t value) override;
  void WriteFloat(std::string_view section, std::string_view name, double value) override;
  void WriteBool(std::string_view section, std::string_view name, bool value) override;
  void DeleteValue(std::string_view section, std::string_view name) override;
  void DeleteSection(std::string_view section) override;

  using ISettingsStore::ReadBool;
  using ISettingsStore::ReadFloat;
  using ISettingsStore::ReadInt;
  using ISettingsStore::ReadText;

  // Every value as "section\name" (upper-cased) -> value, for tests to inspect.
  const std::map<std::string, Value>& Values() const { return values_; }

 private:
  const Value* Find(std::string_view section, std::string_view name) const;
  std::map<std::string, Value> values_;
};

// The settings objects selected by number: 0 machine settings, 1 common user settings,
// 2 user settings, 3 an object that stays empty. The programs install registry stores at
// start-up; until then (and in native tests) each is a memory store.
enum SettingsSelector { ssMachine = 0, ssCommonUser = 1, ssUser = 2, ssEmpty = 3 };
ISettingsStore& Settings(int selector);
void InstallSettings(int selector, std::unique_ptr<ISettingsStore> store);

// The registry keys of the settings objects, below HKEY_LOCAL_MACHINE (0) or
// HKEY_CURRENT_USER (1, 2).
inline constexpr const char* kUserSettingsKey = "Software\\Varnel\\HX16_32_1_0_TARVOS";
inline constexpr const char* kCommonUserSettingsKey = "Software\\Varnel\\HX16_32_1_0";
inline constexpr const char* kMachineSettingsKey = "Software\\Varnel\\HX16_32_1_0_TARVOS";

}  // namespace hx
