#include "controls/choice_lists.h"

#include <gtest/gtest.h>

#include "records/field_lookup.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/record.h"

namespace hx {
namespace {

LookUpItemData Item(const char* caption, int32_t id = NoInt) {
  LookUpItemData d;
  d.caption = caption;
  d.id = id;
  return d;
}

class ChoiceListTest : public ::testing::Test {
 protected:
  ChoiceListTest() {
    for (const char* caption : {"&Медь", "Сталь", "Пластик"}) Add(caption);
  }
  void Add(const char* caption) { lookup.Add(Item(caption, 100 + lookup.Count())); }
  TLookUp lookup;
};

TEST_F(ChoiceListTest, LookUpEntriesAreRefilledAndTheTextReselected) {
  TLookUpComboBox combo;
  combo.SetLookUp(&lookup);
  ASSERT_EQ(combo.Count(), 3);
  EXPECT_EQ(combo.Entries()[0].caption, "Медь");
  combo.SetText("сталь");
  EXPECT_EQ(combo.ItemIndex(), 1);

  lookup.Insert(0, Item("Латунь", 99));
  EXPECT_EQ(combo.Count(), 4);
  EXPECT_EQ(combo.Text(), "сталь");
  EXPECT_EQ(combo.ItemIndex(), 2);
  lookup.Clear();
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(ChoiceListTest, EditEntryRunsTheEditAndSelectsTheEntryBefore) {
  std::string edited_with;
  lookup.OnEditItems = [&](TCustomLookUp& l, LookUpControl, const std::string& text,
                           const LookUpTextCallback&) {
    edited_with = text;
    static_cast<TLookUp&>(l).Add(Item("Медь-никель", 7));
  };
  TLookUpComboBox combo;
  combo.AddEditItem = true;
  combo.SetLookUp(&lookup);
  ASSERT_EQ(combo.Count(), 4);
  EXPECT_TRUE(combo.Entries()[3].edit_entry);
  EXPECT_EQ(combo.Entries()[3].caption, "Правка");
  combo.UserSelected(1);
  combo.UserSelected(3);
  EXPECT_EQ(edited_with, "Сталь");
  ASSERT_EQ(combo.Count(), 5);
  EXPECT_EQ(combo.Text(), "Сталь");
  EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(ChoiceListTest, LookUpGoneLeavesAnEmptyList) {
  TLookUpListBox list;
  {
    TLookUp temporary;
    temporary.Add(Item("Один"));
    list.SetLookUp(&temporary);
    EXPECT_EQ(list.Count(), 1);
  }
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.LookUp(), nullptr);
}

TEST_F(ChoiceListTest, BoundBoxesByTextIndexAndId) {
  TZqDBRecord record;
  TDataIntegerField material;
  material.Name = "PF_Material";
  record.AddField(material);
  TZqDBComboBox combo;
  combo.SetItems({"Медь", "Сталь", "Пластик"});
  combo.ValueMode = vmItemIndex;
  material.SetValue(2);
  combo.SetZqField(&material);
  EXPECT_EQ(combo.Text(), "Пластик");
  combo.UserEdited("сталь");
  combo.Exit();
  EXPECT_EQ(material.Value(), 1);
  EXPECT_EQ(combo.ItemIndex(), 1);

  combo.SetFieldDataOnSelChange = true;
  combo.UserSelected(0);
  EXPECT_EQ(material.Value(), 0);
  combo.UserEdited("Золото");
  combo.Exit();
  EXPECT_EQ(material.Value(), NoInt);

  TDataLookUpField kind;
  kind.Name = "PF_Kind";
  kind.SetLookUp(&lookup);
  record.AddField(kind);
  TZqDBLookUpListBox list;
  kind.SetValue(101);
  list.SetZqField(&kind);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.ItemIndex(), 1);
  list.UserSelected(2);
  list.Exit();
  EXPECT_EQ(kind.Value(), 102);
}

}  // namespace
}  // namespace hx
