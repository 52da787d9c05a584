// Small streamable classes for the persistence tests.
#pragma once

#include <string>
#include <vector>

#include "objects/object_stream.h"
#include "objects/sorted_collection.h"

namespace hx::test {

// An item with an integer key and a name; variant 0 stores int32 + string, variant 1
// compact + string.
class TKeyItem : public TLinesItem {
  HX_STREAMABLE(TKeyItem, 901)

 public:
  TKeyItem() = default;
  TKeyItem(int key, std::string name = {}) : key(key), name(std::move(name)) {}
  void Load0(TObjectStream& s) override {
    key = s.ReadInt32();
    name = s.ReadStr();
  }
  void Load1(TObjectStream& s) override {
    key = s.ReadCompact();
    name = s.ReadStr();
  }
  void Store0(TObjectStream& s) const override {
    s.WriteInt32(key);
    s.WriteStr(name);
  }
  void Store1(TObjectStream& s) const override {
    s.WriteCompact(key);
    s.WriteStr(name);
  }
  bool IsEmpty() const override { return name.empty(); }

  int key = 0;
  std::string name;
};

// Registered under 357, the id that the legacy id 330 stands for.
class TLegacyItem : public TStreamableObject {
  HX_STREAMABLE(TLegacyItem, 357)

 public:
  void Load1(TObjectStream& s) override { value = s.ReadByte(); }
  void Store1(TObjectStream& s) const override { s.WriteByte(value); }
  uint8_t value = 0;
};

// Sorted by TKeyItem::key, ascending.
class TKeySorted : public TCustomSortedCollection {
  HX_STREAMABLE(TKeySorted, 902)

 public:
  CollKey KeyOf(const TStreamableObject* item) const override {
    return &static_cast<const TKeyItem*>(item)->key;
  }
  int Compare(CollKey a, CollKey b) const override {
    const int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  // Every Notify call: the key of the item (it must still be alive) and the removed flag.
  mutable std::vector<std::pair<int, bool>> notes;

 protected:
  void Notify(TStreamableObject* item, bool removed) override {
    notes.emplace_back(static_cast<TKeyItem*>(item)->key, removed);
  }
};

inline std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> v;
  for (int b : list) v.push_back(static_cast<uint8_t>(b));
  return v;
}

inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

inline TObjectStream ReaderOf(const std::vector<uint8_t>& bytes) {
  return TObjectStream(std::make_unique<TMemoryStream>(bytes));
}

}  // namespace hx::test
