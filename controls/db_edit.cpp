#include "controls/db_edit.h"

#include <algorithm>

#include "base/msg_format.h"
#include "base/string_table.h"
#include "base/text.h"
#include "controls/dialog_hosts.h"
#include "records/check_result.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/messages.h"
#include "records/number_reader.h"

namespace hx {
namespace {

ICatalogChooser* g_catalog_chooser = nullptr;
ITextEditorHost* g_text_editor_host = nullptr;

const TZqNumericField* AsNumeric(const TZqField* f) {
  return dynamic_cast<const TZqNumericField*>(f);
}

}  // namespace

void SetCatalogChooser(ICatalogChooser* chooser) {
  g_catalog_chooser = chooser;
}
ICatalogChooser* CatalogChooser() {
  return g_catalog_chooser;
}
void SetTextEditorHost(ITextEditorHost* host) {
  g_text_editor_host = host;
}
ITextEditorHost* TextEditorHost() {
  return g_text_editor_host;
}

// ---- what the field decides

int TZqDBEdit::EditKind() const {
  return ZqField() ? ZqField()->CheckKind() : fkString;
}

const ICatalogLookup* TZqDBEdit::Cat() const {
  return ZqField() ? ZqField()->Cat() : TCustomNumEdit::Cat();
}

TCustomLookUp* TZqDBEdit::LookUp() const {
  return ZqField() ? ZqField()->LookUp() : TCustomNumEdit::LookUp();
}

TReturnStr TZqDBEdit::LookUpReturnStr() const {
  return ZqField() ? ZqField()->LookUpReturnStr : TCustomNumEdit::LookUpReturnStr();
}

bool TZqDBEdit::Required() const {
  return ZqField() ? ZqField()->Required : TCustomNumEdit::Required();
}

TSetTextMode TZqDBEdit::SetTextMode() const {
  return ZqField() ? ZqField()->SetTextMode : TCustomNumEdit::SetTextMode();
}

int32_t TZqDBEdit::ErrorColor() const {
  return ZqField() ? ZqField()->ErrorColor : TCustomNumEdit::ErrorColor();
}

std::string TZqDBEdit::ErrorMsg() const {
  return ZqField() ? ZqField()->ErrorMsg : TCustomNumEdit::ErrorMsg();
}

TBtnStyle TZqDBEdit::BtnStyle() const {
  return ZqField() ? ZqField()->BtnStyle : TCustomNumEdit::BtnStyle();
}

bool TZqDBEdit::FormulaEnabled() const {
  const auto* f = dynamic_cast<const TZqFormulaField*>(ZqField());
  return f ? f->FormulaEnabled() : false;
}

double TZqDBEdit::Scale() const {
  const TZqNumericField* f = AsNumeric(ZqField());
  return f ? f->Scale() : 1;
}

bool TZqDBEdit::HasRange() const {
  const TZqNumericField* f = AsNumeric(ZqField());
  return f && f->MaxValue >= f->MinValue;
}

double TZqDBEdit::Minimum() const {
  if (!HasRange()) return kNoRangeMin;
  const TZqNumericField* f = AsNumeric(ZqField());
  return std::min(f->MinValue * Scale(), f->MaxValue * Scale());
}

double TZqDBEdit::Maximum() const {
  if (!HasRange()) return kNoRangeMax;
  const TZqNumericField* f = AsNumeric(ZqField());
  return std::max(f->MinValue * Scale(), f->MaxValue * Scale());
}

int TZqDBEdit::NumLength() const {
  return ZqField() ? ZqField()->DisplayLength : NumLen;
}

int TZqDBEdit::NumDecimals() const {
  if (const auto* f = dynamic_cast<const TCustomFloatField*>(ZqField())) return f->NumFp;
  return ZqField() ? 0 : NumFP;
}

double TZqDBEdit::StepIncrement() const {
  const TZqNumericField* f = AsNumeric(ZqField());
  return f ? f->Increment * Scale() : Increment;
}

std::string TZqDBEdit::TrueText() const {
  const auto* f = dynamic_cast<const TCustomBooleanField*>(ZqField());
  return f ? f->TrueText() : TCustomNumEdit::TrueText();
}

std::string TZqDBEdit::FalseText() const {
  const auto* f = dynamic_cast<const TCustomBooleanField*>(ZqField());
  return f ? f->FalseText() : TCustomNumEdit::FalseText();
}

// ---- refresh and update

void TZqDBEdit::FieldRefresh() {
  if (HandingBack()) return;
  TZqField* f = ZqField();
  if (!f) {
    set_formula({});
    ReplaceText({}, false);
    HelpContext = 0;
    SetMaxLength(0);
    Modified = false;
    return;
  }
  set_formula(f->Text());
  std::string text;
  if (Focused()) {
    text = Formula();
  } else if (!Formula().empty()) {
    text = TrimRight(ShownText(Formula()));
  } else {
    text = TrimRight(f->DisplayText());
  }
  if (f->CharCase == ecUpperCase) text = UpperCase(text);
  ReplaceText(std::move(text), false);
  Modified = false;
  FieldUpdate();
}

void TZqDBEdit::FieldUpdate() {
  TZqField* f = ZqField();
  if (!f) return;
  // The error state keeps showing its own hint and colour (Hint(), Color()) until it ends.
  SetHint(f->Hint);
  HelpContext = f->HelpContext;
  CharCase = f->CharCase;
  SetMaxLength(f->MaxLength);
  SetReadOnly(f->ReadOnly());
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  if (FieldDisplayStyle) {
    DisplayStyle = f->DisplayStyle;
    SetColor(f->BackGroundColor != clDefaultColor ? f->BackGroundColor : FormColor);
    SetFontColor(f->FontColor);
  }
  if (FieldAlignment) SetAlignment(f->Alignment);
  if (f->Kind() == fkCalculated && FieldCheck(false)) LeaveErrorState();
  Notify(vcState);
}

// ---- checks

bool TZqDBEdit::FieldCheck(bool show_error) {
  TZqField* f = ZqField();
  if (!f) return true;
  if (f->Kind() == fkCalculated) set_formula(f->Text());
  return CheckFieldText(Focused() || Formula().empty() ? Text() : Formula(), show_error, true);
}

bool TZqDBEdit::CheckFieldText(std::string_view text, bool show_error, bool mark) {
  TZqField& f = *ZqField();
  const int kind = f.Kind();
  const std::string t = Trim(text);
  TCheckResult found;
  found.field_kind = f.CheckKind();
  found.text = t;
  found.units = f.Units;
  std::string message;
  if (IsBooleanKind(kind)) {
    int32_t state;
    if (!ParseBoolean(t, state)) {
      found.kind = ckWrongValue;
      message = FormatStr(20037, {t});
    } else if (state < 0 && f.Required) {
      found.kind = ckEmpty;
      message = FormatStr(20040, {});
    }
  } else if (IsNumericKind(kind)) {
    double v;
    bool read;
    {
      MessagesSilenced quiet;
      read = ReadNumber(t, v);
    }
    if (!read) {
      found = CheckResult();
      found.field_kind = kind;
      found.text = t;
      message = found.Message();
    } else if (v == NoFloat) {
      if (f.Required) {
        found.kind = ckEmpty;
        message = FormatStr(20039, {});
      }
    } else if (HasRange() && !(v >= Minimum() && v <= Maximum())) {
      found.kind = ckOutOfRange;
      found.value = v;
      found.min_value = Minimum();
      found.max_value = Maximum();
      message = RangeHint(v);
    }
  } else if (t.empty()) {
    if (f.Required) {
      found.kind = ckEmpty;
      message = found.Message();
    }
  } else if (f.Cat() || (f.LookUp() && kind == fkLookUp)) {
    // The hand-back has already stored the text of a text field: a symbol or look-up text that
    // names nothing must not pass the record's check.
    MessagesSilenced quiet;
    if (f.CheckText(t, false) != ckOk) {
      found = CheckResult();
      message = found.Message();
    }
  }
  if (found.kind == ckOk) return true;
  CheckResult() = found;
  if (mark) EnterErrorState(message);
  if (show_error) ShowErrorText(message);
  return false;
}

// ---- hand-back and leaving

void TZqDBEdit::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  std::string text = Focused() || !FormulaEnabled() ? Text() : Formula();
  // Symbols are kept in upper case.
  if (f->Cat()) text = UpperCase(text);
  HandBackScope guard(*this);
  const int kind = f->Kind();
  if (kind == fkLookUp) {
    MessagesSilenced quiet;
    f->SetText(f->CheckText(text, false) == ckOk ? text : std::string());
  } else if (IsNumericKind(kind)) {
    // The check here only decides what is handed back; the leaving marks the control.
    const TCheckResult saved = CheckResult();
    const bool accepted = CheckFieldText(text, false, false);
    CheckResult() = saved;
    f->SetText(accepted ? text : std::string());
    if (accepted && !FormulaEnabled()) set_formula(f->Text());
  } else {
    f->SetText(text);
  }
}

void TZqDBEdit::Exit() {
  // The focus has gone by now: the hand-back takes the formula when formulas are on.
  set_focused(false);
  TZqField* f = ZqField();
  if (f && f->OnCheckText) {
    MessagesSilenced quiet;
    if (f->CheckText(Text(), false) != ckOk) EnterErrorState(CheckResult().Message());
  }
  if (f && SetFieldDataOnExit) {
    set_formula(f->Cat() ? UpperCase(Text()) : Text());
    SetFieldData();
  }
  TCustomNumEdit::Exit();
}

// ---- pull-down and help

void TZqDBEdit::CatalogRequest() {
  TZqField& f = *ZqField();
  ICatalogChooser* chooser = CatalogChooser();
  if (!chooser || !f.Cat()) return;
  const std::string symbol = UpperCase(Trim(Text()));
  if (f.ReadOnly()) {
    chooser->ShowItemInfo(*f.Cat(), Handle(), symbol);
    return;
  }
  std::string chosen = symbol;
  if (chooser->SelectSymbol(*f.Cat(), Handle(), chosen)) InsertChosenText(chosen);
}

void TZqDBEdit::OpenTextEditor() {
  TZqField& f = *ZqField();
  ITextEditorHost* host = TextEditorHost();
  if (!host) return;
  TextEditorRequest request;
  request.text = Text();
  request.max_length = f.MaxLength;
  request.multi_line = f.MultyLine;
  request.read_only = f.ReadOnly() || ReadOnly();
  if (!host->EditText(request, Handle()) || request.read_only) return;
  ReplaceText(request.text, false);
  Modified = true;
  SetFieldData();
}

void TZqDBEdit::PullDown() {
  TZqField* f = ZqField();
  if (!f) {
    TCustomNumEdit::PullDown();
    return;
  }
  if (f->OnPullDown) {
    bool handled = true;
    f->OnPullDown(*f, Handle(), handled);
    if (handled) return;
  }
  const bool editable = !f->ReadOnly();
  if (f->LookUp() && editable) {
    f->LookUp()->PopUpUnder(Handle(), f->LookUpReturnStr, InsertCallback());
  } else if (f->Cat()) {
    CatalogRequest();
  } else if (editable && IsBooleanKind(f->Kind())) {
    BooleanLookUp().PopUpUnder(Handle(), rsCaption, InsertCallback());
  } else if (f->Kind() == fkString) {
    OpenTextEditor();
  } else {
    Help();
  }
}

void TZqDBEdit::Help() {
  TZqField* f = ZqField();
  if (!f) {
    TCustomNumEdit::Help();
    return;
  }
  if (f->OnHelp) {
    bool handled = true;
    f->OnHelp(*f, Handle(), handled);
    if (handled) return;
  }
  const bool editable = !f->ReadOnly();
  if (f->Cat()) {
    CatalogRequest();
  } else if (editable && f->LookUp()) {
    f->LookUp()->PopUpUnder(Handle(), f->LookUpReturnStr, InsertCallback());
  } else if (editable && IsBooleanKind(f->Kind())) {
    BooleanLookUp().PopUpUnder(Handle(), rsCaption, InsertCallback());
  } else {
    ShowHintAsHelp(f->Hint);
  }
}

// ---- memo

void TZqDBMemo::FieldRefresh() {
  if (HandingBack()) return;
  TZqField* f = ZqField();
  text_ = f ? TrimRight(f->DisplayText()) : std::string();
  if (!f) {
    HelpContext = 0;
    max_length_ = 0;
  }
  Notify(vcText);
  FieldUpdate();
}

void TZqDBMemo::FieldUpdate() {
  TZqField* f = ZqField();
  if (!f) return;
  SetHint(f->Hint);
  HelpContext = f->HelpContext;
  max_length_ = f->MaxLength;
  read_only_ = f->ReadOnly();
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  if (FieldDisplayStyle) {
    SetColor(f->BackGroundColor);
    SetFontColor(f->FontColor);
  }
  if (FieldAlignment) alignment_ = f->Alignment;
  Notify(vcState);
}

bool TZqDBMemo::FieldCheck(bool show_error) {
  TZqField* f = ZqField();
  if (!f || !f->Required || !Trim(text_).empty()) return true;
  CheckResult().Clear();
  CheckResult().kind = ckEmpty;
  CheckResult().field_kind = f->CheckKind();
  if (show_error) ShowErrorMsg(20041);
  return false;
}

void TZqDBMemo::Exit() {
  focused_ = false;
  if (!FieldCheck(true)) {
    if (Visible() && View()) View()->TakeFocus();
    return;
  }
  if (SetFieldDataOnExit) SetFieldData();
}

void TZqDBMemo::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  HandBackScope guard(*this);
  f->SetText(text_);
}

}  // namespace hx
