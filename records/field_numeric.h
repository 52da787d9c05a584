// Numeric fields: reals (kind 7), calculated reals (kind 10), int32 (3), 16-bit unsigned (4)
// and byte (5) values, with ranges, increments and, when FormulaEnabled, a formula text whose
// value the number reader gives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "records/field.h"

namespace hx {

// Formula support of the numeric fields: the formula text comes from FormulaProperty (property
// variant), is kept in the field (data variant) or is given by OnGetFormula/OnSetFormula.
class TZqFormulaField : public TZqField {
  HX_PUBLISHED()

 public:
  using GetFormulaEvent = std::function<void(TZqField& field, std::string& formula)>;
  using SetFormulaEvent = std::function<void(TZqField& field, const std::string& formula)>;

  bool FormulaEnabled() const { return formula_enabled_; }
  void SetFormulaEnabled(bool enabled);
  const std::string& FormulaProperty() const { return formula_property_; }
  void SetFormulaProperty(std::string_view name);

  std::string Formula() const;
  // Sets the formula text and the value it gives (as setting the text does with formulas on).
  void SetFormula(std::string_view formula);

  GetFormulaEvent OnGetFormula;
  SetFormulaEvent OnSetFormula;

  FieldVariant Variant() const { return variant_; }

 protected:
  explicit TZqFormulaField(FieldVariant variant) : variant_(variant) {}
  // Stores the formula without notifying; true when it changed.
  bool StoreFormula(const std::string& formula);

 private:
  FieldVariant variant_;
  bool formula_enabled_ = false;
  std::string formula_property_;
  std::string formula_data_;
};

// The base of the real and integer fields: right-aligned, inserting chosen texts, with a
// range [MinValue, MaxValue] (no range when MinValue > MaxValue) and an increment.
class TZqNumericField : public TZqFormulaField {
  HX_PUBLISHED()

 public:
  double Increment = 0;
  double MinValue;
  double MaxValue;

  // The value as a real; NoFloat when empty.
  virtual double NumValue() const = 0;
  // Stores v converted to the field's kind, when it differs from the current value; with
  // formulas on the formula becomes the new value's text. Then OnChange and the controls.
  void SetNumValue(double v);
  // The factor between the stored and the shown value.
  virtual double Scale() const { return 1; }
  // Evaluates the formula (formulas on) and stores its value.
  virtual void ApplyFormula();

  bool IsNull() const override { return NumValue() == NoFloat; }
  double AsFloat() const override { return NumValue(); }
  void SetAsFloat(double value) override { SetNumValue(value); }
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;

  // OnCheckText first; then the text must read as a number (expressions allowed) in the range.
  // The check result speaks in shown units.
  int CheckText(std::string_view text, bool show_error) override;

  // A formula field stores its formula as a text record.
  void WriteValue(TObjectStream& s) const override;

 protected:
  TZqNumericField(FieldVariant variant, double min_value, double max_value);
  // With formulas on the formula; else the formatted value (empty for no value).
  std::string ValueText() const override;
  // With formulas on: the text becomes the formula and its value the value. Otherwise the text
  // is read (silently): a number is stored divided by Scale(), a blank text stores no value,
  // any other text changes nothing.
  void SetValueText(std::string_view text) override;
  void ApplyStoredValue(const PropValue& value) override;
  void CheckBounds(double& min_value, double& max_value) const override;

  // The text of v (never NoFloat), unpadded.
  virtual std::string FormatValue(double v) const = 0;
  // Stores v (NoFloat for no value) converted to the kind without notifying; true when the
  // value changed.
  virtual bool StoreNumValue(double v) = 0;
  // The value record of the kind.
  virtual void WriteNumValue(TObjectStream& s) const = 0;
  // After a store: with a change, the formula follows the value, then OnChange and refresh.
  void AfterStore(bool changed);
  // The value of a text read silently, divided by Scale(); NoFloat when blank or unreadable.
  double ReadScaled(std::string_view text, bool* ok = nullptr) const;
};

class TCustomFloatField : public TZqNumericField {
  HX_PUBLISHED()

 public:
  using GetValueEvent = std::function<void(TZqField& field, double& value)>;
  using SetValueEvent = std::function<void(TZqField& field, const double& value)>;

  explicit TCustomFloatField(FieldVariant variant = FieldVariant::Data);

  int Kind() const override { return fkFloat; }
  double Value() const { return NumValue(); }
  void SetValue(double value) { SetNumValue(value); }
  double NumValue() const override;

  // Decimals; negative for the shortest form.
  int32_t NumFp = 0;
  // Shown value = stored value x scale. A scale of 0 (or one that is not finite) is refused
  // and the old one kept; the setter then answers false.
  double DisplayScale() const { return display_scale_; }
  bool SetDisplayScale(double scale);
  double Scale() const override { return display_scale_; }

  const std::string& ValueProperty() const { return value_property_; }
  void SetValueProperty(std::string_view name);
  GetValueEvent OnGetValue;
  SetValueEvent OnSetValue;

  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 protected:
  std::string FormatValue(double v) const override;
  bool StoreNumValue(double v) override;
  void WriteNumValue(TObjectStream& s) const override;

 private:
  double display_scale_ = 1;
  std::string value_property_;
  double data_ = NoFloat;
};

class TPropertyFloatField : public TCustomFloatField {
 public:
  TPropertyFloatField() : TCustomFloatField(FieldVariant::Property) {}
};
class TDataFloatField : public TCustomFloatField {
 public:
  TDataFloatField() : TCustomFloatField(FieldVariant::Data) {}
};
class TEventFloatField : public TCustomFloatField {
 public:
  TEventFloatField() : TCustomFloatField(FieldVariant::Event) {}
};

// A real computed by OnCalculate; its value cannot be set, and it is never switched to
// read-only or back.
class TCalculatedField : public TCustomFloatField {
 public:
  using CalculateEvent = std::function<void(TZqField& field, double& value)>;

  TCalculatedField();
  int Kind() const override { return fkCalculated; }
  double NumValue() const override;
  void SetReadOnly(bool read_only) override {}
  void ApplyFormula() override {}

  CalculateEvent OnCalculate;

  // Stored as a real record; its settings are its text, which reading cannot set.
  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 protected:
  void SetValueText(std::string_view text) override {}
  bool StoreNumValue(double v) override { return false; }
};

// The base of the int32, word and byte fields; values are held as int32 with the kind's empty
// value (NoInt, 65535, 255).
class TZqIntegerField0 : public TZqNumericField {
  HX_PUBLISHED()

 public:
  using GetValueEvent = std::function<void(TZqField& field, int32_t& value)>;
  using SetValueEvent = std::function<void(TZqField& field, const int32_t& value)>;

  int Kind() const override { return kind_; }
  int32_t EmptyValue() const { return empty_; }
  int32_t Value() const;
  // Stores value clamped to the kind's range (the empty value stays empty).
  void SetValue(int32_t value);
  double NumValue() const override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;

  TValueMode ValueMode = vmDefault;
  // With vmItemIndex or vmItemId the item at or with the value; else by the text.
  TCustomLookUpItem* LookUpItem() const override;

  const std::string& ValueProperty() const { return value_property_; }
  void SetValueProperty(std::string_view name);
  GetValueEvent OnGetValue;
  SetValueEvent OnSetValue;

  void WriteSetting(ISettingsStore& store, const std::string& key) const override;
  void ReadSetting(ISettingsStore& store, const std::string& key) override;

 protected:
  TZqIntegerField0(FieldVariant variant, int kind);
  std::string FormatValue(double v) const override;
  bool StoreNumValue(double v) override;
  void WriteNumValue(TObjectStream& s) const override;
  // An integer clamped to the kind (the empty value kept).
  int32_t Normalise(int64_t v) const;

 private:
  bool StoreInt(int32_t v);

  int kind_;
  PropKind prop_kind_;
  int32_t empty_;
  std::string value_property_;
  int32_t data_;
};

class TCustomIntegerField : public TZqIntegerField0 {
 public:
  explicit TCustomIntegerField(FieldVariant variant = FieldVariant::Data)
      : TZqIntegerField0(variant, fkInteger) {}
};
class TPropertyIntegerField : public TCustomIntegerField {
 public:
  TPropertyIntegerField() : TCustomIntegerField(FieldVariant::Property) {}
};
class TDataIntegerField : public TCustomIntegerField {
 public:
  TDataIntegerField() : TCustomIntegerField(FieldVariant::Data) {}
};
class TEventIntegerField : public TCustomIntegerField {
 public:
  TEventIntegerField() : TCustomIntegerField(FieldVariant::Event) {}
};

class TCustomWordField : public TZqIntegerField0 {
 public:
  explicit TCustomWordField(FieldVariant variant = FieldVariant::Data)
      : TZqIntegerField0(variant, fkWord) {}
};
class TPropertyWordField : public TCustomWordField {
 public:
  TPropertyWordField() : TCustomWordField(FieldVariant::Property) {}
};

class TCustomByteField : public TZqIntegerField0 {
 public:
  explicit TCustomByteField(FieldVariant variant = FieldVariant::Data)
      : TZqIntegerField0(variant, fkByte) {}
};
class TPropertyByteField : public TCustomByteField {
 public:
  TPropertyByteField() : TCustomByteField(FieldVariant::Property) {}
};
class TDataByteField : public TCustomByteField {
 public:
  TDataByteField() : TCustomByteField(FieldVariant::Data) {}
};

}  // namespace hx
