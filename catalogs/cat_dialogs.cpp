#include "catalogs/cat_dialogs.h"

#include "base/settings_store.h"
#include "base/text.h"
#include "catalogs/cat_dialog_model.h"
#include "catalogs/cat_lookup.h"
#include "catalogs/cat_manager_model.h"
#include "records/messages.h"

namespace hx {
namespace {

ICatDialogHost* g_host = nullptr;
TCatListColors g_colors;

// The settings the dialogs keep their tab index in.
ISettingsStore& DialogSettings() {
  return Settings(ssCommonUser);
}

// Restores the catalog's display mode when the operation ends.
class DisplayModeScope {
 public:
  DisplayModeScope(TCustomCat& cat, TCatDisplayMode mode) : cat_(cat), saved_(cat.DisplayMode) {
    cat.DisplayMode = mode;
  }
  ~DisplayModeScope() { cat_.DisplayMode = saved_; }

 private:
  TCustomCat& cat_;
  TCatDisplayMode saved_;
};

std::string RunExtended(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode,
                        const std::string& symbol, const TCatTypeFilter& filter);

// One modal run of the simple dialog; the characteristics answer goes on to the extended one.
std::string RunSimple(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode,
                      const std::string& symbol, const TCatTypeFilter& filter) {
  std::string result = symbol;
  TCatDialogAnswer answer;
  {
    TCatDialogModel model(cat, dlg, mode, symbol, filter);
    model.Activate(DialogSettings());
    if (ICatDialogHost* host = CatDialogHost()) host->RunCatDialog(model);
    answer = model.Answer();
    if ((answer == TCatDialogAnswer::Ok || answer == TCatDialogAnswer::Characteristics) &&
        !Trim(model.Result()).empty()) {
      result = model.Result();
    }
    if (!model.Cat()) return result;
    model.SaveTabIndex(DialogSettings());
  }
  if (answer != TCatDialogAnswer::Characteristics) return result;
  if (mode == cdmSelectItem) cat.SelectEx = true;
  if (mode == cdmViewItems) cat.ViewEx = true;
  return RunExtended(cat, dlg, mode, result, filter);
}

std::string RunExtended(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode,
                        const std::string& symbol, const TCatTypeFilter& filter) {
  std::string result = symbol;
  TCatDialogAnswer answer;
  {
    TCatExDialogModel model(cat, dlg, mode, symbol, filter, true);
    model.Activate(DialogSettings());
    if (ICatDialogHost* host = CatDialogHost()) host->RunCatExDialog(model);
    answer = model.Answer();
    if (answer == TCatDialogAnswer::Ok && !Trim(model.Result()).empty()) result = model.Result();
    if (!model.Cat()) return result;
    model.SaveTabIndex(DialogSettings());
  }
  if (answer != TCatDialogAnswer::HideCharacteristics) return result;
  if (mode == cdmSelectItem) cat.SelectEx = false;
  if (mode == cdmViewItems || IsEditMode(mode)) cat.ViewEx = false;
  return RunSimple(cat, dlg, mode, result, filter);
}

// The extended dialog when asked for and no dialog of the catalog is open, else the simple one.
std::string RunDialog(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode, std::string_view symbol,
                      const TCatTypeFilter& filter, bool extended,
                      const TCustomCat::SymbolCallback& callback) {
  if (!dlg) return {};
  dlg->SetTypeFilter(filter);
  const std::string text = Trim(symbol);
  std::string result;
  {
    DisplayModeScope scope(cat, mode);
    result = extended && !cat.Busy ? RunExtended(cat, dlg, mode, text, filter)
                                   : RunSimple(cat, dlg, mode, text, filter);
  }
  dlg->SetTypeFilter(std::nullopt);
  if (callback) callback(result);
  return result;
}

}  // namespace

// ---- components

TCatDlg::~TCatDlg() {
  if (cat_) {
    if (cat_->select_dlg_ == this) cat_->select_dlg_ = nullptr;
    if (cat_->view_dlg_ == this) cat_->view_dlg_ = nullptr;
    if (cat_->edit_dlg_ == this) cat_->edit_dlg_ = nullptr;
  }
}

void TCatDlg::AttachTo(TCustomCat& cat) {
  if (cat_ && cat_ != &cat) {
    TCustomCat* other = cat_;
    if (other->select_dlg_ == this) other->select_dlg_ = nullptr;
    if (other->view_dlg_ == this) other->view_dlg_ = nullptr;
    if (other->edit_dlg_ == this) other->edit_dlg_ = nullptr;
  }
  cat_ = &cat;
}

void TCatDlg::DetachFrom(TCustomCat& cat) {
  if (cat_ == &cat) cat_ = nullptr;
}

TCatManagerDlg::~TCatManagerDlg() {
  if (cat_ && cat_->manager_dlg_ == this) cat_->manager_dlg_ = nullptr;
}

void TCatManagerDlg::AttachTo(TCustomCat& cat) {
  if (cat_ && cat_ != &cat && cat_->manager_dlg_ == this) cat_->manager_dlg_ = nullptr;
  cat_ = &cat;
}

void TCatManagerDlg::DetachFrom(TCustomCat& cat) {
  if (cat_ == &cat) cat_ = nullptr;
}

// ---- colours

const TCatListColors& CatListColors() {
  return g_colors;
}

void MapCatListColors(const std::function<uint32_t(uint32_t)>& nearest) {
  const TCatListColors defaults;
  g_colors.on_order = nearest(defaults.on_order);
  g_colors.removed = nearest(defaults.removed);
  g_colors.not_recommended = nearest(defaults.not_recommended);
  g_colors.empty_row = nearest(defaults.empty_row);
  g_colors.hidden = nearest(defaults.hidden);
}

std::optional<uint32_t> CatEntryColor(const TCatListEntry& entry) {
  if (!entry.item || Trim(entry.text).empty()) return g_colors.empty_row;
  if (!entry.item->Visible()) return g_colors.hidden;
  if (entry.item->Removed()) return g_colors.removed;
  if (entry.item->NeedOrder()) return g_colors.on_order;
  return std::nullopt;
}

// ---- rename form

TRenameCatItemModel::TRenameCatItemModel(std::string old_symbol, std::string_view new_symbol)
    : old_symbol_(std::move(old_symbol)) {
  SetNewSymbol(new_symbol);
}

void TRenameCatItemModel::SetNewSymbol(std::string_view symbol) {
  new_symbol_ = UpperCase(Trim(symbol));
}

bool RunRenameForm(TRenameCatItemModel& model) {
  ICatDialogHost* host = CatDialogHost();
  return host && host->RunRenameForm(model);
}

// ---- host

void SetCatDialogHost(ICatDialogHost* host) {
  g_host = host;
}
ICatDialogHost* CatDialogHost() {
  return g_host;
}

int DragScrollStep(int distance) {
  if (distance < 0) distance = -distance;
  const int q = distance / 20;
  return q * q + 1;
}

// ---- dialog operations

std::string TCustomCat::SelectItem(std::string_view symbol, const TCatTypeFilter& filter,
                                   const SymbolCallback& callback) {
  return RunDialog(*this, select_dlg_, cdmSelectItem, symbol, filter, SelectEx, callback);
}

std::string TCustomCat::ViewItem(std::string_view symbol, const TCatTypeFilter& filter,
                                 const SymbolCallback& callback) {
  return RunDialog(*this, view_dlg_, cdmViewItems, symbol, filter, ViewEx, callback);
}

std::string TCustomCat::ViewItemChecked(std::string_view symbol, const TCatTypeFilter& filter) {
  const std::string text = Trim(symbol);
  if (!text.empty() && !FindBySymbol(text)) ShowErrorMsg(20140, {Caption(), text});
  return ViewItem(text, filter);
}

std::string TCustomCat::EditItems(std::string_view symbol, bool modal,
                                  const SymbolCallback& callback) {
  ViewEx = true;
  if (!edit_dlg_) return {};
  if (modal || Busy) {
    return RunDialog(*this, edit_dlg_, cdmEditItems, symbol, std::nullopt, true, callback);
  }
  // A stay-on-top window that lives on after the call; its model keeps the mode it was made
  // with and clears the busy flags when the window goes.
  auto model = std::make_unique<TCatExDialogModel>(*this, edit_dlg_, cdmEditItems, Trim(symbol),
                                                   std::nullopt, false);
  model->Activate(DialogSettings());
  if (ICatDialogHost* host = CatDialogHost()) host->ShowCatExDialog(std::move(model));
  const std::string result = Trim(symbol);
  if (callback) callback(result);
  return result;
}

std::string TCustomCat::EditAndSelect(std::string_view symbol, const SymbolCallback& callback) {
  ViewEx = true;
  return RunDialog(*this, edit_dlg_, cdmEditandSelectItems, symbol, std::nullopt, true, callback);
}

bool TCustomCat::ManageWorkingSet(TCatLookUp& lookup) {
  TCatManagerDlg* dlg = lookup.CatManagerDlg() ? lookup.CatManagerDlg() : manager_dlg_;
  if (!dlg) return false;
  TCatManagerModel model(*this, *dlg, lookup.WorkingSet());
  ICatDialogHost* host = CatDialogHost();
  if (!host) return false;
  host->RunManagerDialog(model);
  if (!model.Accepted()) return false;
  lookup.SetWorkingSet(model.WorkingSet());
  return true;
}

}  // namespace hx
