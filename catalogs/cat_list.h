// What a catalog list shows: the entries of one catalog under the request's type filter, the
// type filter box, the producer filter box and the typed prefix. The simple, the extended and
// the manager dialogs fill their lists through it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/cat.h"

namespace hx {

// The producer filter box's choice: every producer, items without one, or one producer.
struct TProducerFilter {
  enum Kind { All, Others, One } kind = All;
  std::string producer;  // for One
};

// The producer a box entry stands for: "Все" -> All, "Другие" or a blank text -> Others, any
// other text -> One (the text after its TAB, or the whole text).
TProducerFilter ProducerFilterOf(const std::string& entry_text);

// Whether an item is listed: (a) with a type filter, its Typ is below 256 and in the filter;
// (b) it is visible, or the mode is an edit mode; (c) the producer filter accepts it.
bool ListsItem(const TCatItem& item, const TCatTypeFilter& types, TCatDisplayMode mode,
               const TProducerFilter& producer);

class TCatListModel {
 public:
  // The list of cat under the request's type filter (none: every type).
  TCatListModel(TCustomCat& cat, TCatTypeFilter request_filter, TCatDisplayMode mode);

  TCustomCat& Cat() const { return *cat_; }
  // Shows another catalog of the chain; the filters start again at "Все".
  void SetCat(TCustomCat& cat);
  TCatDisplayMode Mode() const { return mode_; }

  // Refills both filter boxes and the list.
  void Refill();

  // The type box: "Все" (10444) first, then one entry per type id present among the items the
  // request allows, with its caption and a representative item. Choosing "Все" means the
  // request's filter; a type entry that single type. Changing it refills the producer box and
  // the list.
  const std::vector<TCatListEntry>& TypeEntries() const { return type_entries_; }
  int TypeIndex() const { return type_index_; }
  void SetTypeIndex(int index);
  // The filter the list applies now.
  TCatTypeFilter ActiveTypeFilter() const;

  // The producer box: "Все" (10442), "Другие" (10443), then each distinct producer of the
  // items the type filter allows ("display producer<TAB>producer" when the two differ).
  const std::vector<TCatListEntry>& ProducerEntries() const { return producer_entries_; }
  int ProducerIndex() const { return producer_index_; }
  void SetProducerIndex(int index);
  // Chooses the producer box entry with that text (a typed producer); a text that is no entry
  // filters as a producer text of its own.
  void SetProducerText(std::string_view text);

  // The listed entries (text: the item's ListSymbol). Without a type and a producer filter
  // outside the edit modes they are the catalog's prepared symbol list.
  const std::vector<TCatListEntry>& Entries() const { return visible_; }
  // Every entry the filters let through, before the typed prefix.
  const std::vector<TCatListEntry>& FilteredEntries() const { return filtered_; }

  // Narrows the list to the entries whose text begins with prefix (ignoring case); an empty
  // prefix shows them all again. A longer prefix narrows the current list only.
  void SetPrefix(std::string_view prefix);
  const std::string& Prefix() const { return prefix_; }
  // The first listed entry whose text begins with prefix (ignoring case), or -1.
  int FindPrefix(std::string_view prefix) const;
  // The position of the item, or -1.
  int IndexOfItem(const TCatItem* item) const;
  // The first entry whose item has that display symbol (ignoring case), or -1.
  int IndexOfDisplaySymbol(std::string_view symbol) const;

  // Drops the entries of an item that left the catalog (none: all entries).
  void DropItem(const TCatItem* item);

 private:
  void FillTypes();
  void FillProducers();
  void FillList();
  void ApplyPrefix(bool narrow);

  TCustomCat* cat_;
  TCatTypeFilter request_;
  TCatDisplayMode mode_;
  std::vector<TCatListEntry> type_entries_;
  std::vector<TCatListEntry> producer_entries_;
  int type_index_ = 0;
  int producer_index_ = 0;
  std::optional<std::string> typed_producer_;
  std::vector<TCatListEntry> filtered_;
  std::vector<std::string> folded_;  // upper-cased texts of filtered_
  std::vector<TCatListEntry> visible_;
  std::vector<int> visible_at_;  // positions in filtered_ of visible_
  std::string prefix_;
  std::string folded_prefix_;
};

}  // namespace hx
