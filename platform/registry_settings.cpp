#include "platform/registry_settings.h"

#include <cstring>

#include "base/utf8.h"

namespace hx {
namespace {

std::wstring SectionPath(std::string_view section) {
  while (!section.empty() && section.front() == '\\') section.remove_prefix(1);
  while (!section.empty() && section.back() == '\\') section.remove_suffix(1);
  return Widen(section);
}

// A subkey of the store's key, closed with the scope (the key itself is not closed).
class TSubKey {
 public:
  TSubKey(HKEY key, std::string_view section, REGSAM access, bool create) : parent_(key) {
    const std::wstring path = SectionPath(section);
    if (!key || path.empty()) {
      key_ = key;
      return;
    }
    const LONG rc =
        create ? RegCreateKeyExW(key, path.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr)
               : RegOpenKeyExW(key, path.c_str(), 0, access, &key_);
    if (rc != ERROR_SUCCESS) key_ = nullptr;
  }
  ~TSubKey() {
    if (key_ && key_ != parent_) RegCloseKey(key_);
  }
  TSubKey(const TSubKey&) = delete;
  TSubKey& operator=(const TSubKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY parent_;
  HKEY key_ = nullptr;
};

}  // namespace

TRegistrySettings::TRegistrySettings(HKEY root, const std::string& key, Mode mode) {
  const std::wstring path = Widen(key);
  if (mode == Mode::CreateOrRead &&
      RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                      nullptr) == ERROR_SUCCESS) {
    writable_ = true;
    return;
  }
  key_ = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

TRegistrySettings::~TRegistrySettings() {
  if (key_) RegCloseKey(key_);
}

bool TRegistrySettings::Query(std::string_view section, std::string_view name, TValue& value) {
  TSubKey sub(key_, section, KEY_QUERY_VALUE, false);
  if (!sub.get()) return false;
  const std::wstring value_name = Widen(name);
  DWORD size = 0;
  if (RegQueryValueExW(sub.get(), value_name.c_str(), nullptr, &value.type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  value.bytes.assign(size, '\0');
  if (RegQueryValueExW(sub.get(), value_name.c_str(), nullptr, &value.type,
                       reinterpret_cast<BYTE*>(value.bytes.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  value.bytes.resize(size);
  return true;
}

void TRegistrySettings::Set(std::string_view section, std::string_view name, DWORD type,
                            const void* data, DWORD size) {
  if (!writable_) return;
  TSubKey sub(key_, section, KEY_SET_VALUE, true);
  if (!sub.get()) return;
  RegSetValueExW(sub.get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

std::optional<std::string> TRegistrySettings::TextOf(const TValue& v) {
  if (v.type != REG_SZ && v.type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring text(v.bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), v.bytes.data(), text.size() * sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return Narrow(text);
}

std::optional<std::string> TRegistrySettings::ReadText(std::string_view section,
                                                       std::string_view name) {
  TValue v;
  if (!Query(section, name, v)) return std::nullopt;
  return TextOf(v);
}

std::optional<int64_t> TRegistrySettings::ReadInt(std::string_view section, std::string_view name) {
  TValue v;
  if (!Query(section, name, v)) return std::nullopt;
  if (v.type == REG_DWORD && v.bytes.size() == 4) {
    int32_t i;
    std::memcpy(&i, v.bytes.data(), 4);
    return i;
  }
  if (v.type == REG_QWORD && v.bytes.size() == 8) {
    int64_t i;
    std::memcpy(&i, v.bytes.data(), 8);
    return i;
  }
  const auto text = TextOf(v);
  return text ? ParseSettingInt(*text) : std::nullopt;
}

std::optional<double> TRegistrySettings::ReadFloat(std::string_view section,
                                                   std::string_view name) {
  TValue v;
  if (!Query(section, name, v) || v.type != REG_BINARY || v.bytes.size() != 8) return std::nullopt;
  double d;
  std::memcpy(&d, v.bytes.data(), 8);
  return d;
}

std::optional<bool> TRegistrySettings::ReadBool(std::string_view section, std::string_view name) {
  const auto i = ReadInt(section, name);
  if (!i) return std::nullopt;
  return *i != 0;
}

void TRegistrySettings::WriteText(std::string_view section, std::string_view name,
                                  std::string_view value) {
  const std::wstring text = Widen(value);
  Set(section, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void TRegistrySettings::WriteInt(std::string_view section, std::string_view name, int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) {
    const auto i = static_cast<int32_t>(value);
    Set(section, name, REG_DWORD, &i, 4);
  } else {
    Set(section, name, REG_QWORD, &value, 8);
  }
}

void TRegistrySettings::WriteFloat(std::string_view section, std::string_view name, double value) {
  Set(section, name, REG_BINARY, &value, 8);
}

void TRegistrySettings::WriteBool(std::string_view section, std::string_view name, bool value) {
  WriteInt(section, name, value ? 1 : 0);
}

void TRegistrySettings::DeleteValue(std::string_view section, std::string_view name) {
  if (!writable_) return;
  TSubKey sub(key_, section, KEY_SET_VALUE, false);
  if (sub.get()) RegDeleteValueW(sub.get(), Widen(name).c_str());
}

void TRegistrySettings::DeleteSection(std::string_view section) {
  if (!writable_) return;
  const std::wstring path = SectionPath(section);
  if (path.empty()) {
    RegDeleteTreeW(key_, nullptr);
  } else {
    RegDeleteTreeW(key_, path.c_str());
  }
}

}  // namespace hx
