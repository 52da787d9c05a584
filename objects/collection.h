// Object collections: growable arrays of streamable objects that own their items, store
// themselves in an object stream and tell derived classes of every change.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"
#include "objects/streamable.h"

namespace hx {

// Index, capacity and count errors ("List index out of bounds (%d)" and its kin).
class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Raised with code -1 when no item is inserted (message 20028 with the class name); codes -1..-3
// use string-table entries 20028..20030, others entry 20027 with the code.
class ECollectionError : public EHXError {
 public:
  ECollectionError(int code, const std::string& class_name);
};

using ItemPtr = std::unique_ptr<TStreamableObject>;

inline constexpr int kMaxCollectionSize = 134217727;

class TObjectCollection : public TLinesItem {
  HX_STREAMABLE(TObjectCollection, 150)

 public:
  explicit TObjectCollection(int capacity = 0);
  ~TObjectCollection() override;
  TObjectCollection(const TObjectCollection&) = delete;
  TObjectCollection& operator=(const TObjectCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  int Capacity() const { return capacity_; }
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  TStreamableObject* ItemAt(int index) const;
  template <class T>
  T* At(int index) const {
    return static_cast<T*>(ItemAt(index));
  }

  // Inserting hands the item over; an insertion that is refused (index -1) leaves the item
  // with the caller.
  template <class T>
  int Insert(std::unique_ptr<T>&& item) {
    const int index = InsertItem(item.get());
    if (index >= 0) item.release();
    return index;
  }
  template <class T>
  void InsertAt(int index, std::unique_ptr<T>&& item) {
    InsertItemAt(index, item.get());
    item.release();
  }
  // Puts item in place of the one at index and hands the old one back.
  template <class T>
  ItemPtr ReplaceAt(int index, std::unique_ptr<T>&& item) {
    ItemPtr old = ReplaceItemAt(index, item.get());
    item.release();
    return old;
  }

  int IndexOf(const TStreamableObject* item) const;
  // Take an item out without freeing it: ownership goes to the caller. Remove gives nullptr
  // when the item is not in the collection.
  ItemPtr Remove(TStreamableObject* item);
  ItemPtr RemoveAt(int index);
  void FreeAt(int index);
  void FreeObject(TStreamableObject* item);
  // Empties the collection without notifying per item and hands every item back.
  [[nodiscard]] std::vector<ItemPtr> Clear();
  void FreeAllItems();
  void MoveTo(int from, int to);
  void SetCapacity(int capacity);
  // New slots are empty; surplus items are taken out from the end and handed back.
  std::vector<ItemPtr> SetCount(int count);

  void ForEachItem(const std::function<void(TStreamableObject*)>& fn) const;
  TStreamableObject* FindFirst(const std::function<bool(TStreamableObject*)>& fn) const;
  TStreamableObject* FindLast(const std::function<bool(TStreamableObject*)>& fn) const;
  void PackEmpty();
  void PackTrailingEmpty();
  bool AllEmpty() const;

  void CopyTo(TStreamableObject& target) const override;

  // Lines: the items' lines in order.
  int LineCount() const override;
  void GetLine(int index, int options, std::string& text) const override;
  void NumberLines(int& counter) override;

  // Stream layouts: count, limit and delta (int32 in variants 0 and 2, compact integers in 1),
  // then the items.
  void Load0(TObjectStream& s) override { Load(s, 0); }
  void Load1(TObjectStream& s) override { Load(s, 1); }
  void Load2(TObjectStream& s) override { Load(s, 2); }
  void Store0(TObjectStream& s) const override { Store(s, 0); }
  void Store1(TObjectStream& s) const override { Store(s, 1); }
  void Store2(TObjectStream& s) const override { Store(s, 2); }

 protected:
  // Owns item on success. The default appends.
  virtual int InsertItem(TStreamableObject* item);
  void InsertItemAt(int index, TStreamableObject* item);
  ItemPtr ReplaceItemAt(int index, TStreamableObject* item);

  virtual void Grow();
  virtual void Notify(TStreamableObject* item, bool removed) {}
  // Adjusts an item before InsertAt and ReplaceAt place it.
  virtual void PrepareInsert(TStreamableObject& item) {}
  virtual ItemPtr GetItem(TObjectStream& s, int variant);
  virtual void PutItem(TObjectStream& s, const TStreamableObject& item, int variant) const;
  virtual void FreeItem(ItemPtr item) {}
  virtual void Changed() {}
  [[noreturn]] virtual void Error(const char* message, int value) const;

  // Places item at index (0..count) and notifies; used by the sorted insertion.
  void PlaceAt(int index, TStreamableObject* item);
  void Notified(TStreamableObject* item, bool removed);
  ItemPtr TakeAt(int index);
  void CheckIndex(int index) const;

  virtual void Load(TObjectStream& s, int variant);
  virtual void Store(TObjectStream& s, int variant) const;
  // Reads the count-limit-delta header; checks the count against the data left.
  void ReadHeader(TObjectStream& s, int variant, int& count, int& limit);
  std::vector<ItemPtr> ReadItems(TObjectStream& s, int variant, int count);
  void WriteItems(TObjectStream& s, int variant) const;

  std::vector<ItemPtr> items_;

 private:
  int capacity_ = 0;
  bool modified_ = false;
};

}  // namespace hx
