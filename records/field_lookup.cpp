#include "records/field_lookup.h"

#include "base/settings_store.h"
#include "objects/object_stream.h"
#include "records/lookup.h"
#include "records/number_reader.h"

namespace hx {

HX_PROPERTIES(TCustomLookUpField, TZqField,
              Property("ValueProperty", &TCustomLookUpField::ValueProperty,
                       &TCustomLookUpField::SetValueProperty),
              Property("ValueMode", &TCustomLookUpField::ValueMode),
              Property("AcceptNotLookUpValues", &TCustomLookUpField::AcceptNotLookUpValues))

TCustomLookUpField::TCustomLookUpField(FieldVariant variant) : variant_(variant) {}

int32_t TCustomLookUpField::Value() const {
  return SourcedValue<int32_t>(variant_, value_property_, PropKind::Int32, data_, OnGetValue,
                               NoInt);
}

void TCustomLookUpField::SetValue(int32_t value) {
  if (value == Value()) return;
  if (StoreSourced<int32_t>(variant_, value_property_, data_, OnSetValue, value)) ValueChanged();
}

void TCustomLookUpField::SetValueProperty(std::string_view name) {
  value_property_ = std::string(name);
  RefreshControls();
}

double TCustomLookUpField::AsFloat() const {
  const int32_t v = Value();
  return v == NoInt ? NoFloat : static_cast<double>(v);
}

void TCustomLookUpField::SetAsFloat(double value) {
  SetValue(FloatToInt32Value(value));
}

std::string TCustomLookUpField::ValueText() const {
  return LookUpValueToText(LookUp(), Value(), Mode());
}

void TCustomLookUpField::SetValueText(std::string_view text) {
  SetValue(LookUpTextToValue(LookUp(), text, Mode()));
}

int TCustomLookUpField::CheckText(std::string_view text, bool show_error) {
  int kind;
  if (!RunCheckHandler(text, show_error, kind)) return kind;
  return LookUpCheckText(LookUp(), text, Mode(), show_error);
}

TCustomLookUpItem* TCustomLookUpField::LookUpItem() const {
  return LookUpItemOfValue(LookUp(), Value(), Mode());
}

void TCustomLookUpField::ApplyStoredValue(const PropValue& value) {
  if (std::holds_alternative<std::string>(value)) {
    SetText(std::get<std::string>(value));
    return;
  }
  PropValue v;
  if (ConvertPropValue(value, PropKind::Int32, v)) {
    SetValue(static_cast<int32_t>(std::get<int64_t>(v)));
  }
}

void TCustomLookUpField::WriteValue(TObjectStream& s) const {
  s.WriteByte(fkLookUp);
  s.WriteInt32(Value());
}

void TCustomLookUpField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  store.WriteInt(key, "V", Value());
}

void TCustomLookUpField::ReadSetting(ISettingsStore& store, const std::string& key) {
  const int64_t v = store.ReadInt(key, "V", Value());
  SetValue(v < INT32_MIN || v > INT32_MAX ? NoInt : static_cast<int32_t>(v));
}

}  // namespace hx
