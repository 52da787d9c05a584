#include "catalogs/edit_cat_list.h"

#include <algorithm>

#include "base/text.h"
#include "catalogs/cat_dialogs.h"
#include "objects/data_kind.h"
#include "objects/object_stream.h"
#include "records/messages.h"
#include "records/record.h"

namespace hx {
namespace {

std::unique_ptr<TCatItem> CloneItem(const TCatItem& item) {
  std::unique_ptr<TStreamableObject> copy = item.Clone();
  return std::unique_ptr<TCatItem>(static_cast<TCatItem*>(copy.release()));
}

// Variant 1 when the file carries one of the signature object's older signatures.
int FileVariant(const std::string& file_name, TFileVerInfo& signature) {
  try {
    TObjectStream s(file_name, FileMode::Read, signature);
    return s.VersionIndex() < 0 ? 1 : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

TCatFileDialogSpec FileSpec(const TCustomCat& cat, bool save) {
  return {save ? cat.StoreTitle : cat.OpenTitle,
          cat.DefaultExt,
          cat.FileName,
          cat.Filter,
          cat.FilterIndex,
          cat.InitialDir};
}

// Asks OnLoadItems or OnStoreItems for the file and the signature; with the default routine
// and no file name, the file dialog. Nothing when the handler did the work or the user
// cancelled.
std::optional<std::string> ChooseCatFile(TCustomCat& cat, bool save, TFileVerInfo*& signature) {
  std::string file_name;
  bool use_default = true;
  signature = &SigStandard();
  const TCustomCat::FileEvent& handler = save ? cat.OnStoreItems : cat.OnLoadItems;
  if (handler) handler(cat, file_name, use_default, signature);
  if (!use_default) return std::nullopt;
  if (!signature) signature = &SigStandard();
  if (!Trim(file_name).empty()) return file_name;
  ICatDialogHost* host = CatDialogHost();
  return host ? host->ChooseFile(FileSpec(cat, save), save) : std::nullopt;
}

}  // namespace

TEditCatListModel::TEditCatListModel(TCustomCat& cat, std::vector<TCatListEntry> entries,
                                     bool sorted)
    : cat_(&cat), entries_(std::move(entries)), sorted_(sorted) {
  cat_->AddObserver(this);
}

TEditCatListModel::~TEditCatListModel() {
  if (cat_) cat_->RemoveObserver(this);
}

void TEditCatListModel::Changed() {
  if (OnChanged) OnChanged();
}

void TEditCatListModel::SetCurrent(int index) {
  item_index_ = index;
  selection_.clear();
  if (index >= 0 && index < Count()) selection_.insert(index);
}

void TEditCatListModel::Select(int index) {
  if (index < 0 || index >= Count()) return;
  if (index == item_index_) {
    SetCurrent(index);
    return;
  }
  const int before = item_index_;
  SetCurrent(index);
  Commit(before);
  Changed();
}

void TEditCatListModel::ToggleSelected(int index) {
  if (index < 0 || index >= Count()) return;
  if (!selection_.erase(index)) selection_.insert(index);
  Changed();
}

void TEditCatListModel::SelectAll() {
  for (int i = 0; i < Count(); ++i) selection_.insert(i);
  Changed();
}

int TEditCatListModel::EntryOfSymbol(const std::string& symbol, int except) const {
  for (int i = 0; i < Count(); ++i) {
    if (i != except && entries_[i].item && SameText(Trim(entries_[i].item->Symbol()), symbol)) {
      return i;
    }
  }
  return -1;
}

void TEditCatListModel::CopyInto(TCatItem& target) {
  // The target keeps what makes it this catalog's item: its catalog, file position and flags.
  TCustomCat* cat = target.Cat();
  const int64_t position = target.StreamPosition();
  const int32_t flags = target.RuntimeFlags();
  copy_->CopyTo(target);
  target.SetCat(cat);
  target.SetStreamPosition(position);
  target.SetRuntimeFlags(flags);
  cat_->SetModified(true);
  if (cat_->Collection().Sorted()) cat_->Collection().Resort();
}

void TEditCatListModel::Commit(int index) {
  if (!cat_) return;
  if (entries_.empty()) {
    copy_.reset();
    copy_index_ = -1;
    if (OnChangeItem) OnChangeItem(nullptr);
    return;
  }
  if (index >= 0 && index < Count() && copy_ && copy_index_ == index) {
    if (OnWriteForm) OnWriteForm(*copy_);
    const std::string symbol = Trim(copy_->Symbol());
    TCatItem* item = entries_[index].item;
    if (symbol.empty() && !cat_->AllowEmptySymbols) {
      entries_[index].text.clear();
      SetCurrent(index);
      ShowErrorMsg(20134);
      Changed();
      return;
    }
    if (SameText(symbol, Trim(item->Symbol())) || (item->RuntimeFlags() & kRuntimeRenamed)) {
      CopyInto(*item);
      entries_[index].text = item->ListSymbol();
    } else if (const int other = cat_->AllowDuplicates ? -1 : EntryOfSymbol(symbol, index);
               other < 0) {
      if (Trim(item->Symbol()).empty()) {
        CopyInto(*item);
        entries_[index].text = item->ListSymbol();
      } else {
        // The entry keeps its item; the edited copy becomes an item of its own.
        std::unique_ptr<TCatItem> item_copy = std::move(copy_);
        copy_index_ = -1;
        item_copy->SetStreamPosition(-1);
        item_copy->SetRuntimeFlags(0);
        InsertNew(std::move(item_copy), item_index_ + 1, false);
      }
    } else {
      if (AskYesNo(10452, {symbol})) {
        CopyInto(*entries_[other].item);
        entries_[other].text = entries_[other].item->ListSymbol();
        SetCurrent(other);
      }
      if (Trim(entries_[index].item->Symbol()).empty()) {
        SetCurrent(index);
        Changed();
        return;
      }
      copy_.reset();
      copy_index_ = -1;
    }
  }
  Load();
}

void TEditCatListModel::Load() {
  if (entries_.empty()) {
    copy_.reset();
    copy_index_ = -1;
    if (OnChangeItem) OnChangeItem(nullptr);
    return;
  }
  if (item_index_ >= Count()) item_index_ = Count() - 1;
  if (item_index_ < 0) item_index_ = 0;
  if (selection_.empty()) selection_.insert(item_index_);
  std::unique_ptr<TCatItem> fresh = CloneItem(*entries_[item_index_].item);
  if (OnChangeItem) OnChangeItem(fresh.get());
  // The previous copy goes only now: the form showed it until the new one arrived.
  copy_ = std::move(fresh);
  copy_index_ = item_index_;
}

bool TEditCatListModel::InsertNew(std::unique_ptr<TCatItem> item, int at, bool select) {
  bool accept = true;
  if (cat_->OnInsertItem) cat_->OnInsertItem(*cat_, *item, accept);
  if (!accept) return false;
  TCatItem* raw = item.get();
  if (cat_->Insert(std::move(item)) < 0) return false;
  cat_->SetModified(true);
  at = std::clamp(at, 0, Count());
  entries_.insert(entries_.begin() + at, {raw->ListSymbol(), raw});
  std::set<int> shifted;
  for (int i : selection_) shifted.insert(i >= at ? i + 1 : i);
  selection_ = std::move(shifted);
  if (copy_index_ >= at) ++copy_index_;
  if (item_index_ >= at) ++item_index_;
  if (select) SetCurrent(at);
  SortAgain();
  return true;
}

void TEditCatListModel::SortAgain() {
  if (!sorted_) return;
  const TCatItem* current =
      item_index_ >= 0 && item_index_ < Count() ? entries_[item_index_].item : nullptr;
  const TCatItem* copied =
      copy_index_ >= 0 && copy_index_ < Count() ? entries_[copy_index_].item : nullptr;
  std::vector<const TCatItem*> selected;
  for (int i : selection_) selected.push_back(entries_[i].item);
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TCatListEntry& a, const TCatListEntry& b) {
                     return LocaleCompareText(a.text, b.text) < 0;
                   });
  auto position = [this](const TCatItem* item) {
    for (int i = 0; i < Count(); ++i) {
      if (entries_[i].item == item) return i;
    }
    return -1;
  };
  item_index_ = current ? position(current) : item_index_;
  copy_index_ = copied ? position(copied) : -1;
  selection_.clear();
  for (const TCatItem* item : selected) selection_.insert(position(item));
}

void TEditCatListModel::Insert() {
  if (!cat_ || !cat_->OnGetNewItem) return;
  Commit(item_index_);
  std::unique_ptr<TCatItem> item;
  cat_->OnGetNewItem(*cat_, item);
  if (!item) return;
  item->SetSymbol("");
  if (InsertNew(std::move(item), item_index_ + 1, true)) Load();
  Changed();
}

void TEditCatListModel::DeleteSelected() {
  if (!cat_ || selection_.empty() || !AskYesNo(10451)) return;
  const std::vector<int> selected(selection_.rbegin(), selection_.rend());
  int first_removed = -1;
  for (int index : selected) {
    TCatItem* item = entries_[index].item;
    bool accept = true;
    if (cat_->OnDeleteItem) cat_->OnDeleteItem(*cat_, *item, accept);
    if (!accept) continue;
    entries_.erase(entries_.begin() + index);
    selection_.erase(index);
    if (copy_index_ == index) {
      copy_index_ = -1;
      if (OnChangeItem) OnChangeItem(nullptr);
      copy_.reset();
    } else if (copy_index_ > index) {
      --copy_index_;
    }
    // Out of the catalog first, so that the catalog never holds a freed item.
    std::unique_ptr<TCatItem> taken = cat_->Remove(item);
    taken.reset();
    cat_->SetModified(true);
    first_removed = index;
  }
  cat_->AfterLoad();
  if (first_removed >= 0) {
    SetCurrent(std::min(first_removed, Count() - 1));
    Load();
  }
  Changed();
}

bool TEditCatListModel::ReadFromFile() {
  if (!cat_) return false;
  TFileVerInfo* signature = nullptr;
  const std::optional<std::string> file_name = ChooseCatFile(*cat_, false, signature);
  if (!file_name) return false;
  Commit(item_index_);
  std::vector<std::unique_ptr<TCatItem>> read;
  {
    DataKindScope kind(1);
    TCat temp;
    const int variant = FileVariant(*file_name, *signature);
    if (variant == 1) {
      temp.OpenV1(*file_name, *signature, false, true);
    } else {
      temp.Open(*file_name, *signature, false, true);
    }
    if (!temp.LastReadReport().opened) return false;
    read = temp.Detach();
  }
  bool cancelled = false;
  int at = item_index_ + 1;
  for (std::unique_ptr<TCatItem>& item : read) {
    if (cancelled) break;
    const int existing = EntryOfSymbol(Trim(item->Symbol()), -1);
    if (existing < 0) {
      if (InsertNew(std::move(item), at, false)) ++at;
      continue;
    }
    switch (AskYesNoCancel(10453, {Trim(item->Symbol())})) {
      case MsgAnswer::Yes: {
        TCatItem* old = entries_[existing].item;
        TCatItem* raw = item.get();
        if (cat_->Insert(std::move(item)) < 0) break;
        entries_[existing] = {raw->ListSymbol(), raw};
        if (copy_index_ == existing) copy_index_ = -1;
        std::unique_ptr<TCatItem> taken = cat_->Remove(old);
        cat_->SetModified(true);
        break;
      }
      case MsgAnswer::No:
        break;
      default:
        cancelled = true;
        break;
    }
  }
  cat_->AfterLoad();
  Load();
  Changed();
  return true;
}

bool TEditCatListModel::WriteToFile() {
  if (!cat_ || selection_.empty()) return false;
  TFileVerInfo* signature = nullptr;
  const std::optional<std::string> file_name = ChooseCatFile(*cat_, true, signature);
  if (!file_name) return false;
  Commit(item_index_);
  std::vector<const TCatItem*> items;
  for (int i : selection_) items.push_back(entries_[i].item);
  DataKindScope kind(1);
  return StoreCatalogItems(*file_name, *signature, items, static_cast<int>(items.size()));
}

bool TEditCatListModel::CanInsert() const {
  return cat_ && cat_->OnInsertItem != nullptr;
}

bool TEditCatListModel::CanDelete() const {
  return cat_ && item_index_ >= 0 && item_index_ < Count() && !selection_.empty() &&
         entries_[item_index_].item->CanDelete();
}

bool TEditCatListModel::CanReadFromFile() const {
  return cat_ && cat_->OnLoadItems != nullptr;
}

bool TEditCatListModel::CanWriteToFile() const {
  return cat_ && cat_->OnStoreItems != nullptr && !selection_.empty();
}

void TEditCatListModel::CatItemRemoved(TCustomCat& cat, const TCatItem* item) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (item && entries_[i].item != item) continue;
    entries_.erase(entries_.begin() + i);
    std::set<int> kept;
    for (int s : selection_) {
      if (s != i) kept.insert(s > i ? s - 1 : s);
    }
    selection_ = std::move(kept);
    if (item_index_ > i || item_index_ >= Count()) --item_index_;
    if (copy_index_ == i) {
      copy_index_ = -1;
      copy_.reset();
    } else if (copy_index_ > i) {
      --copy_index_;
    }
  }
  Changed();
}

void TEditCatListModel::CatDestroyed(TCustomCat& cat) {
  cat_ = nullptr;
  entries_.clear();
  selection_.clear();
  item_index_ = -1;
  copy_index_ = -1;
  copy_.reset();
  Changed();
}

}  // namespace hx
