// A settings store over a registry key, read and written like an ini file: a section is a
// subkey path below the key, a name is a value name. Texts are REG_SZ, integers and flags
// REG_DWORD (REG_QWORD beyond 32 bits), reals an 8-byte REG_BINARY; an integer read from a
// text takes the "0x" prefix as hexadecimal.
#pragma once

#include <windows.h>

#include <string>

#include "base/settings_store.h"

namespace hx {

class TRegistrySettings : public ISettingsStore {
 public:
  enum class Mode {
    // Opened, created if missing; when it cannot be created (HKEY_LOCAL_MACHINE without the
    // rights), opened for reading only.
    CreateOrRead,
    ReadOnly,
  };

  // Without a key to open, the store reads nothing and ignores writes.
  TRegistrySettings(HKEY root, const std::string& key, Mode mode = Mode::CreateOrRead);
  ~TRegistrySettings() override;
  TRegistrySettings(const TRegistrySettings&) = delete;
  TRegistrySettings& operator=(const TRegistrySettings&) = delete;

  bool IsOpen() const { return key_ != nullptr; }
  bool Writable() const { return writable_; }

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

 private:
  struct TValue {
    DWORD type = REG_NONE;
    std::string bytes;
  };
  static std::optional<std::string> TextOf(const TValue& value);
  bool Query(std::string_view section, std::string_view name, TValue& value);
  void Set(std::string_view section, std::string_view name, DWORD type, const void* data,
           DWORD size);

  HKEY key_ = nullptr;
  bool writable_ = false;
};

}  // namespace hx
