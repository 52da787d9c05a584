#include "base/settings_store.h"

#include <charconv>

#include "base/text.h"

namespace hx {
namespace {

std::string Path(std::string_view section, std::string_view name) {
  std::string p = UpperCase(section);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p + "\\" + UpperCase(name);
}

// An empty store that ignores writes: the fourth settings object.
class TEmptySettings : public TMemorySettings {
 public:
  void WriteText(std::string_view, std::string_view, std::string_view) override {}
  void WriteInt(std::string_view, std::string_view, int64_t) override {}
  void WriteFloat(std::string_view, std::string_view, double) override {}
  void WriteBool(std::string_view, std::string_view, bool) override {}
};

std::unique_ptr<ISettingsStore>& Slot(int selector) {
  static std::unique_ptr<ISettingsStore> slots[4] = {
      std::make_unique<TMemorySettings>(), std::make_unique<TMemorySettings>(),
      std::make_unique<TMemorySettings>(), std::make_unique<TEmptySettings>()};
  return slots[selector >= 0 && selector <= 3 ? selector : 3];
}

}  // namespace

std::optional<int64_t> ParseSettingInt(std::string_view text) {
  const std::string t = Trim(text);
  std::string_view v = t;
  bool negative = false;
  if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
    negative = v[0] == '-';
    v.remove_prefix(1);
  }
  int base = 10;
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    base = 16;
    v.remove_prefix(2);
  }
  if (v.empty()) return std::nullopt;
  uint64_t value = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value, base);
  if (ec != std::errc() || end != v.data() + v.size()) return std::nullopt;
  // Hexadecimal texts carry 32-bit patterns ("0xFFFFFFFF" is -1 as an integer setting).
  if (base == 16 && value <= 0xFFFFFFFFull) {
    value = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(value)));
    return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
  }
  if (value > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
  return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

const TMemorySettings::Value* TMemorySettings::Find(std::string_view section,
                                                    std::string_view name) const {
  const auto it = values_.find(Path(section, name));
  return it == values_.end() ? nullptr : &it->second;
}

std::optional<std::string> TMemorySettings::ReadText(std::string_view section,
                                                     std::string_view name) {
  const Value* v = Find(section, name);
  if (!v) return std::nullopt;
  if (auto* s = std::get_if<std::string>(v)) return *s;
  return std::nullopt;
}

std::optional<int64_t> TMemorySettings::ReadInt(std::string_view section, std::string_view name) {
  const Value* v = Find(section, name);
  if (!v) return std::nullopt;
  if (auto* i = std::get_if<int64_t>(v)) return *i;
  if (auto* b = std::get_if<bool>(v)) return *b ? 1 : 0;
  if (auto* s = std::get_if<std::string>(v)) return ParseSettingInt(*s);
  return std::nullopt;
}

std::optional<double> TMemorySettings::ReadFloat(std::string_view section, std::string_view name) {
  const Value* v = Find(section, name);
  if (!v) return std::nullopt;
  if (auto* d = std::get_if<double>(v)) return *d;
  return std::nullopt;
}

std::optional<bool> TMemorySettings::ReadBool(std::string_view section, std::string_view name) {
  const Value* v = Find(section, name);
  if (!v) return std::nullopt;
  if (auto* b = std::get_if<bool>(v)) return *b;
  if (auto i = ReadInt(section, name)) return *i != 0;
  return std::nullopt;
}

void TMemorySettings::WriteText(std::string_view section, std::string_view name,
                                std::string_view value) {
  values_[Path(section, name)] = std::string(value);
}
void TMemorySettings::WriteInt(std::string_view section, std::string_view name, int64_t value) {
  values_[Path(section, name)] = value;
}
void TMemorySettings::WriteFloat(std::string_view section, std::string_view name, double value) {
  values_[Path(section, name)] = value;
}
void TMemorySettings::WriteBool(std::string_view section, std::string_view name, bool value) {
  values_[Path(section, name)] = value;
}
void TMemorySettings::DeleteValue(std::string_view section, std::string_view name) {
  values_.erase(Path(section, name));
}
void TMemorySettings::DeleteSection(std::string_view section) {
  std::string prefix = UpperCase(section);
  while (!prefix.empty() && prefix.back() == '\\') prefix.pop_back();
  prefix += "\\";
  for (auto it = values_.lower_bound(prefix); it != values_.end() && it->first.rfind(prefix, 0) == 0;) {
    it = values_.erase(it);
  }
}

ISettingsStore& Settings(int selector) { return *Slot(selector); }

void InstallSettings(int selector, std::unique_ptr<ISettingsStore> store) {
  if (selector < 0 || selector > 3 || !store) return;
  Slot(selector) = std::move(store);
}

}  // namespace hx
