// Finding items by symbol (aliases, chains, the find event), the dialog lists, renaming, the
// fields bound to a catalog and the catalog look-up.
#include <gtest/gtest.h>

#include "catalogs/cat.h"
#include "catalogs/cat_item_kinds.h"
#include "catalogs/cat_lookup.h"
#include "catalogs/tests/cat_fixture.h"
#include "catalogs/tests/test_items.h"
#include "records/field_string.h"
#include "records/lookup.h"
#include "records/messages.h"

namespace hx {
namespace {

using test::SdpItem;

class FindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat_.Insert(SdpItem("RAD", 1, "P1"));
    cat_.Insert(SdpItem("Rad2", 2, "P1"));
    cat_.Insert(SdpItem("X1", 1));
    cat_.Insert(SdpItem("AL1", kAliasTyp, "X1"));     // alias of X1
    cat_.Insert(SdpItem("AL2", kAliasTyp, "AL1"));    // alias of an alias
    cat_.Insert(SdpItem("AL3", kAliasTyp, "NONE"));   // alias of nothing
    cat_.Insert(SdpItem("SELF", kAliasTyp, "self"));  // alias of itself
    auto mat = std::make_unique<TMatCatItem>();
    mat->SetSymbol("MAT");
    mat->SetPipeSymbol("PIPE1");
    cat_.Insert(std::move(mat));
    auto mat2 = std::make_unique<TMatCatItem>();
    mat2->SetSymbol("MAT");
    mat2->SetPipeSymbol("PIPE2");
    mat2->SetDisplaySymbol("MAT-2");
    cat_.Insert(std::move(mat2));
  }
  std::string Found(TCatItem* item) { return item ? item->DisplaySymbol() : "-"; }
  TCat cat_;
};

TEST_F(FindTest, TheSearchTable) {
  struct Row {
    const char* text;
    const char* by_symbol;
    const char* by_display;
  };
  const Row rows[] = {
      {"RAD", "RAD", "RAD"}, {" rad ", "RAD", "RAD"}, {"RAD2", "Rad2", "Rad2"},
      {"AL1", "X1", "X1"},   {"al2", "-", "-"},       {"AL3", "-", "-"},
      {"SELF", "-", "-"},    {"MAT", "MAT", "MAT"},   {"MAT-2", "-", "MAT-2"},
      {"", "-", "-"},        {"NONE", "-", "-"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(Found(cat_.FindBySymbol(r.text)), r.by_symbol);
    EXPECT_EQ(Found(cat_.FindByDisplaySymbol(r.text)), r.by_display);
  }
  EXPECT_EQ(Found(cat_.FindBySymbolAndPipe("mat", " pipe2 ")), "MAT-2");
  EXPECT_EQ(Found(cat_.FindBySymbolAndPipe("MAT", "PIPE3")), "-");
}

TEST_F(FindTest, ChainsAndTheFindEvent) {
  TCat next;
  next.Insert(SdpItem("NEXT1"));
  next.Insert(SdpItem("RAD", 9));
  ASSERT_TRUE(cat_.SetNextCat(&next));
  EXPECT_FALSE(next.SetNextCat(&cat_));
  EXPECT_EQ(cat_.Count(), cat_.OwnCount() + 2);
  EXPECT_EQ(cat_.Items(cat_.OwnCount())->Symbol(), next.OwnItem(0)->Symbol());
  EXPECT_EQ(cat_.FindBySymbol("next1")->Symbol(), "NEXT1");
  EXPECT_EQ(cat_.FindBySymbol("RAD")->Typ(), 1);  // this catalog's item first

  // The event answers only for symbols that neither catalog has; a handler that asks the
  // catalog again gets the plain search instead of a second event.
  int calls = 0;
  cat_.OnFindCatItemEx = [&](const std::string& symbol, const std::string* pipe, TCatItem*& item) {
    ++calls;
    item = cat_.FindBySymbol(symbol);  // would recurse without the guard
    if (!item && symbol == "EXTRA") item = next.OwnItem(0);
  };
  EXPECT_EQ(cat_.FindBySymbol("EXTRA")->Symbol(), "NEXT1");
  EXPECT_EQ(cat_.FindBySymbol("MISSING"), nullptr);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(cat_.FindBySymbol("RAD")->Typ(), 1);
  EXPECT_EQ(calls, 2);
  cat_.SetNextCat(nullptr);
}

TEST_F(FindTest, BuildListsFromTheVisibleItems) {
  TLookUp types;
  types.Add({"Typ jeden", "", "", 1});
  types.Add({"Typ dwa", "", "", 2});
  cat_.ItemsTypeLookUp = &types;
  cat_.FindBySymbol("Rad2")->SetVisible(false);
  cat_.Insert(SdpItem("Q", 2, "P2"));
  cat_.BuildLists();

  std::vector<std::string> symbols;
  for (const TCatListEntry& e : cat_.SymbolList()) symbols.push_back(e.text);
  EXPECT_EQ(symbols, (std::vector<std::string>{"AL1", "AL2", "AL3", "MAT", "MAT-2", "Q", "RAD",
                                               "SELF", "X1"}));
  std::vector<std::string> producers;
  for (const TCatListEntry& e : cat_.ProducerList()) producers.push_back(e.text);
  // Aliases name their targets in the producer text, so they count as producers here.
  EXPECT_EQ(producers, (std::vector<std::string>{"AL1", "NONE", "P1", "P2", "X1", "self"}));
  std::vector<std::string> captions;
  for (const TCatListEntry& e : cat_.TypeList()) captions.push_back(e.text);
  EXPECT_EQ(captions, (std::vector<std::string>{"0", "255", "Typ dwa", "Typ jeden"}));
  EXPECT_EQ(cat_.TypeList()[2].item->Symbol(), "Q");

  // A removed item leaves the lists at once.
  TCatItem* q = cat_.FindBySymbol("Q");
  cat_.FreeObject(q);
  for (const TCatListEntry& e : cat_.SymbolList()) EXPECT_NE(e.item, q);
  cat_.ItemsTypeLookUp = nullptr;
}

// An item that records the renames it is told about.
class TWatchingItem : public test::TTestSdpItem {
 public:
  void SymbolChanged(TCatItem& item, const std::string& new_symbol) override {
    told.push_back(new_symbol);
  }
  std::vector<std::string> told;
};

TEST(RenameTest, TheRenameFormDecides) {
  test::TestHost host;
  TCat cat;
  auto watcher = std::make_unique<TWatchingItem>();
  TWatchingItem* w = watcher.get();
  w->SetSymbol("W");
  cat.Insert(std::move(watcher));
  cat.Insert(SdpItem("OLD"));
  TCatItem* old = cat.FindBySymbol("OLD");

  host.on_rename = [](TRenameCatItemModel& m) { return false; };
  EXPECT_FALSE(cat.RenameItem(*old, "new"));
  EXPECT_EQ(old->Symbol(), "OLD");

  host.on_rename = [](TRenameCatItemModel& m) {
    EXPECT_EQ(m.OldSymbol(), "OLD");
    EXPECT_EQ(m.NewSymbol(), "NEW");
    m.SetNewSymbol(" newer ");
    return true;
  };
  EXPECT_TRUE(cat.RenameItem(*old, "new"));
  EXPECT_EQ(old->Symbol(), "NEWER");
  EXPECT_TRUE(old->RuntimeFlags() & kRuntimeRenamed);
  EXPECT_EQ(w->told, std::vector<std::string>{"NEWER"});
}

TEST(CatFieldTest, BoundFieldsCheckSymbolsAndLetGoOfAGoneCatalog) {
  MessageRecorder messages;
  TDataStringField field;
  field.Name = "PF_Sym";
  {
    TCat cat;
    cat.SetCaption("Katalog");
    cat.Insert(SdpItem("RAD"));
    cat.BindField(field);
    EXPECT_EQ(field.Cat(), &cat);
    EXPECT_EQ(field.CheckText("rad", false), ckOk);
    EXPECT_EQ(field.CheckText("XYZ", true), ckNotInCatalog);
    EXPECT_EQ(messages.LastText(), FormatStr(20140, {"Katalog", "XYZ"}));
  }
  EXPECT_EQ(field.Cat(), nullptr);

  // A field that goes first is forgotten by the catalog.
  TCat cat;
  {
    TDataStringField short_lived;
    cat.BindField(short_lived);
  }
  SUCCEED();
}

TEST(CatLookUpTest, EntriesWorkingSetAndTheDialogThreshold) {
  test::TestHost host;
  TCat cat;
  TCatDlg dlg;
  cat.SetSelectCatDlg(&dlg);
  for (int i = 0; i < 60; ++i) cat.Insert(SdpItem("S" + std::to_string(100 + i), i % 3));
  TCatLookUp lookup;
  lookup.SetCat(&cat);
  // With an empty working set and no manager dialog every item is listed.
  EXPECT_EQ(lookup.Count(), 60);
  EXPECT_EQ(lookup.Items(0)->Caption(), "S100");
  EXPECT_EQ(lookup.Items(4)->Id(), 1);

  for (int i = 47; i >= 0; --i) lookup.AddToWorkingSet(cat.OwnItem(i));
  EXPECT_FALSE(lookup.AddToWorkingSet(cat.OwnItem(0)));
  EXPECT_EQ(lookup.Count(), 48);
  EXPECT_EQ(lookup.Items(0)->Caption(), "S100");
  EXPECT_FALSE(lookup.PullDownOpensDialog());
  lookup.AddToWorkingSet(cat.OwnItem(48));
  EXPECT_TRUE(lookup.PullDownOpensDialog());

  host.on_cat = [](TCatDialogModel& m) {
    m.TypeAhead("S1");
    m.SetSelected(m.List().IndexOfDisplaySymbol("S105"));
    m.Select();
  };
  std::string chosen;
  lookup.PullDown(nullptr, "S101", rsCaption, [&](const std::string& s) { chosen = s; });
  EXPECT_EQ(chosen, "S105");

  EXPECT_EQ(lookup.ValueOf(" s104 "), 1);
  EXPECT_EQ(lookup.ValueOf(""), -1);
  EXPECT_EQ(lookup.ValueOf("NOPE"), -1);

  // Items that leave the catalog leave the working set.
  cat.FreeObject(cat.FindBySymbol("S100"));
  EXPECT_EQ(lookup.Count(), 48);
  cat.Clear();
  EXPECT_EQ(lookup.Count(), 0);
}

}  // namespace
}  // namespace hx
