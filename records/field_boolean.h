// Boolean fields (kind 6) and three-state boolean fields (kind 12: -1 not given, 0, 1). Their
// texts are DisplayValues ("true text;false text"), else the captions of the look-up's items
// 1 and 0, else "Истина" and "Ложь".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "records/field.h"

namespace hx {

class TCustomBooleanField : public TZqField {
  HX_PUBLISHED()

 public:
  using GetValueEvent = std::function<void(TZqField& field, bool& value)>;
  using SetValueEvent = std::function<void(TZqField& field, const bool& value)>;

  explicit TCustomBooleanField(FieldVariant variant = FieldVariant::Data);

  int Kind() const override { return fkBoolean; }
  bool IsNull() const override { return State() < 0; }

  bool Value() const { return State() == 1; }
  void SetValue(bool value) { SetState(value ? 1 : 0); }
  // -1 (not given, three-state fields only), 0 or 1.
  virtual int32_t State() const;
  // Stores the state when it differs, then OnChange and the controls.
  virtual void SetState(int32_t state);

  int32_t GroupIndex = 0;
  // The value of a data field until it is set.
  bool DefaultValue() const { return data_; }
  void SetDefaultValue(bool value) { data_ = value; }
  std::string DisplayValues;

  std::string TrueText() const;
  std::string FalseText() const;
  // Reads an entered text: blank is false (not given for three-state fields); otherwise the
  // text, ignoring case, must begin the false text or else the true text. False when neither.
  bool ParseText(std::string_view text, int32_t& state) const;

  const std::string& ValueProperty() const { return value_property_; }
  void SetValueProperty(std::string_view name);
  GetValueEvent OnGetValue;
  SetValueEvent OnSetValue;

  bool AsBoolean() const override { return Value(); }
  void SetAsBoolean(bool value) override { SetValue(value); }
  int32_t AsInteger() const override { return State(); }
  void SetAsInteger(int32_t value) override { SetState(value < 0 ? -1 : value != 0); }

  // OnCheckText first; a text that is neither truth text fails as kind 5 (20037).
  int CheckText(std::string_view text, bool show_error) override;

  void WriteValue(TObjectStream& s) const override;
  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 protected:
  std::string ValueText() const override;
  // A text that is neither truth text changes nothing.
  void SetValueText(std::string_view text) override;
  void ApplyStoredValue(const PropValue& value) override;
  FieldVariant Variant() const { return variant_; }

 private:
  FieldVariant variant_;
  std::string value_property_;
  bool data_ = false;
};

class TPropertyBooleanField : public TCustomBooleanField {
 public:
  TPropertyBooleanField() : TCustomBooleanField(FieldVariant::Property) {}
};
class TDataBooleanField : public TCustomBooleanField {
 public:
  TDataBooleanField() : TCustomBooleanField(FieldVariant::Data) {}
};
class TEventBooleanField : public TCustomBooleanField {
 public:
  TEventBooleanField() : TCustomBooleanField(FieldVariant::Event) {}
};

// A three-state boolean: -1 not given (the empty text), 0 false, 1 true. Its property is a
// short int.
class TCustomBooleanExtField : public TCustomBooleanField {
 public:
  using GetStateEvent = std::function<void(TZqField& field, int32_t& value)>;
  using SetStateEvent = std::function<void(TZqField& field, const int32_t& value)>;

  explicit TCustomBooleanExtField(FieldVariant variant = FieldVariant::Data)
      : TCustomBooleanField(variant) {}

  int Kind() const override { return fkBooleanExt; }
  int32_t State() const override;
  void SetState(int32_t state) override;

  // The value of a data field until it is set.
  int32_t DefaultState() const { return state_data_; }
  void SetDefaultState(int32_t state) { state_data_ = state < 0 ? -1 : state != 0; }

  GetStateEvent OnGetState;
  SetStateEvent OnSetState;

  void WriteValue(TObjectStream& s) const override;
  // Settings keep the text.
  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 private:
  int32_t state_data_ = -1;
};

}  // namespace hx
