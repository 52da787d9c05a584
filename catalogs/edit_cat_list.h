// The editing list of the extended dialog in the edit modes (the TEditCatListBox control's
// model): its entries and selection, the working copy the item form edits, the commit rules
// that carry the copy back into the catalog, and the insert, delete, read and write commands
// with the enabled state of their actions.
//
// The item form never edits a catalog item itself: it edits a working copy of the selected
// entry's item. Commit(index) runs when the selection moves (with the index selected before),
// before an insert, on apply and when the dialog closes; Revert loads the selected entry again
// and drops the edits.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalogs/cat.h"

namespace hx {

class TEditCatListModel : private ICatObserver {
 public:
  // Shows the working copy (none: no item) in the item form: OnChangeItem(list, copy).
  using ChangeItemEvent = std::function<void(TCatItem* copy)>;
  // Writes the item form's values into the working copy.
  using WriteFormEvent = std::function<void(TCatItem& copy)>;

  // The list over entries (the items of the catalog in list order); sorted lists are sorted
  // again after an insert.
  TEditCatListModel(TCustomCat& cat, std::vector<TCatListEntry> entries, bool sorted);
  ~TEditCatListModel();
  TEditCatListModel(const TEditCatListModel&) = delete;
  TEditCatListModel& operator=(const TEditCatListModel&) = delete;

  ChangeItemEvent OnChangeItem;
  WriteFormEvent OnWriteForm;

  TCustomCat* Cat() const { return cat_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  const TCatListEntry& Entry(int index) const { return entries_.at(index); }
  const std::vector<TCatListEntry>& Entries() const { return entries_; }

  // The current entry (-1: none) and the selected entries (several may be selected).
  int ItemIndex() const { return item_index_; }
  const std::set<int>& Selection() const { return selection_; }
  bool IsSelected(int index) const { return selection_.count(index) > 0; }
  // Moves the current entry (alone selected): commits the entry selected before, then loads
  // the new one.
  void Select(int index);
  // Adds or removes an entry from the selection without moving the current entry.
  void ToggleSelected(int index);
  void SelectAll();

  // The copy the item form shows, or none.
  TCatItem* WorkingCopy() const { return copy_.get(); }

  // The commit rules. index is the entry whose edits are committed; -1 only loads.
  void Commit(int index);
  // Apply: commits the current entry. Revert: loads it again.
  void Apply() { Commit(item_index_); }
  void Revert() { Commit(-1); }

  // OnGetNewItem gives a new item (none: nothing happens); its symbol is cleared;
  // OnInsertItem decides; an accepted item goes into the catalog and into the list after the
  // current entry, a refused one is freed.
  void Insert();
  // Asks 10451; on Yes asks OnDeleteItem for each selected entry from the last up and takes
  // each accepted item out of the catalog before freeing it; then the catalog's AfterLoad.
  void DeleteSelected();
  // Reads items from a file chosen through OnLoadItems or the open dialog into the list: a new
  // symbol is inserted after the current entry, an existing one asks 10453 (Yes replaces the
  // old item, No drops the read one, Cancel drops the rest). False when nothing was read.
  bool ReadFromFile();
  // Stores the selected items (DataKind 1, unsorted, default signature "STANDARD_4.0") into a
  // file chosen through OnStoreItems or the save dialog. False when nothing was stored.
  bool WriteToFile();

  // The actions' enabled state.
  bool CanApply() const { return !entries_.empty(); }
  bool CanRevert() const { return !entries_.empty(); }
  bool CanInsert() const;
  bool CanDelete() const;
  bool CanSelectAll() const { return !entries_.empty(); }
  bool CanReadFromFile() const;
  bool CanWriteToFile() const;

  // The view repaints the list.
  std::function<void()> OnChanged;

 private:
  void CatItemRemoved(TCustomCat& cat, const TCatItem* item) override;
  void CatDestroyed(TCustomCat& cat) override;

  void Load();
  void SetCurrent(int index);
  // Hands item to OnInsertItem and, accepted, inserts it into the catalog and into the list at
  // position at; true when inserted.
  bool InsertNew(std::unique_ptr<TCatItem> item, int at, bool select);
  int EntryOfSymbol(const std::string& symbol, int except) const;
  void CopyInto(TCatItem& target);
  void SortAgain();
  void Changed();

  TCustomCat* cat_;
  std::vector<TCatListEntry> entries_;
  bool sorted_;
  int item_index_ = -1;
  // The entry the working copy was made from.
  int copy_index_ = -1;
  std::set<int> selection_;
  std::unique_ptr<TCatItem> copy_;
};

}  // namespace hx
