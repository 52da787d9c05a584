#include "objects/collection.h"

#include <gtest/gtest.h>

#include "objects/object_stream.h"
#include "objects/sorted_collection.h"
#include "objects/tests/test_items.h"

namespace hx {
namespace {

using test::Bytes;
using test::operator+;
using test::ReaderOf;
using test::Text;
using test::TKeyItem;
using test::TKeySorted;

std::unique_ptr<TKeyItem> Item(int key, std::string name = "x") {
  return std::make_unique<TKeyItem>(key, std::move(name));
}

std::vector<int> Keys(const TObjectCollection& c) {
  std::vector<int> keys;
  for (int i = 0; i < c.Count(); ++i) keys.push_back(c.At<TKeyItem>(i)->key);
  return keys;
}

TEST(ObjectCollection, GrowthFromZero) {
  TObjectCollection c;
  std::vector<int> capacities;
  for (int i = 0; i < 96; ++i) {
    if (c.Count() == c.Capacity()) {
      c.Insert(Item(i));
      capacities.push_back(c.Capacity());
    } else {
      c.Insert(Item(i));
    }
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(ObjectCollection, InsertRemoveAndBounds) {
  TObjectCollection c;
  c.Insert(Item(1));
  c.Insert(Item(3));
  c.InsertAt(1, Item(2));
  c.InsertAt(10, Item(4));  // past the end: appended
  EXPECT_EQ(Keys(c), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(c.Modified());

  TKeyItem outsider(9);
  EXPECT_EQ(c.Remove(&outsider), nullptr);
  EXPECT_EQ(c.Count(), 4);
  ItemPtr taken = c.RemoveAt(0);
  EXPECT_EQ(static_cast<TKeyItem*>(taken.get())->key, 1);
  c.MoveTo(0, 2);
  EXPECT_EQ(Keys(c), (std::vector<int>{3, 4, 2}));
  ItemPtr old = c.ReplaceAt(1, Item(5));
  EXPECT_EQ(static_cast<TKeyItem*>(old.get())->key, 4);

  EXPECT_THROW(c.ItemAt(3), EListError);
  EXPECT_THROW(c.ItemAt(-1), EListError);
  try {
    c.ItemAt(7);
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (7)");
  }
  EXPECT_THROW(c.SetCapacity(2), EListError);
  EXPECT_THROW(c.SetCapacity(kMaxCollectionSize + 1), EListError);
  EXPECT_THROW(c.SetCount(-1), EListError);
  try {
    c.Insert(std::unique_ptr<TKeyItem>());
    FAIL();
  } catch (const ECollectionError& e) {
    EXPECT_EQ(e.Code(), -1);
    EXPECT_STREQ(e.what(), "Попытка вставки NIL pointer в TObjectCollection");
  }

  auto surplus = c.SetCount(1);
  ASSERT_EQ(surplus.size(), 2u);
  EXPECT_EQ(static_cast<TKeyItem*>(surplus[1].get())->key, 2);
  auto rest = c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(rest.size(), 1u);
}

TEST(ObjectCollection, PackingAndSearchingByPredicate) {
  TObjectCollection c;
  c.Insert(Item(1, ""));
  c.Insert(Item(2, "b"));
  c.Insert(Item(3, ""));
  c.Insert(Item(4, "d"));
  c.Insert(Item(5, ""));
  auto is_named = [](TStreamableObject* o) { return !static_cast<TKeyItem*>(o)->name.empty(); };
  EXPECT_EQ(static_cast<TKeyItem*>(c.FindFirst(is_named))->key, 2);
  EXPECT_EQ(static_cast<TKeyItem*>(c.FindLast(is_named))->key, 4);
  c.PackTrailingEmpty();
  EXPECT_EQ(Keys(c), (std::vector<int>{1, 2, 3, 4}));
  c.PackEmpty();
  EXPECT_EQ(Keys(c), (std::vector<int>{2, 4}));
  EXPECT_FALSE(c.AllEmpty());

  auto copy = c.Clone();
  EXPECT_EQ(Keys(static_cast<TObjectCollection&>(*copy)), (std::vector<int>{2, 4}));
  EXPECT_NE(static_cast<TObjectCollection&>(*copy).ItemAt(0), c.ItemAt(0));

  int counter = 10;
  c.NumberLines(counter);
  EXPECT_EQ(counter, 12);
  EXPECT_EQ(c.At<TKeyItem>(1)->LineNo(), 11);
  EXPECT_EQ(c.LineCount(), 2);
}

TEST(SortedCollection, SearchPositions) {
  TKeySorted c;
  for (int k : {20, 10, 30}) c.Insert(Item(k));
  EXPECT_EQ(Keys(c), (std::vector<int>{10, 20, 30}));
  struct Case {
    int key;
    bool found;
    int index;
  } cases[] = {{5, false, 0}, {10, true, 0}, {15, false, 1}, {30, true, 2}, {99, false, 3}};
  for (const auto& k : cases) {
    int index = -1;
    EXPECT_EQ(c.Search(&k.key, index), k.found) << k.key;
    EXPECT_EQ(index, k.index) << k.key;
  }
  auto dup = Item(20);
  EXPECT_EQ(c.Insert(std::move(dup)), -1);
  ASSERT_NE(dup, nullptr);  // refused: still the caller's
  EXPECT_EQ(c.Count(), 3);
}

TEST(SortedCollection, DuplicatesGoBeforeEqualItemsAndAreDroppedWhenForbidden) {
  TKeySorted c;
  c.SetDuplicates(true);
  c.Insert(Item(5, "first"));
  c.Insert(Item(5, "second"));
  c.Insert(Item(1, "one"));
  c.Insert(Item(5, "third"));
  ASSERT_EQ(c.Count(), 4);
  EXPECT_EQ(c.At<TKeyItem>(1)->name, "third");
  EXPECT_EQ(c.At<TKeyItem>(2)->name, "second");
  EXPECT_EQ(c.At<TKeyItem>(3)->name, "first");
  int index;
  const int five = 5;
  EXPECT_TRUE(c.Search(&five, index));
  EXPECT_EQ(index, 1);  // the first of the equal items

  auto copy = c.Clone();
  EXPECT_EQ(static_cast<TKeySorted&>(*copy).Count(), 4);

  c.SetDuplicates(false);
  ASSERT_EQ(c.Count(), 2);
  EXPECT_EQ(c.At<TKeyItem>(1)->name, "third");
}

TEST(SortedCollection, UnsortedBehavesAsAList) {
  TKeySorted c;
  c.SetSorted(false);
  c.Insert(Item(3));
  c.Insert(Item(1));
  EXPECT_EQ(c.Insert(Item(3)), -1);
  EXPECT_EQ(Keys(c), (std::vector<int>{3, 1}));
  c.SetSorted(true);
  EXPECT_EQ(Keys(c), (std::vector<int>{1, 3}));
}

TEST(SortedCollection, FreeAtNotifiesWhileTheItemIsAlive) {
  TKeySorted c;
  c.Insert(Item(1));
  c.Insert(Item(2));
  c.notes.clear();
  c.FreeAt(0);
  c.FreeObject(c.ItemAt(0));
  EXPECT_EQ(c.notes, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}}));
}

TEST(SortedCollection, ComparersAndEvents) {
  TCompareEventSortedCollection ev;
  ev.Insert(Item(1));
  ev.Insert(Item(2));
  // Without an event every comparison is -1: items append in arrival order.
  EXPECT_EQ(Keys(ev), (std::vector<int>{1, 2}));

  struct ByKeyDescending : ICollectionComparer {
    int CompareKeys(CollKey a, CollKey b) const override {
      const int x = static_cast<const TKeyItem*>(a)->key, y = static_cast<const TKeyItem*>(b)->key;
      return x > y ? -1 : x < y ? 1 : 0;
    }
  } desc;
  TCompareObjectSortedCollection obj;
  obj.Insert(Item(1));
  obj.Insert(Item(3));
  obj.Insert(Item(2));
  obj.SetComparer(&desc);
  EXPECT_EQ(Keys(obj), (std::vector<int>{3, 2, 1}));

  TSortPtrCollection ptrs;
  EXPECT_EQ(ptrs.Compare(TSortPtrCollection::IntKey(2), TSortPtrCollection::IntKey(1)), -1);
  EXPECT_EQ(ptrs.Compare(TSortPtrCollection::IntKey(1), TSortPtrCollection::IntKey(1)), 0);
  EXPECT_EQ(ptrs.Compare(TSortPtrCollection::IntKey(0), TSortPtrCollection::IntKey(1)), 1);
}

// The three layouts, written by hand.
std::vector<uint8_t> ItemV0(int key, const std::string& name) {
  return Bytes({0x85, 0x03, 0, 0, key, 0, 0, 0, int(name.size()), 0}) + Text(name);
}
std::vector<uint8_t> ItemV1(int key, const std::string& name) {
  return Bytes({0x85, 0x03, key, 0, int(name.size()), 0}) + Text(name);
}

TEST(CollectionLayouts, StoreGoldenBytes) {
  TObjectCollection c(6);
  c.Insert(Item(1, "a"));
  c.Insert(Item(2, "b"));
  TObjectStream s0, s1, s2;
  c.Store0(s0);
  c.Store1(s1);
  EXPECT_EQ(s0.MemoryData(),
            Bytes({2, 0, 0, 0, 6, 0, 0, 0, 10, 0, 0, 0}) + ItemV0(1, "a") + ItemV0(2, "b"));
  EXPECT_EQ(s1.MemoryData(), Bytes({2, 0, 6, 0, 10, 0}) + ItemV1(1, "a") + ItemV1(2, "b"));
  TObjectCollection empty;
  empty.Store2(s2);
  EXPECT_EQ(s2.MemoryData(), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0}));

  TKeySorted sorted;
  sorted.SetDuplicates(true);
  sorted.Insert(Item(4, "d"));
  TObjectStream ss;
  sorted.Store0(ss);
  EXPECT_EQ(ss.MemoryData(),
            Bytes({1, 0, 0, 0, 4, 0, 0, 0, 10, 0, 0, 0}) + ItemV0(4, "d") + Bytes({1, 0}));
}

TEST(CollectionLayouts, LoadSetsCapacityByVariant) {
  std::vector<uint8_t> v0 = Bytes({5, 0, 0, 0, 50, 0, 0, 0, 10, 0, 0, 0});
  std::vector<uint8_t> v1 = Bytes({5, 0, 20, 0, 10, 0});
  for (int k = 1; k <= 5; ++k) {
    v0 = v0 + ItemV0(k, "n");
    v1 = v1 + ItemV1(k, "n");
  }
  TObjectCollection a, b;
  auto r0 = ReaderOf(v0);
  a.Load0(r0);
  EXPECT_EQ(a.Count(), 5);
  EXPECT_EQ(a.Capacity(), 5);
  EXPECT_FALSE(a.Modified());
  auto r1 = ReaderOf(v1);
  b.Load1(r1);
  EXPECT_EQ(b.Count(), 5);
  EXPECT_EQ(b.Capacity(), 20);
}

TEST(CollectionLayouts, SortedFileWithDuplicatesReloadsEveryItem) {
  auto bytes = Bytes({3, 0, 0, 0, 3, 0, 0, 0, 10, 0, 0, 0}) + ItemV0(7, "a") + ItemV0(7, "b") +
               ItemV0(7, "c") + Bytes({1, 0});
  TKeySorted c;
  auto r = ReaderOf(bytes);
  c.Load0(r);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_TRUE(c.Duplicates());

  // Stored without duplicates, equal keys are dropped on reading.
  bytes.back() = 0;
  bytes[bytes.size() - 2] = 0;
  TKeySorted d;
  auto r2 = ReaderOf(bytes);
  d.Load0(r2);
  EXPECT_EQ(d.Count(), 1);
}

TEST(CollectionLayouts, CountsBeyondTheDataAreRefusedBeforeAllocating) {
  const std::vector<std::vector<uint8_t>> bad = {
      Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 10, 0, 0, 0}),  // 2^31-1 items in 12 bytes
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 10, 0, 0, 0}),  // negative
      Bytes({3, 0, 0, 0, 3, 0, 0, 0, 10, 0, 0, 0}) + ItemV0(1, "a"),
  };
  for (const auto& bytes : bad) {
    TObjectCollection c;
    c.Insert(Item(42));
    auto r = ReaderOf(bytes);
    EXPECT_THROW(c.Load0(r), EObjectStream);
    EXPECT_EQ(Keys(c), (std::vector<int>{42}));  // nothing half-read
  }
}

}  // namespace
}  // namespace hx

#include "objects/compare.h"

namespace hx {
namespace {

TEST(Compare, EventsAndKeys) {
  TCompare c;
  int a = 1, b = 2;
  EXPECT_EQ(c.Compare(&a, &b), -1);  // no handler
  c.OnCompare = [](const void* x, const void* y, int& result, int key) {
    result = (*static_cast<const int*>(x) - *static_cast<const int*>(y)) * (key == 1 ? -1 : 1);
  };
  EXPECT_EQ(c.Compare(&a, &b), -1);
  std::vector<int> changes;
  c.OnCompareKeyChange = [&](int key) { changes.push_back(key); };
  c.OnCompareKeyEdit = [](int& key) { key = 1; };
  c.EditCompareKey();
  c.SetCompareKey(1);  // unchanged: not announced again
  EXPECT_EQ(changes, std::vector<int>{1});
  EXPECT_EQ(c.Compare(&a, &b), 1);
}

}  // namespace
}  // namespace hx
