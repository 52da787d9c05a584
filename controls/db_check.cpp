#include "controls/db_check.h"

#include "base/constants.h"
#include "records/field_boolean.h"
#include "records/lookup.h"

namespace hx {

GroupEntry ParseGroupEntry(std::string_view entry) {
  GroupEntry e;
  const size_t bar = entry.find('|');
  std::string_view caption = entry.substr(0, bar);
  if (bar != std::string_view::npos) e.hint = std::string(entry.substr(bar + 1));
  if (caption.substr(0, 2) == "%-") {
    e.enabled = false;
    caption.remove_prefix(2);
  }
  e.caption = std::string(caption);
  return e;
}

// ---- check box

void TZqDBCheckBox::set_state(int32_t state) {
  state_ = state < 0 && ThreeState() ? -1 : state > 0 ? 1 : 0;
  Notify(vcSelection);
}

void TZqDBCheckBox::Click() {
  if (read_only_ || !Enabled()) return;
  // Unchecked, checked, then grayed for three-state boxes.
  if (state_ == 0) {
    set_state(1);
  } else if (state_ == 1 && ThreeState()) {
    set_state(-1);
  } else {
    set_state(0);
  }
  if (SetFieldDataAfterClick) SetFieldData();
}

void TZqDBRadioButton::Click() {
  if (ReadOnly() || !Enabled() || Checked()) return;
  set_state(1);
  if (SetFieldDataAfterClick) SetFieldData();
}

void TZqDBCheckBox::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  HandBackScope guard(*this);
  if (auto* b = dynamic_cast<TCustomBooleanField*>(f)) {
    b->SetState(state_);
  } else {
    f->SetAsBoolean(state_ == 1);
  }
}

void TZqDBCheckBox::FieldRefresh() {
  if (HandingBack()) return;
  const TZqField* f = ZqField();
  caption_ = f ? f->Caption : std::string();
  Notify(vcText);
  if (const auto* b = dynamic_cast<const TCustomBooleanField*>(f)) {
    set_state(b->State());
  } else {
    set_state(0);
  }
  FieldUpdate();
}

void TZqDBCheckBox::FieldUpdate() {
  const TZqField* f = ZqField();
  if (!f) return;
  read_only_ = f->ReadOnly();
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  SetHint(f->Hint);
}

// ---- groups

void TZqDBGroup::SetItems(const std::vector<std::string>& items) {
  entries_.clear();
  for (const std::string& item : items) entries_.push_back(ParseGroupEntry(item));
  Notify(vcItems);
  if (ZqField()) FieldRefresh();
}

void TZqDBGroup::Click(int i) {
  if (read_only_ || !Enabled() || i < 0 || i >= Count() || !entries_[i].enabled) return;
  if (Toggle(i) && SetFieldDataOnClick) SetFieldData();
}

void TZqDBGroup::Exit() {
  if (SetFieldDataOnExit) SetFieldData();
}

void TZqDBGroup::FieldUpdate() {
  const TZqField* f = ZqField();
  if (!f) return;
  read_only_ = f->ReadOnly();
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  SetHint(f->Hint);
}

bool TZqDBCheckBoxGroup::Toggle(int i) {
  if (i >= 32) return false;
  value_ ^= 1u << i;
  Notify(vcSelection);
  return true;
}

void TZqDBCheckBoxGroup::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  HandBackScope guard(*this);
  f->SetAsInteger(static_cast<int32_t>(value_));
}

void TZqDBCheckBoxGroup::FieldRefresh() {
  if (HandingBack()) return;
  const TZqField* f = ZqField();
  const int32_t v = f ? f->AsInteger() : NoInt;
  value_ = v == NoInt ? 0u : static_cast<uint32_t>(v);
  Notify(vcSelection);
  FieldUpdate();
}

bool TZqDBRadioGroup::Toggle(int i) {
  if (item_index_ == i) return false;
  item_index_ = i;
  Notify(vcSelection);
  return true;
}

void TZqDBRadioGroup::SetFieldData() {
  TZqField* f = ZqField();
  if (!f || f->ReadOnly()) return;
  HandBackScope guard(*this);
  f->SetAsInteger(item_index_ < 0 ? NoInt : item_index_);
}

void TZqDBRadioGroup::FieldRefresh() {
  if (HandingBack()) return;
  const TZqField* f = ZqField();
  const int32_t v = f ? f->AsInteger() : NoInt;
  item_index_ = v >= 0 && v < Count() ? v : -1;
  Notify(vcSelection);
  FieldUpdate();
}

}  // namespace hx
