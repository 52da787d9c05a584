// The dialog models: what the lists show under the filters, the colours, the select, view and
// edit runs, the editing list's commit rules and commands, and the manager dialog.
#include <gtest/gtest.h>

#include "base/settings_store.h"
#include "base/string_table.h"
#include "base/text.h"
#include "catalogs/cat_dialog_model.h"
#include "catalogs/cat_lookup.h"
#include "catalogs/cat_manager_model.h"
#include "catalogs/edit_cat_list.h"
#include "catalogs/tests/cat_fixture.h"
#include "catalogs/tests/test_items.h"
#include "objects/data_kind.h"
#include "records/lookup.h"
#include "records/messages.h"

namespace hx {
namespace {

using test::SdpItem;

TCatTypeSet Types(std::initializer_list<int> ids) {
  TCatTypeSet set;
  for (int id : ids) set.set(static_cast<size_t>(id));
  return set;
}

std::vector<std::string> Texts(const std::vector<TCatListEntry>& entries) {
  std::vector<std::string> texts;
  for (const TCatListEntry& e : entries) texts.push_back(e.text);
  return texts;
}

std::vector<std::string> Entries(const TCatDialogModel& m) {
  std::vector<std::string> texts;
  for (int i = 0; i < m.Count(); ++i) texts.push_back(m.Entry(i).text);
  return texts;
}

class FilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    types_.Add({"Rodzaj 1", "", "", 1});
    types_.Add({"Rodzaj 2", "", "", 2});
    types_.Add({"Rodzaj 117", "", "", 117});
    cat_.ItemsTypeLookUp = &types_;
    cat_.Insert(SdpItem("A", 1, "P1"));
    cat_.Insert(SdpItem("B", 2, "P2"));
    cat_.Insert(SdpItem("C", 117));
    cat_.Insert(SdpItem("D", 300, "P1"));
    cat_.Insert(SdpItem("E", 1));
    cat_.FindBySymbol("B")->SetVisible(false);
    cat_.FindBySymbol("E")->SetRemoved(true);
    cat_.BuildLists();
  }
  TLookUp types_;
  TCat cat_;
};

TEST_F(FilterTest, TheListTable) {
  struct Row {
    const char* name;
    TCatTypeFilter request;
    TCatDisplayMode mode;
    int type_index;
    const char* producer;  // a producer box text, or none
    std::vector<std::string> listed;
  };
  const std::string all = std::string(LoadStr(10442));
  const std::string others = std::string(LoadStr(10443));
  const std::vector<Row> rows = {
      {"no filter", std::nullopt, cdmSelectItem, 0, nullptr, {"A", "C", "D", "E"}},
      {"no filter, view", std::nullopt, cdmViewItems, 0, nullptr, {"A", "C", "D", "E"}},
      {"edit modes list hidden items",
       std::nullopt,
       cdmEditItems,
       0,
       nullptr,
       {"A", "B", "C", "D", "E"}},
      {"edit and select too",
       std::nullopt,
       cdmEditandSelectItems,
       0,
       nullptr,
       {"A", "B", "C", "D", "E"}},
      {"only type 117", Types({117}), cdmSelectItem, 0, nullptr, {"C"}},
      {"types 1 and 2", Types({1, 2}), cdmSelectItem, 0, nullptr, {"A", "E"}},
      {"types 1 and 2, edit", Types({1, 2}), cdmEditItems, 0, nullptr, {"A", "B", "E"}},
      {"a type entry narrows the request", Types({1, 117}), cdmSelectItem, 2, nullptr, {"C"}},
      {"every producer", std::nullopt, cdmSelectItem, 0, all.c_str(), {"A", "C", "D", "E"}},
      {"others: no producer", std::nullopt, cdmSelectItem, 0, others.c_str(), {"C", "E"}},
      {"one producer", std::nullopt, cdmSelectItem, 0, "P1", {"A", "D"}},
      {"a typed blank producer", std::nullopt, cdmSelectItem, 0, " ", {"C", "E"}},
      {"a producer with the type filter", Types({1}), cdmSelectItem, 0, "P1", {"A"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TCatListModel list(cat_, r.request, r.mode);
    list.Refill();
    list.SetTypeIndex(r.type_index);
    if (r.producer) list.SetProducerText(r.producer);
    EXPECT_EQ(Texts(list.Entries()), r.listed);
  }
}

TEST_F(FilterTest, TheFilterBoxes) {
  TCatListModel list(cat_, Types({117}), cdmSelectItem);
  list.Refill();
  EXPECT_EQ(Texts(list.TypeEntries()), (std::vector<std::string>{"Все", "Rodzaj 117"}));
  EXPECT_EQ(Texts(list.ProducerEntries()), (std::vector<std::string>{"Все", "Другие"}));

  TCatListModel all(cat_, std::nullopt, cdmSelectItem);
  all.Refill();
  EXPECT_EQ(Texts(all.TypeEntries()),
            (std::vector<std::string>{"Все", "300", "Rodzaj 1", "Rodzaj 117"}));
  EXPECT_EQ(Texts(all.ProducerEntries()), (std::vector<std::string>{"Все", "Другие", "P1"}));
  // Choosing a type refills the producer box for that type.
  all.SetTypeIndex(3);
  EXPECT_EQ(Texts(all.ProducerEntries()), (std::vector<std::string>{"Все", "Другие"}));
}

TEST_F(FilterTest, TheTypedPrefixNarrowsAndWidens) {
  for (const char* s : {"AB1", "ab2", "ABC", "ЖУК", "жук2"}) cat_.Insert(SdpItem(s, 1));
  cat_.BuildLists();
  TCatListModel list(cat_, std::nullopt, cdmSelectItem);
  list.Refill();
  list.SetPrefix("a");
  EXPECT_EQ(Texts(list.Entries()), (std::vector<std::string>{"A", "AB1", "ABC", "ab2"}));
  list.SetPrefix("ab");
  EXPECT_EQ(Texts(list.Entries()), (std::vector<std::string>{"AB1", "ABC", "ab2"}));
  list.SetPrefix("abc");
  EXPECT_EQ(Texts(list.Entries()), (std::vector<std::string>{"ABC"}));
  list.SetPrefix("ж");
  EXPECT_EQ(Texts(list.Entries()), (std::vector<std::string>{"ЖУК", "жук2"}));
  list.SetPrefix("");
  EXPECT_EQ(list.Entries().size(), list.FilteredEntries().size());
  EXPECT_EQ(list.FindPrefix("abc"), 2);
  EXPECT_EQ(list.FindPrefix("zz"), -1);
}

TEST_F(FilterTest, EntryColours) {
  const TCatListColors& c = CatListColors();
  EXPECT_EQ(c.on_order, 0xFFAAFFu);
  EXPECT_EQ(c.removed, 0x8282FFu);
  EXPECT_EQ(c.hidden, 0xC8C8C8u);
  TCatItem* a = cat_.FindBySymbol("A");
  EXPECT_EQ(CatEntryColor({"", nullptr}), c.empty_row);
  EXPECT_EQ(CatEntryColor({"", a}), c.empty_row);
  EXPECT_EQ(CatEntryColor({"A", a}), std::nullopt);
  a->SetNeedOrder(true);
  EXPECT_EQ(CatEntryColor({"A", a}), c.on_order);
  a->SetRemoved(true);
  EXPECT_EQ(CatEntryColor({"A", a}), c.removed);
  a->SetVisible(false);
  EXPECT_EQ(CatEntryColor({"A", a}), c.hidden);
}

TEST(DragScrollTest, StepsGrowWithTheDistance) {
  const std::pair<int, int> steps[] = {{0, 1}, {19, 1}, {20, 2}, {40, 5}, {100, 26}, {-45, 5}};
  for (const auto& [distance, step] : steps) EXPECT_EQ(DragScrollStep(distance), step);
}

// ---- the dialog runs

class DialogRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat_.SetCaption("Katalog");
    dlg_.Name = "Dlg";
    dlg_.OwnerName = "DM_Test";
    cat_.SetSelectCatDlg(&dlg_);
    cat_.SetViewCatDlg(&dlg_);
    for (const char* s : {"A1", "B2", "C3"}) cat_.Insert(SdpItem(s, 1, "P"));
    cat_.FindBySymbol("B2")->SetDisplaySymbol("B2-D");
  }
  test::TestHost host_;
  MessageRecorder messages_;
  TCatDlg dlg_;
  TCat cat_;
};

TEST_F(DialogRunTest, SelectCancelAndTheSimpleDialogsFields) {
  host_.on_cat = [](TCatDialogModel& m) {
    EXPECT_EQ(m.Caption(), "Katalog");
    EXPECT_TRUE(m.SelectVisible());
    EXPECT_FALSE(m.CancelIsClose());
    EXPECT_TRUE(m.CharacteristicsVisible());
    EXPECT_EQ(m.SelectedItem()->Symbol(), "C3");
    EXPECT_EQ(m.CounterText(), "3 : 3");
    m.Cancel();
  };
  EXPECT_EQ(cat_.SelectItem(" C3 ", std::nullopt), "C3");

  host_.on_cat = [](TCatDialogModel& m) {
    m.SetSelected(1);
    EXPECT_EQ(m.ProducerText(), "P");
    m.Select();
  };
  EXPECT_EQ(cat_.SelectItem("A1", std::nullopt), "B2-D");
  EXPECT_EQ(cat_.CurrentItem()->Symbol(), "B2");
  EXPECT_EQ(cat_.DisplayMode, cdmSelectItem);
  EXPECT_FALSE(cat_.Busy);

  // A type filter that allows no item leaves the list empty: the symbol passed in comes back.
  host_.on_cat = [](TCatDialogModel& m) {
    EXPECT_EQ(m.Count(), 0);
    m.Select();
    m.Cancel();
  };
  EXPECT_EQ(cat_.SelectItem("A1", Types({9})), "A1");

  // Without a select dialog there is nothing to choose from.
  cat_.SetSelectCatDlg(nullptr);
  EXPECT_EQ(cat_.SelectItem("A1", std::nullopt), "");
}

TEST_F(DialogRunTest, CharacteristicsSwitchToTheExtendedDialogAndBack) {
  host_.on_cat = [](TCatDialogModel& m) { m.Characteristics(); };
  host_.on_cat_ex = [](TCatExDialogModel& m) {
    EXPECT_EQ(m.SelectedItem()->Symbol(), "B2");
    m.Select();
  };
  EXPECT_EQ(cat_.SelectItem("B2-D", std::nullopt), "B2-D");
  EXPECT_TRUE(cat_.SelectEx);
  EXPECT_EQ(host_.shown, (std::vector<std::string>{"cat", "catex"}));

  host_.shown.clear();
  host_.on_cat_ex = [](TCatExDialogModel& m) { m.HideCharacteristics(); };
  host_.on_cat = [](TCatDialogModel& m) { m.Cancel(); };
  EXPECT_EQ(cat_.SelectItem("A1", std::nullopt), "A1");
  EXPECT_FALSE(cat_.SelectEx);
  EXPECT_EQ(host_.shown, (std::vector<std::string>{"catex", "cat"}));

  // A second request while a dialog of the catalog is open gets the simple dialog without
  // the characteristics button.
  cat_.SelectEx = true;
  host_.shown.clear();
  host_.on_cat_ex = [this](TCatExDialogModel& m) {
    host_.on_cat = [](TCatDialogModel& inner) {
      EXPECT_FALSE(inner.CharacteristicsVisible());
      inner.Cancel();
    };
    EXPECT_EQ(cat_.SelectItem("C3", std::nullopt), "C3");
    m.Cancel();
  };
  cat_.SelectItem("A1", std::nullopt);
  EXPECT_EQ(host_.shown, (std::vector<std::string>{"catex", "cat"}));
  EXPECT_FALSE(cat_.Busy);
}

TEST_F(DialogRunTest, ViewingAnUnknownSymbolSays20140AndOpensTheView) {
  host_.on_cat = [](TCatDialogModel& m) {
    EXPECT_TRUE(m.CancelIsClose());
    EXPECT_FALSE(m.SelectVisible());
    m.Cancel();
  };
  cat_.ViewItemChecked("ZZZ", std::nullopt);
  EXPECT_EQ(messages_.LastText(), FormatStr(20140, {"Katalog", "ZZZ"}));
  EXPECT_EQ(host_.shown.size(), 1u);
}

TEST_F(DialogRunTest, ChainsShowATabPerCatalogAndKeepTheTabInTheSettings) {
  TCat next;
  next.SetCaption("Dalszy");
  next.Insert(SdpItem("N1", 1));
  cat_.SetNextCat(&next);
  host_.on_cat = [](TCatDialogModel& m) {
    EXPECT_TRUE(m.TabsVisible());
    EXPECT_EQ(m.TabCaptions(), (std::vector<std::string>{"Katalog", "Dalszy"}));
    EXPECT_EQ(m.TabIndex(), 1);
    EXPECT_EQ(m.SelectedItem()->Symbol(), "N1");
    m.Select();
  };
  EXPECT_EQ(cat_.SelectItem("N1", std::nullopt), "N1");
  EXPECT_EQ(Settings(ssCommonUser).ReadInt("DM_Test_Dlg", "CatTabIndex", -1), 1);
  EXPECT_FALSE(next.Busy);
  cat_.SetNextCat(nullptr);
}

TEST_F(DialogRunTest, ADialogWhoseCatalogGoesAwayEndsCancelled) {
  auto doomed = std::make_unique<TCat>();
  doomed->Insert(SdpItem("X"));
  TCatDlg dlg;
  doomed->SetSelectCatDlg(&dlg);
  TMemorySettings settings;
  TCatExDialogModel model(*doomed, &dlg, cdmSelectItem, "X", std::nullopt);
  model.Activate(settings);
  EXPECT_EQ(model.Count(), 1);
  doomed.reset();
  EXPECT_TRUE(model.Closed());
  EXPECT_EQ(model.Answer(), TCatDialogAnswer::Cancel);
  EXPECT_EQ(model.Cat(), nullptr);
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(dlg.Cat(), nullptr);
}

// ---- the editing list

class EditListTest : public ::testing::Test {
 protected:
  void SetUp() override { Fill(cat_, dlg_); }
  void Fill(TCat& cat, TCatDlg& dlg) {
    cat.OnGetNewItem = [](TCustomCat&, std::unique_ptr<TCatItem>& item) {
      item = std::make_unique<test::TTestSdpItem>();
    };
    cat.OnInsertItem = [this](TCustomCat&, TCatItem& item, bool& accept) {
      accept = accept_insert_;
    };
    cat.SetEditCatDlg(&dlg);
    cat.Insert(SdpItem("AAA", 1, "", "first"));
    cat.Insert(SdpItem("BBB", 1, "", "second"));
    cat.Insert(SdpItem("HID", 1));
    cat.FindBySymbol("HID")->SetVisible(false);
  }
  // The extended dialog in the edit mode, over the catalog.
  std::unique_ptr<TCatExDialogModel> Open(std::string_view symbol = "AAA") {
    return Open(cat_, dlg_, symbol);
  }
  std::unique_ptr<TCatExDialogModel> Open(TCat& cat, TCatDlg& dlg, std::string_view symbol) {
    auto m = std::make_unique<TCatExDialogModel>(cat, &dlg, cdmEditItems, symbol, std::nullopt);
    m->Activate(settings_);
    return m;
  }
  static std::vector<std::string> Symbols(const TCat& cat) {
    std::vector<std::string> s;
    for (int i = 0; i < cat.OwnCount(); ++i) s.push_back(cat.OwnItem(i)->Symbol());
    return s;
  }
  std::vector<std::string> Symbols() { return Symbols(cat_); }
  TMemorySettings settings_;
  MessageRecorder messages_;
  bool accept_insert_ = true;
  TCatDlg dlg_;
  TCat cat_;
};

TEST_F(EditListTest, TheEditingListHoldsHiddenItemsAndAWorkingCopy) {
  auto m = Open();
  TEditCatListModel* list = m->EditList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Entries(*m), (std::vector<std::string>{"AAA", "BBB", "HID"}));
  EXPECT_TRUE(m->MultiSelect());
  ASSERT_NE(list->WorkingCopy(), nullptr);
  EXPECT_NE(list->WorkingCopy(), cat_.FindBySymbol("AAA"));
  EXPECT_EQ(m->ShownItem(), list->WorkingCopy());
  // Revert drops the edits of the copy.
  list->WorkingCopy()->SetDescription("changed");
  list->Revert();
  EXPECT_EQ(list->WorkingCopy()->Description(), "first");
  EXPECT_EQ(cat_.FindBySymbol("AAA")->Description(), "first");
}

TEST_F(EditListTest, TheCommitTable) {
  struct Row {
    const char* name;
    bool allow_duplicates;
    bool insert_first;   // edit a freshly inserted (blank) item
    const char* edited;  // the entry whose copy is edited (when not inserting)
    const char* symbol;  // the symbol typed into the copy
    bool renamed;        // the entry's item was renamed in this run
    MsgAnswer answer;    // to 10452
    std::vector<std::string> symbols_after;
    const char* description_of;  // the item that received the edited description
    bool copy_kept;              // the copy stays in the form, the entry selected again
    const char* message;         // the last message, or none
  };
  const std::string question =
      "В каталоге уже есть элемент с символом 'BBB'. Хотите его заменить актуально "
      "отредактированным элементом?";
  const std::vector<Row> rows = {
      {"blank symbol refused",
       false,
       false,
       "AAA",
       " ",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "HID"},
       nullptr,
       true,
       "Не задан каталожный символ определяемого элемента."},
      {"same symbol",
       false,
       false,
       "AAA",
       " AAA ",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "HID"},
       "AAA",
       false,
       nullptr},
      {"renamed item takes the new symbol",
       false,
       false,
       "AAA",
       "ZZZ",
       true,
       MsgAnswer::Yes,
       {"BBB", "HID", "ZZZ"},
       "ZZZ",
       false,
       nullptr},
      {"new symbol on a fresh item",
       false,
       true,
       nullptr,
       "NEW",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "HID", "NEW"},
       "NEW",
       false,
       nullptr},
      {"new symbol on an existing item adds an item",
       false,
       false,
       "AAA",
       "CCC",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "CCC", "HID"},
       "CCC",
       false,
       nullptr},
      {"another entry's symbol, replaced",
       false,
       false,
       "AAA",
       "BBB",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "HID"},
       "BBB",
       false,
       question.c_str()},
      {"another entry's symbol, not replaced",
       false,
       false,
       "AAA",
       "BBB",
       false,
       MsgAnswer::No,
       {"AAA", "BBB", "HID"},
       nullptr,
       false,
       question.c_str()},
      {"a fresh item keeps its copy when not replaced",
       false,
       true,
       nullptr,
       "BBB",
       false,
       MsgAnswer::No,
       {"", "AAA", "BBB", "HID"},
       nullptr,
       true,
       question.c_str()},
      {"duplicates allowed",
       true,
       false,
       "AAA",
       "BBB",
       false,
       MsgAnswer::Yes,
       {"AAA", "BBB", "BBB", "HID"},
       "BBB",
       false,
       nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    MessageRecorder messages;
    messages.QueueAnswers({r.answer});
    TCatDlg dlg;
    TCat cat;
    Fill(cat, dlg);
    cat.AllowDuplicates = r.allow_duplicates;
    auto m = Open(cat, dlg, r.edited ? r.edited : "AAA");
    TEditCatListModel* list = m->EditList();
    if (r.insert_first) {
      list->Insert();
      ASSERT_EQ(Trim(list->Entry(list->ItemIndex()).text), "");
    }
    const int edited = list->ItemIndex();
    TCatItem* edited_item = list->Entry(edited).item;
    if (r.renamed) edited_item->SetRuntimeFlags(kRuntimeRenamed);
    list->WorkingCopy()->SetSymbol(r.symbol);
    list->WorkingCopy()->SetDescription("edited");
    // The selection moves to the last entry: the edited entry is committed.
    m->SetSelected(list->Count() - 1);

    std::vector<std::string> symbols = Symbols(cat);
    std::sort(symbols.begin(), symbols.end());
    std::vector<std::string> expected = r.symbols_after;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(symbols, expected);
    int receivers = 0;
    for (int i = 0; i < cat.OwnCount(); ++i) {
      if (cat.OwnItem(i)->Description() != "edited") continue;
      ++receivers;
      EXPECT_EQ(cat.OwnItem(i)->Symbol(), r.description_of ? r.description_of : "(none)");
    }
    EXPECT_EQ(receivers, r.description_of ? 1 : 0);
    if (r.copy_kept) {
      EXPECT_EQ(list->ItemIndex(), edited);
      EXPECT_EQ(list->WorkingCopy()->Description(), "edited");
    }
    if (r.message) {
      EXPECT_EQ(messages.LastText(), r.message);
    } else {
      EXPECT_TRUE(messages.Messages().empty());
    }
    // Every entry's text follows its item.
    for (int i = 0; i < list->Count(); ++i) {
      if (!(r.copy_kept && i == edited)) {
        EXPECT_EQ(list->Entry(i).text, list->Entry(i).item->ListSymbol());
      }
    }
  }
}

TEST_F(EditListTest, InsertingAndDeleting) {
  auto m = Open("BBB");
  TEditCatListModel* list = m->EditList();
  EXPECT_TRUE(list->CanInsert());
  // A refused insert leaves the catalog and the list as they are.
  accept_insert_ = false;
  list->Insert();
  EXPECT_EQ(cat_.OwnCount(), 3);
  EXPECT_EQ(list->Count(), 3);
  accept_insert_ = true;
  list->Insert();
  EXPECT_EQ(cat_.OwnCount(), 4);
  // The sorted list puts the blank entry first and keeps it selected.
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->Entry(0).item->Symbol(), "");
  EXPECT_EQ(CatEntryColor(list->Entry(0)), CatListColors().empty_row);

  // Deleting takes the items out of the catalog before freeing them; refusals keep theirs.
  list->WorkingCopy()->SetSymbol("DDD");
  list->Apply();
  TCatItem* aaa = cat_.FindBySymbol("AAA");
  cat_.OnDeleteItem = [aaa](TCustomCat&, TCatItem& item, bool& accept) { accept = &item != aaa; };
  list->SelectAll();
  messages_.QueueAnswers({MsgAnswer::Yes});
  list->DeleteSelected();
  EXPECT_EQ(Symbols(), std::vector<std::string>{"AAA"});
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Entry(0).item, aaa);
  EXPECT_EQ(list->WorkingCopy()->Symbol(), "AAA");

  // An item that may not be deleted disables the action; a No keeps everything.
  messages_.QueueAnswers({MsgAnswer::No});
  list->DeleteSelected();
  EXPECT_EQ(cat_.OwnCount(), 1);
  auto fixed = std::make_unique<test::TTestFixedItem>();
  fixed->SetSymbol("FIX");
  cat_.Insert(std::move(fixed));
  auto m2 = Open("FIX");
  EXPECT_FALSE(m2->EditList()->CanDelete());
}

TEST_F(EditListTest, ClosingAppliesThePendingEdit) {
  TCatExDialogModel* seen = nullptr;
  test::TestHost host;
  host.on_cat_ex = [&](TCatExDialogModel& m) {
    seen = &m;
    m.EditList()->WorkingCopy()->SetDescription("closing");
    m.CloseDialog();
    EXPECT_TRUE(m.Closed());
  };
  cat_.EditItems("BBB");
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(cat_.FindBySymbol("BBB")->Description(), "closing");
  EXPECT_TRUE(cat_.ViewEx);

  // A blank symbol keeps the dialog open.
  host.on_cat_ex = [&](TCatExDialogModel& m) {
    m.EditList()->WorkingCopy()->SetSymbol("");
    m.CloseDialog();
    EXPECT_FALSE(m.Closed());
    m.EditList()->WorkingCopy()->SetSymbol("BBB");
    m.CloseDialog();
    EXPECT_TRUE(m.Closed());
  };
  cat_.EditItems("BBB");

  // Edit and select returns the selected entry's symbol after the commit.
  host.on_cat_ex = [&](TCatExDialogModel& m) {
    EXPECT_TRUE(m.SelectVisible());
    m.EditList()->WorkingCopy()->SetSymbol("AAA");
    m.Select();
  };
  cat_.FindBySymbol("BBB")->SetRuntimeFlags(kRuntimeRenamed);
  EXPECT_EQ(cat_.EditAndSelect("BBB"), "AAA");
  EXPECT_EQ(cat_.DisplayMode, cdmSelectItem);
}

TEST_F(EditListTest, AModelessEditWindowLivesOnInTheHost) {
  test::TestHost host;
  EXPECT_EQ(cat_.EditItems("AAA", false), "AAA");
  ASSERT_EQ(host.modeless.size(), 1u);
  EXPECT_TRUE(cat_.Busy);
  EXPECT_FALSE(host.modeless[0]->Modal());
  host.modeless.clear();
  EXPECT_FALSE(cat_.Busy);
}

TEST_F(EditListTest, ReadingAndWritingFiles) {
  test::TestHost host;
  test::TempDir dir;
  cat_.OnLoadItems = [](TCustomCat&, std::string&, bool&, TFileVerInfo*&) {};
  cat_.OnStoreItems = cat_.OnLoadItems;
  const std::string file = dir.File("part.std");
  auto m = Open("AAA");
  TEditCatListModel* list = m->EditList();
  EXPECT_TRUE(list->CanReadFromFile());
  // Write AAA and BBB, then change them in the catalog.
  list->SelectAll();
  list->ToggleSelected(2);
  host.files = {file};
  ASSERT_TRUE(list->WriteToFile());
  EXPECT_EQ(cat_.OwnCount(), 3);
  cat_.FindBySymbol("AAA")->SetDescription("newer");
  cat_.FindBySymbol("BBB")->SetDescription("newer");
  list->Revert();
  // Reading them back: AAA is replaced, BBB is kept.
  host.files = {file};
  messages_.QueueAnswers({MsgAnswer::Yes, MsgAnswer::No});
  ASSERT_TRUE(list->ReadFromFile());
  EXPECT_EQ(cat_.OwnCount(), 3);
  EXPECT_EQ(cat_.FindBySymbol("AAA")->Description(), "first");
  EXPECT_EQ(cat_.FindBySymbol("BBB")->Description(), "newer");
  // A cancelled file dialog reads nothing.
  EXPECT_FALSE(list->ReadFromFile());
}

// ---- the manager dialog

TEST(ManagerTest, CopyUpToTheLimitRemoveAndOk) {
  MessageRecorder messages;
  test::TestHost host;
  TCat cat;
  for (const char* s : {"M1", "M2", "M3", "M4", "M5"}) cat.Insert(SdpItem(s));
  TCatManagerDlg dlg;
  dlg.SelNoLimit = 3;
  cat.SetCatManagerDlg(&dlg);
  TCatLookUp lookup;
  lookup.SetCat(&cat);
  lookup.AddToWorkingSet(cat.FindBySymbol("M2"));
  host.on_manager = [&](TCatManagerModel& m) {
    EXPECT_EQ(m.Chosen().size(), 1u);
    m.SetSourceSelection({0, 1, 2, 3, 4});
    EXPECT_EQ(m.CopySelected(), 2);
    EXPECT_EQ(messages.LastText(), FormatStr(20133, {3}));
    EXPECT_EQ(m.CountText(), "3 макс.");
    EXPECT_TRUE(m.CountAtLimit());
    m.SetChosenSelection({0, 1});
    m.RemoveSelected();
    EXPECT_EQ(m.Chosen().size(), 1u);
    EXPECT_EQ(m.ChosenSelection(), std::set<int>{0});
    EXPECT_EQ(m.CountText(), "1");
    m.SetSourceSelection({4, 3});
    m.CopySelected();
    m.Ok();
  };
  EXPECT_TRUE(cat.ManageWorkingSet(lookup));
  std::vector<std::string> set;
  for (TCatItem* item : lookup.WorkingSet()) set.push_back(item->Symbol());
  EXPECT_EQ(set, (std::vector<std::string>{"M3", "M4", "M5"}));

  host.on_manager = [](TCatManagerModel& m) { m.Cancel(); };
  EXPECT_FALSE(cat.ManageWorkingSet(lookup));
  EXPECT_EQ(lookup.WorkingSet().size(), 3u);
}

}  // namespace
}  // namespace hx
