#include "catalogs/cat_lookup.h"

#include <algorithm>

#include "base/text.h"

namespace hx {

TCatLookUp::~TCatLookUp() {
  if (cat_) cat_->RemoveObserver(this);
}

void TCatLookUp::SetCat(TCustomCat* cat) {
  if (cat == cat_) return;
  if (cat_) cat_->RemoveObserver(this);
  cat_ = cat;
  working_.clear();
  if (cat_) cat_->AddObserver(this);
  Changed();
}

void TCatLookUp::SetCatManagerDlg(TCatManagerDlg* dlg) {
  manager_ = dlg;
  AddEditItem = dlg != nullptr;
  Changed();
}

void TCatLookUp::Sort() {
  std::stable_sort(working_.begin(), working_.end(), [](const TCatItem* a, const TCatItem* b) {
    return CompareText(a->Symbol(), b->Symbol()) < 0;
  });
}

bool TCatLookUp::AddToWorkingSet(TCatItem* item) {
  if (!item || std::find(working_.begin(), working_.end(), item) != working_.end()) return false;
  working_.push_back(item);
  Sort();
  Changed();
  return true;
}

void TCatLookUp::SetWorkingSet(const std::vector<TCatItem*>& items) {
  working_.clear();
  for (TCatItem* item : items) {
    if (item && std::find(working_.begin(), working_.end(), item) == working_.end()) {
      working_.push_back(item);
    }
  }
  Sort();
  Changed();
}

void TCatLookUp::ClearWorkingSet() {
  working_.clear();
  Changed();
}

int TCatLookUp::Count() const {
  if (!working_.empty()) return static_cast<int>(working_.size());
  return cat_ && !manager_ ? cat_->Count() : 0;
}

TCatItem* TCatLookUp::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return working_.empty() ? cat_->Items(index) : working_[index];
}

TCustomLookUpItem* TCatLookUp::Items(int index) const {
  const TCatItem* item = Item(index);
  if (!item) return nullptr;
  LookUpItemData data;
  data.caption = item->DisplaySymbol();
  data.hint = item->ListDescription();
  data.id_str = item->Symbol();
  data.id = item->Typ();
  data.glyph = cat_->TypeGlyph(item->Typ());
  scratch_.Fill(std::move(data));
  return &scratch_;
}

void TCatLookUp::ItemChosen(int index) {
  if (const TCatItem* item = Item(index)) last_choice_ = item->DisplaySymbol();
}

void TCatLookUp::PullDown(LookUpControl control, std::string_view text, TReturnStr mode,
                          const LookUpTextCallback& callback) {
  if (!cat_ || !PullDownOpensDialog()) {
    PopUpUnder(control, mode, callback);
    return;
  }
  const std::string chosen =
      IsEditMode(CatDisplayMode) ? cat_->EditAndSelect(text) : cat_->SelectItem(text, std::nullopt);
  if (callback) callback(chosen);
}

void TCatLookUp::EditItems(LookUpControl control, const std::string& text,
                           const LookUpTextCallback& callback) {
  if (cat_ && cat_->ManageWorkingSet(*this) && callback) callback(text);
  TCustomLookUp::EditItems(control, text, callback);
}

int32_t TCatLookUp::ValueOf(std::string_view text) const {
  if (!cat_ || Trim(text).empty()) return -1;
  const TCatItem* item = cat_->FindBySymbol(text);
  return item ? item->Typ() : -1;
}

void TCatLookUp::CatItemRemoved(TCustomCat& cat, const TCatItem* item) {
  if (!item) {
    working_.clear();
  } else {
    working_.erase(std::remove(working_.begin(), working_.end(), item), working_.end());
  }
  Changed();
}

void TCatLookUp::CatDestroyed(TCustomCat& cat) {
  cat_ = nullptr;
  working_.clear();
  Changed();
}

}  // namespace hx
