#include "controls/db_check.h"

#include <gtest/gtest.h>

#include "controls/db_labels.h"
#include "controls/picture_wnd.h"
#include "controls/tests/control_test_util.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/record.h"

namespace hx {
namespace {

TEST(GroupEntryTest, CaptionHintAndDisabledMark) {
  const GroupEntry a = ParseGroupEntry("Подача|Трубопровод подачи");
  EXPECT_EQ(a.caption, "Подача");
  EXPECT_EQ(a.hint, "Трубопровод подачи");
  EXPECT_TRUE(a.enabled);
  const GroupEntry b = ParseGroupEntry("%-Обратка");
  EXPECT_EQ(b.caption, "Обратка");
  EXPECT_EQ(b.hint, "");
  EXPECT_FALSE(b.enabled);
}

class GroupTest : public ::testing::Test {
 protected:
  GroupTest() {
    flags.Name = "PF_Flags";
    record.AddField(flags);
  }
  TZqDBRecord record;
  TDataIntegerField flags;
};

TEST_F(GroupTest, CheckBoxGroupShowsAndHandsBackTheBits) {
  TZqDBCheckBoxGroup group;
  group.SetItems({"Первый", "Второй", "Третий", "%-Четвертый"});
  flags.SetValue(5);
  group.SetZqField(&flags);
  EXPECT_TRUE(group.Checked(0));
  EXPECT_FALSE(group.Checked(1));
  EXPECT_TRUE(group.Checked(2));
  EXPECT_FALSE(group.Checked(3));

  group.Click(1);
  EXPECT_EQ(flags.Value(), 7);
  group.Click(3);  // disabled
  EXPECT_EQ(flags.Value(), 7);

  // Handing back on leaving only.
  group.SetFieldDataOnClick = false;
  group.SetFieldDataOnExit = true;
  group.Click(0);
  EXPECT_EQ(flags.Value(), 7);
  group.Exit();
  EXPECT_EQ(flags.Value(), 6);

  flags.SetAsInteger(NoInt);
  EXPECT_EQ(group.Value(), 0u);
  flags.SetReadOnly(true);
  group.Click(0);
  EXPECT_EQ(group.Value(), 0u);
}

TEST_F(GroupTest, RadioGroupShowsThePosition) {
  TZqDBRadioGroup group;
  flags.SetValue(1);
  group.SetZqField(&flags);
  group.SetItems({"Одна", "Две", "Три"});
  EXPECT_EQ(group.ItemIndex(), 1);
  group.Click(2);
  EXPECT_EQ(flags.Value(), 2);
  flags.SetValue(7);
  EXPECT_EQ(group.ItemIndex(), -1);
}

TEST_F(GroupTest, CheckBoxesAndLabels) {
  TDataBooleanField active;
  active.Name = "PF_Active";
  active.Caption = "Активный";
  active.Units = "-";
  record.AddField(active);
  TZqDBCheckBox box;
  box.SetZqField(&active);
  EXPECT_EQ(box.Caption(), "Активный");
  EXPECT_FALSE(box.Checked());
  box.Click();
  EXPECT_TRUE(active.Value());
  box.SetFieldDataAfterClick = false;
  box.Click();
  EXPECT_TRUE(active.Value());
  EXPECT_FALSE(box.Checked());

  TCustomBooleanExtField ext;
  ext.Name = "PF_Ext";
  record.AddField(ext);
  TZqDBExtCheckBox ext_box;
  ext_box.SetZqField(&ext);
  EXPECT_EQ(ext_box.State(), -1);
  ext_box.Click();  // grayed -> unchecked
  EXPECT_EQ(ext.State(), 0);
  ext_box.Click();
  ext_box.Click();
  EXPECT_EQ(ext.State(), -1);

  TZqDBRadioButton radio;
  radio.SetZqField(&active);
  active.SetValue(false);
  radio.Click();
  radio.Click();
  EXPECT_TRUE(active.Value());

  TZqDBCaptionLabel caption;
  TZqDBUnitsLabel units;
  caption.SetZqField(&active);
  units.SetZqField(&active);
  EXPECT_EQ(caption.Caption(), "Активный");
  EXPECT_EQ(units.Caption(), "-");
  EXPECT_TRUE(caption.IsCaptionLabel());
  TZqDBTextLabel text;
  text.SetZqField(&active);
  EXPECT_EQ(text.Caption(), "Истина");

  // Empty labels show "??" in design mode only.
  TZqDBCaptionLabel empty;
  empty.FieldRefresh();
  EXPECT_EQ(empty.Caption(), "");
  SetDesignMode(true);
  empty.FieldRefresh();
  SetDesignMode(false);
  EXPECT_EQ(empty.Caption(), "??");
}

class PictureCatalog : public test::TFakeCatalog {
 public:
  PictureCatalog() : TFakeCatalog({"BLOK"}) {}
  TGlyphPtr Glyph(std::string_view symbol) const override {
    return HasSymbol(symbol) ? std::make_shared<TGlyph>(4, 4) : nullptr;
  }
};

TEST_F(GroupTest, PictureWindowHidesWhenEmpty) {
  PictureCatalog cat;
  TDataStringField symbol;
  symbol.Name = "PF_Symbol";
  symbol.SetCat(&cat);
  record.AddField(symbol);
  TZqDBPictureWnd picture;
  picture.HideIfEmpty = true;
  picture.SetZqField(&symbol);
  EXPECT_EQ(picture.Picture(), nullptr);
  EXPECT_FALSE(picture.Visible());
  symbol.SetValue("blok");
  EXPECT_NE(picture.Picture(), nullptr);
  EXPECT_TRUE(picture.Visible());
  symbol.SetVisible(false);
  EXPECT_FALSE(picture.Visible());
}

}  // namespace
}  // namespace hx
