#include "catalogs/cat_manager_model.h"

#include <algorithm>

#include "base/string_table.h"
#include "records/lookup_sub.h"
#include "records/messages.h"

namespace hx {
namespace {

// The types of the sub-look-up's items, or no filter.
TCatTypeFilter SubLookUpTypes(const TSubLookUp* sub) {
  if (!sub) return std::nullopt;
  TCatTypeSet types;
  for (int i = 0; i < sub->Count(); ++i) {
    const int32_t id = sub->Items(i) ? sub->Items(i)->Id() : NoInt;
    if (id >= 0 && id < 256) types.set(static_cast<size_t>(id));
  }
  return types;
}

}  // namespace

TCatManagerModel::TCatManagerModel(TCustomCat& cat, TCatManagerDlg& dlg,
                                   const std::vector<TCatItem*>& working_set)
    : cat_(&cat),
      dlg_(dlg),
      source_(cat, SubLookUpTypes(dlg.SubLookUpFilter), cdmSelectItem),
      chosen_(working_set) {
  cat_->AddObserver(this);
  source_.Refill();
}

TCatManagerModel::~TCatManagerModel() {
  if (cat_) cat_->RemoveObserver(this);
}

std::string TCatManagerModel::Caption() const {
  if (!dlg_.Caption.empty()) return dlg_.Caption;
  return cat_ ? cat_->Caption() : std::string();
}

bool TCatManagerModel::Full() const {
  return dlg_.SelNoLimit > 0 && static_cast<int>(chosen_.size()) >= dlg_.SelNoLimit;
}

int TCatManagerModel::CopySelected() {
  int added = 0;
  for (int index : source_selection_) {
    if (index < 0 || index >= static_cast<int>(source_.Entries().size())) continue;
    TCatItem* item = source_.Entries()[index].item;
    if (!item || std::find(chosen_.begin(), chosen_.end(), item) != chosen_.end()) continue;
    if (Full()) {
      ShowErrorMsg(20133, {dlg_.SelNoLimit});
      break;
    }
    chosen_.push_back(item);
    ++added;
  }
  return added;
}

void TCatManagerModel::RemoveSelected() {
  if (chosen_selection_.empty()) return;
  const int first = *chosen_selection_.begin();
  for (auto it = chosen_selection_.rbegin(); it != chosen_selection_.rend(); ++it) {
    if (*it >= 0 && *it < static_cast<int>(chosen_.size())) chosen_.erase(chosen_.begin() + *it);
  }
  chosen_selection_.clear();
  if (!chosen_.empty())
    chosen_selection_.insert(std::min(first, static_cast<int>(chosen_.size()) - 1));
}

std::string TCatManagerModel::CountText() const {
  std::string text = std::to_string(chosen_.size());
  if (CountAtLimit()) text += LoadStr(10314);
  return text;
}

bool TCatManagerModel::CountAtLimit() const {
  return Full();
}

void TCatManagerModel::CatItemRemoved(TCustomCat& cat, const TCatItem* item) {
  source_.DropItem(item);
  source_selection_.clear();
  if (!item) {
    chosen_.clear();
  } else {
    chosen_.erase(std::remove(chosen_.begin(), chosen_.end(), item), chosen_.end());
  }
  chosen_selection_.clear();
}

void TCatManagerModel::CatDestroyed(TCustomCat& cat) {
  cat_ = nullptr;
  CatItemRemoved(cat, nullptr);
  accepted_ = false;
}

}  // namespace hx
