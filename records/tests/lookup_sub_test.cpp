#include "records/lookup_sub.h"

#include <gtest/gtest.h>

#include "objects/object_stream.h"
#include "records/lookup_actions.h"
#include "records/tests/lookup_test_util.h"

namespace hx {
namespace {

std::vector<std::string> Captions(TCustomLookUp& lookup) {
  std::vector<std::string> out;
  for (int i = 0; i < lookup.Count(); ++i) out.push_back(lookup.Items(i)->Caption());
  return out;
}

class SubLookUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [caption, id] :
         std::vector<std::pair<std::string, int>>{{"A", 7}, {"B", 3}, {"C", 200}, {"D", 1}}) {
      LookUpItemData d;
      d.caption = caption;
      d.id = id;
      base.Add(d);
    }
  }
  TLookUp base;
};

TEST_F(SubLookUpTest, IdAndOrdinalSubsets) {
  TSubLookUp sub;
  sub.Include(3);
  sub.Include(200);
  sub.Include(7);
  EXPECT_EQ(sub.Count(), 0);  // no base yet
  sub.SetLookUp(&base);
  // Members in ascending order: ids 3, 7, 200.
  EXPECT_EQ(Captions(sub), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(sub.IndexOfId(200), 2);
  sub.SetSubSetType(ss_OrdSubset);
  sub.SetItemsSubSet(TSubSetItems().set(0).set(3));
  EXPECT_EQ(Captions(sub), (std::vector<std::string>{"A", "D"}));
  sub.Include(300);  // outside the set
  sub.Include(-1);
  EXPECT_EQ(sub.Count(), 2);
  sub.Clear();
  EXPECT_EQ(sub.Count(), 0);
}

TEST_F(SubLookUpTest, FollowsTheBase) {
  test::CountingUser user;
  {
    TSubLookUp sub;
    sub.AddUser(&user);
    sub.SetLookUp(&base);
    sub.SetItemsSubSet(TSubSetItems().set(1).set(3).set(7));
    const int told = user.changed;
    // The base loses the item with id 3: the member goes, and the sub-look-up's users hear.
    base.Delete(1);
    EXPECT_EQ(user.changed, told + 1);
    EXPECT_EQ(Captions(sub), (std::vector<std::string>{"D", "A"}));
    EXPECT_FALSE(sub.ItemsSubSet().test(3));

    // By position: positions at or beyond the base's count go.
    sub.SetSubSetType(ss_OrdSubset);
    sub.SetItemsSubSet(TSubSetItems().set(0).set(2).set(3));
    base.Delete(0);
    EXPECT_EQ(Captions(sub), (std::vector<std::string>{"C"}));
    EXPECT_EQ(sub.ItemsSubSet(), TSubSetItems().set(0));
    sub.RemoveUser(&user);
  }
  // The destroyed sub-look-up left the base's users.
  EXPECT_TRUE(base.Users().empty());

  auto temporary = std::make_unique<TLookUp>();
  TSubLookUp sub;
  sub.SetLookUp(temporary.get());
  sub.Include(0);
  temporary.reset();
  EXPECT_EQ(sub.LookUp(), nullptr);
  EXPECT_EQ(sub.Count(), 0);
}

TEST(SubLookUp, SubSetBytes) {
  TSubLookUp sub;
  sub.SetItemsSubSet(TSubSetItems().set(0).set(9).set(255));
  TObjectStream s;
  sub.WriteSubSet(s);
  std::vector<uint8_t> expected(32, 0);
  expected[0] = 0x01;
  expected[1] = 0x02;
  expected[31] = 0x80;
  EXPECT_EQ(s.MemoryData(), expected);
  s.SetPosition(0);
  TSubLookUp copy;
  copy.ReadSubSet(s);
  EXPECT_EQ(copy.ItemsSubSet(), sub.ItemsSubSet());
  TObjectStream short_stream;
  short_stream.WriteBytes(expected.data(), 31);
  short_stream.SetPosition(0);
  EXPECT_THROW(copy.ReadSubSet(short_stream), EObjectStream);
}

struct FakeAction : ILookUpAction {
  void Update() override { ++updates; }
  std::string Caption() const override { return caption; }
  std::string Hint() const override { return "Hint|Long"; }
  bool Enabled() const override { return enabled; }
  int ImageIndex() const override { return 2; }
  const IImageList* Images() const override { return images; }
  void Execute() override { ++executed; }
  std::string caption;
  bool enabled = true;
  const IImageList* images = nullptr;
  int updates = 0, executed = 0;
};

TEST(ActionsLookUp, ItemsFromActions) {
  test::FakeImages images(4);
  FakeAction copy, paste;
  copy.caption = "Kopiuj";
  paste.caption = "Wklej";
  paste.enabled = false;
  copy.images = paste.images = &images;
  TActionsLookUp lookup;
  lookup.AddAction(&copy);
  lookup.AddAction(&paste);
  ASSERT_EQ(lookup.Count(), 2);
  const TCustomLookUpItem& item = *lookup.Items(1);
  EXPECT_EQ(paste.updates, 1);  // the update runs first
  EXPECT_EQ(item.Caption(), "Wklej");
  EXPECT_FALSE(item.Enabled());
  EXPECT_EQ(item.Glyph()->Pixel(0, 0), 102u);
  lookup.ItemChosen(0);
  lookup.ItemChosen(1);  // disabled: not executed
  EXPECT_EQ(copy.executed, 1);
  EXPECT_EQ(paste.executed, 0);
}

}  // namespace
}  // namespace hx
