#include "records/field_string.h"

#include "base/text.h"

namespace hx {

HX_PROPERTIES(TCustomStringField, TZqField,
              Property("ValueProperty", &TCustomStringField::ValueProperty,
                       &TCustomStringField::SetValueProperty))

std::string TCustomStringField::Value() const {
  return SourcedValue<std::string>(variant_, value_property_, PropKind::Text, data_, OnGetValue,
                                   std::string());
}

void TCustomStringField::SetValue(std::string_view value) {
  const std::string v = Trim(value);
  if (v == Value()) return;
  if (StoreSourced<std::string>(variant_, value_property_, data_, OnSetValue, v)) ValueChanged();
}

void TCustomStringField::SetValueProperty(std::string_view name) {
  value_property_ = std::string(name);
  RefreshControls();
}

int TCustomStringField::CheckText(std::string_view text, bool show_error) {
  int kind;
  if (!RunCheckHandler(text, show_error, kind)) return kind;
  if (!Cat()) return ckOk;
  const std::string symbol = UpperCase(Trim(text));
  if (symbol.empty() || Cat()->HasSymbol(symbol)) return ckOk;
  CheckResult().Clear();
  return Reject(ckNotInCatalog, symbol, show_error);
}

}  // namespace hx
