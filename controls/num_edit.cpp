#include "controls/num_edit.h"

#include <cmath>

#include "base/msg_format.h"
#include "base/string_table.h"
#include "base/text.h"
#include "records/check_result.h"
#include "records/messages.h"
#include "records/number_format.h"
#include "records/number_reader.h"

namespace hx {
namespace {

// Reads a number without a message and without disturbing the shared check result (reading a
// value is not a check).
double ReadQuietly(std::string_view text) {
  const TCheckResult saved = CheckResult();
  MessagesSilenced quiet;
  double v;
  const bool ok = ReadNumber(text, v);
  CheckResult() = saved;
  return ok ? v : NoFloat;
}

std::string PadTo(std::string text, int width, TAlignment alignment) {
  const size_t n = CodePointCount(text);
  if (width <= 0 || n >= static_cast<size_t>(width)) return text;
  const size_t pad = width - n;
  switch (alignment) {
    case taRightJustify:
      return std::string(pad, ' ') + text;
    case taCenter:
      return std::string(pad / 2, ' ') + text + std::string(pad - pad / 2, ' ');
    default:
      return text + std::string(pad, ' ');
  }
}

}  // namespace

double TCustomNumEdit::Value() const {
  return ReadQuietly(Focused() || formula_.empty() ? Text() : formula_);
}

void TCustomNumEdit::SetValue(double value) {
  std::string text;
  if (value != NoFloat && std::isfinite(value)) {
    if (IsIntegerKind(EditKind()) && std::fabs(value) <= 2147483647.0) {
      value = std::nearbyint(value + (value > 0 ? 1e-11 : value < 0 ? -1e-11 : 0));
    }
    text = FormatNumber(value, NumLength(), NumDecimals());
  }
  formula_ = FormulaEnabled() ? Trim(text) : std::string();
  LeaveErrorState();
  ReplaceText(std::move(text), false);
}

int32_t TCustomNumEdit::IntValue() const {
  return FloatToInt32Value(Value());
}

uint8_t TCustomNumEdit::ByteValue() const {
  const double v = Value();
  if (v == NoFloat) return 255;
  if (v > 254) return 254;
  if (v < 0) return 0;
  return static_cast<uint8_t>(std::nearbyint(v));
}

void TCustomNumEdit::SetFormula(std::string_view formula) {
  formula_ = std::string(formula);
  if (Focused()) {
    ReplaceText(formula_, false);
  } else {
    ShowFormula();
  }
}

std::string TCustomNumEdit::ShownText(std::string_view formula) const {
  const int kind = EditKind();
  std::string shown(formula);
  if (IsBooleanKind(kind)) {
    int32_t state;
    if (ParseBoolean(formula, state) && state >= 0) shown = state ? TrueText() : FalseText();
  } else if (IsNumericKind(kind)) {
    const double v = ReadQuietly(formula);
    if (v != NoFloat) shown = Trim(FormatNumber(v, NumLength(), NumDecimals()));
  }
  return PadTo(std::move(shown), NumLength(), Alignment());
}

void TCustomNumEdit::ShowFormula() {
  if (!Focused() && !formula_.empty()) ReplaceText(ShownText(formula_), false);
}

void TCustomNumEdit::Enter() {
  if (!formula_.empty()) ReplaceText(formula_, true);
  TCustomZqEdit::Enter();
}

void TCustomNumEdit::Exit() {
  set_focused(false);
  formula_ = Cat() ? UpperCase(Text()) : Text();
  bool ok = CheckOnExit();
  if (ok && IsNumericKind(EditKind())) ok = CheckNumberOnExit();
  if (!ok) Beep();
  if (FormulaEnabled()) {
    ShowFormula();
    return;
  }
  // Without formulas an accepted number is shown as the formatter writes it.
  const std::string shown = ok && IsNumericKind(EditKind()) ? ShownText(formula_) : Text();
  formula_.clear();
  if (shown != Text()) ReplaceText(shown, false);
}

bool TCustomNumEdit::CheckNumberOnExit() {
  const std::string text = Trim(formula_);
  if (text.empty()) return true;
  double v;
  bool read;
  {
    MessagesSilenced quiet;
    read = ReadNumber(text, v);
  }
  if (!read) {
    EnterErrorState(FormatStr(20065, {text}));
    return false;
  }
  if (HasRange() && !CheckRange(v, Minimum(), Maximum(), -1)) {
    EnterErrorState(RangeHint(v));
    return false;
  }
  return true;
}

std::string TCustomNumEdit::RangeHint(double value) const {
  const std::string own = ErrorMsg();
  return FormatMsg(own.empty() ? LoadStr(20046) : std::string_view(own),
                   {value, Minimum(), Maximum()});
}

void TCustomNumEdit::StepUp() {
  Step(true);
}
void TCustomNumEdit::StepDown() {
  Step(false);
}

void TCustomNumEdit::Step(bool up) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  const double before = Value();
  const std::string before_formula = formula_;
  const EditNotifyEvent& handler = up ? OnUpClick : OnDownClick;
  if (handler) {
    handler(*this);
  } else {
    const double v = before;
    const double inc = StepIncrement();
    double next;
    if (v != NoFloat) {
      if (!(std::fabs(inc) > 1e-300) || inc == -2147483647.0) return;
      next = inc * std::nearbyint(v / inc) + (up ? inc : -inc);
      if (HasRange() && up && next > Maximum()) {
        Beep();
        next = Maximum();
      }
      if (HasRange() && !up && next < Minimum()) {
        Beep();
        next = Minimum();
      }
    } else {
      next = HasRange() ? (up ? Minimum() : Maximum()) : 0;
    }
    SetValue(next);
  }
  if (Value() != before || formula_ != before_formula) Modified = true;
  if (OnAfterUpDownClick) OnAfterUpDownClick(*this);
}

}  // namespace hx
