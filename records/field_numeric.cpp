#include "records/field_numeric.h"

#include <algorithm>
#include <cmath>

#include "base/settings_store.h"
#include "base/text.h"
#include "objects/object_stream.h"
#include "records/lookup.h"
#include "records/messages.h"
#include "records/number_format.h"
#include "records/number_reader.h"

namespace hx {

// ---- TZqFormulaField

HX_PROPERTIES(TZqFormulaField, TZqField,
              Property("FormulaEnabled", &TZqFormulaField::FormulaEnabled,
                       &TZqFormulaField::SetFormulaEnabled),
              Property("FormulaProperty", &TZqFormulaField::FormulaProperty,
                       &TZqFormulaField::SetFormulaProperty))

void TZqFormulaField::SetFormulaEnabled(bool enabled) {
  if (formula_enabled_ == enabled) return;
  formula_enabled_ = enabled;
  UpdateControls();
  RefreshControls();
}

void TZqFormulaField::SetFormulaProperty(std::string_view name) {
  formula_property_ = std::string(name);
  RefreshControls();
}

std::string TZqFormulaField::Formula() const {
  return SourcedValue<std::string>(variant_, formula_property_, PropKind::Text, formula_data_,
                                   OnGetFormula, std::string());
}

bool TZqFormulaField::StoreFormula(const std::string& formula) {
  if (formula == Formula()) return false;
  return StoreSourced<std::string>(variant_, formula_property_, formula_data_, OnSetFormula,
                                   formula);
}

void TZqFormulaField::SetFormula(std::string_view formula) {
  const bool enabled = formula_enabled_;
  formula_enabled_ = true;
  SetText(formula);
  formula_enabled_ = enabled;
}

// ---- TZqNumericField

HX_PROPERTIES(TZqNumericField, TZqFormulaField, Property("Increment", &TZqNumericField::Increment),
              Property("MinValue", &TZqNumericField::MinValue),
              Property("MaxValue", &TZqNumericField::MaxValue))

TZqNumericField::TZqNumericField(FieldVariant variant, double min_value, double max_value)
    : TZqFormulaField(variant), MinValue(min_value), MaxValue(max_value) {
  Alignment = taRightJustify;
  SetTextMode = stmInsert;
}

void TZqNumericField::AfterStore(bool changed) {
  if (!changed) return;
  if (FormulaEnabled()) {
    const double v = NumValue();
    StoreFormula(v == NoFloat ? std::string() : Trim(FormatNumber(v * Scale(), 0, -1)));
  }
  ValueChanged();
}

void TZqNumericField::SetNumValue(double v) {
  AfterStore(StoreNumValue(v));
}

int32_t TZqNumericField::AsInteger() const {
  return FloatToInt32Value(NumValue());
}

void TZqNumericField::SetAsInteger(int32_t value) {
  SetNumValue(value == NoInt ? NoFloat : static_cast<double>(value));
}

double TZqNumericField::ReadScaled(std::string_view text, bool* ok) const {
  MessagesSilenced quiet;
  double v;
  const bool read = ReadNumber(text, v);
  if (ok) *ok = read;
  return read && v != NoFloat ? v / Scale() : NoFloat;
}

std::string TZqNumericField::ValueText() const {
  if (FormulaEnabled()) return Formula();
  const double v = NumValue();
  return v == NoFloat ? std::string() : FormatValue(v);
}

void TZqNumericField::SetValueText(std::string_view text) {
  if (FormulaEnabled()) {
    const std::string formula = Trim(text);
    const double v = ReadScaled(formula);
    const bool formula_changed = StoreFormula(formula);
    const bool value_changed = StoreNumValue(v);
    if (formula_changed || value_changed) ValueChanged();
    return;
  }
  bool ok;
  const double v = ReadScaled(text, &ok);
  if (ok) AfterStore(StoreNumValue(v));
}

void TZqNumericField::ApplyFormula() {
  if (!FormulaEnabled()) return;
  if (StoreNumValue(ReadScaled(Formula()))) ValueChanged();
}

void TZqNumericField::ApplyStoredValue(const PropValue& value) {
  if (std::holds_alternative<std::string>(value)) {
    SetText(std::get<std::string>(value));
    return;
  }
  PropValue real;
  if (ConvertPropValue(value, PropKind::Float, real)) SetNumValue(std::get<double>(real));
}

void TZqNumericField::CheckBounds(double& min_value, double& max_value) const {
  if (MinValue > MaxValue) {
    min_value = MinValue;
    max_value = MaxValue;
    return;
  }
  const double a = MinValue * Scale();
  const double b = MaxValue * Scale();
  min_value = std::min(a, b);
  max_value = std::max(a, b);
}

int TZqNumericField::CheckText(std::string_view text, bool show_error) {
  int kind;
  if (!RunCheckHandler(text, show_error, kind)) return kind;
  bool ok;
  {
    MessagesSilenced quiet;
    double v;
    ok = ReadNumber(text, v);
    if (ok) {
      double lo, hi;
      CheckBounds(lo, hi);
      ok = CheckRange(v, lo, hi, -1);
    }
  }
  if (ok) return ckOk;
  return Reject(CheckResult().kind, text, show_error);
}

void TZqNumericField::WriteValue(TObjectStream& s) const {
  if (FormulaEnabled()) {
    s.WriteByte(fkString);
    s.WriteStr(Formula());
  } else {
    WriteNumValue(s);
  }
}

// ---- TCustomFloatField

HX_PROPERTIES(TCustomFloatField, TZqNumericField,
              Property("ValueProperty", &TCustomFloatField::ValueProperty,
                       &TCustomFloatField::SetValueProperty),
              Property("NumFp", &TCustomFloatField::NumFp),
              Property("DisplayScale", &TCustomFloatField::DisplayScale,
                       &TCustomFloatField::SetDisplayScale))

// Without a range of its own a real field takes any value a numeric edit takes.
TCustomFloatField::TCustomFloatField(FieldVariant variant)
    : TZqNumericField(variant, -1.1e17, 1.7e38) {}

double TCustomFloatField::NumValue() const {
  const double v =
      SourcedValue<double>(Variant(), value_property_, PropKind::Float, data_, OnGetValue, NoFloat);
  return std::isfinite(v) ? v : NoFloat;
}

bool TCustomFloatField::SetDisplayScale(double scale) {
  if (scale == 0 || !std::isfinite(scale)) return false;
  if (scale != display_scale_) {
    display_scale_ = scale;
    RefreshControls();
  }
  return true;
}

void TCustomFloatField::SetValueProperty(std::string_view name) {
  value_property_ = std::string(name);
  RefreshControls();
}

std::string TCustomFloatField::FormatValue(double v) const {
  return Trim(FormatNumber(v * display_scale_, DisplayLength, NumFp));
}

bool TCustomFloatField::StoreNumValue(double v) {
  if (!std::isfinite(v)) v = NoFloat;
  if (v == NumValue()) return false;
  return StoreSourced<double>(Variant(), value_property_, data_, OnSetValue, v);
}

void TCustomFloatField::WriteNumValue(TObjectStream& s) const {
  s.WriteByte(fkFloat);
  s.WriteDouble(NumValue());
}

void TCustomFloatField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  store.WriteFloat(key, "V", NumValue());
}

void TCustomFloatField::ReadSetting(ISettingsStore& store, const std::string& key) {
  SetNumValue(store.ReadFloat(key, "V", NumValue()));
}

// ---- TCalculatedField

TCalculatedField::TCalculatedField() : TCustomFloatField(FieldVariant::Event) {
  Calculated = true;
}

double TCalculatedField::NumValue() const {
  double v = NoFloat;
  if (OnCalculate) OnCalculate(const_cast<TCalculatedField&>(*this), v);
  return std::isfinite(v) ? v : NoFloat;
}

void TCalculatedField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  TZqField::WriteSetting(store, key);
}

void TCalculatedField::ReadSetting(ISettingsStore& store, const std::string& key) {
  TZqField::ReadSetting(store, key);
}

// ---- TZqIntegerField0

HX_PROPERTIES(TZqIntegerField0, TZqNumericField,
              Property("ValueProperty", &TZqIntegerField0::ValueProperty,
                       &TZqIntegerField0::SetValueProperty),
              Property("ValueMode", &TZqIntegerField0::ValueMode))

namespace {

struct IntegerKind {
  PropKind prop_kind;
  int32_t empty;
  int32_t lowest, highest;      // the values a field of the kind holds
  double min_value, max_value;  // the default range
};

IntegerKind KindOf(int kind) {
  switch (kind) {
    case fkWord:
      return {PropKind::Word, 65535, 0, 65535, 0, 65534};
    case fkByte:
      return {PropKind::Byte, 255, 0, 255, 0, 254};
    default:
      return {PropKind::Int32, NoInt, -2147483646, 2147483647, -2147483646, 2147483647};
  }
}

}  // namespace

TZqIntegerField0::TZqIntegerField0(FieldVariant variant, int kind)
    : TZqNumericField(variant, KindOf(kind).min_value, KindOf(kind).max_value),
      kind_(kind),
      prop_kind_(KindOf(kind).prop_kind),
      empty_(KindOf(kind).empty),
      data_(KindOf(kind).empty) {}

int32_t TZqIntegerField0::Normalise(int64_t v) const {
  if (v == empty_ || (kind_ == fkInteger && v == NoInt)) return empty_;
  const IntegerKind k = KindOf(kind_);
  return static_cast<int32_t>(std::clamp<int64_t>(v, k.lowest, k.highest));
}

int32_t TZqIntegerField0::Value() const {
  return Normalise(
      SourcedValue<int32_t>(Variant(), value_property_, prop_kind_, data_, OnGetValue, empty_));
}

bool TZqIntegerField0::StoreInt(int32_t v) {
  if (v == Value()) return false;
  return StoreSourced<int32_t>(Variant(), value_property_, data_, OnSetValue, v);
}

void TZqIntegerField0::SetValue(int32_t value) {
  AfterStore(StoreInt(Normalise(value)));
}

double TZqIntegerField0::NumValue() const {
  const int32_t v = Value();
  return v == empty_ ? NoFloat : static_cast<double>(v);
}

int32_t TZqIntegerField0::AsInteger() const {
  const int32_t v = Value();
  return v == empty_ ? NoInt : v;
}

void TZqIntegerField0::SetAsInteger(int32_t value) {
  SetValue(value == NoInt ? empty_ : value);
}

bool TZqIntegerField0::StoreNumValue(double v) {
  int32_t i;
  switch (kind_) {
    case fkWord:
      i = FloatToWordValue(v);
      break;
    case fkByte:
      i = FloatToByteValue(v);
      break;
    default:
      i = FloatToInt32Value(v);
      break;
  }
  return StoreInt(i);
}

TCustomLookUpItem* TZqIntegerField0::LookUpItem() const {
  TCustomLookUp* lookup = LookUp();
  if (!lookup || ValueMode == vmDefault) return TZqField::LookUpItem();
  const int32_t v = Value();
  if (v == empty_) return nullptr;
  return lookup->Items(ValueMode == vmItemIndex ? v : lookup->IndexOfId(v));
}

std::string TZqIntegerField0::FormatValue(double v) const {
  return std::to_string(static_cast<int64_t>(v));
}

void TZqIntegerField0::SetValueProperty(std::string_view name) {
  value_property_ = std::string(name);
  RefreshControls();
}

void TZqIntegerField0::WriteNumValue(TObjectStream& s) const {
  const int32_t v = Value();
  s.WriteByte(static_cast<uint8_t>(kind_));
  switch (kind_) {
    case fkWord:
      s.WriteInt16(static_cast<int16_t>(static_cast<uint16_t>(v)));
      break;
    case fkByte:
      s.WriteByte(static_cast<uint8_t>(v));
      break;
    default:
      s.WriteInt32(v);
      break;
  }
}

void TZqIntegerField0::WriteSetting(ISettingsStore& store, const std::string& key) const {
  store.WriteInt(key, "V", Value());
}

void TZqIntegerField0::ReadSetting(ISettingsStore& store, const std::string& key) {
  SetValue(Normalise(store.ReadInt(key, "V", Value())));
}

}  // namespace hx
