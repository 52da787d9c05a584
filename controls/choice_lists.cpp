#include "controls/choice_lists.h"

#include "base/string_table.h"
#include "base/text.h"
#include "records/lookup_field.h"

namespace hx {

TCustomChoiceList::~TCustomChoiceList() {
  if (attached_) attached_->RemoveUser(this);
}

void TCustomChoiceList::SetItems(const std::vector<std::string>& lines) {
  entries_.clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    ListEntry e;
    e.caption = lines[i];
    e.id = static_cast<int32_t>(i);
    entries_.push_back(std::move(e));
  }
  item_index_ = IndexOfText(text_);
  Notify(vcItems | vcSelection);
}

bool TCustomChoiceList::AttachLookUp(TCustomLookUp* lookup) {
  if (attached_ == lookup) return false;
  if (attached_) attached_->RemoveUser(this);
  attached_ = lookup;
  if (attached_) attached_->AddUser(this);
  return true;
}

void TCustomChoiceList::SetLookUp(TCustomLookUp* lookup) {
  lookup_ = lookup;
  AttachLookUp(LookUp());
  Refill();
}

void TCustomChoiceList::LookUpDestroyed(TCustomLookUp& lookup) {
  if (attached_ == &lookup) attached_ = nullptr;
  if (lookup_ == &lookup) lookup_ = nullptr;
  entries_.clear();
  item_index_ = -1;
  Notify(vcItems | vcSelection);
}

void TCustomChoiceList::Refill() {
  TCustomLookUp* lookup = LookUp();
  if (!lookup) return;
  entries_.clear();
  const int n = lookup->Count();
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = lookup->Items(i);
    if (!item) continue;
    ListEntry e;
    e.caption = StripAccelerators(ShortPart(item->Caption()));
    e.id = item->Id();
    e.enabled = item->Enabled();
    if (ShowsGlyph(DisplayStyle)) e.glyph = item->Glyph();
    entries_.push_back(std::move(e));
  }
  if (AddEditItem) {
    ListEntry e;
    e.caption = std::string(LoadStr(10311));
    e.edit_entry = true;
    entries_.push_back(std::move(e));
  }
  item_index_ = IndexOfText(text_);
  Notify(vcItems | vcSelection);
}

void TCustomChoiceList::SetItemIndex(int i) {
  item_index_ = i >= 0 && i < Count() ? i : -1;
  if (item_index_ >= 0) text_ = entries_[item_index_].caption;
  Notify(vcText | vcSelection);
}

void TCustomChoiceList::SetText(std::string_view text) {
  text_ = std::string(text);
  item_index_ = IndexOfText(text_);
  Notify(vcText | vcSelection);
}

int TCustomChoiceList::IndexOfText(std::string_view text) const {
  const std::string t = Trim(text);
  if (t.empty()) return -1;
  for (int i = 0; i < Count(); ++i) {
    if (!entries_[i].edit_entry && SameText(entries_[i].caption, t)) return i;
  }
  return -1;
}

void TCustomChoiceList::UserSelected(int i) {
  if (ReadOnly || i < 0 || i >= Count()) {
    Notify(vcSelection);
    return;
  }
  if (!entries_[i].edit_entry) {
    SetItemIndex(i);
    SelectionChanged();
    return;
  }
  const std::string previous = text_;
  SetText(previous);
  if (TCustomLookUp* lookup = LookUp()) {
    item_index_ = i;
    lookup->EditItems(Handle(), previous, [this](const std::string& text) { SetText(text); });
    if (item_index_ >= 0 && item_index_ < Count() && entries_[item_index_].edit_entry) {
      SetItemIndex(item_index_ - 1);
    }
  }
  SelectionChanged();
}

void TCustomChoiceList::UserEdited(std::string_view text) {
  text_ = std::string(text);
  item_index_ = IndexOfText(text_);
}

// ---- bound kinds

void TZqDBChoiceList::FieldRefresh() {
  if (HandingBack()) return;
  TZqField* f = ZqField();
  if (!f) {
    SetText({});
    return;
  }
  if (ValueMode == vmDefault || f->Kind() == fkLookUp) {
    SetText(TrimRight(f->Text()));
  } else {
    const int32_t v = f->AsInteger();
    int index = -1;
    if (ValueMode == vmItemIndex) {
      index = v;
    } else {
      for (int i = 0; i < Count(); ++i) {
        if (Entries()[i].id == v && !Entries()[i].edit_entry) index = i;
        if (index >= 0) break;
      }
    }
    SetItemIndex(v == NoInt ? -1 : index);
    if (ItemIndex() < 0) SetText({});
  }
  FieldUpdate();
}

void TZqDBChoiceList::FieldUpdate() {
  TZqField* f = ZqField();
  if (!f) return;
  ReadOnly = f->ReadOnly();
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  SetHint(f->Hint);
  Notify(vcState);
}

void TZqDBChoiceList::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  HandBackScope guard(*this);
  if (ValueMode == vmDefault || f->Kind() == fkLookUp) {
    f->SetText(Text());
    return;
  }
  const int index = IndexOfText(Text());
  SetItemIndex(index);
  if (index < 0) {
    f->SetAsInteger(NoInt);
  } else {
    f->SetAsInteger(ValueMode == vmItemIndex ? index : Entries()[index].id);
  }
}

void TZqDBChoiceList::SelectionChanged() {
  if (SetFieldDataOnSelChange) SetFieldData();
}

void TZqDBChoiceList::Exit() {
  if (SetFieldDataOnExit) SetFieldData();
}

TCustomLookUp* TZqDBLookUpComboBox::LookUp() const {
  return ZqField() ? ZqField()->LookUp() : TZqDBChoiceList::LookUp();
}

void TZqDBLookUpComboBox::FieldUpdate() {
  if (AttachLookUp(LookUp())) Refill();
  TZqDBChoiceList::FieldUpdate();
}

}  // namespace hx
