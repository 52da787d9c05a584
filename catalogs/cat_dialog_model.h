// The models of the simple catalog dialog (TF_Cat) and of the extended one (TF_CatEx).
//
// A view shows a model and forwards the user's input to it:
//   framing      Caption, ListCaption, HelpContext, Images/ImageIndex, the tabs of a chain
//                (TabsVisible, TabCaptions, TabIndex/SetTabIndex);
//   visibility   CharacteristicsVisible, ProducerVisible, ProducerInfoVisible,
//                ProducerFilterVisible, TypeFilterVisible, SelectVisible, CancelIsClose;
//   list         Count, Entry, EntryColor, Selected/SetSelected (several in the edit modes:
//                EditList), TypeAhead (selects the first entry a typed prefix begins) and
//                SetFilterText (narrows the list to the entries the typed prefix begins);
//   filters      TypeFilterEntries/TypeFilterIndex/SetTypeFilterIndex and the producer box
//                (ProducerFilterEntries/ProducerFilterIndex/SetProducerFilterIndex);
//   fields       CounterText, DescriptionText, ProducerText and the enabled state of select,
//                characteristics and producer information;
//   commands     Select, Characteristics, Cancel, ShowProducerInfo; the extended dialog adds
//                HideCharacteristics, Close, the item form (Form, OnFormChanged) and the editing
//                list of the edit modes (EditList, with the tool row's commands);
//   results      Answer and Result, read by the dialog operation when the view returns.
// OnChanged tells the view to show the model again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/cat.h"
#include "catalogs/cat_dialogs.h"
#include "catalogs/cat_list.h"
#include "catalogs/edit_cat_list.h"

namespace hx {

class ISettingsStore;

enum class TCatDialogAnswer {
  None,                 // still open
  Ok,                   // an entry was selected
  Cancel,               // cancelled or closed
  Characteristics,      // the simple dialog hands over to the extended one
  HideCharacteristics,  // the extended dialog hands back to the simple one
};

class TCatDialogModel : protected ICatObserver {
 public:
  // The model of one run over cat (the first catalog of its chain). Constructing it marks the
  // chain busy; destroying it clears the busy flags of the chain and restores cat's previous
  // one.
  TCatDialogModel(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode, std::string_view symbol,
                  TCatTypeFilter filter);
  virtual ~TCatDialogModel();
  TCatDialogModel(const TCatDialogModel&) = delete;
  TCatDialogModel& operator=(const TCatDialogModel&) = delete;

  // ---- framing
  // The request's catalog, or none once it went away.
  TCustomCat* Cat() const { return cat_; }
  TCatDlg* Dlg() const { return dlg_; }
  TCatDisplayMode Mode() const { return mode_; }
  const std::string& InitialSymbol() const { return symbol_; }
  bool CatalogWasBusy() const { return was_busy_; }
  std::string Caption() const;
  std::string ListCaption() const;
  int32_t HelpContext() const;
  const IImageList* Images() const;
  int32_t ImageIndex() const;

  // ---- tabs: one per catalog of the chain, shown when the next catalog has items
  bool TabsVisible() const;
  std::vector<std::string> TabCaptions() const;
  int TabIndex() const { return tab_index_; }
  void SetTabIndex(int index);
  // The catalog of the chosen tab.
  TCustomCat* ShownCat() const;

  // ---- visibility
  bool CatDataButtonVisible() const { return false; }
  bool CharacteristicsVisible() const;
  bool ProducerVisible() const;
  bool ProducerInfoVisible() const;
  bool ProducerFilterVisible() const;
  bool TypeFilterVisible() const;
  bool SelectVisible() const;
  bool CancelIsClose() const;

  // ---- activation: the tab from the settings value "CatTabIndex" of the dialog's section
  // (for a chain, the tab of the first catalog holding the initial symbol), the filters and the
  // list, then the initial symbol (or the first entry) selected.
  virtual void Activate(ISettingsStore& settings);
  void SaveTabIndex(ISettingsStore& settings) const;

  // ---- list
  virtual int Count() const;
  virtual const TCatListEntry& Entry(int index) const;
  std::optional<uint32_t> EntryColor(int index) const { return CatEntryColor(Entry(index)); }
  virtual int Selected() const { return selected_; }
  virtual void SetSelected(int index);
  TCatItem* SelectedItem() const;
  // Selects the first entry that begins with prefix; its position or -1.
  int TypeAhead(std::string_view prefix);
  // Lists only the entries that begin with prefix (ignoring case); the selected item stays
  // selected while it is listed, else the first entry is.
  virtual void SetFilterText(std::string_view prefix);
  const std::string& FilterText() const { return list_.Prefix(); }
  TCatListModel& List() { return list_; }

  const std::vector<TCatListEntry>& TypeFilterEntries() const { return list_.TypeEntries(); }
  int TypeFilterIndex() const { return list_.TypeIndex(); }
  void SetTypeFilterIndex(int index);
  const std::vector<TCatListEntry>& ProducerFilterEntries() const {
    return list_.ProducerEntries();
  }
  int ProducerFilterIndex() const { return list_.ProducerIndex(); }
  void SetProducerFilterIndex(int index);

  // ---- fields of the selected entry
  // "position : count" (position from 1; 0 without a selection).
  std::string CounterText() const;
  std::string DescriptionText() const;
  std::string ProducerText() const;
  bool SelectEnabled() const { return SelectedItem() != nullptr; }
  bool CharacteristicsEnabled() const { return SelectedItem() != nullptr; }
  bool ProducerInfoEnabled() const;

  // ---- commands
  // The selected item's display symbol becomes the result; the catalog's current item is the
  // item of that symbol (or the first item).
  void Select();
  // The result is the selected item's display symbol; the dialog closes with the
  // characteristics answer.
  void Characteristics();
  void Cancel() { Close(TCatDialogAnswer::Cancel); }
  void ShowProducerInfo(TOwnerWindow window);

  TCatDialogAnswer Answer() const { return answer_; }
  bool Closed() const { return answer_ != TCatDialogAnswer::None; }
  const std::string& Result() const { return result_; }

  std::function<void()> OnChanged;

 protected:
  void CatItemRemoved(TCustomCat& cat, const TCatItem* item) override;
  void CatDestroyed(TCustomCat& cat) override;
  virtual void Close(TCatDialogAnswer answer);
  // The selection moved (the extended dialog shows the item's form).
  virtual void SelectionChanged() {}
  void Changed() {
    if (OnChanged) OnChanged();
  }
  void SetResult(std::string result) { result_ = std::move(result); }
  void SelectSymbol(std::string_view symbol);

  TCustomCat* cat_;
  TCatDlg* dlg_;
  TCatDisplayMode mode_;
  std::string symbol_;
  TCatListModel list_;
  int selected_ = -1;

 private:
  std::vector<TCustomCat*> Chain() const;

  std::vector<TCustomCat*> observed_;
  bool was_busy_;
  int tab_index_ = 0;
  TCatDialogAnswer answer_ = TCatDialogAnswer::None;
  std::string result_;
};

class TCatExDialogModel : public TCatDialogModel {
 public:
  TCatExDialogModel(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode, std::string_view symbol,
                    TCatTypeFilter filter, bool modal = true);
  ~TCatExDialogModel() override;

  bool Modal() const { return modal_; }
  void Activate(ISettingsStore& settings) override;

  // ---- the tool row of the edit modes
  bool ToolRowVisible() const { return IsEditMode(mode_); }
  // Table editing: a TCat with an OnTabEdit handler.
  bool TableEditVisible() const;
  void TableEdit();
  bool MultiSelect() const { return IsEditMode(mode_); }
  // The editing list (edit modes only; none otherwise).
  TEditCatListModel* EditList() const { return edit_.get(); }

  // ---- the item form beside the list
  TCatItemForm* Form() const { return form_.get(); }
  // The item the form shows: the selected item, its full item for an index catalog, or the
  // editing list's working copy.
  TCatItem* ShownItem() const { return shown_; }
  std::function<void()> OnFormChanged;

  // ---- commands
  void HideCharacteristics() { Close(TCatDialogAnswer::HideCharacteristics); }
  // The close button: in the edit modes the pending edit is applied first.
  void CloseDialog() { Close(TCatDialogAnswer::Cancel); }

  int Count() const override;
  const TCatListEntry& Entry(int index) const override;
  int Selected() const override;
  void SetSelected(int index) override;
  void SetFilterText(std::string_view prefix) override;

 protected:
  void Close(TCatDialogAnswer answer) override;
  void SelectionChanged() override;
  void CatItemRemoved(TCustomCat& cat, const TCatItem* item) override;
  void CatDestroyed(TCustomCat& cat) override;

 private:
  // Asks the catalog for the form of item and tells the catalog about the item.
  void ShowItem(TCatItem* item);
  void MakeEditList();

  bool modal_;
  std::unique_ptr<TEditCatListModel> edit_;
  std::unique_ptr<TCatItemForm> form_;
  // The full item of an index catalog's entry, owned while it is shown.
  std::unique_ptr<TCatItem> full_;
  TCatItem* shown_ = nullptr;
};

}  // namespace hx
