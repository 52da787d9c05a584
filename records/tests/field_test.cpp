#include <gtest/gtest.h>

#include <string>

#include "base/locale_settings.h"
#include "records/check_result.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/messages.h"
#include "records/record.h"
#include "records/tests/field_test_util.h"

namespace hx {
namespace {

using test::TRecordingControl;
using test::TTestItem;

class FieldBinding : public ::testing::Test {
 protected:
  FieldBinding() {
    record.Name = "R_Item";
    symbol.Name = "PF_Symbol";
    symbol.SetValueProperty("Symbol");
    length.Name = "PF_Length";
    length.SetValueProperty("Length");
    length.NumFp = 2;
    count.Name = "PF_Count";
    count.SetValueProperty("Count");
    record.AddField(symbol);
    record.AddField(length);
    record.AddField(count);
    symbol.OnChange = [this](TZqField& f) { changes += f.Name + ";"; };
    length.OnChange = symbol.OnChange;
  }

  MessageRecorder messages;
  TZqDBRecord record;
  TPropertyStringField symbol;
  TPropertyFloatField length;
  TPropertyIntegerField count;
  TTestItem item;
  std::string changes;
};

TEST_F(FieldBinding, ReadsAndWritesTheLinkedObjectOnlyOnChange) {
  TRecordingControl control(length);
  item.SetLength(2.5);
  item.writes = 0;
  // No object: empty values, writes go nowhere.
  EXPECT_EQ(length.Value(), NoFloat);
  length.SetValue(1);
  EXPECT_EQ(changes, "");

  record.LinkObject(&item);
  EXPECT_EQ(control.refreshes, 1);
  EXPECT_EQ(control.shown, "2.50");
  length.SetText(" 2,5 ");  // the same value: nothing is written
  symbol.SetValue("  abc ");
  length.SetValue(3.25);
  length.SetValue(3.25);
  EXPECT_EQ(item.Symbol(), "abc");
  EXPECT_EQ(item.Length(), 3.25);
  EXPECT_EQ(item.writes, 2);
  EXPECT_EQ(changes, "PF_Symbol;PF_Length;");
  EXPECT_EQ(control.refreshes, 2);
  EXPECT_EQ(control.shown, "3.25");
  count.SetText("2+3*4");
  EXPECT_EQ(item.count, 14);
  EXPECT_TRUE(messages.Messages().empty());

  // Relinking the same object does nothing; another object refreshes.
  record.LinkObject(&item);
  EXPECT_EQ(control.refreshes, 2);
  TTestItem other;
  record.LinkObject(&other);
  EXPECT_EQ(control.refreshes, 3);
  EXPECT_EQ(control.shown, "");
}

TEST_F(FieldBinding, WrongPropertyNames) {
  record.LinkObject(&item);
  symbol.SetValueProperty("Nope");
  EXPECT_EQ(symbol.Value(), "");  // reading a missing property is silent
  EXPECT_TRUE(messages.Messages().empty());
  symbol.SetValue("X");
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.LastText(), "Field \"PF_Symbol\" has wrong property name \"Nope\".");
  EXPECT_EQ(messages.Messages()[0].kind, MsgKind::Error);
  EXPECT_EQ(changes, "");
  // A value the property cannot hold is a failure of the access as well.
  item.for_length = "abc";
  length.SetValueProperty("ForLength");
  EXPECT_EQ(length.Value(), NoFloat);
  EXPECT_EQ(messages.LastText(), "Field \"PF_Length\" has wrong property name \"ForLength\".");
}

TEST_F(FieldBinding, FormulaFields) {
  record.LinkObject(&item);
  length.SetFormulaEnabled(true);
  length.SetFormulaProperty("ForLength");
  length.SetText("2*3");
  EXPECT_EQ(item.for_length, "2*3");
  EXPECT_EQ(item.Length(), 6);
  EXPECT_EQ(length.Text(), "2*3");
  EXPECT_EQ(changes, "PF_Length;");
  // A number set as value becomes the formula text.
  length.SetValue(0.5);
  EXPECT_EQ(item.for_length, "0.5");
  EXPECT_EQ(item.Length(), 0.5);
  // The object's formula changed behind the field: ApplyFormulas evaluates it again.
  item.for_length = "1+1";
  record.ApplyFormulas();
  EXPECT_EQ(item.Length(), 2);
  // An unreadable formula gives no value.
  length.SetText("2*");
  EXPECT_EQ(item.for_length, "2*");
  EXPECT_EQ(item.Length(), NoFloat);
  EXPECT_TRUE(messages.Messages().empty());

  TDataFloatField data;
  data.SetFormulaEnabled(true);
  data.SetText("=10/4");
  EXPECT_EQ(data.Formula(), "=10/4");
  EXPECT_EQ(data.Value(), 2.5);
}

TEST(FloatField, DisplayScaleAndNoValue) {
  TDataFloatField f;
  f.NumFp = 1;
  ASSERT_TRUE(f.SetDisplayScale(1000));
  f.SetValue(0.0125);
  SetDecimalSeparator(',');
  EXPECT_EQ(f.Text(), "12,5");
  f.SetText("15");
  EXPECT_DOUBLE_EQ(f.Value(), 0.015);
  SetDecimalSeparator('.');
  // A scale of 0 is refused and the old one kept.
  EXPECT_FALSE(f.SetDisplayScale(0));
  EXPECT_FALSE(SetPropValue(f, "DisplayScale", 0.0) && f.DisplayScale() == 0);
  EXPECT_EQ(f.DisplayScale(), 1000);
  // No value shows as blanks, never as the scaled NoFloat.
  f.SetText("");
  EXPECT_EQ(f.Value(), NoFloat);
  EXPECT_EQ(f.Text(), "");
  f.DisplayLength = 6;
  EXPECT_EQ(f.DisplayText(), "      ");
  // Unreadable text changes nothing.
  f.SetValue(1);
  f.SetText("abc");
  EXPECT_EQ(f.Value(), 1);
}

TEST(Field, DisplayPaddingByAlignment) {
  TDataStringField s;
  s.SetValue("ab");
  s.DisplayLength = 6;
  EXPECT_EQ(s.DisplayText(), "ab    ");
  s.Alignment = taCenter;
  EXPECT_EQ(s.DisplayText(), "  ab  ");
  s.Alignment = taRightJustify;
  EXPECT_EQ(s.DisplayText(), "    ab");
  EXPECT_EQ(s.Text(), "ab");
  TDataFloatField f;  // numeric fields are right-aligned
  f.NumFp = 2;
  f.DisplayLength = 7;
  f.SetValue(1.5);
  EXPECT_EQ(f.DisplayText(), "   1.50");
  f.Alignment = taLeftJustify;
  EXPECT_EQ(f.DisplayText(), "1.50   ");
}

TEST(Field, CheckTexts) {
  MessageRecorder messages;
  struct Case {
    TZqField* field;
    const char* text;
    int kind;
    const char* message;  // the check result's message
  };
  TDataFloatField length;
  length.MinValue = 0.01;
  length.MaxValue = 0.05;
  length.SetDisplayScale(1000);
  length.Units = "mm";
  TDataIntegerField count;
  count.MinValue = 10;
  count.MaxValue = 5;  // no range
  TCustomWordField dn;
  TDataBooleanField flag;
  flag.DisplayValues = "Tak;Nie";
  TDataStringField plain;
  class Catalog : public ICatalogLookup {
   public:
    bool HasSymbol(std::string_view s) const override { return s == "AB1"; }
    std::string Caption() const override { return "Rury"; }
  } catalog;
  TDataStringField symbol;
  symbol.SetCat(&catalog);
  const Case cases[] = {
      {&length, "20", 0, ""},
      {&length, "", 0, ""},
      {&length, "60", ckOutOfRange,
       "В поле задано число 60, которое не входит в допустимый диапазон 10 .. 50 mm."},
      {&length, "2+x", ckWrongValue, "Введенное выражение '2+x' не является числом."},
      {&length, "1/0", ckMessage, "Деление на нуль"},
      {&count, "-99999", 0, ""},
      {&dn, "65534", 0, ""},
      {&dn, "65535", ckOutOfRange,
       "В поле задано число 65535, которое не входит в допустимый диапазон 0 .. 65534 ."},
      {&flag, "t", 0, ""},
      {&flag, "N", 0, ""},
      {&flag, "", 0, ""},
      {&flag, "x", ckWrongValue, "Введенный текст 'x' не является логической величиной"},
      {&flag, "Takk", ckWrongValue, "Введенный текст 'Takk' не является логической величиной"},
      {&plain, "anything", 0, ""},
      {&symbol, " ab1 ", 0, ""},
      {&symbol, "", 0, ""},
      {&symbol, "zz", ckNotInCatalog, "В каталоге 'Rury' нет элемента с символом 'ZZ'."},
  };
  for (const auto& c : cases) {
    messages.Clear();
    EXPECT_EQ(c.field->CheckText(c.text, true), c.kind) << c.text;
    if (c.kind != 0) {
      EXPECT_EQ(CheckResult().Message(), c.message) << c.text;
      EXPECT_EQ(messages.LastText(), c.message) << c.text;
    } else {
      EXPECT_TRUE(messages.Messages().empty()) << c.text;
    }
  }
  // Without show_error nothing is shown.
  messages.Clear();
  EXPECT_EQ(length.CheckText("99", false), ckOutOfRange);
  EXPECT_TRUE(messages.Messages().empty());
  // A handler decides first; cont hands over to the field's own check.
  length.OnCheckText = [](TZqField&, CheckTextArgs& a) {
    if (a.text == "bad") a.result_kind = ckOwnText;
    a.cont = a.text != "ok";
  };
  CheckResult().Clear();
  EXPECT_EQ(length.CheckText("ok", false), 0);
  EXPECT_EQ(length.CheckText(" bad ", false), ckOwnText);
  EXPECT_EQ(CheckResult().text, "bad");
  EXPECT_EQ(CheckResult().units, "mm");
  EXPECT_EQ(CheckResult().max_value, 50);
  EXPECT_EQ(length.CheckText("99", false), ckOutOfRange);
}

TEST(BooleanField, TextsAndStates) {
  TDataBooleanField b;
  EXPECT_EQ(b.Text(), "Ложь");
  b.SetText("и");
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(b.Text(), "Истина");
  b.DisplayValues = "Tak;Nie";
  b.SetText("n");
  EXPECT_FALSE(b.Value());
  b.SetText("x");  // not a truth text: unchanged
  EXPECT_FALSE(b.Value());
  TCustomBooleanExtField e;
  EXPECT_EQ(e.State(), -1);
  EXPECT_EQ(e.Text(), "");
  EXPECT_TRUE(e.IsNull());
  e.SetText("Истина");
  EXPECT_EQ(e.State(), 1);
  e.SetText(" ");
  EXPECT_EQ(e.State(), -1);
  e.SetAsInteger(0);
  EXPECT_EQ(e.Text(), "Ложь");
}

TEST(Field, ConversionsTheKindDoesNotAllow) {
  MessageRecorder messages;
  TDataStringField s;
  EXPECT_EQ(s.AsFloat(), NoFloat);
  EXPECT_EQ(messages.LastText(), "Поле не содержит значения типа 'Float'. ");
  TDataFloatField f;
  f.SetAsInteger(7);
  EXPECT_EQ(f.AsFloat(), 7);
  EXPECT_FALSE(f.AsBoolean());
  EXPECT_EQ(messages.LastText(), "Поле не содержит значения типа 'Boolean'. ");
  TDataByteField b;
  b.SetAsFloat(300);
  EXPECT_TRUE(b.IsNull());  // 255 is the empty byte
  EXPECT_EQ(b.AsInteger(), NoInt);
  b.SetAsFloat(-4);
  EXPECT_EQ(b.AsInteger(), 0);
  TCustomWordField w;
  w.SetText("70000");
  EXPECT_EQ(w.Value(), 65535);
  w.SetText("-5");
  EXPECT_EQ(w.Value(), 0);
  TDataIntegerField i;
  i.SetAsInteger(NoInt);
  EXPECT_EQ(i.Text(), "");
  EXPECT_EQ(messages.Messages().size(), 2u);
}

TEST(Field, InheritsFlaggedPropertiesFromTheSourceField) {
  TDataFloatField source;
  source.Caption = "Длина";
  source.Hint = "Длина|Длина трубы";
  source.Units = "m";
  source.NumFp = 3;
  source.SetDisplayScale(100);
  source.SetFormulaEnabled(true);
  int changes = 0;
  source.OnChange = [&](TZqField&) { ++changes; };
  TDataFloatField f;
  f.InherOptions = io_Caption | io_Units | io_FormulaEnabled;
  f.InherNumOptions = io_NumFp | io_DisplayScale;
  f.InherEventOptions = io_OnChange;
  f.SetSourceField(&source);
  EXPECT_EQ(f.Caption, "Длина");
  EXPECT_EQ(f.Units, "m");
  EXPECT_EQ(f.Hint, "");  // not flagged
  EXPECT_EQ(f.NumFp, 3);
  EXPECT_EQ(f.DisplayScale(), 100);
  EXPECT_TRUE(f.FormulaEnabled());
  f.SetText("1");
  EXPECT_EQ(changes, 1);
  // Later changes of the source are taken over only when told.
  source.Caption = "Новая";
  EXPECT_EQ(f.Caption, "Длина");
  f.Loaded();
  EXPECT_EQ(f.Caption, "Новая");
  // A source of another kind gives the properties it has by name.
  TDataIntegerField count;
  count.InherNumOptions = io_NumFp | io_MinValue;
  source.MinValue = 2;
  count.SetSourceField(&source);
  EXPECT_EQ(count.MinValue, 2);
}

TEST(Field, ControlsAreToldWhenTheFieldGoes) {
  auto field = std::make_unique<TDataStringField>();
  TRecordingControl control(*field);
  field->SetEnabled(false);
  EXPECT_EQ(control.updates, 1);
  field.reset();
  EXPECT_EQ(control.Field(), nullptr);
}

}  // namespace
}  // namespace hx
