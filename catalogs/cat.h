// Catalogs: named sets of symbol-keyed items owned by the data modules. TCustomCat holds what
// every catalog has (items, chain, look-ups, lists for the dialogs, events, the dialogs
// attached); TCat reads and stores full items in catalog files; TIndCat (ind_cat.h) reads only
// the items' headers and loads a full item on demand.
//
// Catalog file (variant 0): the file header with the catalog's signature; int32 count, int32
// limit, int32 10; then per item an int32 end position (the absolute position after the item)
// and the item as an object (int32 type id and data). Variant 1 writes the three numbers as
// compact integers and the type ids in 2 bytes; each item is still preceded by an int32 end
// position.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/safe_replace.h"
#include "catalogs/cat_item.h"
#include "objects/byte_stream.h"
#include "objects/sorted_collection.h"
#include "records/field.h"

namespace hx {

class TCatDlg;
class TCatItemForm;
class TCatLookUp;
class TCatManagerDlg;
class TCustomCat;
class TCustomLookUp;
class TFileVerInfo;
class TObjectStream;
class TZqField;
class IImageList;
class ILookUpCanvas;
struct ItemRect;

// Item type ids allowed by a select or view request, member n = type id n; no value means no
// filter.
using TCatTypeSet = std::bitset<256>;
using TCatTypeFilter = std::optional<TCatTypeSet>;

// How a dialog shows a catalog.
enum TCatDisplayMode : uint8_t { cdmSelectItem, cdmViewItems, cdmEditItems, cdmEditandSelectItems };
inline bool IsEditMode(TCatDisplayMode mode) {
  return mode == cdmEditItems || mode == cdmEditandSelectItems;
}

// An entry of a list made for the dialogs: the text shown and the item it stands for (none for
// a blank entry).
struct TCatListEntry {
  std::string text;
  TCatItem* item = nullptr;
};

// What the last reading of a catalog met.
struct TCatReadReport {
  struct Skipped {
    int index;         // position of the item in the file's list
    int64_t position;  // of its type id
    std::string error;
  };
  std::string file_name;
  int variant = 0;
  bool opened = false;  // the file was opened and its header accepted
  int count = 0;        // items the file announces
  int read = 0;         // items read
  std::vector<Skipped> skipped;
  // Set when reading stopped before the end (a refused file, a damaged list).
  std::string error;
  bool damaged = false;
};

// Told when items leave a catalog (item none: all of them) and when it goes away, so that
// lists, look-ups and dialogs drop what they hold.
class ICatObserver {
 public:
  virtual void CatItemRemoved(TCustomCat& cat, const TCatItem* item) = 0;
  virtual void CatDestroyed(TCustomCat& cat) = 0;

 protected:
  ~ICatObserver() = default;
};

// Items ordered by display symbol with the locale's case-sensitive comparison, or by a table's
// order when a comparer is attached. Equal keys are kept, so that reading loses no item.
class TCatCollection : public TCustomSortedCollection {
 public:
  explicit TCatCollection(int capacity = 0);
  int Compare(CollKey key1, CollKey key2) const override;
  // Attaching a comparer (not owned; none detaches it) re-sorts the items.
  void SetComparer(const ICollectionComparer* comparer);
  TCatItem* Item(int index) const;

 protected:
  void Notify(TStreamableObject* item, bool removed) override;

 private:
  friend class TCustomCat;
  TCustomCat* owner_ = nullptr;
  const ICollectionComparer* comparer_ = nullptr;
};

class TCustomCat : public ICatalogLookup {
 public:
  using ItemSelChangeEvent = std::function<void(TCustomCat& cat, TCatItem* item, bool take_data)>;
  // May replace form (the form currently shown, none at first) by another; a replaced form is
  // freed.
  using GetFormExEvent = std::function<void(TCustomCat& cat, TCatDisplayMode mode,
                                            std::unique_ptr<TCatItemForm>& form, TCatItem* item)>;
  // pipe is none for the searches by symbol only.
  using FindCatItemExEvent =
      std::function<void(const std::string& symbol, const std::string* pipe, TCatItem*& item)>;
  using NotifyEvent = std::function<void(TCustomCat& cat)>;
  using GetNewItemEvent = std::function<void(TCustomCat& cat, std::unique_ptr<TCatItem>& item)>;
  using AcceptItemEvent = std::function<void(TCustomCat& cat, TCatItem& item, bool& accept)>;
  using FileEvent = std::function<void(TCustomCat& cat, std::string& file_name, bool& use_default,
                                       TFileVerInfo*& signature)>;
  // True when the handler drew the entry.
  using DrawItemEvent = std::function<bool(TCustomCat& cat, TCatItem& item, ILookUpCanvas& canvas,
                                           const ItemRect& rect, unsigned state)>;
  using MeasureItemEvent = std::function<void(TCustomCat& cat, TCatItem& item, int& height)>;

  explicit TCustomCat(std::unique_ptr<TCatCollection> items);
  // Frees the items, unbinds the fields bound to the catalog and detaches its dialogs.
  virtual ~TCustomCat();
  TCustomCat(const TCustomCat&) = delete;
  TCustomCat& operator=(const TCustomCat&) = delete;

  // ---- published
  std::string Name;
  bool System = true;
  std::string Hint;
  const IImageList* Images = nullptr;
  int32_t ImageIndex = -1;
  int32_t TabImageIndex = -1;  // -1: ImageIndex
  uint8_t Id = 0;
  // Captions, hints and glyphs of the item types by type id (not owned).
  TCustomLookUp* ItemsTypeLookUp = nullptr;
  bool ViewEx = false;
  bool SelectEx = false;
  // File and editing properties (used by TCat and the editing list).
  std::string DefaultExt;
  std::string Filter;
  std::string InitialDir;
  std::string FileName;
  int32_t FilterIndex = 1;
  std::string OpenTitle;
  std::string StoreTitle;
  bool AllowEmptySymbols = false;
  bool AllowDuplicates = false;
  int32_t NewCatItemClassTypeId = 0;

  GetNewItemEvent OnGetNewItem;
  AcceptItemEvent OnInsertItem;
  AcceptItemEvent OnDeleteItem;
  FileEvent OnLoadItems;
  FileEvent OnStoreItems;
  ItemSelChangeEvent OnItemSelChange;
  GetFormExEvent OnGetFormEx;
  FindCatItemExEvent OnFindCatItemEx;
  NotifyEvent OnGetDocItems;
  DrawItemEvent OnDrawCatItem;
  MeasureItemEvent OnMeasureCatItem;
  NotifyEvent OnTabEdit;

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) { caption_ = caption; }
  int32_t TabImage() const { return TabImageIndex >= 0 ? TabImageIndex : ImageIndex; }

  // The dialogs attached; a dialog belongs to one catalog (attaching it here detaches it from
  // another). None detaches.
  TCatDlg* SelectCatDlg() const { return select_dlg_; }
  TCatDlg* ViewCatDlg() const { return view_dlg_; }
  TCatDlg* EditCatDlg() const { return edit_dlg_; }
  TCatManagerDlg* CatManagerDlg() const { return manager_dlg_; }
  void SetSelectCatDlg(TCatDlg* dlg);
  void SetViewCatDlg(TCatDlg* dlg);
  void SetEditCatDlg(TCatDlg* dlg);
  void SetCatManagerDlg(TCatManagerDlg* dlg);

  // ---- files

  // Opens a catalog file (variant 0 / variant 1), freeing the current items first. An empty
  // file name leaves the catalog empty without a message. A file that cannot be opened or is
  // refused leaves it empty (capacity 20); a damaged item list stops reading and keeps the
  // items read so far; both show message 10153 when show_errors is set. An unreadable item is
  // skipped. True when the whole list was read.
  bool Open(const std::string& file_name, TFileVerInfo& signature, bool sorted = true,
            bool show_errors = true);
  bool OpenV1(const std::string& file_name, TFileVerInfo& signature, bool sorted = true,
              bool show_errors = true);
  // Reads the item list of a catalog from s (after the header) in variant 0 or 1 into this
  // catalog, adding to its items; the report tells what was skipped or stopped the reading.
  void ReadItemList(TObjectStream& s, int variant, TCatReadReport& report);
  const TCatReadReport& LastReadReport() const { return report_; }
  bool UsesVariant1() const { return variant1_; }

  // A catalog inside another object stream (count, limit, 10, then per item the end position
  // and the object); ReadFrom adds the items and raises EObjectStream on a damaged list.
  void ReadFrom(TObjectStream& s, int variant = 0);
  void WriteTo(TObjectStream& s) const;
  void WriteToV1(TObjectStream& s) const;
  // Writes the item list in a variant at the stream's position.
  void WriteItemList(TObjectStream& s, int variant) const;
  // This catalog's items in order.
  std::vector<const TCatItem*> OwnItems() const;

  // Frees every item (and closes the file of an index catalog).
  virtual void Clear();
  // Takes every item out without freeing it; the items no longer point at this catalog.
  std::vector<std::unique_ptr<TCatItem>> Detach();
  // With the wait cursor: every item gets SetCat(this), then every item's AfterCatLoad.
  void AfterLoad();

  // ---- items (Count and Items span the chain: this catalog's items, then the next one's)
  int Count() const;
  TCatItem* Items(int index) const;
  int OwnCount() const { return items_->Count(); }
  TCatItem* OwnItem(int index) const { return items_->Item(index); }
  TCatCollection& Collection() { return *items_; }
  const TCatCollection& Collection() const { return *items_; }
  // Position among this catalog's items, or -1.
  int IndexOf(const TCatItem* item) const;
  // Hands the item over (its catalog is set when it has none) and returns its index; a
  // refused item (-1) stays with the caller.
  int Insert(std::unique_ptr<TCatItem>&& item);
  void InsertAt(int index, std::unique_ptr<TCatItem>&& item);
  std::unique_ptr<TCatItem> RemoveAt(int index);
  // Nothing when the item is not in this catalog.
  std::unique_ptr<TCatItem> Remove(TCatItem* item);
  void FreeAt(int index);
  void FreeObject(TCatItem* item);
  // Fires OnItemSelChange and makes the item current.
  void ItemSelChange(TCatItem* item, bool take_data = false);
  TCatItem* CurrentItem() const { return current_; }
  void SetCurrentItem(TCatItem* item) { current_ = item; }

  // ---- look-ups (each trims its argument and resolves aliases)

  // The first item whose symbol equals the text ignoring case; else the next catalog's; else
  // OnFindCatItemEx.
  TCatItem* FindBySymbol(std::string_view symbol);
  // The same on the display symbol, without the event.
  TCatItem* FindByDisplaySymbol(std::string_view text);
  // OnFindCatItemEx alone decides when it is set; else symbol and pipe symbol must match.
  TCatItem* FindBySymbolAndPipe(std::string_view symbol, std::string_view pipe);
  // FindBySymbol without the event (this catalog and its chain), for the handlers of the event
  // itself.
  TCatItem* FindBySymbolNoEvent(std::string_view symbol);

  // ICatalogLookup, for the fields bound to the catalog.
  bool HasSymbol(std::string_view symbol) const override;
  TGlyphPtr Glyph(std::string_view symbol) const override { return GetItemGlyph(symbol); }

  // The glyph of the type of the item of that symbol.
  TGlyphPtr GetItemGlyph(std::string_view symbol) const;
  std::string TypeCaption(int32_t typ) const;
  std::string TypeHint(int32_t typ) const;
  TGlyphPtr TypeGlyph(int32_t typ) const;

  // ---- the lists of the dialogs, rebuilt from the visible items
  void BuildLists();
  // Every visible item's ListSymbol.
  const std::vector<TCatListEntry>& SymbolList() const { return symbol_list_; }
  // Each distinct non-blank producer once: "display producer<TAB>producer" when the two
  // differ, else the producer; sorted.
  const std::vector<TCatListEntry>& ProducerList() const { return producer_list_; }
  // One entry per type id present: its caption and the first item of that type; sorted.
  const std::vector<TCatListEntry>& TypeList() const { return type_list_; }

  // Shows the rename form with the old and the new symbol; on OK marks the item renamed, sets
  // its symbol and tells every item. True when OK was chosen.
  bool RenameItem(TCatItem& item, std::string_view new_symbol);

  void SetModified(bool modified);
  bool IsModified() const { return modified_ || items_->Modified(); }

  // Fires OnGetFormEx, else form := none; true when a form was given.
  bool GetFormEx(TCatDisplayMode mode, std::unique_ptr<TCatItemForm>& form, TCatItem* item);

  // ---- chain
  TCustomCat* NextCat() const { return next_; }
  // Copies SelectEx and ViewEx to the next catalog and gives it this catalog's OnGetFormEx,
  // OnItemSelChange and OnGetDocItems where it has none. A catalog already in the chain is
  // refused (false).
  bool SetNextCat(TCustomCat* next);

  // ---- dialog state
  TCatDisplayMode DisplayMode = cdmSelectItem;
  bool Busy = false;

  // ---- dialog operations (catalog dialogs); each returns the chosen symbol
  using SymbolCallback = std::function<void(const std::string& symbol)>;
  std::string SelectItem(std::string_view symbol, const TCatTypeFilter& filter,
                         const SymbolCallback& callback = {});
  std::string ViewItem(std::string_view symbol, const TCatTypeFilter& filter,
                       const SymbolCallback& callback = {});
  // As ViewItem, but a non-blank symbol that no item has shows 20140 first.
  std::string ViewItemChecked(std::string_view symbol, const TCatTypeFilter& filter);
  std::string EditItems(std::string_view symbol, bool modal = true,
                        const SymbolCallback& callback = {});
  std::string EditAndSelect(std::string_view symbol, const SymbolCallback& callback = {});
  // The manager dialog over a catalog look-up's working set; true when OK was chosen.
  bool ManageWorkingSet(TCatLookUp& lookup);

  // ---- fields bound to the catalog: unbound when it goes away
  void BindField(TZqField& field);
  void UnbindField(TZqField& field);

  void AddObserver(ICatObserver* observer);
  void RemoveObserver(ICatObserver* observer);

 protected:
  // Reads one item of the list; start is the position of its type id, end the stored end
  // position. Raises on an unreadable item.
  virtual std::unique_ptr<TCatItem> ReadListItem(TObjectStream& s, int variant, int64_t start);
  // Opens the file, reads the list and keeps the report; shows 10153 when asked.
  bool OpenFile(const std::string& file_name, TFileVerInfo& signature, int variant, bool sorted,
                bool show_errors);
  // Takes over the open stream after reading (an index catalog keeps it).
  virtual void KeepStream(std::unique_ptr<TObjectStream> stream, TFileVerInfo& signature) {}
  void NotifyRemoved(const TCatItem* item);

 private:
  friend class TCatCollection;
  friend class TCatDlg;
  friend class TCatManagerDlg;
  class FieldBinding;

  TCatItem* FindLocal(std::string_view text, bool display, const std::string* pipe);
  TCatItem* ResolveAlias(TCatItem* found, const std::string& searched,
                         const std::function<TCatItem*(const std::string&)>& search);
  bool ChainContains(const TCustomCat* cat) const;
  void DropFromLists(const TCatItem* item);
  TCatDlg*& DlgSlot(int slot);
  void AttachDlg(int slot, TCatDlg* dlg);

  std::unique_ptr<TCatCollection> items_;
  std::string caption_;
  bool variant1_ = false;
  bool modified_ = false;
  bool in_find_event_ = false;
  TCustomCat* next_ = nullptr;
  TCatItem* current_ = nullptr;
  std::vector<TCatListEntry> symbol_list_;
  std::vector<TCatListEntry> producer_list_;
  std::vector<TCatListEntry> type_list_;
  TCatDlg* select_dlg_ = nullptr;
  TCatDlg* view_dlg_ = nullptr;
  TCatDlg* edit_dlg_ = nullptr;
  TCatManagerDlg* manager_dlg_ = nullptr;
  std::vector<std::unique_ptr<FieldBinding>> bindings_;
  std::vector<ICatObserver*> observers_;
  TCatReadReport report_;
};

// Creates the stream a catalog file is written to (tests inject failing ones).
using CatStreamFactory = std::function<std::unique_ptr<TByteStream>(const std::string& name)>;
CatStreamFactory DefaultCatStreamFactory();

// Writes an item list (count, limit, 10, then per item its end position and the object) at the
// stream's position.
void WriteCatalogItems(TObjectStream& s, const std::vector<const TCatItem*>& items, int limit,
                       int variant);

// Writes a catalog file of items (variant 0) through a temporary file, keeping the previous
// file as its backup (Produc.pro -> Produc.~pro). A read-only file shows 10348, a failed write
// 10154, a failed swap 10348; the previous file stays in place in each case. True on success.
bool StoreCatalogItems(const std::string& file_name, TFileVerInfo& signature,
                       const std::vector<const TCatItem*>& items, int limit,
                       IFileOps& ops = SystemFileOps(),
                       const CatStreamFactory& create = DefaultCatStreamFactory());

// A catalog of full items in a file of its own.
class TCat : public TCustomCat {
 public:
  explicit TCat(int capacity = 0);
  explicit TCat(std::unique_ptr<TCatCollection> items) : TCustomCat(std::move(items)) {}

  // Writes the catalog's items with StoreCatalogItems; the modified flags are cleared only once
  // the new file has its name.
  bool Store(const std::string& file_name, TFileVerInfo& signature);
  bool Store(const std::string& file_name, TFileVerInfo& signature, IFileOps& ops,
             const CatStreamFactory& create);
};

}  // namespace hx
