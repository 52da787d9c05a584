#include "controls/num_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "base/locale_settings.h"
#include "controls/tests/control_test_util.h"
#include "records/messages.h"

namespace hx {
namespace {

using test::TFakeCatalog;
using test::TRecordingView;

class NumEditTest : public ::testing::Test {
 protected:
  NumEditTest() {
    SetDecimalSeparator(',');
    edit.SetView(&view);
  }
  ~NumEditTest() override { SetDecimalSeparator('.'); }

  // The user enters the edit, types text and leaves.
  void Type(std::string_view text) {
    edit.Enter();
    edit.UserEdited(text, static_cast<int>(text.size()));
    edit.Exit();
  }

  MessageRecorder messages;
  TRecordingView view;
  TNumEdit edit;
};

TEST_F(NumEditTest, StartsWithZeroAndNoRange) {
  EXPECT_EQ(edit.Text(), "0");
  EXPECT_FALSE(edit.HasRange());
  EXPECT_EQ(edit.Minimum(), kNoRangeMin);
  EXPECT_EQ(edit.Maximum(), kNoRangeMax);
  edit.SetText("");
  EXPECT_EQ(edit.Value(), NoFloat);
  EXPECT_EQ(edit.IntValue(), NoInt);
  EXPECT_EQ(edit.ByteValue(), 255);
}

TEST_F(NumEditTest, IntegerAndByteValuesAreClamped) {
  const struct {
    const char* text;
    int32_t int_value;
    uint8_t byte_value;
  } cases[] = {
      {"3e10", 2147483647, 254},
      {"-3e10", -2147483646, 0},
      {"2,5", 2, 2},
      {"254,6", 255, 254},
  };
  for (const auto& c : cases) {
    edit.SetText(c.text);
    EXPECT_EQ(edit.IntValue(), c.int_value) << c.text;
    EXPECT_EQ(edit.ByteValue(), c.byte_value) << c.text;
  }
}

// A value on the increment grid, stepped once; at the range's ends the edit beeps and stops.
TEST_F(NumEditTest, StepTable) {
  const struct {
    const char* text;
    double increment;
    double min, max;  // max < min: no range
    bool up;
    const char* expected;
    int beeps;
  } cases[] = {
      {"0,27", 0.1, 0, -1, true, "0,40", 0},   // 0.3 on the grid, then one step
      {"0,27", 0.1, 0, -1, false, "0,20", 0},  // 0.3 on the grid, then one step down
      {"7", 2, 0, -1, true, "10,00", 0},       // 8 (7/2 rounds to even 4), then 10
      {"9,5", 1, 0, 10, true, "10,00", 1},     // 11 is above the maximum
      {"0,5", 1, 0, 10, false, "0,00", 1},     // -1 is below the minimum
      {"", 1, 2, 10, true, "2,00", 0},         // no value: the minimum
      {"", 1, 2, 10, false, "10,00", 0},       // no value, down: the maximum
      {"", 1, 0, -1, true, "0,00", 0},         // no value, no range: 0
      {"5", 0, 0, -1, true, "5", 0},           // no increment: no step
      {"5", -2147483647, 0, -1, true, "5", 0},
  };
  for (const auto& c : cases) {
    edit.SetText(c.text);
    edit.Increment = c.increment;
    edit.ValMin = c.min;
    edit.ValMax = c.max;
    view.beeps = 0;
    c.up ? edit.StepUp() : edit.StepDown();
    EXPECT_EQ(edit.Text(), c.expected) << c.text << (c.up ? " up" : " down");
    EXPECT_EQ(view.beeps, c.beeps) << c.text;
  }
}

TEST_F(NumEditTest, StepsMarkModifiedAndReportAfterwards) {
  int after = 0;
  edit.OnAfterUpDownClick = [&](TCustomZqEdit&) { ++after; };
  edit.SetText("1");
  edit.Modified = false;
  edit.StepUp();
  EXPECT_TRUE(edit.Modified);
  EXPECT_EQ(after, 1);

  int own_steps = 0;
  edit.OnUpClick = [&](TCustomZqEdit&) { ++own_steps; };
  edit.Modified = false;
  edit.StepUp();
  EXPECT_EQ(own_steps, 1);
  EXPECT_EQ(edit.Text(), "2,00");
  EXPECT_FALSE(edit.Modified);

  edit.SetReadOnly(true);
  view.beeps = 0;
  edit.StepDown();
  EXPECT_EQ(view.beeps, 1);
  EXPECT_EQ(edit.Text(), "2,00");
}

TEST_F(NumEditTest, IntegerKindsRoundWhenTheValueIsSet) {
  class TIntEdit : public TNumEdit {
   public:
    int EditKind() const override { return fkInteger; }
  } ints;
  ints.NumFP = 0;
  ints.SetValue(2.5);
  EXPECT_EQ(ints.Text(), "3");  // 2.5 + 1e-11 rounds up
  ints.SetValue(-2.5);
  EXPECT_EQ(ints.Text(), "-3");
  edit.SetValue(NoFloat);
  EXPECT_EQ(edit.Text(), "");
}

TEST_F(NumEditTest, FormulaIsShownAsItsValueAndEditedAsTyped) {
  edit.SetFormulaEnabled(true);
  Type("2*3");
  EXPECT_EQ(edit.Text(), "6,00");
  EXPECT_EQ(edit.Formula(), "2*3");
  EXPECT_DOUBLE_EQ(edit.Value(), 6);
  edit.Enter();
  EXPECT_EQ(edit.Text(), "2*3");
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 3);
  edit.Exit();
  EXPECT_EQ(edit.Text(), "6,00");

  // A formula set from outside shows its value while the edit is not focused.
  edit.SetFormula("(1+2)/4");
  EXPECT_EQ(edit.Text(), "0,75");
  edit.NumLen = 8;
  edit.SetAlignment(taLeftJustify);
  edit.SetFormula("1,5");
  EXPECT_EQ(edit.Text(), "1,50    ");
}

TEST_F(NumEditTest, WithoutFormulasTheNumberIsKeptFormatted) {
  Type("2*3");
  EXPECT_EQ(edit.Text(), "6,00");
  EXPECT_EQ(edit.Formula(), "");
  edit.Enter();
  EXPECT_EQ(edit.Text(), "6,00");
  edit.Exit();
  Type("  ");
  EXPECT_EQ(edit.Value(), NoFloat);
  EXPECT_FALSE(edit.InError());
}

TEST_F(NumEditTest, RangeAndNumberErrorsMarkTheEdit) {
  edit.ValMin = 0;
  edit.ValMax = 100;
  edit.SetHint("Процент|Доля в процентах");
  Type("120");
  EXPECT_TRUE(edit.InError());
  EXPECT_EQ(edit.Color(), clErrorRed);
  EXPECT_TRUE(edit.HintShownAtOnce());
  EXPECT_EQ(edit.Hint(), "Введенное значение 120 не входит в пределы 0 .. 100.");
  EXPECT_EQ(view.beeps, 1);
  EXPECT_EQ(edit.Text(), "120");
  EXPECT_TRUE(messages.Messages().empty());

  edit.Enter();
  EXPECT_FALSE(edit.InError());
  EXPECT_EQ(edit.Color(), clDefaultColor);
  EXPECT_EQ(edit.Hint(), "Процент|Доля в процентах");
  edit.Exit();

  edit.SetErrorMsg("Значение %G: от %G до %G");
  edit.SetErrorColor(0x00FFFF);
  Type("-1,5");
  EXPECT_EQ(edit.Hint(), "Значение -1,5: от 0 до 100");
  EXPECT_EQ(edit.Color(), 0x00FFFF);

  Type("abc");
  EXPECT_EQ(edit.Hint(), "Введенная величина 'abc' не является числом");

  // Setting a value leaves the error state.
  edit.SetValue(50);
  EXPECT_FALSE(edit.InError());
  EXPECT_EQ(edit.Text(), "50,00");
}

TEST_F(NumEditTest, InsertionModes) {
  edit.SetSetTextMode(stmReplace);
  edit.SetText("12");
  edit.InsertChosenText("3,5");
  EXPECT_EQ(edit.Text(), "3,5");
  EXPECT_EQ(edit.SelLength(), 3);

  edit.SetSetTextMode(stmInsert);
  edit.SetText("2*");
  edit.InsertChosenText("7");
  EXPECT_EQ(edit.Text(), "2*7");
  EXPECT_EQ(edit.SelStart(), 3);

  // The selection is replaced; the caret follows the inserted text.
  edit.SetText("1+2+3");
  edit.SetSelection(2, 1);
  edit.InsertChosenText("20");
  EXPECT_EQ(edit.Text(), "1+20+3");
  EXPECT_EQ(edit.SelStart(), 4);

  // A blank text inserts nothing; control characters become blanks; read-only refuses.
  edit.InsertChosenText("  ");
  EXPECT_EQ(edit.Text(), "1+20+3");
  edit.SetSelection(0, 0);
  edit.InsertChosenText("a\tb");
  EXPECT_EQ(edit.Text(), "a b1+20+3");
  edit.SetReadOnly(true);
  edit.InsertChosenText("9");
  EXPECT_EQ(edit.Text(), "a b1+20+3");
}

// The insert mode keeps the whole rest of the text, bounded only by the maximum length.
TEST_F(NumEditTest, InsertKeepsTheWholeTail) {
  TZqEdit text_edit;
  text_edit.SetSetTextMode(stmInsert);
  const std::string tail(600, 'x');
  text_edit.SetText("ab" + tail);
  text_edit.SetSelection(2, 0);
  text_edit.InsertChosenText("Ж");
  EXPECT_EQ(text_edit.Text(), "abЖ" + tail);

  text_edit.SetMaxLength(10);
  text_edit.SetText("abcdefgh");
  text_edit.SetSelection(1, 0);
  text_edit.InsertChosenText("ЖЖЖ");
  EXPECT_EQ(text_edit.Text(), "aЖЖЖbcdefg");
  EXPECT_EQ(text_edit.SelStart(), 4);
  text_edit.SetSelection(9, 0);
  text_edit.InsertChosenText("1234");
  EXPECT_EQ(text_edit.Text(), "aЖЖЖbcdef1");
  EXPECT_EQ(text_edit.SelStart(), 10);
}

TEST_F(NumEditTest, TypedControlCharactersBecomeBlanks) {
  edit.Enter();
  view.changes = 0;
  edit.UserEdited("1\r\n2", 4);
  EXPECT_EQ(edit.Text(), "1  2");
  EXPECT_TRUE(edit.Modified);
  EXPECT_NE(view.changes & vcText, 0u);
}

TEST_F(NumEditTest, SymbolEditUpperCasesAndChecksItsCatalog) {
  TFakeCatalog cat{"RAD-1", "КЛАПАН"};
  TZqEdit symbol;
  symbol.SetView(&view);
  symbol.SetCat(&cat);
  symbol.Enter();
  symbol.UserEdited("клапан", 6);
  symbol.Exit();
  EXPECT_EQ(symbol.Text(), "КЛАПАН");
  EXPECT_FALSE(symbol.InError());

  symbol.Enter();
  symbol.UserEdited("rad-2", 5);
  symbol.Exit();
  EXPECT_EQ(symbol.Text(), "RAD-2");
  EXPECT_TRUE(symbol.InError());
  EXPECT_EQ(symbol.Hint(), "В каталоге 'Грзейники' нет элемента с символом 'RAD-2'.");

  // ErrorMsg replaces the catalog's message; a blank text of a catalog edit is emptied.
  symbol.SetErrorMsg("Нет такого");
  symbol.Enter();
  symbol.UserEdited("x", 1);
  symbol.Exit();
  EXPECT_EQ(symbol.Hint(), "Нет такого");
  symbol.SetText("   ");
  symbol.Enter();
  EXPECT_EQ(symbol.Text(), "");
}

TEST_F(NumEditTest, ButtonAreaAndKeys) {
  edit.SetBtnStyle(btnsSpin);
  EXPECT_EQ(edit.ButtonRect(100, 21), (ItemRect{86, 0, 100, 21}));
  EXPECT_EQ(edit.TextRect(100, 21, 13).right, 84);
  EXPECT_EQ(edit.ButtonPartAt(90, 3, 100, 21), EditButtonPart::SpinUp);
  EXPECT_EQ(edit.ButtonPartAt(90, 9, 100, 21), EditButtonPart::SpinDown);  // 21/2 - 2 = 8
  EXPECT_EQ(edit.ButtonPartAt(50, 3, 100, 21), EditButtonPart::None);
  edit.SetText("1");
  EXPECT_TRUE(edit.KeyDown(EditKey::Up));
  EXPECT_EQ(edit.Text(), "2,00");

  edit.SetBtnStyle(btnsDots);
  EXPECT_EQ(edit.ButtonPartAt(90, 3, 100, 21), EditButtonPart::PullDown);
  EXPECT_FALSE(edit.KeyDown(EditKey::Up));
  edit.SetReadOnly(true);
  EXPECT_FALSE(edit.HasButton());
  EXPECT_EQ(edit.ButtonPartAt(90, 3, 100, 21), EditButtonPart::None);
}

TEST_F(NumEditTest, EnterPressesTheDefaultButtonOrGoesToTheParent) {
  EXPECT_TRUE(edit.KeyDown(EditKey::Enter));
  EXPECT_EQ(view.default_presses, 1);
  EXPECT_EQ(view.enters_passed, 0);
  view.has_default_button = false;
  edit.KeyDown(EditKey::Enter);
  EXPECT_EQ(view.enters_passed, 1);
}

TEST_F(NumEditTest, HelpShowsTheLongHint) {
  edit.SetHint("Длина|Длина трубы в метрах");
  edit.KeyDown(EditKey::F1);
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.LastText(), "Длина трубы в метрах");
  EXPECT_EQ(messages.Messages()[0].caption, "Tarvos H.X. - Справка");
  // An OnHelp handler does the job itself; a pull-down without a look-up asks for help.
  int helped = 0;
  edit.OnHelp = [&](TCustomZqEdit&, bool&) { ++helped; };
  edit.SetBtnStyle(btnsDots);
  edit.ButtonPressed(EditButtonPart::PullDown);
  EXPECT_EQ(helped, 1);
  EXPECT_EQ(messages.Messages().size(), 1u);
}

}  // namespace
}  // namespace hx
