#include "records/check_result.h"

#include "base/msg_format.h"
#include "records/messages.h"

namespace hx {
namespace {

bool IsNumericKind(int k) {
  return (k >= fkInteger && k <= fkCalculated && k != fkBoolean);
}
bool IsBooleanKind(int k) {
  return k == fkBoolean || k == fkBooleanExt;
}

int EmptyMessageId(int field_kind) {
  if (IsBooleanKind(field_kind)) return 20040;
  if (field_kind == fkSymbol) return 20035;
  if (IsNumericKind(field_kind)) return 20039;
  return 20041;
}

int WrongValueMessageId(int field_kind) {
  if (IsBooleanKind(field_kind)) return 20037;
  if (field_kind == fkSymbol) return 10128;
  if (field_kind == fkLookUp) return 20042;
  if (IsNumericKind(field_kind)) return 20036;
  return 10130;
}

}  // namespace

TCheckResult& CheckResult() {
  static TCheckResult result;
  return result;
}

void TCheckResult::SetMessage(std::string text) {
  Clear();
  kind = ckMessage;
  message = std::move(text);
}

std::string TCheckResult::Message() const {
  switch (kind) {
    case ckEmpty:
      return FormatStr(EmptyMessageId(field_kind), {});
    case ckNotInCatalog:
      return FormatStr(20140, {cat_caption, text});
    case ckNotUsableHere:
      return FormatStr(20141, {text});
    case ckNotSymbol:
      return FormatStr(10128, {text});
    case ckWrongValue:
      return FormatStr(WrongValueMessageId(field_kind), {text});
    case ckOutOfRange:
      return FormatStr(10129, {value, min_value, max_value, units});
    case ckUnknownVariable:
      return FormatStr(20074, {text});
    case ckMessage:
      return FormatStr(10321, {message});
    case ckVariableWithoutValue:
      return FormatStr(20075, {text});
    case ckNotInList:
      return FormatStr(20042, {text});
    case ckOwnText:
      return own_text;
    default:
      return {};
  }
}

void TCheckResult::ShowError() const {
  const std::string text = Message();
  if (!text.empty()) ShowErrorText(text);
}

bool CheckRange(double value, double min_value, double max_value, int msg_id) {
  if (value == NoFloat || min_value > max_value || (value >= min_value && value <= max_value)) {
    return true;
  }
  TCheckResult& r = CheckResult();
  r.Clear();
  r.kind = ckOutOfRange;
  r.field_kind = fkFloat;
  r.value = value;
  r.min_value = min_value;
  r.max_value = max_value;
  if (msg_id >= 0) ShowErrorMsg(msg_id ? msg_id : 20046, {value, min_value, max_value});
  return false;
}

bool CheckRangeRequired(double value, double min_value, double max_value, int msg_id) {
  if (value == NoFloat) {
    TCheckResult& r = CheckResult();
    r.Clear();
    r.kind = ckEmpty;
    r.field_kind = fkFloat;
    if (msg_id >= 0) ShowErrorMsg(20039);
    return false;
  }
  return CheckRange(value, min_value, max_value, msg_id);
}

}  // namespace hx
