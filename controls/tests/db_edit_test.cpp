#include "controls/db_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "base/locale_settings.h"
#include "controls/dialog_hosts.h"
#include "controls/tests/control_test_util.h"
#include "records/field_boolean.h"
#include "records/field_lookup.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/messages.h"
#include "records/record.h"

namespace hx {
namespace {

using test::TFakeCatalog;
using test::TFakePopUpHost;
using test::TRecordingView;

class DBEditTest : public ::testing::Test {
 protected:
  DBEditTest() {
    SetDecimalSeparator(',');
    record.Name = "R_Test";
    length.Name = "PF_Length";
    length.NumFp = 2;
    length.Hint = "Длина|Длина в метрах";
    record.AddField(length);
    edit.SetView(&view);
  }
  ~DBEditTest() override { SetDecimalSeparator('.'); }

  void Type(std::string_view text) {
    edit.Enter();
    edit.UserEdited(text, static_cast<int>(text.size()));
    edit.Exit();
  }

  MessageRecorder messages;
  TRecordingView view;
  TZqDBRecord record;
  TDataFloatField length;
  TZqDBEdit edit;
};

TEST_F(DBEditTest, ShowsTheFieldAndFollowsItsProperties) {
  length.SetValue(0.0125);
  ASSERT_TRUE(length.SetDisplayScale(1000));
  length.NumFp = 1;
  length.MaxLength = 12;
  length.BackGroundColor = 0x00E0FFFF;
  edit.SetZqField(&length);
  EXPECT_EQ(edit.Text(), "12,5");
  EXPECT_EQ(edit.Hint(), "Длина|Длина в метрах");
  EXPECT_EQ(edit.MaxLength(), 12);
  EXPECT_EQ(edit.Alignment(), taRightJustify);
  EXPECT_EQ(edit.Color(), 0x00E0FFFF);
  EXPECT_EQ(edit.EditKind(), fkFloat);

  length.SetReadOnly(true);
  EXPECT_TRUE(edit.ReadOnly());
  length.SetEnabled(false);
  EXPECT_FALSE(edit.Enabled());
  length.SetVisible(false);
  EXPECT_FALSE(edit.Visible());

  // Entering 15 stores 0.015 (shown value / display scale).
  length.SetReadOnly(false);
  Type("15");
  EXPECT_DOUBLE_EQ(length.Value(), 0.015);
  EXPECT_EQ(edit.Text(), "15,0");

  // Without a field the edit is empty.
  edit.SetZqField(nullptr);
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(edit.MaxLength(), 0);
  EXPECT_TRUE(length.Controls().empty());
}

TEST_F(DBEditTest, FormulaFieldShowsTheValueAndKeepsTheFormula) {
  length.SetFormulaEnabled(true);
  edit.SetZqField(&length);
  Type("2*3");
  EXPECT_EQ(length.Formula(), "2*3");
  EXPECT_DOUBLE_EQ(length.Value(), 6);
  EXPECT_EQ(edit.Text(), "6,00");
  edit.Enter();
  EXPECT_EQ(edit.Text(), "2*3");
  edit.Exit();

  // A change of the field from elsewhere shows its new formula's value.
  length.SetFormula("1+1");
  EXPECT_EQ(edit.Text(), "2,00");
}

TEST_F(DBEditTest, HandBackDoesNotRefreshTheControlItHandsBackFrom) {
  TZqDBEdit other;
  other.SetZqField(&length);
  edit.SetZqField(&length);
  edit.Enter();
  edit.UserEdited("2+2", 3);
  edit.SetFieldData();
  EXPECT_DOUBLE_EQ(length.Value(), 4);
  EXPECT_EQ(edit.Text(), "2+2");    // a refresh would have shown the field's "4,00"
  EXPECT_EQ(other.Text(), "4,00");  // every other control shows the new value
}

TEST_F(DBEditTest, RangeFailureMarksTheEditAndEmptiesTheField) {
  length.MinValue = 0;
  length.MaxValue = 100;
  length.SetValue(50);
  edit.SetZqField(&length);
  Type("120");
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Color(), clErrorRed);
  EXPECT_EQ(edit.Hint(), "Введенное значение 120 не входит в пределы 0 .. 100.");
  EXPECT_EQ(length.Value(), NoFloat);
  EXPECT_EQ(view.beeps, 1);
  // Outside the error state the hint follows the field again.
  length.Hint = "Новая";
  length.UpdateControls();
  EXPECT_EQ(edit.Hint(), "Введенное значение 120 не входит в пределы 0 .. 100.");
  edit.Enter();
  EXPECT_EQ(edit.Hint(), "Новая");
}

TEST_F(DBEditTest, RecordCheckUsesTheControlsText) {
  length.MinValue = 0;
  length.MaxValue = 10;
  edit.SetZqField(&length);
  edit.Enter();
  edit.UserEdited("", 0);
  EXPECT_FALSE(record.CheckAll(true));
  EXPECT_EQ(messages.LastText(), "В поле не задана ни одна числовая величина.");
  edit.UserEdited("11", 2);
  EXPECT_FALSE(record.CheckAll(false));
  EXPECT_EQ(CheckResult().kind, ckOutOfRange);
  EXPECT_TRUE(edit.InError());
  edit.UserEdited("3*3", 3);
  EXPECT_TRUE(record.CheckAll(true));
  edit.UserEdited("3x", 2);
  EXPECT_FALSE(record.CheckAll(false));
  EXPECT_EQ(CheckResult().kind, ckWrongValue);
}

TEST_F(DBEditTest, CalculatedFieldWithoutValueIsMarkedSilently) {
  TCalculatedField area;
  area.Name = "PF_Area";
  double value = NoFloat;
  area.OnCalculate = [&](TZqField&, double& v) { v = value; };
  record.AddField(area);
  edit.SetZqField(&area);
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Hint(), "В поле не задана ни одна числовая величина.");
  EXPECT_TRUE(messages.Messages().empty());
  value = 2;
  area.RefreshControls();
  EXPECT_EQ(edit.Text(), "2");
}

TEST_F(DBEditTest, BooleanTextsAreReadAndReplacedByTheExactText) {
  TDataBooleanField active;
  active.Name = "PF_Active";
  active.DisplayValues = "Tak;Nie";
  record.AddField(active);
  edit.SetZqField(&active);
  EXPECT_EQ(edit.Text(), "Nie");
  Type("t");
  EXPECT_EQ(edit.Text(), "Tak");
  EXPECT_TRUE(active.Value());
  Type("x");
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Hint(), "Введенный текст 'x' не является логической величиной");
  Type("");
  EXPECT_EQ(edit.Hint(), "В поле не задано ни одно логическое значение.");
}

TEST_F(DBEditTest, SymbolFieldChecksItsCatalog) {
  TFakeCatalog cat{"RAD-1"};
  TDataStringField symbol;
  symbol.Name = "PF_Symbol";
  symbol.SetCat(&cat);
  record.AddField(symbol);
  edit.SetZqField(&symbol);
  Type("rad-1");
  EXPECT_EQ(symbol.Value(), "RAD-1");
  EXPECT_FALSE(edit.InError());
  Type("rad-9");
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Hint(), "В каталоге 'Грзейники' нет элемента с символом 'RAD-9'.");
  // The stored text names nothing: the record's check does not let it pass.
  EXPECT_FALSE(record.CheckAll(false));
  EXPECT_EQ(CheckResult().kind, ckNotInCatalog);
}

class DBEditLookUpTest : public DBEditTest {
 protected:
  DBEditLookUpTest() {
    lookup.Caption = "Типы";
    for (const char* caption : {"Стальной", "Чугунный", "Алюминиевый"}) {
      LookUpItemData d;
      d.caption = caption;
      d.id = 10 + lookup.Count();
      lookup.Add(std::move(d));
    }
    kind.Name = "PF_Kind";
    kind.SetLookUp(&lookup);
    record.AddField(kind);
  }

  TFakePopUpHost host;
  TLookUp lookup;
  TDataLookUpField kind;
};

TEST_F(DBEditLookUpTest, TextNotInTheLookUpIsRefused) {
  edit.SetZqField(&kind);
  Type("Чугунный");
  EXPECT_EQ(kind.Value(), 11);
  Type("Медный");
  EXPECT_EQ(kind.Value(), NoInt);
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Hint(),
            "Введеный текст 'Медный' не присутствует в перечне текстов, связанных с полем. ");
}

TEST_F(DBEditLookUpTest, PullDownChain) {
  edit.SetZqField(&kind);
  edit.Enter();
  edit.PullDown();
  ASSERT_EQ(host.opened, 1);
  EXPECT_EQ(host.lookup, &lookup);
  host.Choose(2);
  EXPECT_EQ(edit.Text(), "Алюминиевый");
  edit.Exit();
  EXPECT_EQ(kind.Value(), 12);

  // The field's handler comes first.
  int handled = 0;
  kind.OnPullDown = [&](TZqField&, void*, bool&) { ++handled; };
  edit.PullDown();
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(host.opened, 1);
  kind.OnPullDown = nullptr;

  // A read-only look-up field does not pop up; its help shows the hint.
  kind.Hint = "Тип|Тип радиатора";
  kind.SetReadOnly(true);
  edit.PullDown();
  EXPECT_EQ(host.opened, 1);
  EXPECT_EQ(messages.LastText(), "Тип радиатора");
}

TEST_F(DBEditLookUpTest, BooleanPullDownOffersTheTwoTexts) {
  TDataBooleanField active;
  active.Name = "PF_Active";
  record.AddField(active);
  edit.SetZqField(&active);
  edit.Enter();
  edit.PullDown();
  ASSERT_EQ(host.opened, 1);
  ASSERT_EQ(host.lookup->Count(), 2);
  EXPECT_EQ(host.lookup->Items(0)->Caption(), "Истина");
  EXPECT_EQ(host.lookup->Items(1)->Caption(), "Ложь");
  host.Choose(0);
  edit.Exit();
  EXPECT_TRUE(active.Value());
  // Help of an editable boolean field offers them too.
  edit.Help();
  EXPECT_EQ(host.opened, 2);
}

class FakeTextEditor : public ITextEditorHost {
 public:
  FakeTextEditor() { SetTextEditorHost(this); }
  ~FakeTextEditor() override { SetTextEditorHost(nullptr); }
  bool EditText(TextEditorRequest& request, LookUpControl) override {
    seen = request;
    request.text = answer;
    return ok;
  }
  TextEditorRequest seen;
  std::string answer;
  bool ok = true;
};

TEST_F(DBEditTest, TextFieldPullsDownTheTextEditor) {
  FakeTextEditor editor;
  TDataStringField note;
  note.Name = "PF_Note";
  note.MaxLength = 80;
  note.MultyLine = true;
  note.SetValue("Первая");
  record.AddField(note);
  edit.SetZqField(&note);
  editor.answer = "Вторая";
  edit.PullDown();
  EXPECT_EQ(editor.seen.text, "Первая");
  EXPECT_EQ(editor.seen.max_length, 80);
  EXPECT_TRUE(editor.seen.multi_line);
  EXPECT_FALSE(editor.seen.VerticalScrollOnly());
  EXPECT_EQ(note.Value(), "Вторая");
  EXPECT_EQ(edit.Text(), "Вторая");

  editor.ok = false;
  editor.answer = "Третья";
  edit.PullDown();
  EXPECT_EQ(note.Value(), "Вторая");
}

class FakeChooser : public ICatalogChooser {
 public:
  FakeChooser() { SetCatalogChooser(this); }
  ~FakeChooser() override { SetCatalogChooser(nullptr); }
  bool SelectSymbol(const ICatalogLookup&, LookUpControl, std::string& symbol) override {
    asked = symbol;
    symbol = "RAD-2";
    return true;
  }
  void ShowItemInfo(const ICatalogLookup&, LookUpControl, std::string_view symbol) override {
    info = std::string(symbol);
  }
  std::string asked;
  std::string info;
};

TEST_F(DBEditTest, CatalogFieldSelectsOrInforms) {
  FakeChooser chooser;
  TFakeCatalog cat{"RAD-1", "RAD-2"};
  TDataStringField symbol;
  symbol.Name = "PF_Symbol";
  symbol.SetCat(&cat);
  symbol.SetValue("RAD-1");
  record.AddField(symbol);
  edit.SetZqField(&symbol);
  edit.Enter();
  edit.PullDown();
  EXPECT_EQ(chooser.asked, "RAD-1");
  EXPECT_EQ(edit.Text(), "RAD-2");
  edit.Exit();
  EXPECT_EQ(symbol.Value(), "RAD-2");
  symbol.SetReadOnly(true);
  edit.Help();
  EXPECT_EQ(chooser.info, "RAD-2");
}

TEST_F(DBEditTest, OnCheckTextOfTheFieldMarksTheEdit) {
  TDataStringField name;
  name.Name = "PF_Name";
  name.OnCheckText = [](TZqField&, CheckTextArgs& args) {
    if (args.text == "zły") args.result_kind = ckNotUsableHere;
    args.cont = true;
  };
  record.AddField(name);
  edit.SetZqField(&name);
  Type("zły");
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Hint(), "Элемент с символом 'zły' не может быть применен в этом месте.");
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(DBEditTest, MemoRequiresTextAndTakesTheFocusBack) {
  TDataStringField note;
  note.Name = "PF_Note";
  record.AddField(note);
  TZqDBMemo memo;
  memo.SetView(&view);
  memo.SetZqField(&note);
  memo.Enter();
  memo.UserEdited("");
  memo.Exit();
  EXPECT_EQ(messages.LastText(), "Поле не может оставаться пустым.");
  EXPECT_EQ(view.focus_taken, 1);
  memo.Enter();
  memo.UserEdited("Строка 1\r\nСтрока 2");
  memo.Exit();
  EXPECT_EQ(note.Value(), "Строка 1\r\nСтрока 2");
}

}  // namespace
}  // namespace hx
