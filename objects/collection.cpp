#include "objects/collection.h"

#include <algorithm>

#include "base/msg_format.h"
#include "base/string_table.h"
#include "objects/object_stream.h"

namespace hx {
namespace {

std::string CollectionErrorText(int code, const std::string& class_name) {
  if (code <= -1 && code >= -3) return FormatStr(20027 - code, {class_name});
  return FormatStr(20027, {code});
}

}  // namespace

ECollectionError::ECollectionError(int code, const std::string& class_name)
    : EHXError(code, CollectionErrorText(code, class_name)) {}

TObjectCollection::TObjectCollection(int capacity) { SetCapacity(capacity); }

TObjectCollection::~TObjectCollection() { FreeAllItems(); }

void TObjectCollection::Error(const char* message, int value) const {
  throw EListError(FormatMsg(message, {value}));
}

void TObjectCollection::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
}

TStreamableObject* TObjectCollection::ItemAt(int index) const {
  CheckIndex(index);
  return items_[index].get();
}

void TObjectCollection::Grow() {
  const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(std::min(capacity_ + delta, kMaxCollectionSize));
}

void TObjectCollection::Notified(TStreamableObject* item, bool removed) {
  Notify(item, removed);
  modified_ = true;
  Changed();
}

void TObjectCollection::PlaceAt(int index, TStreamableObject* item) {
  if (Count() >= capacity_) Grow();
  if (Count() >= capacity_) Error("List capacity out of bounds (%d)", capacity_);
  items_.insert(items_.begin() + index, ItemPtr(item));
  Notified(item, false);
}

int TObjectCollection::InsertItem(TStreamableObject* item) {
  if (!item) throw ECollectionError(-1, ClassName());
  const int index = Count();
  PlaceAt(index, item);
  return index;
}

void TObjectCollection::InsertItemAt(int index, TStreamableObject* item) {
  if (!item) throw ECollectionError(-1, ClassName());
  if (index < 0) Error("List index out of bounds (%d)", index);
  PrepareInsert(*item);
  if (index >= Count()) {
    InsertItem(item);
    return;
  }
  PlaceAt(index, item);
}

ItemPtr TObjectCollection::ReplaceItemAt(int index, TStreamableObject* item) {
  if (!item) throw ECollectionError(-1, ClassName());
  CheckIndex(index);
  PrepareInsert(*item);
  ItemPtr old = std::move(items_[index]);
  items_[index].reset(item);
  Notified(old.get(), true);
  Notified(item, false);
  return old;
}

int TObjectCollection::IndexOf(const TStreamableObject* item) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[i].get() == item) return i;
  }
  return -1;
}

ItemPtr TObjectCollection::TakeAt(int index) {
  CheckIndex(index);
  ItemPtr item = std::move(items_[index]);
  items_.erase(items_.begin() + index);
  Notified(item.get(), true);
  return item;
}

ItemPtr TObjectCollection::Remove(TStreamableObject* item) {
  const int index = IndexOf(item);
  return index < 0 ? nullptr : TakeAt(index);
}

ItemPtr TObjectCollection::RemoveAt(int index) { return TakeAt(index); }

void TObjectCollection::FreeAt(int index) {
  // Taken out first, so that Notify never sees an item that is already freed.
  FreeItem(TakeAt(index));
}

void TObjectCollection::FreeObject(TStreamableObject* item) {
  ItemPtr taken = Remove(item);
  if (taken) FreeItem(std::move(taken));
}

std::vector<ItemPtr> TObjectCollection::Clear() {
  std::vector<ItemPtr> taken = std::move(items_);
  items_.clear();
  modified_ = true;
  Changed();
  return taken;
}

void TObjectCollection::FreeAllItems() {
  std::vector<ItemPtr> taken = std::move(items_);
  items_.clear();
  for (ItemPtr& item : taken) FreeItem(std::move(item));
}

void TObjectCollection::MoveTo(int from, int to) {
  if (from == to) return;
  CheckIndex(from);
  CheckIndex(to);
  ItemPtr item = TakeAt(from);
  TStreamableObject* raw = item.release();
  PlaceAt(to, raw);
}

void TObjectCollection::SetCapacity(int capacity) {
  if (capacity < Count() || capacity > kMaxCollectionSize) {
    Error("List capacity out of bounds (%d)", capacity);
  }
  capacity_ = capacity;
  // Slots are reserved as items arrive; a capacity taken from a file is only a number here.
  if (static_cast<size_t>(capacity) < items_.capacity()) items_.shrink_to_fit();
}

std::vector<ItemPtr> TObjectCollection::SetCount(int count) {
  if (count < 0 || count > kMaxCollectionSize) Error("List count out of bounds (%d)", count);
  std::vector<ItemPtr> surplus;
  if (count > capacity_) SetCapacity(count);
  while (Count() > count) {
    surplus.push_back(std::move(items_.back()));
    items_.pop_back();
  }
  std::reverse(surplus.begin(), surplus.end());
  items_.resize(count);
  modified_ = true;
  Changed();
  return surplus;
}

void TObjectCollection::ForEachItem(const std::function<void(TStreamableObject*)>& fn) const {
  for (int i = 0; i < Count(); ++i) fn(items_[i].get());
}

TStreamableObject* TObjectCollection::FindFirst(
    const std::function<bool(TStreamableObject*)>& fn) const {
  for (int i = 0; i < Count(); ++i) {
    if (fn(items_[i].get())) return items_[i].get();
  }
  return nullptr;
}

TStreamableObject* TObjectCollection::FindLast(
    const std::function<bool(TStreamableObject*)>& fn) const {
  for (int i = Count() - 1; i >= 0; --i) {
    if (fn(items_[i].get())) return items_[i].get();
  }
  return nullptr;
}

void TObjectCollection::PackEmpty() {
  for (int i = Count() - 1; i >= 0; --i) {
    if (!items_[i] || items_[i]->IsEmpty()) FreeAt(i);
  }
}

void TObjectCollection::PackTrailingEmpty() {
  while (Count() > 0 && (!items_.back() || items_.back()->IsEmpty())) FreeAt(Count() - 1);
}

bool TObjectCollection::AllEmpty() const {
  for (const ItemPtr& item : items_) {
    if (item && !item->IsEmpty()) return false;
  }
  return true;
}

void TObjectCollection::CopyTo(TStreamableObject& target) const {
  auto* coll = dynamic_cast<TObjectCollection*>(&target);
  if (!coll) return;
  coll->FreeAllItems();
  coll->SetCapacity(std::max(capacity_, Count()));
  for (const ItemPtr& item : items_) {
    if (item) coll->Insert(item->Clone());
  }
}

int TObjectCollection::LineCount() const {
  int lines = 0;
  for (const ItemPtr& item : items_) {
    if (const auto* li = dynamic_cast<const TLinesItem*>(item.get())) lines += li->LineCount();
  }
  return lines;
}

void TObjectCollection::GetLine(int index, int options, std::string& text) const {
  for (const ItemPtr& item : items_) {
    const auto* li = dynamic_cast<const TLinesItem*>(item.get());
    if (!li) continue;
    if (index < li->LineCount()) {
      li->GetLine(index, options, text);
      return;
    }
    index -= li->LineCount();
  }
}

void TObjectCollection::NumberLines(int& counter) {
  for (ItemPtr& item : items_) {
    if (auto* li = dynamic_cast<TLinesItem*>(item.get())) li->NumberLines(counter);
  }
}

// ---- streams

ItemPtr TObjectCollection::GetItem(TObjectStream& s, int variant) { return s.GetObject(variant); }

void TObjectCollection::PutItem(TObjectStream& s, const TStreamableObject& item,
                                int variant) const {
  s.PutObject(item, variant);
}

void TObjectCollection::ReadHeader(TObjectStream& s, int variant, int& count, int& limit) {
  if (variant == 1) {
    count = s.ReadCompact();
    limit = s.ReadCompact();
    s.ReadCompact();
  } else {
    count = s.ReadInt32();
    limit = s.ReadInt32();
    s.ReadInt32();
  }
  // Every item takes at least its type id: 2 bytes in variant 1, 4 otherwise.
  if (count < 0 || count > kMaxCollectionSize) throw EObjectStream(-8, {count});
  s.CheckAvailable(count, variant == 1 ? 2 : 4);
  if (variant == 0 || limit < count || limit > kMaxCollectionSize) limit = count;
}

std::vector<ItemPtr> TObjectCollection::ReadItems(TObjectStream& s, int variant, int count) {
  std::vector<ItemPtr> read;
  read.reserve(count);
  for (int i = 0; i < count; ++i) read.push_back(GetItem(s, variant));
  return read;
}

void TObjectCollection::Load(TObjectStream& s, int variant) {
  int count, limit;
  ReadHeader(s, variant, count, limit);
  std::vector<ItemPtr> read = ReadItems(s, variant, count);
  FreeAllItems();
  SetCapacity(limit);
  for (ItemPtr& item : read) Insert(std::move(item));
  modified_ = false;
  Changed();
}

void TObjectCollection::WriteItems(TObjectStream& s, int variant) const {
  if (variant == 1) {
    s.WriteCompact(Count());
    s.WriteCompact(capacity_);
    s.WriteCompact(10);
  } else {
    s.WriteInt32(Count());
    s.WriteInt32(capacity_);
    s.WriteInt32(10);
  }
  for (const ItemPtr& item : items_) {
    if (!item) throw ECollectionError(-1, ClassName());
    PutItem(s, *item, variant);
  }
}

void TObjectCollection::Store(TObjectStream& s, int variant) const { WriteItems(s, variant); }

}  // namespace hx
