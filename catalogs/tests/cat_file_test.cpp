// Reading catalog files of both variants from hand-made fixtures, skipped and damaged items,
// refused signatures, index catalogs, and storing through the safe replacement.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/string_table.h"
#include "catalogs/cat.h"
#include "catalogs/cat_prod.h"
#include "catalogs/ind_cat.h"
#include "catalogs/tests/cat_fixture.h"
#include "catalogs/tests/test_items.h"
#include "objects/data_kind.h"
#include "objects/object_stream.h"
#include "records/messages.h"

namespace hx {
namespace {

using test::Bytes;
using test::CatalogFile;
using test::ProdRecordV1;
using test::SdpRecord;
using test::TempDir;

// "ПРОД" in code page 1251.
const std::string kProdCp1251 = "\xCF\xD0\xCE\xC4";

Bytes PicBloRecord() {
  Bytes b = SdpRecord(0, 992, 7, kStateVisible | kStatePredefinied, "BLO", "Blocks", "P2");
  return b.Str("DIAGRAM").Str("PLAN").Str("PICTURE");
}

Bytes ProdRecordV0() {
  Bytes b = SdpRecord(0, 308, 0, kStateVisible, "ACME", "Acme Ltd", "");
  return b.Str("PIC")
      .Str("www.acme.test")
      .Str("office@acme.test")
      .Str("+48 1")
      .Str("+48 2")
      .Str("Main St 1");
}

// Variant 0: a plain item with a Cyrillic producer, a display symbol, blocks, a producer and an
// alias.
Bytes Variant0File() {
  return CatalogFile(
      "TRVKAPRO3.00", 0,
      {SdpRecord(0, 990, 5, kStateVisible, "RAD1", "Radiator one", kProdCp1251),
       SdpRecord(0, 990, 5, kStateVisible | kStateRemoved, "SYM\tDISP", "Shown", "PX"),
       PicBloRecord(), ProdRecordV0(), SdpRecord(0, 990, 255, kStateVisible, "ALIAS", "", "RAD1")});
}

// Variant 1: legacy producer marks, an alias and a producer with split contact data.
Bytes Variant1File() {
  return CatalogFile("TRVKAPRO3.00", 1,
                     {SdpRecord(1, 990, 3, 0, "OLD1", "On order", "~PA"),
                      SdpRecord(1, 990, 3, 0, "OLD2", "Removed", "-PB"),
                      SdpRecord(1, 990, 255, 0, "OLDALIAS", "", "OLD1"),
                      ProdRecordV1(0, "VENDOR", "Vendor", "+48 22 100|www.vendor.test",
                                   "+48 22 101|mail@vendor.test", "Street 5")});
}

class CatFileTest : public ::testing::Test {
 protected:
  DataKindScope kind_{7};
  TempDir dir_;
  MessageRecorder messages_;

  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string file = dir_.File(name);
    test::WriteFile(file, bytes.Data());
    return file;
  }
};

// The catalog's own item of that symbol (aliases are not resolved).
TCatItem* BySymbol(TCustomCat& cat, const std::string& symbol) {
  for (int i = 0; i < cat.OwnCount(); ++i) {
    if (cat.OwnItem(i)->Symbol() == symbol) return cat.OwnItem(i);
  }
  return nullptr;
}

TEST_F(CatFileTest, ReadsVariant0FilesItemByItem) {
  TCat cat;
  ASSERT_TRUE(cat.Open(Write("v0.pro", Variant0File()), SigCatProd()));
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_FALSE(cat.UsesVariant1());
  ASSERT_EQ(cat.OwnCount(), 5);
  EXPECT_EQ(cat.LastReadReport().read, 5);

  TCatItem* rad = BySymbol(cat, "RAD1");
  ASSERT_NE(rad, nullptr);
  EXPECT_EQ(rad->Typ(), 5);
  EXPECT_EQ(rad->Description(), "Radiator one");
  EXPECT_EQ(rad->Producer(), "ПРОД");
  EXPECT_EQ(rad->Cat(), &cat);
  EXPECT_GT(rad->StreamPosition(), static_cast<int64_t>(kHeaderSize));

  TCatItem* disp = BySymbol(cat, "SYM");
  ASSERT_NE(disp, nullptr);
  EXPECT_EQ(disp->DisplaySymbol(), "DISP");
  EXPECT_TRUE(disp->Removed());

  TCatItem* blo = BySymbol(cat, "BLO");
  ASSERT_NE(dynamic_cast<test::TTestPicBloItem*>(blo), nullptr);
  EXPECT_EQ(blo->BlockForDiagramSymbol(), "DIAGRAM");
  EXPECT_EQ(blo->BlockForPlanSymbol(), "PLAN");
  EXPECT_EQ(blo->PictureSymbol(), "PICTURE");
  EXPECT_TRUE(blo->Predefinied());

  auto* prod = dynamic_cast<TCatProdItem*>(BySymbol(cat, "ACME"));
  ASSERT_NE(prod, nullptr);
  EXPECT_EQ(prod->Typ(), 1);
  EXPECT_EQ(prod->Producer(), "ACME");
  EXPECT_EQ(prod->PictureSymbol(), "PIC");
  EXPECT_EQ(prod->WWW(), "www.acme.test");
  EXPECT_EQ(prod->Email(), "office@acme.test");
  EXPECT_EQ(prod->Address(), "Main St 1");

  // Ordered by display symbol.
  std::vector<std::string> order;
  for (int i = 0; i < cat.OwnCount(); ++i) order.push_back(cat.OwnItem(i)->DisplaySymbol());
  EXPECT_EQ(order, (std::vector<std::string>{"ACME", "ALIAS", "BLO", "DISP", "RAD1"}));
}

TEST_F(CatFileTest, ReadsVariant1FilesWithTheLegacyRules) {
  TCat cat;
  ASSERT_TRUE(cat.OpenV1(Write("v1.pro", Variant1File()), SigCatProd()));
  EXPECT_TRUE(cat.UsesVariant1());
  ASSERT_EQ(cat.OwnCount(), 4);

  TCatItem* old1 = BySymbol(cat, "OLD1");
  EXPECT_EQ(old1->Producer(), "PA");
  EXPECT_TRUE(old1->NeedOrder());
  EXPECT_TRUE(old1->Visible());
  TCatItem* old2 = BySymbol(cat, "OLD2");
  EXPECT_EQ(old2->Producer(), "PB");
  EXPECT_TRUE(old2->Removed());

  // The alias is invisible and found as its target.
  EXPECT_EQ(cat.FindBySymbol("OLDALIAS"), old1);
  EXPECT_FALSE(BySymbol(cat, "OLDALIAS")->Visible());

  auto* vendor = dynamic_cast<TCatProdItem*>(BySymbol(cat, "VENDOR"));
  ASSERT_NE(vendor, nullptr);
  EXPECT_EQ(vendor->Phone(), "+48 22 100");
  EXPECT_EQ(vendor->WWW(), "www.vendor.test");
  EXPECT_EQ(vendor->Fax(), "+48 22 101");
  EXPECT_EQ(vendor->Email(), "mail@vendor.test");
  EXPECT_EQ(vendor->Address(), "Street 5");
  EXPECT_EQ(vendor->Typ(), 1);
  EXPECT_TRUE(vendor->Visible());
}

TEST_F(CatFileTest, IndexCatalogsReadHeadersAndLoadTheRestOnDemand) {
  for (int variant : {0, 1}) {
    SCOPED_TRACE(variant);
    const std::string file =
        Write("ind" + std::to_string(variant) + ".pro", variant ? Variant1File() : Variant0File());
    TIndCat cat;
    ASSERT_TRUE(variant ? cat.OpenV1(file, SigCatProd()) : cat.Open(file, SigCatProd()));
    cat.AfterLoad();
    const std::string symbol = variant ? "VENDOR" : "ACME";
    TCatItem* entry = BySymbol(cat, symbol);
    ASSERT_NE(dynamic_cast<TIndCatItem*>(entry), nullptr);
    EXPECT_EQ(entry->TypeId(), 308);
    // The description comes from the file, which is closed between requests.
    EXPECT_EQ(entry->Description(), variant ? "Vendor" : "Acme Ltd");

    std::unique_ptr<TCatItem> full = cat.FullItem(*entry);
    auto* prod = dynamic_cast<TCatProdItem*>(full.get());
    ASSERT_NE(prod, nullptr);
    EXPECT_EQ(prod->WWW(), variant ? "www.vendor.test" : "www.acme.test");
    EXPECT_EQ(prod->StreamPosition(), entry->StreamPosition());
  }

  TIndCat v0;
  v0.Open(dir_.File("ind0.pro"), SigCatProd());
  EXPECT_EQ(BySymbol(v0, "SYM")->DisplaySymbol(), "DISP");
  EXPECT_EQ(BySymbol(v0, "RAD1")->Producer(), "ПРОД");
  EXPECT_FALSE(BySymbol(v0, "ALIAS")->Visible());
  TIndCat v1;
  v1.OpenV1(dir_.File("ind1.pro"), SigCatProd());
  EXPECT_EQ(BySymbol(v1, "OLD1")->Producer(), "PA");
  EXPECT_TRUE(BySymbol(v1, "OLD1")->NeedOrder());
}

TEST_F(CatFileTest, AnIndexEntryOfAChangedFileLoadsNothing) {
  const std::string file = Write("changed.pro", Variant0File());
  TIndCat cat;
  cat.Open(file, SigCatProd());
  cat.AfterLoad();
  TCatItem* entry = BySymbol(cat, "ACME");
  Bytes longer = Variant0File();
  longer.Str("trailing");
  test::WriteFile(file, longer.Data());
  EXPECT_EQ(cat.FullItem(*entry), nullptr);
  EXPECT_EQ(entry->Description(), "");
}

TEST_F(CatFileTest, AnUnreadableItemIsSkipped) {
  // An unknown type id and an object that is no catalog item, between good items.
  Bytes unknown;
  unknown.I32(4321).Str("whatever");
  Bytes collection;
  collection.I32(150).I32(0).I32(0).I32(10);
  const Bytes file = CatalogFile(
      "TRVKAPRO3.00", 0,
      {SdpRecord(0, 990, 1, 1, "A", "", ""), unknown, SdpRecord(0, 990, 1, 1, "B", "", ""),
       collection, SdpRecord(0, 990, 1, 1, "C", "", "")});
  TCat cat;
  EXPECT_TRUE(cat.Open(Write("skip.pro", file), SigCatProd()));
  EXPECT_EQ(cat.OwnCount(), 3);
  ASSERT_EQ(cat.LastReadReport().skipped.size(), 2u);
  EXPECT_EQ(cat.LastReadReport().skipped[0].index, 1);
  EXPECT_EQ(cat.LastReadReport().skipped[1].index, 3);
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CatFileTest, ADamagedListStopsWith10153AndKeepsTheItemsRead) {
  const std::vector<Bytes> items = {SdpRecord(0, 990, 1, 1, "A", "", ""),
                                    SdpRecord(0, 990, 1, 1, "B", "", ""),
                                    SdpRecord(0, 990, 1, 1, "C", "", "")};
  struct Case {
    const char* name;
    std::function<std::optional<int32_t>(int)> end;
    std::optional<int32_t> count;
    size_t cut;  // bytes cut from the end of the file
    int kept;
  };
  const std::vector<Case> cases = {
      {"end beyond the file",
       [](int i) { return i == 1 ? std::optional(1 << 20) : std::nullopt; },
       {},
       0,
       1},
      {"end before the item",
       [](int i) { return i == 1 ? std::optional(20) : std::nullopt; },
       {},
       0,
       1},
      {"end at the item's start",
       [](int i) { return i == 2 ? std::optional(0) : std::nullopt; },
       {},
       0,
       2},
      {"count beyond the bytes", {}, 1000000, 0, 0},
      {"negative count", {}, -5, 0, 0},
      {"truncated last item", {}, {}, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.Clear();
    Bytes bytes = CatalogFile("TRVKAPRO3.00", 0, items, c.end, c.count);
    bytes.Data().resize(bytes.Size() - c.cut);
    const std::string file = Write("damaged.pro", bytes);
    TCat cat;
    EXPECT_FALSE(cat.Open(file, SigCatProd()));
    EXPECT_TRUE(cat.LastReadReport().damaged);
    EXPECT_EQ(cat.OwnCount(), c.kept);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text.rfind(FormatStr(10153, {file, ""}), 0), 0u);
  }
}

TEST_F(CatFileTest, ARefusedSignatureLeavesTheCatalogEmptyWith20032) {
  const std::string file =
      Write("other.pro", CatalogFile("TRVDKGRZ3.00", 0, {SdpRecord(0, 990, 1, 1, "A", "", "")}));
  TCat cat;
  cat.Insert(test::SdpItem("OLD"));
  EXPECT_FALSE(cat.Open(file, SigCatProd()));
  EXPECT_EQ(cat.OwnCount(), 0);
  EXPECT_EQ(cat.Collection().Capacity(), 20);
  const std::string refusal = FormatStr(20032, {file, "TARVOS"});
  EXPECT_EQ(cat.LastReadReport().error, refusal);
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text, FormatStr(10153, {file, refusal}));
  EXPECT_EQ(messages_.Messages()[0].kind, MsgKind::Error);

  // Without errors shown, and with no file name at all, nothing is said.
  messages_.Clear();
  EXPECT_FALSE(cat.Open(file, SigCatProd(), true, false));
  EXPECT_TRUE(cat.Open("", SigCatProd()));
  EXPECT_FALSE(cat.Open(dir_.File("missing.pro"), SigCatProd(), true, false));
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CatFileTest, ADisplaySymbolIsWrittenBackAfterATab) {
  TCat cat;
  cat.Open(Write("v0.pro", Variant0File()), SigCatProd());
  const std::string stored = dir_.File("stored.pro");
  ASSERT_TRUE(cat.Store(stored, SigCatProd()));
  const std::vector<uint8_t> bytes = test::ReadFile(stored);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\x08\x00SYM\tDISP", 0, 10), std::string::npos);

  TCat again;
  ASSERT_TRUE(again.Open(stored, SigCatProd()));
  EXPECT_EQ(BySymbol(again, "SYM")->DisplaySymbol(), "DISP");
  EXPECT_EQ(again.OwnCount(), 5);
}

TEST_F(CatFileTest, ACatalogInsideAnotherStreamKeepsItsItems) {
  TCat cat;
  cat.Open(Write("v0.pro", Variant0File()), SigCatProd());
  for (int variant : {0, 1}) {
    TObjectStream s;
    s.WriteInt32(77);
    variant ? cat.WriteToV1(s) : cat.WriteTo(s);
    s.WriteInt32(88);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32(), 77);
    TCat copy;
    copy.ReadFrom(s, variant);
    EXPECT_EQ(s.ReadInt32(), 88);
    EXPECT_EQ(copy.OwnCount(), 5);
    EXPECT_EQ(BySymbol(copy, "SYM")->DisplaySymbol(), "DISP");
  }
  // A damaged list inside a stream raises: the stream's position cannot be trusted after it.
  TObjectStream bad(std::make_unique<TMemoryStream>(
      test::ItemList(0, {SdpRecord(0, 990, 1, 1, "A", "", "")}, 0, [](int) {
        return std::optional<int32_t>(999);
      }).Data()));
  TCat target;
  EXPECT_THROW(target.ReadFrom(bad), EObjectStream);
}

// ---- storing

TEST_F(CatFileTest, StoringKeepsThePreviousFileAsItsBackup) {
  const std::filesystem::path folder = dir_.Path() / "cat.alog";
  std::filesystem::create_directories(folder);
  const std::string file = (folder / "Produc.pro").string();
  TCat cat;
  cat.Insert(test::SdpItem("FIRST"));
  ASSERT_TRUE(cat.Store(file, SigCatProd()));
  const std::vector<uint8_t> first = test::ReadFile(file);
  cat.Insert(test::SdpItem("SECOND"));
  EXPECT_TRUE(cat.IsModified());
  ASSERT_TRUE(cat.Store(file, SigCatProd()));
  EXPECT_FALSE(cat.IsModified());
  EXPECT_EQ(test::ReadFile((folder / "Produc.~pro").string()), first);
  TCat again;
  again.Open(file, SigCatProd());
  EXPECT_EQ(again.OwnCount(), 2);
  // The dotted folder kept its name; nothing else was made beside the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(CatFileTest, AReadOnlyFileIsNotReplaced) {
  const std::string file = dir_.File("Produc.pro");
  TCat cat;
  cat.Insert(test::SdpItem("A"));
  ASSERT_TRUE(cat.Store(file, SigCatProd()));
  cat.Insert(test::SdpItem("B"));
  const std::vector<uint8_t> before = test::ReadFile(file);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  messages_.Clear();
  EXPECT_FALSE(cat.Store(file, SigCatProd()));
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  EXPECT_EQ(messages_.LastText(), FormatStr(10348, {file}));
  EXPECT_EQ(test::ReadFile(file), before);
  EXPECT_TRUE(cat.IsModified());
}

// File operations that fail at one chosen call.
class FailingOps : public IFileOps {
 public:
  explicit FailingOps(int fail_at) : fail_at_(fail_at) {}
  bool Exists(const std::string& name) override { return SystemFileOps().Exists(name); }
  bool IsReadOnly(const std::string& name) override { return SystemFileOps().IsReadOnly(name); }
  bool Remove(const std::string& name) override {
    return Fail() ? false : SystemFileOps().Remove(name);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return Fail() ? false : SystemFileOps().Rename(from, to);
  }
  int calls = 0;

 private:
  bool Fail() { return calls++ == fail_at_; }
  int fail_at_;
};

// A file stream whose writes fail from one chosen write on.
class FailingStream : public TFileStream {
 public:
  FailingStream(const std::string& name, int fail_at, int& writes)
      : TFileStream(name, FileMode::Create), fail_at_(fail_at), writes_(writes) {}
  size_t Write(const void* buffer, size_t n) override {
    if (writes_++ >= fail_at_) return 0;
    return TFileStream::Write(buffer, n);
  }

 private:
  int fail_at_;
  int& writes_;
};

TEST_F(CatFileTest, AFailureAtEveryStepOfStoringNeverLosesTheFile) {
  const std::string file = dir_.File("Produc.pro");
  const std::string backup = dir_.File("Produc.~pro");
  TCat old_cat;
  old_cat.Insert(test::SdpItem("OLD"));
  TCat new_cat;
  for (const char* s : {"N1", "N2", "N3"}) new_cat.Insert(test::SdpItem(s));

  // How many writes and file operations a successful store makes.
  int total_writes = 0;
  int total_ops = 0;
  {
    ASSERT_TRUE(old_cat.Store(file, SigCatProd()));
    test::WriteFile(backup, {1, 2, 3});
    FailingOps ops(-1);
    ASSERT_TRUE(new_cat.Store(file, SigCatProd(), ops, [&](const std::string& name) {
      return std::make_unique<FailingStream>(name, 1 << 30, total_writes);
    }));
    total_ops = ops.calls;
  }
  ASSERT_GT(total_writes, 10);
  ASSERT_GE(total_ops, 2);

  auto symbols_of = [](const std::string& name) {
    TCat cat;
    MessagesSilenced quiet;
    cat.Open(name, SigCatProd(), true, false);
    std::vector<std::string> symbols;
    for (int i = 0; i < cat.OwnCount(); ++i) symbols.push_back(cat.OwnItem(i)->Symbol());
    return symbols;
  };
  const std::vector<std::string> old_symbols = {"OLD"};
  const std::vector<std::string> new_symbols = {"N1", "N2", "N3"};

  for (int step = 0; step < total_writes + total_ops; ++step) {
    SCOPED_TRACE(step);
    ASSERT_TRUE(old_cat.Store(file, SigCatProd()));
    test::WriteFile(backup, {1, 2, 3});
    new_cat.SetModified(true);
    const bool write_step = step < total_writes;
    FailingOps ops(write_step ? -1 : step - total_writes);
    int writes = 0;
    const bool stored = new_cat.Store(file, SigCatProd(), ops, [&](const std::string& name) {
      return std::make_unique<FailingStream>(name, write_step ? step : 1 << 30, writes);
    });
    EXPECT_FALSE(stored);
    // The file is there, whole, with the old items; the catalog still counts as modified.
    EXPECT_EQ(symbols_of(file), old_symbols);
    EXPECT_TRUE(new_cat.IsModified());
    // No temporary file is left behind.
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Produc.TMP")));
  }
  // And without a failure the new file is in place with the old one as its backup.
  ASSERT_TRUE(new_cat.Store(file, SigCatProd()));
  EXPECT_EQ(symbols_of(file), new_symbols);
  EXPECT_EQ(symbols_of(backup), old_symbols);
}

}  // namespace
}  // namespace hx
