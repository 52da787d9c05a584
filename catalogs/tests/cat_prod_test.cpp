// The producer data module over a variant-1 "Produc.pro": start-up, finding and caching full
// items, the select, view and information operations, the producer form and the settings.
#include <gtest/gtest.h>

#include "base/settings_store.h"
#include "catalogs/cat_item_info.h"
#include "catalogs/dm_cat_prod.h"
#include "catalogs/tests/cat_fixture.h"
#include "catalogs/tests/test_items.h"
#include "records/messages.h"

namespace hx {
namespace {

using test::ProdRecordV1;

class ProdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Typ 0 in the file: after start-up every producer has Typ 1.
    const test::Bytes file = test::CatalogFile(
        "TRVKAPRO3.00", 1,
        {ProdRecordV1(0, "ACME", "Acme heating", "+48 22 111 22 33|www.acme.test",
                      "+48 22 111 22 34|biuro@acme.test", "ul. Cicha 1, Warszawa"),
         ProdRecordV1(0, "BRAVO\tBRAVO-PL", "Bravo", "+48 12 000", "", "Krakow"),
         ProdRecordV1(7, "MINI", "", "", "", "")});
    test::WriteFile(dir_.File("Produc.pro"), file.Data());
    module_.OpenCatalog(dir_.Folder());
  }
  test::TempDir dir_;
  TMemorySettings settings_;
  MessageRecorder messages_;
  test::TestHost host_;
  TDM_CatProd module_{settings_};
};

TEST_F(ProdTest, StartUpGivesEveryProducerType1) {
  ASSERT_EQ(module_.IndCat.OwnCount(), 3);
  EXPECT_TRUE(messages_.Messages().empty());
  for (int i = 0; i < module_.IndCat.OwnCount(); ++i) {
    EXPECT_EQ(module_.IndCat.OwnItem(i)->Typ(), 1);
    EXPECT_EQ(module_.IndCat.OwnItem(i)->Cat(), &module_.IndCat);
  }
  EXPECT_EQ(&module_.WorkingCatalog(), &module_.IndCat);
  EXPECT_EQ(ProducerCatalog(), &module_);
}

TEST_F(ProdTest, AMissingFileLeavesAnEmptyListWith10153) {
  messages_.Clear();
  module_.OpenCatalog(dir_.Folder() + "nowhere/");
  EXPECT_EQ(module_.IndCat.OwnCount(), 0);
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_NE(messages_.LastText().find("Produc.pro"), std::string::npos);
}

TEST_F(ProdTest, FindingLoadsTheFullItemOnceIntoTempCat) {
  TCatItem* acme = module_.FindBySymbol(" acme ");
  auto* prod = dynamic_cast<TCatProdItem*>(acme);
  ASSERT_NE(prod, nullptr);
  EXPECT_EQ(prod->Phone(), "+48 22 111 22 33");
  EXPECT_EQ(prod->WWW(), "www.acme.test");
  EXPECT_EQ(prod->Email(), "biuro@acme.test");
  EXPECT_EQ(prod->Cat(), &module_.IndCat);
  EXPECT_EQ(module_.TempCat.OwnCount(), 1);
  EXPECT_EQ(module_.FindBySymbol("ACME"), acme);
  EXPECT_EQ(module_.FindByDisplaySymbol("bravo-pl")->Symbol(), "BRAVO");
  EXPECT_EQ(module_.TempCat.OwnCount(), 2);

  // An unknown symbol asked of the index catalog ends in the module without recursing.
  EXPECT_EQ(module_.IndCat.FindBySymbol("UNKNOWN"), nullptr);
  // A known one found through the index catalog's own search is its index entry.
  EXPECT_NE(dynamic_cast<TIndCatItem*>(module_.IndCat.FindBySymbol("MINI")), nullptr);
}

TEST_F(ProdTest, OtherItemsShowTheProducersDisplaySymbolAndInformation) {
  auto item = test::SdpItem("RAD", 1, "bravo");
  EXPECT_EQ(item->DisplayProducer(), "BRAVO-PL");
  item->SetProducer("NOBODY");
  EXPECT_EQ(item->DisplayProducer(), "NOBODY");
  item->ShowProducerInfo(nullptr);
  EXPECT_EQ(messages_.LastText(), FormatStr(20130, {"NOBODY"}));
  item->SetProducer("ACME");
  item->ShowProducerInfo(nullptr);
  EXPECT_EQ(host_.shown, std::vector<std::string>{"info"});
}

TEST_F(ProdTest, TheInformationWindow) {
  module_.IndCat.ViewEx = false;
  host_.on_info = [this](TCatItemInfoModel& info) {
    EXPECT_EQ(info.Caption(), "Информация о производителе или дистрибьютере");
    EXPECT_EQ(info.HelpContext(), 62140);
    EXPECT_EQ(info.Cat().ImageIndex, 3);
    auto* form = dynamic_cast<TCatProdItemForm*>(&info.Form());
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->TabsVisible());
    EXPECT_TRUE(module_.IndCat.ViewEx);
    EXPECT_EQ(module_.R_CatItem.LinkedObject(), &info.Item());
    EXPECT_EQ(module_.PF_Address.Text(), "ul. Cicha 1, Warszawa");
    EXPECT_EQ(module_.PF_Symbol.Text(), "ACME");
    EXPECT_TRUE(module_.PF_Address.ReadOnly());
    EXPECT_TRUE(form->WebEnabled());
    EXPECT_EQ(form->WebLink(), "http://www.acme.test");
    EXPECT_EQ(form->MailLink(), "mailto:biuro@acme.test?subject=&body= ");
    EXPECT_TRUE(form->OpenWeb());
    EXPECT_TRUE(form->SendMail());
  };
  module_.ShowItemInfo(nullptr, " ACME ");
  module_.ShowItemInfo(nullptr, "ACME");
  EXPECT_EQ(host_.links, (std::vector<std::string>{
                             "http://www.acme.test", "mailto:biuro@acme.test?subject=&body= ",
                             "http://www.acme.test", "mailto:biuro@acme.test?subject=&body= "}));
  // Loaded once, then found in TempCat.
  EXPECT_EQ(module_.TempCat.OwnCount(), 1);
  EXPECT_FALSE(module_.IndCat.ViewEx);
  EXPECT_EQ(module_.IndCat.CurrentItem(), nullptr);
  EXPECT_EQ(module_.R_CatItem.LinkedObject(), nullptr);

  // The minimal producer: both link buttons are disabled.
  host_.on_info = [](TCatItemInfoModel& info) {
    auto& form = dynamic_cast<TCatProdItemForm&>(info.Form());
    EXPECT_FALSE(form.WebEnabled());
    EXPECT_FALSE(form.MailEnabled());
    EXPECT_FALSE(form.OpenWeb());
  };
  module_.ShowItemInfo(nullptr, "MINI");
  EXPECT_EQ(host_.links.size(), 4u);

  module_.ShowItemInfo(nullptr, " NOPE ");
  EXPECT_EQ(messages_.LastText(), FormatStr(20130, {"NOPE"}));
  EXPECT_EQ(messages_.Messages().back().kind, MsgKind::Information);
}

TEST_F(ProdTest, SelectProdInTheExtendedDialog) {
  ASSERT_TRUE(module_.IndCat.SelectEx);
  host_.on_cat_ex = [this](TCatExDialogModel& m) {
    EXPECT_EQ(m.ListCaption(), "Символы производителей");
    EXPECT_EQ(m.HelpContext(), 62520);
    EXPECT_EQ(m.SelectedItem()->Symbol(), "BRAVO");
    // The chosen entry is shown in full in the producer form.
    ASSERT_NE(dynamic_cast<TCatProdItemForm*>(m.Form()), nullptr);
    EXPECT_NE(dynamic_cast<TCatProdItem*>(m.ShownItem()), nullptr);
    EXPECT_EQ(module_.PF_Address.Text(), "Krakow");
    EXPECT_EQ(module_.IndCatDlg.OpenForm(), m.Form());
    TCatItemForm* form = m.Form();
    m.SetSelected(m.List().IndexOfDisplaySymbol("ACME"));
    EXPECT_EQ(m.Form(), form);  // the same kind of form stays
    EXPECT_EQ(module_.PF_WWW.Text(), "www.acme.test");
    m.Select();
  };
  EXPECT_EQ(module_.SelectItem("BRAVO-PL", std::nullopt), "ACME");
  EXPECT_EQ(module_.IndCat.CurrentItem(), nullptr);
  EXPECT_EQ(module_.R_CatItem.LinkedObject(), nullptr);

  host_.on_cat_ex = [](TCatExDialogModel& m) {
    m.SetSelected(0);
    m.Cancel();
  };
  EXPECT_EQ(module_.SelectItem("X", std::nullopt), "X");

  // The type bytes restrict the list: producers are all of type 1.
  TCatTypeSet only2;
  only2.set(2);
  host_.on_cat_ex = [](TCatExDialogModel& m) {
    EXPECT_EQ(m.Count(), 0);
    EXPECT_EQ(m.Form(), nullptr);
    m.Select();
    m.Cancel();
  };
  EXPECT_EQ(module_.SelectItem("ACME", only2), "ACME");
  TCatTypeSet only1;
  only1.set(1);
  host_.on_cat_ex = [](TCatExDialogModel& m) {
    EXPECT_EQ(m.Count(), 3);
    m.Cancel();
  };
  module_.ViewItem("ACME", only1);
}

TEST_F(ProdTest, TheEditingCatalogTakesOverOnceItHoldsItems) {
  host_.on_cat_ex = [](TCatExDialogModel& m) {
    TEditCatListModel* list = m.EditList();
    ASSERT_NE(list, nullptr);
    list->Insert();
    ASSERT_NE(dynamic_cast<TCatProdItemForm*>(m.Form()), nullptr);
    auto* copy = dynamic_cast<TCatProdItem*>(list->WorkingCopy());
    ASSERT_NE(copy, nullptr);
    // The form writes its values into the copy through the record.
    m.Form()->OnWriteValues = [&] {
      auto& record = dynamic_cast<TCatProdItemForm*>(m.Form())->Record();
      record.FindField("PF_Symbol")->SetText("ZULU");
      record.FindField("PF_Phone")->SetText(" 123 ");
    };
    m.CloseDialog();
  };
  module_.Cat.EditItems("");
  ASSERT_EQ(module_.Cat.OwnCount(), 1);
  auto* zulu = dynamic_cast<TCatProdItem*>(module_.Cat.OwnItem(0));
  ASSERT_NE(zulu, nullptr);
  EXPECT_EQ(zulu->Symbol(), "ZULU");
  EXPECT_EQ(zulu->Phone(), "123");
  EXPECT_EQ(&module_.WorkingCatalog(), &module_.Cat);
  EXPECT_EQ(module_.FindBySymbol("zulu"), zulu);
  EXPECT_EQ(module_.FindBySymbol("ACME"), nullptr);
}

TEST(ProdSettingsTest, SelectExAndViewExComeFromAndGoBackToTheSettings) {
  TMemorySettings settings;
  settings.WriteBool("IndCat\\DM_CatProd", "ViewEx", false);
  settings.WriteText("Cat\\DM_CatProd", "InitialDir", "C:\\Katalogi");
  {
    TDM_CatProd module(settings);
    EXPECT_TRUE(module.IndCat.SelectEx);
    EXPECT_FALSE(module.IndCat.ViewEx);
    EXPECT_TRUE(module.Cat.ViewEx);
    EXPECT_EQ(module.Cat.InitialDir, "C:\\Katalogi");
    module.IndCat.SelectEx = false;
  }
  EXPECT_FALSE(settings.ReadBool("IndCat\\DM_CatProd", "SelectEx", true));
  EXPECT_EQ(ProducerCatalog(), nullptr);
}

}  // namespace
}  // namespace hx
