#include "catalogs/cat.h"

#include <algorithm>
#include <unordered_set>

#include "base/constants.h"
#include "base/string_table.h"
#include "base/text.h"
#include "base/wait_cursor.h"
#include "catalogs/cat_dialogs.h"
#include "objects/object_stream.h"
#include "records/lookup.h"
#include "records/messages.h"
#include "records/record.h"

namespace hx {
namespace {

// The smallest item of a list: its end position and its type id.
int64_t MinItemBytes(int variant) {
  return variant == 1 ? 6 : 8;
}

// Clears a flag when the scope ends, also on an exception.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

// ---- TCatCollection

TCatCollection::TCatCollection(int capacity) : TCustomSortedCollection(capacity) {
  SetDuplicates(true);
}

int TCatCollection::Compare(CollKey key1, CollKey key2) const {
  if (comparer_) return comparer_->CompareKeys(key1, key2);
  const auto* a = static_cast<const TCatItem*>(static_cast<const TStreamableObject*>(key1));
  const auto* b = static_cast<const TCatItem*>(static_cast<const TStreamableObject*>(key2));
  return LocaleCompareText(a->DisplaySymbol(), b->DisplaySymbol());
}

void TCatCollection::SetComparer(const ICollectionComparer* comparer) {
  comparer_ = comparer;
  Resort();
}

TCatItem* TCatCollection::Item(int index) const {
  return static_cast<TCatItem*>(ItemAt(index));
}

void TCatCollection::Notify(TStreamableObject* item, bool removed) {
  if (removed && owner_) owner_->NotifyRemoved(static_cast<TCatItem*>(item));
}

// ---- bound fields

// Keeps a field bound to the catalog and learns when the field goes away. It sits among the
// field's controls as a caption label, so that checks and refreshes pass it by.
class TCustomCat::FieldBinding : public IFieldControl {
 public:
  FieldBinding(TCustomCat& cat, TZqField& field) : cat_(cat), field_(&field) {
    field.AddControl(*this);
  }
  ~FieldBinding() {
    if (field_) field_->RemoveControl(*this);
  }
  TZqField* Field() const { return field_; }
  void Unbind() {
    if (!field_) return;
    TZqField* field = field_;
    field_ = nullptr;
    field->RemoveControl(*this);
    if (field->Cat() == &cat_) field->SetCat(nullptr);
  }

  void FieldRefresh() override {}
  void FieldUpdate() override {}
  bool FieldCheck(bool show_error) override { return true; }
  bool IsCaptionLabel() const override { return true; }
  void FieldDestroyed(TZqField& field) override { field_ = nullptr; }

 private:
  TCustomCat& cat_;
  TZqField* field_;
};

// ---- TCustomCat

TCustomCat::TCustomCat(std::unique_ptr<TCatCollection> items) : items_(std::move(items)) {
  items_->owner_ = this;
}

TCustomCat::~TCustomCat() {
  const std::vector<ICatObserver*> observers = observers_;
  for (ICatObserver* o : observers) o->CatDestroyed(*this);
  for (auto& b : bindings_) b->Unbind();
  for (TCatDlg* dlg : {select_dlg_, view_dlg_, edit_dlg_}) {
    if (dlg) dlg->DetachFrom(*this);
  }
  if (manager_dlg_) manager_dlg_->DetachFrom(*this);
  items_->owner_ = nullptr;
}

void TCustomCat::SetSelectCatDlg(TCatDlg* dlg) {
  if (dlg) dlg->AttachTo(*this);
  select_dlg_ = dlg;
}

void TCustomCat::SetViewCatDlg(TCatDlg* dlg) {
  if (dlg) dlg->AttachTo(*this);
  view_dlg_ = dlg;
}

void TCustomCat::SetEditCatDlg(TCatDlg* dlg) {
  if (dlg) dlg->AttachTo(*this);
  edit_dlg_ = dlg;
}

void TCustomCat::SetCatManagerDlg(TCatManagerDlg* dlg) {
  if (dlg) dlg->AttachTo(*this);
  manager_dlg_ = dlg;
}

// ---- observers and bindings

void TCustomCat::AddObserver(ICatObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void TCustomCat::RemoveObserver(ICatObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void TCustomCat::NotifyRemoved(const TCatItem* item) {
  if (!item || current_ == item) current_ = nullptr;
  DropFromLists(item);
  const std::vector<ICatObserver*> observers = observers_;
  for (ICatObserver* o : observers) o->CatItemRemoved(*this, item);
}

void TCustomCat::DropFromLists(const TCatItem* item) {
  for (auto* list : {&symbol_list_, &producer_list_, &type_list_}) {
    if (!item) {
      list->clear();
      continue;
    }
    list->erase(std::remove_if(list->begin(), list->end(),
                               [item](const TCatListEntry& e) { return e.item == item; }),
                list->end());
  }
}

void TCustomCat::BindField(TZqField& field) {
  for (auto& b : bindings_) {
    if (b->Field() == &field) {
      field.SetCat(this);
      return;
    }
  }
  bindings_.push_back(std::make_unique<FieldBinding>(*this, field));
  field.SetCat(this);
}

void TCustomCat::UnbindField(TZqField& field) {
  for (auto it = bindings_.begin(); it != bindings_.end(); ++it) {
    if ((*it)->Field() == &field) {
      (*it)->Unbind();
      bindings_.erase(it);
      return;
    }
  }
}

// ---- files

bool TCustomCat::Open(const std::string& file_name, TFileVerInfo& signature, bool sorted,
                      bool show_errors) {
  return OpenFile(file_name, signature, 0, sorted, show_errors);
}

bool TCustomCat::OpenV1(const std::string& file_name, TFileVerInfo& signature, bool sorted,
                        bool show_errors) {
  return OpenFile(file_name, signature, 1, sorted, show_errors);
}

bool TCustomCat::OpenFile(const std::string& file_name, TFileVerInfo& signature, int variant,
                          bool sorted, bool show_errors) {
  Clear();
  variant1_ = variant == 1;
  report_ = TCatReadReport();
  report_.file_name = file_name;
  report_.variant = variant;
  items_->SetSorted(sorted);
  if (Trim(file_name).empty()) {
    items_->SetCapacity(20);
    return true;
  }
  WaitCursor wait;
  std::unique_ptr<TObjectStream> s;
  try {
    s = std::make_unique<TObjectStream>(file_name, FileMode::Read, signature);
  } catch (const std::exception& e) {
    report_.error = e.what();
    items_->SetCapacity(20);
    if (show_errors) ShowErrorMsg(10153, {file_name, report_.error});
    return false;
  }
  report_.opened = true;
  ReadItemList(*s, variant, report_);
  items_->SetModified(false);
  modified_ = false;
  if (report_.damaged && show_errors) ShowErrorMsg(10153, {file_name, report_.error});
  KeepStream(std::move(s), signature);
  return !report_.damaged;
}

void TCustomCat::ReadItemList(TObjectStream& s, int variant, TCatReadReport& report) {
  const int64_t size = s.GetSize();
  int index = 0;
  try {
    const int32_t count = variant == 1 ? s.ReadCompact() : s.ReadInt32();
    if (variant == 1) {
      s.ReadCompact();
      s.ReadCompact();
    } else {
      s.ReadInt32();
      s.ReadInt32();
    }
    report.count = count;
    // A count the remaining bytes cannot hold is a damaged list, not a request for memory.
    if (count < 0 || count > kMaxCollectionSize - OwnCount()) throw EObjectStream(-8, {count});
    s.CheckAvailable(count, MinItemBytes(variant));
    items_->SetCapacity(std::max(items_->Capacity(), OwnCount() + count));
    for (; index < count; ++index) {
      const int32_t end = s.ReadInt32();
      const int64_t start = s.GetPosition();
      if (end <= start || (size >= 0 && end > size)) {
        report.damaged = true;
        report.error = FormatStr(29150, {index + 1, end});
        return;
      }
      try {
        std::unique_ptr<TCatItem> item = ReadListItem(s, variant, start);
        item->SetStreamPosition(start);
        if (Insert(std::move(item)) >= 0) ++report.read;
      } catch (const std::exception& e) {
        report.skipped.push_back({index, start, e.what()});
      }
      s.SetPosition(end);
    }
  } catch (const std::exception& e) {
    report.damaged = true;
    report.error = e.what();
  }
}

std::unique_ptr<TCatItem> TCustomCat::ReadListItem(TObjectStream& s, int variant, int64_t start) {
  std::unique_ptr<TStreamableObject> object = s.GetObject(variant);
  auto* item = dynamic_cast<TCatItem*>(object.get());
  if (!item) throw EHXError(-6, FormatStr(29151, {object->TypeId()}));
  object.release();
  return std::unique_ptr<TCatItem>(item);
}

void TCustomCat::ReadFrom(TObjectStream& s, int variant) {
  TCatReadReport report;
  report.variant = variant;
  ReadItemList(s, variant, report);
  if (report.damaged) throw EObjectStream(-8, {report.count});
}

void WriteCatalogItems(TObjectStream& s, const std::vector<const TCatItem*>& items, int limit,
                       int variant) {
  const int count = static_cast<int>(items.size());
  limit = std::max(count, limit);
  if (variant == 1) {
    s.WriteCompact(count);
    s.WriteCompact(limit);
    s.WriteCompact(10);
  } else {
    s.WriteInt32(count);
    s.WriteInt32(limit);
    s.WriteInt32(10);
  }
  for (const TCatItem* item : items) {
    const int64_t at = s.GetPosition();
    s.WriteInt32(0);
    s.PutObject(*item, variant);
    const int64_t end = s.GetPosition();
    if (end > INT32_MAX) throw EObjectStream(-7, {std::to_string(end)});
    s.SetPosition(at);
    s.WriteInt32(static_cast<int32_t>(end));
    s.SetPosition(end);
  }
}

std::vector<const TCatItem*> TCustomCat::OwnItems() const {
  std::vector<const TCatItem*> items;
  items.reserve(OwnCount());
  for (int i = 0; i < OwnCount(); ++i) items.push_back(OwnItem(i));
  return items;
}

void TCustomCat::WriteItemList(TObjectStream& s, int variant) const {
  WriteCatalogItems(s, OwnItems(), items_->Capacity(), variant);
}

void TCustomCat::WriteTo(TObjectStream& s) const {
  WriteItemList(s, 0);
}
void TCustomCat::WriteToV1(TObjectStream& s) const {
  WriteItemList(s, 1);
}

void TCustomCat::Clear() {
  NotifyRemoved(nullptr);
  items_->FreeAllItems();
}

std::vector<std::unique_ptr<TCatItem>> TCustomCat::Detach() {
  NotifyRemoved(nullptr);
  std::vector<ItemPtr> taken = items_->Clear();
  std::vector<std::unique_ptr<TCatItem>> items;
  items.reserve(taken.size());
  for (ItemPtr& p : taken) {
    auto* item = static_cast<TCatItem*>(p.release());
    if (item->Cat() == this) item->SetCat(nullptr);
    items.emplace_back(item);
  }
  return items;
}

void TCustomCat::AfterLoad() {
  WaitCursor wait;
  for (int i = 0; i < OwnCount(); ++i) OwnItem(i)->SetCat(this);
  for (int i = 0; i < OwnCount(); ++i) OwnItem(i)->AfterCatLoad(*this);
}

// ---- items

int TCustomCat::Count() const {
  int n = 0;
  for (const TCustomCat* c = this; c; c = c->next_) n += c->OwnCount();
  return n;
}

TCatItem* TCustomCat::Items(int index) const {
  for (const TCustomCat* c = this; c; c = c->next_) {
    if (index < 0) break;
    if (index < c->OwnCount()) return c->OwnItem(index);
    index -= c->OwnCount();
  }
  throw EListError(FormatMsg("List index out of bounds (%d)", {index}));
}

int TCustomCat::IndexOf(const TCatItem* item) const {
  return items_->IndexOf(item);
}

int TCustomCat::Insert(std::unique_ptr<TCatItem>&& item) {
  TCatItem* raw = item.get();
  const bool had_cat = raw && raw->Cat();
  const int index = items_->Insert(std::move(item));
  if (index >= 0 && !had_cat) raw->SetCat(this);
  return index;
}

void TCustomCat::InsertAt(int index, std::unique_ptr<TCatItem>&& item) {
  TCatItem* raw = item.get();
  if (raw && !raw->Cat()) raw->SetCat(this);
  items_->InsertAt(index, std::move(item));
}

std::unique_ptr<TCatItem> TCustomCat::RemoveAt(int index) {
  return std::unique_ptr<TCatItem>(static_cast<TCatItem*>(items_->RemoveAt(index).release()));
}

std::unique_ptr<TCatItem> TCustomCat::Remove(TCatItem* item) {
  return std::unique_ptr<TCatItem>(static_cast<TCatItem*>(items_->Remove(item).release()));
}

void TCustomCat::FreeAt(int index) {
  items_->FreeAt(index);
}
void TCustomCat::FreeObject(TCatItem* item) {
  items_->FreeObject(item);
}

void TCustomCat::ItemSelChange(TCatItem* item, bool take_data) {
  if (OnItemSelChange) OnItemSelChange(*this, item, take_data);
  current_ = item;
}

// ---- look-ups

TCatItem* TCustomCat::FindLocal(std::string_view text, bool display, const std::string* pipe) {
  for (TCustomCat* c = this; c; c = c->next_) {
    for (int i = 0; i < c->OwnCount(); ++i) {
      TCatItem* item = c->OwnItem(i);
      const std::string key = display ? item->DisplaySymbol() : item->Symbol();
      if (!SameText(key, text)) continue;
      if (pipe && !SameText(item->PipeSymbol(), *pipe)) continue;
      return item;
    }
  }
  return nullptr;
}

TCatItem* TCustomCat::ResolveAlias(TCatItem* found, const std::string& searched,
                                   const std::function<TCatItem*(const std::string&)>& search) {
  if (found && found->Typ() == kAliasTyp) {
    const std::string target = Trim(found->Producer());
    if (!SameText(target, searched)) found = search(target);
  }
  return found && found->Typ() == kAliasTyp ? nullptr : found;
}

TCatItem* TCustomCat::FindBySymbol(std::string_view symbol) {
  auto search = [this](const std::string& text) -> TCatItem* {
    TCatItem* found = FindLocal(text, false, nullptr);
    // The handler may ask this catalog again; it then gets the plain search.
    if (!found && OnFindCatItemEx && !in_find_event_) {
      FlagScope guard(in_find_event_);
      OnFindCatItemEx(text, nullptr, found);
    }
    return found;
  };
  const std::string text = Trim(symbol);
  return ResolveAlias(search(text), text, search);
}

TCatItem* TCustomCat::FindBySymbolNoEvent(std::string_view symbol) {
  auto search = [this](const std::string& text) { return FindLocal(text, false, nullptr); };
  const std::string text = Trim(symbol);
  return ResolveAlias(search(text), text, search);
}

TCatItem* TCustomCat::FindByDisplaySymbol(std::string_view text) {
  auto search = [this](const std::string& t) { return FindLocal(t, true, nullptr); };
  const std::string trimmed = Trim(text);
  return ResolveAlias(search(trimmed), trimmed, search);
}

TCatItem* TCustomCat::FindBySymbolAndPipe(std::string_view symbol, std::string_view pipe) {
  const std::string pipe_text = Trim(pipe);
  auto search = [this, &pipe_text](const std::string& text) -> TCatItem* {
    if (OnFindCatItemEx && !in_find_event_) {
      FlagScope guard(in_find_event_);
      TCatItem* found = nullptr;
      OnFindCatItemEx(text, &pipe_text, found);
      return found;
    }
    return FindLocal(text, false, &pipe_text);
  };
  const std::string text = Trim(symbol);
  return ResolveAlias(search(text), text, search);
}

bool TCustomCat::HasSymbol(std::string_view symbol) const {
  return const_cast<TCustomCat*>(this)->FindBySymbol(symbol) != nullptr;
}

TGlyphPtr TCustomCat::GetItemGlyph(std::string_view symbol) const {
  const TCatItem* item = const_cast<TCustomCat*>(this)->FindBySymbol(symbol);
  return item ? TypeGlyph(item->Typ()) : nullptr;
}

std::string TCustomCat::TypeCaption(int32_t typ) const {
  if (ItemsTypeLookUp) {
    if (TCustomLookUpItem* item = ItemsTypeLookUp->ItemById(typ)) return item->Caption();
  }
  return typ == NoInt ? std::string() : std::to_string(typ);
}

std::string TCustomCat::TypeHint(int32_t typ) const {
  if (ItemsTypeLookUp) {
    if (TCustomLookUpItem* item = ItemsTypeLookUp->ItemById(typ)) return item->Hint();
  }
  return {};
}

TGlyphPtr TCustomCat::TypeGlyph(int32_t typ) const {
  if (ItemsTypeLookUp) {
    if (TCustomLookUpItem* item = ItemsTypeLookUp->ItemById(typ)) return item->Glyph();
  }
  return nullptr;
}

// ---- lists

void TCustomCat::BuildLists() {
  symbol_list_.clear();
  producer_list_.clear();
  type_list_.clear();
  symbol_list_.reserve(OwnCount());
  std::unordered_set<std::string> producers;
  std::unordered_set<int32_t> types;
  for (int i = 0; i < OwnCount(); ++i) {
    TCatItem* item = OwnItem(i);
    if (!item->Visible()) continue;
    symbol_list_.push_back({item->ListSymbol(), item});
    const std::string producer = item->Producer();
    if (!Trim(producer).empty() && producers.insert(UpperCase(producer)).second) {
      const std::string display = item->DisplayProducer();
      producer_list_.push_back({display != producer ? display + "\t" + producer : producer, item});
    }
    if (types.insert(item->Typ()).second) type_list_.push_back({TypeCaption(item->Typ()), item});
  }
  auto by_text = [](const TCatListEntry& a, const TCatListEntry& b) {
    return LocaleCompareText(a.text, b.text) < 0;
  };
  std::stable_sort(producer_list_.begin(), producer_list_.end(), by_text);
  std::stable_sort(type_list_.begin(), type_list_.end(), by_text);
}

bool TCustomCat::RenameItem(TCatItem& item, std::string_view new_symbol) {
  TRenameCatItemModel form(item.Symbol(), new_symbol);
  if (!RunRenameForm(form)) return false;
  item.SetRuntimeFlags(item.RuntimeFlags() | kRuntimeRenamed);
  const std::string symbol = form.NewSymbol();
  item.SetSymbol(symbol);
  for (int i = 0; i < OwnCount(); ++i) OwnItem(i)->SymbolChanged(item, symbol);
  return true;
}

void TCustomCat::SetModified(bool modified) {
  modified_ = modified;
  if (!modified) items_->SetModified(false);
}

bool TCustomCat::GetFormEx(TCatDisplayMode mode, std::unique_ptr<TCatItemForm>& form,
                           TCatItem* item) {
  if (OnGetFormEx) {
    OnGetFormEx(*this, mode, form, item);
  } else {
    form.reset();
  }
  return form != nullptr;
}

// ---- chain

bool TCustomCat::ChainContains(const TCustomCat* cat) const {
  for (const TCustomCat* c = this; c; c = c->next_) {
    if (c == cat) return true;
  }
  return false;
}

bool TCustomCat::SetNextCat(TCustomCat* next) {
  if (next && next->ChainContains(this)) return false;
  next_ = next;
  if (!next) return true;
  next->SelectEx = SelectEx;
  next->ViewEx = ViewEx;
  if (!next->OnGetFormEx) next->OnGetFormEx = OnGetFormEx;
  if (!next->OnItemSelChange) next->OnItemSelChange = OnItemSelChange;
  if (!next->OnGetDocItems) next->OnGetDocItems = OnGetDocItems;
  return true;
}

// ---- TCat

CatStreamFactory DefaultCatStreamFactory() {
  return [](const std::string& name) -> std::unique_ptr<TByteStream> {
    return std::make_unique<TFileStream>(name, FileMode::Create);
  };
}

TCat::TCat(int capacity) : TCustomCat(std::make_unique<TCatCollection>(capacity)) {}

bool TCat::Store(const std::string& file_name, TFileVerInfo& signature) {
  return Store(file_name, signature, SystemFileOps(), DefaultCatStreamFactory());
}

bool TCat::Store(const std::string& file_name, TFileVerInfo& signature, IFileOps& ops,
                 const CatStreamFactory& create) {
  if (!StoreCatalogItems(file_name, signature, OwnItems(), Collection().Capacity(), ops, create)) {
    return false;
  }
  SetModified(false);
  return true;
}

bool StoreCatalogItems(const std::string& file_name, TFileVerInfo& signature,
                       const std::vector<const TCatItem*>& items, int limit, IFileOps& ops,
                       const CatStreamFactory& create) {
  std::string error;
  size_t lost = 0;
  WaitCursor wait;
  const ReplaceResult result = SafeReplaceFile(
      file_name,
      [&](const std::string& temp) {
        TObjectStream s(create(temp));
        s.WriteHeader(signature);
        WriteCatalogItems(s, items, limit, 0);
        lost = s.LostCharacters();
        return true;
      },
      ops, &error);
  switch (result) {
    case ReplaceResult::Ok:
      if (lost > 0) ShowWarningMsg(29152, {file_name, static_cast<int64_t>(lost)});
      return true;
    case ReplaceResult::WriteFailed:
      ShowErrorMsg(10154, {file_name, error});
      return false;
    default:
      ShowErrorMsg(10348, {file_name});
      return false;
  }
}

}  // namespace hx
