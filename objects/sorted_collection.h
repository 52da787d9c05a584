// Sorted collections: items ordered by a key, found by binary search, with or without
// duplicate keys; and the descendants that compare through a comparer object, an event or
// integer keys.
#pragma once

#include <cstdint>
#include <functional>

#include "objects/collection.h"

namespace hx {

// A key is whatever KeyOf returns for an item; Compare knows its type.
using CollKey = const void*;

class TCustomSortedCollection : public TObjectCollection {
 public:
  explicit TCustomSortedCollection(int capacity = 0) : TObjectCollection(capacity) {}

  virtual CollKey KeyOf(const TStreamableObject* item) const { return item; }
  virtual int Compare(CollKey key1, CollKey key2) const { return -1; }

  // Binary search: true when an item with an equal key exists. index is the position of the
  // equal item (the first of the equal items with duplicates) or the insertion position.
  virtual bool Search(CollKey key, int& index) const;

  bool Duplicates() const { return duplicates_; }
  void SetDuplicates(bool duplicates);
  bool Sorted() const { return !unsorted_; }
  void SetSorted(bool sorted);

  // Re-establishes the order; with duplicates forbidden, an item whose key is already
  // present is freed.
  void Resort();

  // Copies the flags first, so that the copy keeps every item the original holds.
  void CopyTo(TStreamableObject& target) const override;

  // The duplicates flag and the reserved byte follow the items.
  void Load(TObjectStream& s, int variant) override;
  void Store(TObjectStream& s, int variant) const override;

 protected:
  int InsertItem(TStreamableObject* item) override;

 private:
  bool unsorted_ = false;
  bool duplicates_ = false;
  uint8_t reserved_ = 0;
};

// The comparison a table's data supplies to a collection sorted by its columns.
class ICollectionComparer {
 public:
  virtual ~ICollectionComparer() = default;
  virtual int CompareKeys(CollKey key1, CollKey key2) const = 0;
};

class TCompareObjectSortedCollection : public TCustomSortedCollection {
  HX_STREAMABLE(TCompareObjectSortedCollection, 250)

 public:
  int Compare(CollKey key1, CollKey key2) const override;
  // Attaching a comparer re-sorts the items. The comparer is not owned.
  void SetComparer(const ICollectionComparer* comparer);
  const ICollectionComparer* Comparer() const { return comparer_; }

 private:
  const ICollectionComparer* comparer_ = nullptr;
};

class TCompareEventSortedCollection : public TCustomSortedCollection {
  HX_STREAMABLE(TCompareEventSortedCollection, 251)

 public:
  using CompareEvent = std::function<int(CollKey, CollKey)>;
  int Compare(CollKey key1, CollKey key2) const override;
  CompareEvent OnCompare;
};

// Integer keys sorted in descending order.
class TSortPtrCollection : public TCustomSortedCollection {
 public:
  int Compare(CollKey key1, CollKey key2) const override;
  static CollKey IntKey(intptr_t v) { return reinterpret_cast<CollKey>(v); }
};

}  // namespace hx
