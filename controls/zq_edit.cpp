#include "controls/zq_edit.h"

#include <algorithm>

#include "base/msg_format.h"
#include "base/string_table.h"
#include "base/text.h"
#include "records/lookup_field.h"
#include "records/messages.h"

namespace hx {

size_t CodePointCount(std::string_view text) {
  size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

namespace {

// The byte offset of code point index (clamped to the text).
size_t ByteOffset(std::string_view text, size_t index) {
  size_t pos = 0;
  for (size_t n = 0; pos < text.size(); ++pos) {
    if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
      if (n == index) return pos;
      ++n;
    }
  }
  return text.size();
}

}  // namespace

std::string CodePointPrefix(std::string_view text, size_t count) {
  return std::string(text.substr(0, ByteOffset(text, count)));
}

std::string BlankControlCharacters(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  return out;
}

void ShowHintAsHelp(std::string_view hint) {
  const std::string text = Trim(LongPart(hint));
  if (!text.empty())
    ShowMessageText(MsgKind::Information, MsgButtons::Ok, kCaptionInformation, text);
}

TCustomZqEdit::~TCustomZqEdit() {
  if (lookup_) lookup_->RemoveUser(this);
}

// ---- text

void TCustomZqEdit::SetText(std::string_view text) {
  text_ = std::string(text);
  if (CharCase == ecUpperCase) text_ = UpperCase(text_);
  sel_start_ = static_cast<int>(CodePointCount(text_));
  sel_length_ = 0;
  Notify(vcText);
}

void TCustomZqEdit::ReplaceText(std::string text, bool select_all) {
  text_ = std::move(text);
  const int n = static_cast<int>(CodePointCount(text_));
  sel_start_ = select_all ? 0 : n;
  sel_length_ = select_all ? n : 0;
  Notify(vcText);
}

void TCustomZqEdit::SetSelection(int start, int length) {
  const int n = static_cast<int>(CodePointCount(text_));
  sel_start_ = std::clamp(start, 0, n);
  sel_length_ = std::clamp(length, 0, n - sel_start_);
  Notify(vcText);
}

void TCustomZqEdit::UserEdited(std::string_view text, int caret) {
  std::string clean = BlankControlCharacters(text);
  const bool changed = clean != text;
  text_ = std::move(clean);
  const int n = static_cast<int>(CodePointCount(text_));
  sel_start_ = std::clamp(caret, 0, n);
  sel_length_ = 0;
  Modified = true;
  if (changed) Notify(vcText);
}

void TCustomZqEdit::SetReadOnly(bool read_only) {
  if (read_only_ == read_only) return;
  read_only_ = read_only;
  Notify(vcState);
}

void TCustomZqEdit::SetMaxLength(int32_t length) {
  max_length_ = std::max(0, length);
  Notify(vcState);
}

void TCustomZqEdit::SetAlignment(TAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  Notify(vcState);
}

void TCustomZqEdit::SetLookUp(TCustomLookUp* lookup) {
  if (lookup_ == lookup) return;
  if (lookup_) lookup_->RemoveUser(this);
  lookup_ = lookup;
  if (lookup_) lookup_->AddUser(this);
}

void TCustomZqEdit::LookUpDestroyed(TCustomLookUp& lookup) {
  if (lookup_ == &lookup) lookup_ = nullptr;
}

// ---- button and keys

void TCustomZqEdit::SetBtnStyle(TBtnStyle style) {
  if (btn_style_ == style) return;
  btn_style_ = style;
  Notify(vcState);
}

ItemRect TCustomZqEdit::ButtonRect(int width, int height) const {
  if (!HasButton()) return {};
  return {std::max(0, width - kEditButtonWidth), 0, width, height};
}

ItemRect TCustomZqEdit::TextRect(int width, int height, int text_height) const {
  const int right = HasButton() ? std::max(0, width - kEditTextNarrowing) : width;
  const int top = std::max(0, (height - text_height) / 2);
  return {0, top, right, std::min(height, top + text_height)};
}

EditButtonPart TCustomZqEdit::ButtonPartAt(int x, int y, int width, int height) const {
  if (!ButtonRect(width, height).Contains(x, y)) return EditButtonPart::None;
  if (BtnStyle() != btnsSpin) return EditButtonPart::PullDown;
  return y < height / 2 - 2 ? EditButtonPart::SpinUp : EditButtonPart::SpinDown;
}

void TCustomZqEdit::ButtonPressed(EditButtonPart part) {
  switch (part) {
    case EditButtonPart::SpinUp:
      StepUp();
      break;
    case EditButtonPart::SpinDown:
      StepDown();
      break;
    case EditButtonPart::PullDown:
      PullDown();
      break;
    case EditButtonPart::None:
      break;
  }
}

bool TCustomZqEdit::KeyDown(EditKey key) {
  switch (key) {
    case EditKey::Up:
    case EditKey::Down:
      if (!HasButton() || BtnStyle() != btnsSpin) return false;
      key == EditKey::Up ? StepUp() : StepDown();
      return true;
    case EditKey::Enter:
      if (View() && !View()->PressDefaultButton()) View()->PassEnterToParent();
      return true;
    case EditKey::F1:
      Help();
      return true;
    case EditKey::Other:
      break;
  }
  return false;
}

void TCustomZqEdit::PullDown() {
  if (OnPullDown) {
    bool handled = true;
    OnPullDown(*this, handled);
    if (handled) return;
  }
  if (TCustomLookUp* lookup = LookUp()) {
    lookup->PopUpUnder(Handle(), LookUpReturnStr(), InsertCallback());
    return;
  }
  Help();
}

void TCustomZqEdit::Help() {
  if (OnHelp) {
    bool handled = true;
    OnHelp(*this, handled);
    if (handled) return;
  }
  ShowHintAsHelp(LoadedHint());
}

// ---- insertion of a chosen text

void TCustomZqEdit::InsertChosenText(std::string_view chosen) {
  if (ReadOnly()) return;
  const std::string text = BlankControlCharacters(chosen);
  const size_t limit = MaxLength() > 0 ? static_cast<size_t>(MaxLength()) : SIZE_MAX;
  if (SetTextMode() == stmReplace) {
    ReplaceText(CodePointPrefix(text, limit), true);
    Modified = true;
    return;
  }
  if (Trim(text).empty()) return;
  const size_t start = ByteOffset(text_, sel_start_);
  const size_t end = ByteOffset(text_, sel_start_ + sel_length_);
  const std::string head = text_.substr(0, start) + text;
  // The whole rest of the text stays; only MaxLength bounds the result.
  const std::string whole = CodePointPrefix(head + text_.substr(end), limit);
  text_ = whole;
  sel_start_ = static_cast<int>(std::min(CodePointCount(head), CodePointCount(whole)));
  sel_length_ = 0;
  Modified = true;
  Notify(vcText);
}

LookUpTextCallback TCustomZqEdit::InsertCallback() {
  return [this](const std::string& text) { InsertChosenText(text); };
}

// ---- focus and checks

void TCustomZqEdit::Enter() {
  focused_ = true;
  LeaveErrorState();
  if (Cat() && Trim(text_).empty() && !text_.empty()) text_.clear();
  SelectAll();
}

void TCustomZqEdit::Exit() {
  focused_ = false;
  CheckOnExit();
}

std::string TCustomZqEdit::ErrorHint(std::string message) const {
  const std::string own = ErrorMsg();
  return own.empty() ? message : own;
}

std::string TCustomZqEdit::TrueText() const {
  return std::string(LoadStr(10300));
}
std::string TCustomZqEdit::FalseText() const {
  return std::string(LoadStr(10301));
}

bool TCustomZqEdit::ParseBoolean(std::string_view text, int32_t& state) const {
  const std::string t = Trim(text);
  if (t.empty()) {
    state = -1;
    return true;
  }
  const auto begins = [&](const std::string& whole) {
    return CodePointCount(t) <= CodePointCount(whole) &&
           SameText(CodePointPrefix(whole, CodePointCount(t)), t);
  };
  if (begins(FalseText())) {
    state = 0;
    return true;
  }
  if (begins(TrueText())) {
    state = 1;
    return true;
  }
  return false;
}

bool TCustomZqEdit::CheckOnExit() {
  const int kind = EditKind();
  const std::string trimmed = Trim(text_);
  if (kind == fkLookUp && LookUp() && !trimmed.empty()) {
    MessagesSilenced quiet;
    const LookUpFieldMode mode{vmItemId, LookUpReturnStr(), false};
    if (LookUpCheckText(LookUp(), trimmed, mode, false) != ckOk) {
      EnterErrorState(ErrorHint(FormatStr(20042, {trimmed})));
      return false;
    }
  }
  if (IsBooleanKind(kind)) {
    int32_t state;
    if (!ParseBoolean(text_, state) || (state < 0 && Required())) {
      EnterErrorState(ErrorHint(state < 0 && trimmed.empty() ? FormatStr(20040, {})
                                                             : FormatStr(20037, {trimmed})));
      return false;
    }
    if (state >= 0) ReplaceText(state ? TrueText() : FalseText(), false);
  }
  if (const ICatalogLookup* cat = Cat()) {
    const std::string upper = UpperCase(text_);
    if (upper != text_) ReplaceText(upper, false);
    const std::string symbol = Trim(upper);
    if (!symbol.empty() && !cat->HasSymbol(symbol)) {
      EnterErrorState(ErrorHint(FormatStr(20140, {cat->Caption(), symbol})));
      return false;
    }
  }
  if (OnlyLookUpText && LookUp() && !trimmed.empty() &&
      LookUp()->IndexOfText(trimmed, LookUpReturnStr()) < 0) {
    EnterErrorState(ErrorHint(FormatStr(20042, {trimmed})));
    return false;
  }
  return true;
}

// ---- error state

void TCustomZqEdit::EnterErrorState(std::string hint) {
  in_error_ = true;
  error_hint_ = std::move(hint);
  Notify(vcState);
}

void TCustomZqEdit::LeaveErrorState() {
  if (!in_error_) return;
  in_error_ = false;
  error_hint_.clear();
  Notify(vcState);
}

int32_t TCustomZqEdit::Color() const {
  return in_error_ ? ErrorColor() : LoadedColor();
}

TGlyphPtr TCustomZqEdit::Glyph() {
  if (OnGetGlyph) {
    TGlyphPtr glyph;
    OnGetGlyph(*this, glyph);
    return glyph;
  }
  TCustomLookUp* lookup = LookUp();
  if (!lookup) return nullptr;
  const TCustomLookUpItem* item =
      lookup->Items(lookup->IndexOfText(Trim(text_), LookUpReturnStr()));
  return item ? item->Glyph() : nullptr;
}

TCustomLookUp& TCustomZqEdit::BooleanLookUp() {
  if (!boolean_lookup_) boolean_lookup_ = std::make_unique<TLookUp>();
  auto& lookup = static_cast<TLookUp&>(*boolean_lookup_);
  lookup.BeginUpdate();
  lookup.Clear();
  LookUpItemData yes;
  yes.caption = TrueText();
  yes.id = 1;
  yes.glyph = RenderImage(SharedImages(), kImageTrue);
  LookUpItemData no;
  no.caption = FalseText();
  no.id = 0;
  no.glyph = RenderImage(SharedImages(), kImageFalse);
  lookup.Add(std::move(yes));
  lookup.Add(std::move(no));
  lookup.EndUpdate();
  return lookup;
}

}  // namespace hx
