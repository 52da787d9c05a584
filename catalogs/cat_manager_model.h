// The model of the manager dialog (TF_CatManager): the catalog's items on the left (with the
// producer and type filters), the working set on the right, copying and removing entries with
// the size limit, and the working set that OK hands back.
//
// A view shows Source() (a list model: entries, filter boxes, typed prefix) and Chosen(), keeps
// the selections with SetSourceSelection/SetChosenSelection, forwards the copy and remove
// buttons (and drags between the lists) to CopySelected/RemoveSelected, shows CountText in red
// while CountAtLimit, and ends with Ok or Cancel.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogs/cat.h"
#include "catalogs/cat_dialogs.h"
#include "catalogs/cat_list.h"

namespace hx {

class TCatManagerModel : private ICatObserver {
 public:
  TCatManagerModel(TCustomCat& cat, TCatManagerDlg& dlg, const std::vector<TCatItem*>& working_set);
  ~TCatManagerModel();
  TCatManagerModel(const TCatManagerModel&) = delete;
  TCatManagerModel& operator=(const TCatManagerModel&) = delete;

  std::string Caption() const;
  const std::string& SourCaption() const { return dlg_.SourCaption; }
  const std::string& DesCaption() const { return dlg_.DesCaption; }
  int32_t HelpContext() const { return dlg_.HelpContext; }

  bool OpenVisible() const { return HasOption(dlg_.Options, voOpenBtn); }
  bool CharacteristicsVisible() const { return HasOption(dlg_.Options, voInfoItemBtn); }
  bool ProducerInfoVisible() const { return HasOption(dlg_.Options, voInfoProdBtn); }
  bool ProducerVisible() const { return HasOption(dlg_.Options, voProd); }
  bool ProducerFilterVisible() const { return HasOption(dlg_.Options, voSelProd); }
  bool TypeFilterVisible() const { return HasOption(dlg_.Options, voSeltyp); }

  // The catalog's items (the types of the dialog's sub-look-up only, when it has one).
  TCatListModel& Source() { return source_; }
  const std::set<int>& SourceSelection() const { return source_selection_; }
  void SetSourceSelection(std::set<int> selection) { source_selection_ = std::move(selection); }

  // The working set being composed.
  const std::vector<TCatItem*>& Chosen() const { return chosen_; }
  const std::set<int>& ChosenSelection() const { return chosen_selection_; }
  void SetChosenSelection(std::set<int> selection) { chosen_selection_ = std::move(selection); }

  // Adds every selected left entry that is not yet on the right; when the right list is full
  // (SelNoLimit), message 20133 with the limit stops the copy. The number of entries added.
  int CopySelected();
  // Removes the selected right entries and selects the entry at the first removed position.
  void RemoveSelected();

  // The number of entries, followed by " макс." (10314) once the limit is reached.
  std::string CountText() const;
  bool CountAtLimit() const;

  void Ok() { accepted_ = true; }
  void Cancel() { accepted_ = false; }
  bool Accepted() const { return accepted_; }
  // The right list in order.
  const std::vector<TCatItem*>& WorkingSet() const { return chosen_; }

 private:
  void CatItemRemoved(TCustomCat& cat, const TCatItem* item) override;
  void CatDestroyed(TCustomCat& cat) override;
  bool Full() const;

  TCustomCat* cat_;
  TCatManagerDlg& dlg_;
  TCatListModel source_;
  std::set<int> source_selection_;
  std::vector<TCatItem*> chosen_;
  std::set<int> chosen_selection_;
  bool accepted_ = false;
};

}  // namespace hx
