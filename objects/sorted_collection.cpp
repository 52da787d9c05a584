#include "objects/sorted_collection.h"

#include "objects/object_stream.h"

namespace hx {

bool TCustomSortedCollection::Search(CollKey key, int& index) const {
  bool found = false;
  int lo = 0;
  int hi = Count() - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int c = Compare(KeyOf(items_[mid].get()), key);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (!duplicates_) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TCustomSortedCollection::InsertItem(TStreamableObject* item) {
  if (!item) throw ECollectionError(-1, ClassName());
  if (unsorted_) {
    // Unsorted, the collection is a plain list that may still refuse an equal key.
    if (!duplicates_) {
      const CollKey key = KeyOf(item);
      for (const ItemPtr& other : items_) {
        if (other.get() == item || Compare(KeyOf(other.get()), key) == 0) return -1;
      }
    }
    return TObjectCollection::InsertItem(item);
  }
  int index;
  if (Search(KeyOf(item), index) && !duplicates_) return -1;
  PlaceAt(index, item);
  return index;
}

void TCustomSortedCollection::SetDuplicates(bool duplicates) {
  if (duplicates == duplicates_) return;
  duplicates_ = duplicates;
  SetModified(true);
  if (!duplicates) Resort();
}

void TCustomSortedCollection::SetSorted(bool sorted) {
  unsorted_ = !sorted;
  Resort();
}

void TCustomSortedCollection::Resort() {
  if (unsorted_ || Count() < 2) return;
  std::vector<ItemPtr> all = std::move(items_);
  items_.clear();
  items_.push_back(std::move(all[0]));
  for (size_t i = 1; i < all.size(); ++i) {
    int index;
    if (Search(KeyOf(all[i].get()), index) && !duplicates_) {
      FreeItem(std::move(all[i]));
      continue;
    }
    items_.insert(items_.begin() + index, std::move(all[i]));
  }
  Changed();
}

void TCustomSortedCollection::CopyTo(TStreamableObject& target) const {
  if (auto* t = dynamic_cast<TCustomSortedCollection*>(&target)) {
    t->FreeAllItems();
    t->unsorted_ = unsorted_;
    t->duplicates_ = duplicates_;
    t->reserved_ = reserved_;
  }
  TObjectCollection::CopyTo(target);
}

void TCustomSortedCollection::Load(TObjectStream& s, int variant) {
  int count, limit;
  ReadHeader(s, variant, count, limit);
  std::vector<ItemPtr> read = ReadItems(s, variant, count);
  // The flag follows the items but decides which of them are kept, so it is read before
  // they are inserted.
  const bool duplicates = s.ReadBool();
  reserved_ = s.ReadByte();
  FreeAllItems();
  duplicates_ = duplicates;
  SetCapacity(limit);
  for (ItemPtr& item : read) Insert(std::move(item));
  SetModified(false);
  Changed();
}

void TCustomSortedCollection::Store(TObjectStream& s, int variant) const {
  WriteItems(s, variant);
  s.WriteBool(duplicates_);
  s.WriteByte(reserved_);
}

int TCompareObjectSortedCollection::Compare(CollKey key1, CollKey key2) const {
  return comparer_ ? comparer_->CompareKeys(key1, key2) : -1;
}

void TCompareObjectSortedCollection::SetComparer(const ICollectionComparer* comparer) {
  comparer_ = comparer;
  Resort();
}

int TCompareEventSortedCollection::Compare(CollKey key1, CollKey key2) const {
  return OnCompare ? OnCompare(key1, key2) : -1;
}

int TSortPtrCollection::Compare(CollKey key1, CollKey key2) const {
  const auto a = reinterpret_cast<intptr_t>(key1);
  const auto b = reinterpret_cast<intptr_t>(key2);
  if (a > b) return -1;
  return a == b ? 0 : 1;
}

void RegisterObjectStreamables() {
  RegisterStreamable<TObjectCollection>();
  RegisterStreamable<TCompareObjectSortedCollection>();
  RegisterStreamable<TCompareEventSortedCollection>();
}

}  // namespace hx
