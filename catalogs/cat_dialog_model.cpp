#include "catalogs/cat_dialog_model.h"

#include <algorithm>

#include "base/settings_store.h"
#include "base/text.h"
#include "catalogs/ind_cat.h"

namespace hx {
namespace {

const TCatListEntry& NoEntry() {
  static const TCatListEntry empty;
  return empty;
}

// The first own item of cat with that display symbol.
bool HoldsDisplaySymbol(const TCustomCat& cat, const std::string& symbol) {
  for (int i = 0; i < cat.OwnCount(); ++i) {
    if (SameText(cat.OwnItem(i)->DisplaySymbol(), symbol)) return true;
  }
  return false;
}

}  // namespace

// ---- TCatDialogModel

TCatDialogModel::TCatDialogModel(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode,
                                 std::string_view symbol, TCatTypeFilter filter)
    : cat_(&cat),
      dlg_(dlg),
      mode_(mode),
      symbol_(Trim(symbol)),
      list_(cat, std::move(filter), mode),
      was_busy_(cat.Busy) {
  for (TCustomCat* c : Chain()) {
    c->Busy = true;
    c->AddObserver(this);
    observed_.push_back(c);
  }
}

TCatDialogModel::~TCatDialogModel() {
  for (TCustomCat* c : observed_) c->RemoveObserver(this);
  if (!cat_) return;
  for (TCustomCat* c : Chain()) c->Busy = false;
  cat_->Busy = was_busy_;
}

std::vector<TCustomCat*> TCatDialogModel::Chain() const {
  std::vector<TCustomCat*> chain;
  for (TCustomCat* c = cat_; c; c = c->NextCat()) chain.push_back(c);
  return chain;
}

std::string TCatDialogModel::Caption() const {
  if (dlg_ && !dlg_->Caption.empty()) return dlg_->Caption;
  return cat_ ? cat_->Caption() : std::string();
}

std::string TCatDialogModel::ListCaption() const {
  return dlg_ ? dlg_->ListCaption : "";
}
int32_t TCatDialogModel::HelpContext() const {
  return dlg_ ? dlg_->HelpContext : 0;
}
const IImageList* TCatDialogModel::Images() const {
  return cat_ ? cat_->Images : nullptr;
}
int32_t TCatDialogModel::ImageIndex() const {
  return cat_ ? cat_->ImageIndex : -1;
}

bool TCatDialogModel::TabsVisible() const {
  return cat_ && cat_->NextCat() && cat_->NextCat()->Count() > 0;
}

std::vector<std::string> TCatDialogModel::TabCaptions() const {
  std::vector<std::string> captions;
  for (TCustomCat* c : Chain()) captions.push_back(c->Caption());
  return captions;
}

TCustomCat* TCatDialogModel::ShownCat() const {
  return cat_ ? &list_.Cat() : nullptr;
}

void TCatDialogModel::SetTabIndex(int index) {
  const std::vector<TCustomCat*> chain = Chain();
  if (index < 0 || index >= static_cast<int>(chain.size())) return;
  tab_index_ = index;
  chain[index]->BuildLists();
  list_.SetCat(*chain[index]);
  selected_ = Count() > 0 ? 0 : -1;
  SelectionChanged();
  Changed();
}

// ---- visibility

namespace {
TCatDisplayOptions OptionsOf(const TCatDlg* dlg) {
  return dlg ? dlg->Options : kDefaultCatDisplayOptions;
}
}  // namespace

bool TCatDialogModel::CharacteristicsVisible() const {
  return HasOption(OptionsOf(dlg_), voInfoItemBtn) && !was_busy_;
}
bool TCatDialogModel::ProducerVisible() const {
  return HasOption(OptionsOf(dlg_), voProd);
}
bool TCatDialogModel::ProducerInfoVisible() const {
  return HasOption(OptionsOf(dlg_), voInfoProdBtn) && HasOption(OptionsOf(dlg_), voProd);
}
bool TCatDialogModel::ProducerFilterVisible() const {
  return HasOption(OptionsOf(dlg_), voSelProd);
}
bool TCatDialogModel::TypeFilterVisible() const {
  return HasOption(OptionsOf(dlg_), voSeltyp);
}
bool TCatDialogModel::SelectVisible() const {
  return mode_ == cdmSelectItem || mode_ == cdmEditandSelectItems;
}
bool TCatDialogModel::CancelIsClose() const {
  return mode_ == cdmViewItems || mode_ == cdmEditItems;
}

// ---- activation

void TCatDialogModel::Activate(ISettingsStore& settings) {
  if (!cat_) return;
  const std::vector<TCustomCat*> chain = Chain();
  int tab =
      dlg_ ? static_cast<int>(settings.ReadInt(dlg_->SettingsSection(), "CatTabIndex", 0)) : 0;
  if (tab < 0 || tab >= static_cast<int>(chain.size())) tab = 0;
  if (chain.size() > 1 && !symbol_.empty()) {
    for (size_t i = 0; i < chain.size(); ++i) {
      if (HoldsDisplaySymbol(*chain[i], symbol_)) {
        tab = static_cast<int>(i);
        break;
      }
    }
  }
  tab_index_ = tab;
  chain[tab]->BuildLists();
  list_.SetCat(*chain[tab]);
  SelectSymbol(symbol_);
}

void TCatDialogModel::SelectSymbol(std::string_view symbol) {
  const int index = symbol.empty() ? -1 : list_.IndexOfDisplaySymbol(symbol);
  SetSelected(index >= 0 ? index : Count() > 0 ? 0 : -1);
}

void TCatDialogModel::SaveTabIndex(ISettingsStore& settings) const {
  if (dlg_) settings.WriteInt(dlg_->SettingsSection(), "CatTabIndex", tab_index_);
}

// ---- list

int TCatDialogModel::Count() const {
  return static_cast<int>(list_.Entries().size());
}

const TCatListEntry& TCatDialogModel::Entry(int index) const {
  if (index < 0 || index >= Count()) return NoEntry();
  return list_.Entries()[index];
}

void TCatDialogModel::SetSelected(int index) {
  if (index < -1 || index >= Count()) index = Count() > 0 ? 0 : -1;
  selected_ = index;
  SelectionChanged();
  Changed();
}

TCatItem* TCatDialogModel::SelectedItem() const {
  const int index = Selected();
  return index >= 0 && index < Count() ? Entry(index).item : nullptr;
}

int TCatDialogModel::TypeAhead(std::string_view prefix) {
  const int index = list_.FindPrefix(prefix);
  if (index >= 0) SetSelected(index);
  return index;
}

void TCatDialogModel::SetFilterText(std::string_view prefix) {
  const TCatItem* before = SelectedItem();
  list_.SetPrefix(prefix);
  const int index = list_.IndexOfItem(before);
  selected_ = index >= 0 ? index : Count() > 0 ? 0 : -1;
  if (SelectedItem() != before) SelectionChanged();
  Changed();
}

void TCatDialogModel::SetTypeFilterIndex(int index) {
  const TCatItem* before = SelectedItem();
  list_.SetTypeIndex(index);
  const int at = list_.IndexOfItem(before);
  SetSelected(at >= 0 ? at : Count() > 0 ? 0 : -1);
}

void TCatDialogModel::SetProducerFilterIndex(int index) {
  const TCatItem* before = SelectedItem();
  list_.SetProducerIndex(index);
  const int at = list_.IndexOfItem(before);
  SetSelected(at >= 0 ? at : Count() > 0 ? 0 : -1);
}

// ---- fields

std::string TCatDialogModel::CounterText() const {
  return std::to_string(Selected() + 1) + " : " + std::to_string(Count());
}

std::string TCatDialogModel::DescriptionText() const {
  const TCatItem* item = SelectedItem();
  return item ? item->ListDescription() : std::string();
}

std::string TCatDialogModel::ProducerText() const {
  const TCatItem* item = SelectedItem();
  return item ? item->DisplayProducer() : std::string();
}

bool TCatDialogModel::ProducerInfoEnabled() const {
  const TCatItem* item = SelectedItem();
  return item && !Trim(item->Producer()).empty();
}

// ---- commands

void TCatDialogModel::Select() {
  TCatItem* item = SelectedItem();
  if (!item || Closed()) return;
  result_ = item->DisplaySymbol();
  TCustomCat* shown = ShownCat();
  TCatItem* current = shown->FindByDisplaySymbol(result_);
  if (!current && shown->OwnCount() > 0) current = shown->OwnItem(0);
  shown->SetCurrentItem(current);
  Close(TCatDialogAnswer::Ok);
}

void TCatDialogModel::Characteristics() {
  TCatItem* item = SelectedItem();
  if (!item || Closed()) return;
  result_ = item->DisplaySymbol();
  Close(TCatDialogAnswer::Characteristics);
}

void TCatDialogModel::ShowProducerInfo(TOwnerWindow window) {
  if (ProducerInfoEnabled()) SelectedItem()->ShowProducerInfo(window);
}

void TCatDialogModel::Close(TCatDialogAnswer answer) {
  answer_ = answer;
  Changed();
}

void TCatDialogModel::CatItemRemoved(TCustomCat& cat, const TCatItem* item) {
  if (&cat != &list_.Cat()) return;
  const TCatItem* before = SelectedItem();
  list_.DropItem(item);
  const int at = before == item || !item ? -1 : list_.IndexOfItem(before);
  selected_ = at >= 0 ? at : Count() > 0 ? std::min(std::max(selected_, 0), Count() - 1) : -1;
  Changed();
}

void TCatDialogModel::CatDestroyed(TCustomCat& cat) {
  observed_.erase(std::remove(observed_.begin(), observed_.end(), &cat), observed_.end());
  for (TCustomCat* c : observed_) c->RemoveObserver(this);
  observed_.clear();
  // The chain cannot be walked any more; the dialog ends as cancelled.
  cat_ = nullptr;
  list_.DropItem(nullptr);
  selected_ = -1;
  Close(TCatDialogAnswer::Cancel);
}

// ---- TCatExDialogModel

TCatExDialogModel::TCatExDialogModel(TCustomCat& cat, TCatDlg* dlg, TCatDisplayMode mode,
                                     std::string_view symbol, TCatTypeFilter filter, bool modal)
    : TCatDialogModel(cat, dlg, mode, symbol, std::move(filter)), modal_(modal) {}

TCatExDialogModel::~TCatExDialogModel() {
  // The data module unlinks its record before the items it showed go.
  if (cat_ && ShownCat()->OnItemSelChange && shown_) {
    ShownCat()->OnItemSelChange(*ShownCat(), nullptr, false);
  }
  if (dlg_ && dlg_->OpenForm() == form_.get()) dlg_->SetOpenForm(nullptr);
  edit_.reset();
}

void TCatExDialogModel::Activate(ISettingsStore& settings) {
  TCatDialogModel::Activate(settings);
  if (IsEditMode(mode_)) MakeEditList();
}

void TCatExDialogModel::MakeEditList() {
  if (!cat_) return;
  const int selected = selected_;
  edit_ = std::make_unique<TEditCatListModel>(*ShownCat(), list_.FilteredEntries(),
                                              ShownCat()->Collection().Sorted());
  edit_->OnChangeItem = [this](TCatItem* copy) { ShowItem(copy); };
  edit_->OnWriteForm = [this](TCatItem&) {
    if (form_) form_->WriteValues();
  };
  edit_->OnChanged = [this] { Changed(); };
  if (selected >= 0) {
    edit_->Select(selected);
  } else {
    edit_->Commit(-1);
  }
}

bool TCatExDialogModel::TableEditVisible() const {
  return cat_ && dynamic_cast<TCat*>(ShownCat()) && ShownCat()->OnTabEdit != nullptr;
}

void TCatExDialogModel::TableEdit() {
  if (TableEditVisible()) ShownCat()->OnTabEdit(*ShownCat());
}

int TCatExDialogModel::Count() const {
  return edit_ ? edit_->Count() : TCatDialogModel::Count();
}

const TCatListEntry& TCatExDialogModel::Entry(int index) const {
  if (!edit_) return TCatDialogModel::Entry(index);
  if (index < 0 || index >= edit_->Count()) return NoEntry();
  return edit_->Entry(index);
}

int TCatExDialogModel::Selected() const {
  return edit_ ? edit_->ItemIndex() : TCatDialogModel::Selected();
}

void TCatExDialogModel::SetSelected(int index) {
  if (!edit_) {
    TCatDialogModel::SetSelected(index);
    return;
  }
  edit_->Select(index);
  selected_ = edit_->ItemIndex();
  Changed();
}

void TCatExDialogModel::SetFilterText(std::string_view prefix) {
  // The editing list keeps every entry; typing only moves to the first match.
  if (edit_) {
    TypeAhead(prefix);
    return;
  }
  TCatDialogModel::SetFilterText(prefix);
}

void TCatExDialogModel::SelectionChanged() {
  if (edit_ || !cat_ || IsEditMode(mode_)) return;
  TCatItem* item = SelectedItem();
  std::unique_ptr<TCatItem> full;
  if (auto* index_cat = dynamic_cast<TIndCat*>(ShownCat()); index_cat && item) {
    full = index_cat->FullItem(*item);
    if (full) {
      full->SetCat(index_cat);
      full->AfterCatLoad(*index_cat);
    }
  }
  ShowItem(full ? full.get() : item);
  ShownCat()->SetCurrentItem(item);
  // The previous full item goes only now: the form showed it until the new one arrived.
  full_ = std::move(full);
}

void TCatExDialogModel::ShowItem(TCatItem* item) {
  if (!cat_) return;
  TCustomCat& cat = *ShownCat();
  TCatItem* current = cat.CurrentItem();
  const TCatItemForm* before = form_.get();
  cat.GetFormEx(mode_, form_, item);
  if (dlg_) dlg_->SetOpenForm(form_.get());
  shown_ = item;
  cat.ItemSelChange(item);
  // The catalog's current item stays one of its own items (a copy or a full item goes away).
  if (item && cat.IndexOf(item) < 0) {
    TCatItem* own = edit_ && edit_->ItemIndex() >= 0 && edit_->ItemIndex() < edit_->Count()
                        ? edit_->Entry(edit_->ItemIndex()).item
                        : current;
    cat.SetCurrentItem(own);
  }
  if (form_.get() != before && OnFormChanged) OnFormChanged();
}

void TCatExDialogModel::Close(TCatDialogAnswer answer) {
  if (edit_ && cat_) {
    edit_->Apply();
    // A blank symbol that the catalog refuses keeps the dialog open (message 20134).
    const TCatItem* copy = edit_->WorkingCopy();
    if (copy && Trim(copy->Symbol()).empty() && !ShownCat()->AllowEmptySymbols) return;
    if (answer == TCatDialogAnswer::Ok) {
      const TCatItem* item = SelectedItem();
      SetResult(item ? item->DisplaySymbol() : Result());
    }
  }
  TCatDialogModel::Close(answer);
}

void TCatExDialogModel::CatItemRemoved(TCustomCat& cat, const TCatItem* item) {
  const TCatItem* before = SelectedItem();
  TCatDialogModel::CatItemRemoved(cat, item);
  if (!edit_ && SelectedItem() != before) SelectionChanged();
}

void TCatExDialogModel::CatDestroyed(TCustomCat& cat) {
  edit_.reset();
  shown_ = nullptr;
  full_.reset();
  form_.reset();
  if (dlg_) dlg_->SetOpenForm(nullptr);
  TCatDialogModel::CatDestroyed(cat);
}

}  // namespace hx
