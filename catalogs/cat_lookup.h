// The catalog look-up (TCatLookUp): a look-up list whose entries are catalog items, either the
// items of its working set or, when that is empty and there is no manager dialog, every item
// of the catalog. A working set of 49 items or more is chosen from in the catalog's dialog
// instead of a pop-up list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogs/cat.h"
#include "records/lookup.h"

namespace hx {

class TSubLookUp;

class TCatLookUp : public TCustomLookUp, private ICatObserver {
 public:
  static constexpr int kDialogThreshold = 49;

  TCatLookUp() { DisplayStyle = dsCaptionGlyph; }
  ~TCatLookUp() override;

  TCustomCat* Cat() const { return cat_; }
  void SetCat(TCustomCat* cat);
  // With a manager dialog the list offers the edit entry, which opens it on the working set.
  TCatManagerDlg* CatManagerDlg() const { return manager_; }
  void SetCatManagerDlg(TCatManagerDlg* dlg);
  TSubLookUp* SubLookUp = nullptr;
  TCatDisplayMode CatDisplayMode = cdmSelectItem;

  // The working set, ordered by symbol; an item is added once. Items are not owned.
  const std::vector<TCatItem*>& WorkingSet() const { return working_; }
  bool AddToWorkingSet(TCatItem* item);
  void SetWorkingSet(const std::vector<TCatItem*>& items);
  void ClearWorkingSet();

  // Each entry shows its item's display symbol (hint: its description, id: its Typ, glyph: the
  // type's glyph).
  int Count() const override;
  TCustomLookUpItem* Items(int index) const override;
  TCatItem* Item(int index) const;
  const IImageList* Images() const override { return cat_ ? cat_->Images : nullptr; }
  void ItemChosen(int index) override;
  // The caption of the entry chosen last in a pop-up list.
  const std::string& LastChoice() const { return last_choice_; }

  // True when pulling the list down opens the catalog's dialog.
  bool PullDownOpensDialog() const { return static_cast<int>(working_.size()) >= kDialogThreshold; }
  // Pulls the list down under control: the catalog's select dialog (select and view modes) or
  // its edit-and-select dialog (edit modes) for a large working set, handing the chosen symbol
  // to callback; otherwise the pop-up list.
  void PullDown(LookUpControl control, std::string_view text, TReturnStr mode,
                const LookUpTextCallback& callback);
  // The edit entry: the manager dialog on the working set.
  void EditItems(LookUpControl control, const std::string& text,
                 const LookUpTextCallback& callback) override;

  // The Typ of the item of that symbol; -1 for a blank text or an unknown symbol.
  int32_t ValueOf(std::string_view text) const;

 private:
  void CatItemRemoved(TCustomCat& cat, const TCatItem* item) override;
  void CatDestroyed(TCustomCat& cat) override;
  void Sort();

  TCustomCat* cat_ = nullptr;
  TCatManagerDlg* manager_ = nullptr;
  std::vector<TCatItem*> working_;
  mutable TLookUpItem scratch_{this};
  std::string last_choice_;
};

}  // namespace hx
