#include "records/field_lookup.h"

#include <gtest/gtest.h>

#include "objects/object_stream.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/lookup.h"
#include "records/messages.h"
#include "records/record.h"
#include "records/tests/field_test_util.h"

namespace hx {
namespace {

class LookUpFields : public ::testing::Test {
 protected:
  LookUpFields() {
    lookup.Caption = "Цвета";
    const auto add = [this](const char* caption, int32_t id) {
      LookUpItemData d;
      d.caption = caption;
      d.id = id;
      lookup.Add(d);
    };
    add("Nie", 0);
    add("Tak", 1);
    add("Zielony", 20);
    lookup.Item(2).SetGlyph(std::make_shared<TGlyph>(2, 2, 0));
    record.AddField(colour);
    colour.Name = "PF_Colour";
    colour.SetValueProperty("Count");
    colour.SetLookUp(&lookup);
    record.LinkObject(&item);
  }

  MessageRecorder messages;
  TLookUp lookup;
  TZqDBRecord record;
  TPropertyLookUpField colour;
  test::TTestItem item;
};

TEST_F(LookUpFields, ValueTextAndCheck) {
  colour.SetText(" zielony ");
  EXPECT_EQ(item.count, 20);
  EXPECT_EQ(colour.Text(), "Zielony");
  colour.DisplayLength = 9;
  EXPECT_EQ(colour.DisplayText(), "Zielony  ");
  EXPECT_NE(colour.Glyph(), nullptr);
  colour.SetText("Fioletowy");  // not in the list: no value
  EXPECT_EQ(item.count, NoInt);
  EXPECT_EQ(colour.Text(), "");
  EXPECT_EQ(colour.Glyph(), nullptr);

  EXPECT_EQ(colour.CheckText("Tak", true), 0);
  EXPECT_EQ(colour.CheckText("", true), 0);
  EXPECT_EQ(colour.CheckText("Fioletowy", true), ckNotInList);
  EXPECT_EQ(messages.LastText(),
            "Введеный текст 'Fioletowy' не присутствует в перечне текстов, связанных с полем. ");
  colour.AcceptNotLookUpValues = true;
  EXPECT_EQ(colour.CheckText("77", false), 0);
  colour.SetText("77");
  EXPECT_EQ(colour.Text(), "77");

  TObjectStream s;
  colour.WriteValue(s);
  EXPECT_EQ(s.MemoryData(), (std::vector<uint8_t>{11, 77, 0, 0, 0}));
}

TEST_F(LookUpFields, OtherKindsTakeTextsAndGlyphsFromTheLookUp) {
  TDataBooleanField flag;
  flag.SetLookUp(&lookup);
  EXPECT_EQ(flag.TrueText(), "Tak");
  EXPECT_EQ(flag.FalseText(), "Nie");
  flag.SetText("t");
  EXPECT_TRUE(flag.Value());
  TDataIntegerField index;
  index.SetLookUp(&lookup);
  index.ValueMode = vmItemIndex;
  index.SetValue(2);
  EXPECT_NE(index.Glyph(), nullptr);
  index.ValueMode = vmItemId;
  EXPECT_EQ(index.Glyph(), nullptr);
  index.SetValue(20);
  EXPECT_NE(index.Glyph(), nullptr);
  // OnGetGlyph comes first.
  index.OnGetGlyph = [](TZqField&, TGlyphPtr& g) { g = nullptr; };
  EXPECT_EQ(index.Glyph(), nullptr);
}

}  // namespace
}  // namespace hx
