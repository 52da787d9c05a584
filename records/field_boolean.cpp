#include "records/field_boolean.h"

#include <algorithm>

#include "base/settings_store.h"
#include "base/string_table.h"
#include "base/text.h"
#include "objects/object_stream.h"
#include "records/lookup.h"

namespace hx {
namespace {

// The first n characters (code points) of text.
std::string_view HeadChars(std::string_view text, size_t n) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == n) {
      return text.substr(0, i);
    }
  }
  return text;
}

size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

bool Begins(std::string_view whole, std::string_view entered) {
  return SameText(HeadChars(whole, CharCount(entered)), entered);
}

int32_t StateOf(int32_t v) {
  return v < 0 ? -1 : v != 0;
}

}  // namespace

HX_PROPERTIES(TCustomBooleanField, TZqField,
              Property("ValueProperty", &TCustomBooleanField::ValueProperty,
                       &TCustomBooleanField::SetValueProperty),
              Property("DisplayValues", &TCustomBooleanField::DisplayValues),
              Property("GroupIndex", &TCustomBooleanField::GroupIndex))

TCustomBooleanField::TCustomBooleanField(FieldVariant variant) : variant_(variant) {}

int32_t TCustomBooleanField::State() const {
  return SourcedValue<bool>(variant_, value_property_, PropKind::Boolean, data_, OnGetValue, false);
}

void TCustomBooleanField::SetState(int32_t state) {
  const bool v = state == 1;
  if (v == Value()) return;
  if (StoreSourced<bool>(variant_, value_property_, data_, OnSetValue, v)) ValueChanged();
}

void TCustomBooleanField::SetValueProperty(std::string_view name) {
  value_property_ = std::string(name);
  RefreshControls();
}

namespace {

// The short part of the caption of the look-up's item at index, when there is one.
bool LookUpCaption(TCustomLookUp* lookup, int index, std::string& caption) {
  const TCustomLookUpItem* item = lookup ? lookup->Items(index) : nullptr;
  if (!item) return false;
  caption = ShortPart(item->Caption());
  return true;
}

}  // namespace

std::string TCustomBooleanField::TrueText() const {
  if (!DisplayValues.empty()) return DisplayValues.substr(0, DisplayValues.find(';'));
  std::string caption;
  if (LookUpCaption(LookUp(), 1, caption)) return caption;
  return std::string(LoadStr(10300));
}

std::string TCustomBooleanField::FalseText() const {
  if (!DisplayValues.empty()) {
    const size_t semicolon = DisplayValues.find(';');
    return semicolon == std::string::npos ? std::string() : DisplayValues.substr(semicolon + 1);
  }
  std::string caption;
  if (LookUpCaption(LookUp(), 0, caption)) return caption;
  return std::string(LoadStr(10301));
}

bool TCustomBooleanField::ParseText(std::string_view text, int32_t& state) const {
  const std::string t = Trim(text);
  if (t.empty()) {
    state = Kind() == fkBooleanExt ? -1 : 0;
    return true;
  }
  if (Begins(FalseText(), t)) {
    state = 0;
  } else if (Begins(TrueText(), t)) {
    state = 1;
  } else {
    return false;
  }
  return true;
}

std::string TCustomBooleanField::ValueText() const {
  const int32_t s = State();
  return s < 0 ? std::string() : s ? TrueText() : FalseText();
}

void TCustomBooleanField::SetValueText(std::string_view text) {
  int32_t state;
  if (ParseText(text, state)) SetState(state);
}

int TCustomBooleanField::CheckText(std::string_view text, bool show_error) {
  int kind;
  if (!RunCheckHandler(text, show_error, kind)) return kind;
  int32_t state;
  if (ParseText(text, state)) return ckOk;
  CheckResult().Clear();
  return Reject(ckWrongValue, text, show_error);
}

void TCustomBooleanField::ApplyStoredValue(const PropValue& value) {
  if (std::holds_alternative<std::string>(value)) {
    SetText(std::get<std::string>(value));
  } else if (const int64_t* i = std::get_if<int64_t>(&value)) {
    SetState(StateOf(static_cast<int32_t>(std::clamp<int64_t>(*i, -1, 1))));
  } else if (const bool* b = std::get_if<bool>(&value)) {
    SetState(*b);
  } else {
    SetState(std::get<double>(value) != 0);
  }
}

void TCustomBooleanField::WriteValue(TObjectStream& s) const {
  s.WriteByte(fkBoolean);
  s.WriteBool(Value());
}

void TCustomBooleanField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  store.WriteBool(key, "V", Value());
}

void TCustomBooleanField::ReadSetting(ISettingsStore& store, const std::string& key) {
  SetValue(store.ReadBool(key, "V", Value()));
}

// ---- TCustomBooleanExtField

int32_t TCustomBooleanExtField::State() const {
  return StateOf(SourcedValue<int32_t>(Variant(), ValueProperty(), PropKind::ShortInt, state_data_,
                                       OnGetState, -1));
}

void TCustomBooleanExtField::SetState(int32_t state) {
  state = StateOf(state);
  if (state == State()) return;
  if (StoreSourced<int32_t>(Variant(), ValueProperty(), state_data_, OnSetState, state)) {
    ValueChanged();
  }
}

void TCustomBooleanExtField::WriteValue(TObjectStream& s) const {
  s.WriteByte(fkBooleanExt);
  s.WriteByte(static_cast<uint8_t>(static_cast<int8_t>(State())));
}

void TCustomBooleanExtField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  TZqField::WriteSetting(store, key);
}

void TCustomBooleanExtField::ReadSetting(ISettingsStore& store, const std::string& key) {
  TZqField::ReadSetting(store, key);
}

}  // namespace hx
