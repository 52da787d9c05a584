// Variable catalogs and the common data module.
#include <gtest/gtest.h>

#include "catalogs/dm_data_common.h"
#include "catalogs/tests/cat_fixture.h"
#include "objects/object_stream.h"

namespace hx {
namespace {

std::unique_ptr<TVarItem> Var(const std::string& symbol, const std::string& value_text,
                              double value) {
  auto item = std::make_unique<TVarItem>();
  item->SetSymbol(symbol);
  item->SetValueText(value_text);
  item->SetValue(value);
  return item;
}

TEST(VarCatTest, ItemsKeepTheOrderTheyWereAddedIn) {
  TVarCat cat;
  EXPECT_EQ(cat.Collection().Capacity(), 10);
  for (const char* s : {"ZET", "ALFA", "MI"}) cat.Insert(Var(s, "1", 1));
  std::vector<std::string> order;
  for (int i = 0; i < cat.OwnCount(); ++i) order.push_back(cat.OwnItem(i)->Symbol());
  EXPECT_EQ(order, (std::vector<std::string>{"ZET", "ALFA", "MI"}));
}

TEST(VarCatTest, TheRecordInBothVariants) {
  // Variant 0: the symbol-description record, the value text as a string, the value, two
  // flags; variant 1 has the value text as a short string.
  for (int variant : {0, 1}) {
    SCOPED_TRACE(variant);
    test::Bytes b;
    if (variant == 1) {
      b.U16(0).Str("TE").Str("Outdoor").ShortStr("-20+2");
    } else {
      b.U16(0).I32(kStateVisible).Str("TE").Str("Outdoor").Str("-20+2");
    }
    b.F64(-18).U8(3).U8(250);
    TObjectStream s(std::make_unique<TMemoryStream>(b.Data()));
    TVarItem item;
    variant ? item.Load1(s) : item.Load0(s);
    EXPECT_EQ(item.Symbol(), "TE");
    EXPECT_EQ(item.Description(), "Outdoor");
    EXPECT_EQ(item.ValueText(), "-20+2");
    EXPECT_EQ(item.Value(), -18);
    EXPECT_EQ(item.Flag1(), 3);
    EXPECT_EQ(item.Flag2(), 250);
    TObjectStream out;
    variant ? item.Store1(out) : item.Store0(out);
    EXPECT_EQ(out.MemoryData(), b.Data());
  }
}

TEST(VarCatTest, AnItemWithoutTextsIsEmpty) {
  TVarItem item;
  item.SetValue(5);
  EXPECT_TRUE(item.IsEmpty());
  item.SetDescription("x");
  EXPECT_FALSE(item.IsEmpty());
  TVarCat cat;
  cat.Insert(Var(" ", "", 0));
  cat.Insert(Var("A", "", 0));
  cat.Collection().PackEmpty();
  EXPECT_EQ(cat.OwnCount(), 1);
}

TEST(DataCommonTest, TheCatalogsAndTheTemperatures) {
  TDM_DataCommon dm;
  struct Row {
    TVarCat* cat;
    const char* caption;
    double min, max;
    int num_fp;
  };
  const Row rows[] = {{&dm.VarTemp, "Zmienne - Temperatury", -30, 70, 3},
                      {&dm.VarDim, "Zmienne - Wymiary", 0, 1000, 2},
                      {&dm.VarGlobal, "Zmienne - Globalne", -10000000, 10000000, 3},
                      {&dm.VarQpower, "Zmienne - Moce cieplne", 0, 1000, 2}};
  for (const Row& r : rows) {
    EXPECT_EQ(r.cat->Caption(), r.caption);
    EXPECT_EQ(r.cat->MinValue, r.min);
    EXPECT_EQ(r.cat->MaxValue, r.max);
    EXPECT_EQ(r.cat->NumFp, r.num_fp);
    EXPECT_FALSE(r.cat->System);
    EXPECT_FALSE(r.cat->SelectEx);
    EXPECT_EQ(r.cat->MaxSymbolSize, 8);
  }
  EXPECT_EQ(dm.R_Data.FieldCount(), 2);
  EXPECT_EQ(dm.PF_Te.Caption, "Te");
  EXPECT_EQ(dm.PF_Te.Units, "°C");
  EXPECT_EQ(dm.Te(), -20);
  EXPECT_EQ(dm.Tg(), 8);
  dm.PF_Te.SetText("-16");
  EXPECT_EQ(dm.Te(), -16);
  dm.PF_Tg.SetValue(NoInt);
  EXPECT_EQ(dm.Tg(), 8);
}

}  // namespace
}  // namespace hx
