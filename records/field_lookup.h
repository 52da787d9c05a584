// Look-up fields (kind 11): an integer chosen from a look-up list, shown and entered as the
// text of the item it names (by LookUpReturnStr), with the conversions of the look-up field
// functions (records/lookup_field.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "records/field.h"
#include "records/lookup_field.h"

namespace hx {

class TCustomLookUpField : public TZqField {
  HX_PUBLISHED()

 public:
  using GetValueEvent = std::function<void(TZqField& field, int32_t& value)>;
  using SetValueEvent = std::function<void(TZqField& field, const int32_t& value)>;

  explicit TCustomLookUpField(FieldVariant variant = FieldVariant::Data);

  int Kind() const override { return fkLookUp; }
  bool IsNull() const override { return Value() == NoInt; }

  int32_t Value() const;
  void SetValue(int32_t value);

  TValueMode ValueMode = vmItemId;
  bool AcceptNotLookUpValues = false;
  LookUpFieldMode Mode() const { return {ValueMode, LookUpReturnStr, AcceptNotLookUpValues}; }

  const std::string& ValueProperty() const { return value_property_; }
  void SetValueProperty(std::string_view name);
  GetValueEvent OnGetValue;
  SetValueEvent OnSetValue;

  double AsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t AsInteger() const override { return Value(); }
  void SetAsInteger(int32_t value) override { SetValue(value); }

  // OnCheckText first; then a non-blank text must name an item (or, with
  // AcceptNotLookUpValues, be an integer): kind 10 otherwise.
  int CheckText(std::string_view text, bool show_error) override;
  // The item the value names.
  TCustomLookUpItem* LookUpItem() const override;

  void WriteValue(TObjectStream& s) const override;
  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 protected:
  std::string ValueText() const override;
  void SetValueText(std::string_view text) override;
  void ApplyStoredValue(const PropValue& value) override;

 private:
  FieldVariant variant_;
  std::string value_property_;
  int32_t data_ = NoInt;
};

class TPropertyLookUpField : public TCustomLookUpField {
 public:
  TPropertyLookUpField() : TCustomLookUpField(FieldVariant::Property) {}
};
class TDataLookUpField : public TCustomLookUpField {
 public:
  TDataLookUpField() : TCustomLookUpField(FieldVariant::Data) {}
};
class TEventLookUpField : public TCustomLookUpField {
 public:
  TEventLookUpField() : TCustomLookUpField(FieldVariant::Event) {}
};

}  // namespace hx
