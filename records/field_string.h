// Text fields (kind 1): a text from a published property, kept in the field, or given by
// events; with a catalog the text must be one of its symbols.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "records/field.h"

namespace hx {

class TCustomStringField : public TZqField {
  HX_PUBLISHED()

 public:
  using GetValueEvent = std::function<void(TZqField& field, std::string& value)>;
  using SetValueEvent = std::function<void(TZqField& field, const std::string& value)>;

  explicit TCustomStringField(FieldVariant variant = FieldVariant::Data) : variant_(variant) {}

  int Kind() const override { return fkString; }
  // A text checked against a catalog reports as a symbol.
  int CheckKind() const override { return Cat() ? fkSymbol : fkString; }
  bool IsNull() const override { return Value().empty(); }

  std::string Value() const;
  // Stores the trimmed text when it differs from the current one.
  void SetValue(std::string_view value);

  // The property the value comes from (property variant).
  const std::string& ValueProperty() const { return value_property_; }
  void SetValueProperty(std::string_view name);

  GetValueEvent OnGetValue;  // event variant
  SetValueEvent OnSetValue;

  // OnCheckText first; then, with a catalog, a non-blank text must be a symbol of it after
  // upper-casing (kind 2 otherwise).
  int CheckText(std::string_view text, bool show_error) override;

 protected:
  std::string ValueText() const override { return Value(); }
  void SetValueText(std::string_view text) override { SetValue(text); }

 private:
  FieldVariant variant_;
  std::string value_property_;
  std::string data_;
};

class TPropertyStringField : public TCustomStringField {
 public:
  TPropertyStringField() : TCustomStringField(FieldVariant::Property) {}
};

class TDataStringField : public TCustomStringField {
 public:
  TDataStringField() : TCustomStringField(FieldVariant::Data) {}
};

class TEventStringField : public TCustomStringField {
 public:
  TEventStringField() : TCustomStringField(FieldVariant::Event) {}
};

}  // namespace hx
