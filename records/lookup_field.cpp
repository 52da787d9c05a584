#include "records/lookup_field.h"

#include "base/text.h"
#include "records/check_result.h"

namespace hx {
namespace {

bool InList(const TCustomLookUp& lookup, int index) {
  return index >= 0 && index < lookup.Count();
}

// The position a text names, or -1.
int PositionOfText(TCustomLookUp& lookup, const std::string& trimmed, const LookUpFieldMode& mode) {
  if (trimmed.empty()) return -1;
  const int index = lookup.IndexOfText(trimmed, mode.return_str);
  return InList(lookup, index) ? index : -1;
}

}  // namespace

int32_t LookUpTextToValue(TCustomLookUp* lookup, std::string_view text,
                          const LookUpFieldMode& mode) {
  const std::string trimmed = Trim(text);
  int32_t number;
  const bool is_number = ParseLookUpInteger(trimmed, number);
  if (!lookup) return is_number ? number : NoInt;
  if (trimmed.empty()) return NoInt;
  const int index = PositionOfText(*lookup, trimmed, mode);
  if (index < 0) return mode.accept_other_values && is_number ? number : NoInt;
  if (mode.value_mode == vmItemIndex) return index;
  return lookup->Items(index)->Id();
}

TCustomLookUpItem* LookUpItemOfValue(TCustomLookUp* lookup, int32_t value,
                                     const LookUpFieldMode& mode) {
  if (!lookup || value == NoInt) return nullptr;
  const int index = mode.value_mode == vmItemIndex ? value : lookup->IndexOfId(value);
  return InList(*lookup, index) ? lookup->Items(index) : nullptr;
}

std::string LookUpValueToText(TCustomLookUp* lookup, int32_t value, const LookUpFieldMode& mode) {
  if (value == NoInt) return {};
  if (!lookup) return std::to_string(value);
  if (const TCustomLookUpItem* item = LookUpItemOfValue(lookup, value, mode)) {
    return ReturnText(*item, mode.return_str);
  }
  return mode.accept_other_values ? std::to_string(value) : std::string();
}

int LookUpCheckText(TCustomLookUp* lookup, std::string_view text, const LookUpFieldMode& mode,
                    bool show_error) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return ckOk;
  int32_t number;
  const bool is_number = ParseLookUpInteger(trimmed, number);
  if (lookup
          ? PositionOfText(*lookup, trimmed, mode) >= 0 || (mode.accept_other_values && is_number)
          : is_number) {
    return ckOk;
  }
  TCheckResult& result = CheckResult();
  result.Clear();
  result.kind = lookup ? ckNotInList : ckWrongValue;
  result.field_kind = fkLookUp;
  result.text = trimmed;
  if (lookup) result.cat_caption = lookup->Caption;
  if (show_error) result.ShowError();
  return result.kind;
}

}  // namespace hx
