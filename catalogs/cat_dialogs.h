// The dialog components a data module attaches to its catalogs (TCatDlg, TCatManagerDlg), the
// shared list colours, the item forms the extended dialog docks beside its list, the rename
// form, and the host through which the platform shows the dialogs.
//
// Every dialog is a model here (cat_dialog_model.h, edit_cat_list.h, cat_manager_model.h): it
// decides what is listed, filtered, coloured, enabled and returned. The platform installs an
// ICatDialogHost whose views show a model and forward the user's input to it; tests install a
// host that drives the models directly. Without a host every dialog answers as cancelled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/cat.h"

namespace hx {

class TCatDialogModel;
class TCatExDialogModel;
class TCatItemInfoModel;
class TCatManagerModel;
class TSubLookUp;

// ---- options and components

// What a dialog shows (TCatDisplayOptions).
enum TCatDisplayOption : uint8_t {
  voDKManBtn,
  voOpenBtn,
  voInfoItemBtn,  // the characteristics button
  voProd,         // the producer of the selected item
  voInfoProdBtn,  // the producer information button
  voSelProd,      // the producer filter
  voSeltyp,       // the type filter
};
using TCatDisplayOptions = uint8_t;
inline constexpr TCatDisplayOptions OptionBit(TCatDisplayOption o) {
  return static_cast<TCatDisplayOptions>(1u << o);
}
inline bool HasOption(TCatDisplayOptions options, TCatDisplayOption o) {
  return options & OptionBit(o);
}
// A new dialog has every option except voOpenBtn.
inline constexpr TCatDisplayOptions kDefaultCatDisplayOptions =
    OptionBit(voDKManBtn) | OptionBit(voInfoItemBtn) | OptionBit(voProd) |
    OptionBit(voInfoProdBtn) | OptionBit(voSelProd) | OptionBit(voSeltyp);

// The select, view and edit dialog of a catalog. It belongs to one catalog at a time: the
// catalog attaches it (TCustomCat::SetSelectCatDlg and kin).
class TCatDlg {
 public:
  TCatDlg() = default;
  ~TCatDlg();
  TCatDlg(const TCatDlg&) = delete;
  TCatDlg& operator=(const TCatDlg&) = delete;

  std::string Name;       // the component name (IndCatDlg, CatDlg)
  std::string OwnerName;  // the data module's name
  int32_t HelpContext = 0;
  std::string Caption;  // empty: the catalog's caption
  std::string ListCaption;
  TCatDisplayOptions Options = kDefaultCatDisplayOptions;
  bool StoreSize = false;
  int32_t ItemsListBoxWidth = 0;

  TCustomCat* Cat() const { return cat_; }
  // The type filter of the running request.
  const TCatTypeFilter& TypeFilter() const { return type_filter_; }
  void SetTypeFilter(const TCatTypeFilter& filter) { type_filter_ = filter; }
  // The settings section of the dialog's tab index and size: owner name, "_", dialog name.
  std::string SettingsSection() const { return OwnerName + "_" + Name; }
  // The item form the open extended dialog shows (not owned), or none.
  TCatItemForm* OpenForm() const { return open_form_; }
  void SetOpenForm(TCatItemForm* form) { open_form_ = form; }

 private:
  friend class TCustomCat;
  void AttachTo(TCustomCat& cat);
  void DetachFrom(TCustomCat& cat);

  TCustomCat* cat_ = nullptr;
  TCatTypeFilter type_filter_;
  TCatItemForm* open_form_ = nullptr;
};

// The manager dialog that composes a look-up's working set from the whole catalog.
class TCatManagerDlg {
 public:
  TCatManagerDlg() = default;
  ~TCatManagerDlg();
  TCatManagerDlg(const TCatManagerDlg&) = delete;
  TCatManagerDlg& operator=(const TCatManagerDlg&) = delete;

  std::string Name;
  std::string OwnerName;
  int32_t HelpContext = 0;
  std::string Caption;
  std::string SourCaption;  // the catalog's list
  std::string DesCaption;   // the working set
  TCatDisplayOptions Options = kDefaultCatDisplayOptions;
  int32_t SelNoLimit = 0;  // largest working set; 0: no limit
  bool StoreSize = false;
  int32_t ItemsListBoxWidth = 0;
  // Only the types of this sub-look-up's items are offered (not owned; none: all).
  TSubLookUp* SubLookUpFilter = nullptr;

  TCustomCat* Cat() const { return cat_; }
  std::string SettingsSection() const { return OwnerName + "_" + Name; }

 private:
  friend class TCustomCat;
  void AttachTo(TCustomCat& cat);
  void DetachFrom(TCustomCat& cat);

  TCustomCat* cat_ = nullptr;
};

// ---- list colours (0x00BBGGRR), shared by every catalog list and the size tables

struct TCatListColors {
  uint32_t on_order = 0xFFAAFF;         // RGB(255,170,255)
  uint32_t removed = 0x8282FF;          // RGB(255,130,130)
  uint32_t not_recommended = 0xE2E2E2;  // RGB(226,226,226)
  uint32_t empty_row = 0xE2E2E2;        // RGB(226,226,226)
  uint32_t hidden = 0xC8C8C8;           // RGB(200,200,200)
};
const TCatListColors& CatListColors();
// Maps every colour to the nearest one the screen can show (the platform calls it at start).
void MapCatListColors(const std::function<uint32_t(uint32_t)>& nearest);

// The background of a list entry: the empty-row colour for a blank entry; for an item the
// hidden colour when it is not visible, else the removed colour, else the on-order colour;
// nothing (the list's own colour) otherwise.
std::optional<uint32_t> CatEntryColor(const TCatListEntry& entry);
inline constexpr int kCatEntryHeight = 18;

// ---- item forms

// The form an item is shown in: docked beside the extended dialog's list or hosted by the
// information window. The platform's view of a form binds its controls to the form's record
// and writes their texts back when asked (OnWriteValues).
class TCatItemForm {
 public:
  virtual ~TCatItemForm() = default;

  // The type id of the items the form is made for; -1 for any.
  int32_t Tag = -1;
  TCatDisplayMode DisplayMode = cdmViewItems;
  // Which view the platform shows for the form.
  virtual std::string Kind() const = 0;
  virtual std::string Caption() const = 0;
  // The item shown changed (none: no item).
  virtual void ItemChanged(TCatItem* item) {}
  // Writes the values the view holds into the item shown.
  void WriteValues() {
    if (OnWriteValues) OnWriteValues();
  }
  std::function<void()> OnWriteValues;
};

// ---- the rename form (TF_RenameCatItem)

class TRenameCatItemModel {
 public:
  TRenameCatItemModel(std::string old_symbol, std::string_view new_symbol);
  static constexpr const char* kCaption = "Zmiana symbolu elementu katalogu";
  const std::string& OldSymbol() const { return old_symbol_; }
  const std::string& NewSymbol() const { return new_symbol_; }
  // The new symbol is kept trimmed and in upper case.
  void SetNewSymbol(std::string_view symbol);

 private:
  std::string old_symbol_;
  std::string new_symbol_;
};

// ---- file choice

struct TCatFileDialogSpec {
  std::string title;
  std::string default_ext;
  std::string file_name;
  std::string filter;  // "caption|mask|caption|mask"
  int32_t filter_index = 1;
  std::string initial_dir;
};

// ---- the host

class ICatDialogHost {
 public:
  virtual ~ICatDialogHost() = default;
  // Shows a dialog modally until the model has its answer (the views call the models'
  // commands).
  virtual void RunCatDialog(TCatDialogModel& model) = 0;
  virtual void RunCatExDialog(TCatExDialogModel& model) = 0;
  // The extended dialog as a stay-on-top window: the host keeps the model until the window
  // closes.
  virtual void ShowCatExDialog(std::unique_ptr<TCatExDialogModel> model) = 0;
  virtual void RunManagerDialog(TCatManagerModel& model) = 0;
  // True when OK was chosen.
  virtual bool RunRenameForm(TRenameCatItemModel& model) = 0;
  virtual void RunItemInfo(TCatItemInfoModel& model) = 0;
  // The chosen file, or nothing when cancelled.
  virtual std::optional<std::string> ChooseFile(const TCatFileDialogSpec& spec, bool save) = 0;
  // Opens a web or mail link with the system's handler.
  virtual bool OpenLink(const std::string& url) = 0;
};
// Installs the host (not owned); none removes it.
void SetCatDialogHost(ICatDialogHost* host);
ICatDialogHost* CatDialogHost();

// The rename form through the host; false without one.
bool RunRenameForm(TRenameCatItemModel& model);

// The steps an entry scrolls per timer tick while it is dragged distance pixels outside the
// list: (distance / 20)^2 + 1.
int DragScrollStep(int distance);

}  // namespace hx
