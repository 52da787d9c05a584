#include "records/lookup_field.h"

#include <gtest/gtest.h>

#include "records/check_result.h"
#include "records/messages.h"

namespace hx {
namespace {

class LookUpFieldMatrix : public ::testing::Test {
 protected:
  void SetUp() override {
    lookup.Caption = "Kolory";
    Add("Czerwony|Barwa", "Kolor|Kolor czerwony", "R", 10);
    Add("Zielony", "", "G", 20);
    Add("Niebieski", "Chłodny", "B", 30);
  }
  void Add(const char* caption, const char* hint, const char* id_str, int32_t id) {
    LookUpItemData d;
    d.caption = caption;
    d.hint = hint;
    d.id_str = id_str;
    d.id = id;
    lookup.Add(d);
  }
  TLookUp lookup;
};

// Every value mode, return mode and acceptance of other values: each item's value and text
// convert into each other, texts that name no item follow the acceptance, and the check
// agrees with the conversion.
TEST_F(LookUpFieldMatrix, WholeMatrix) {
  const char* texts[4][3] = {{"Czerwony", "Zielony", "Niebieski"},
                             {"Kolor czerwony", "Zielony", "Chłodny"},
                             {"10", "20", "30"},
                             {"R", "G", "B"}};
  MessageRecorder recorder;
  for (TValueMode vm : {vmDefault, vmItemId, vmItemIndex}) {
    for (TReturnStr rs : {rsCaption, rsHint, rsId, rsIdStr}) {
      for (bool accept : {false, true}) {
        const LookUpFieldMode mode{vm, rs, accept};
        const std::string where = "vm=" + std::to_string(vm) + " rs=" + std::to_string(rs) +
                                  " accept=" + std::to_string(accept);
        for (int i = 0; i < 3; ++i) {
          const int32_t value = vm == vmItemIndex ? i : 10 * (i + 1);
          const std::string text = texts[rs][i];
          EXPECT_EQ(LookUpValueToText(&lookup, value, mode), text) << where;
          EXPECT_EQ(LookUpTextToValue(&lookup, "  " + text + " ", mode), value) << where;
          EXPECT_EQ(LookUpItemOfValue(&lookup, value, mode), lookup.Items(i)) << where;
          EXPECT_EQ(LookUpCheckText(&lookup, text, mode, true), ckOk) << where;
        }
        // A number that names no item.
        EXPECT_EQ(LookUpTextToValue(&lookup, "77", mode), accept ? 77 : NoInt) << where;
        EXPECT_EQ(LookUpValueToText(&lookup, 77, mode), accept ? "77" : "") << where;
        EXPECT_EQ(LookUpItemOfValue(&lookup, 77, mode), nullptr) << where;
        EXPECT_EQ(LookUpCheckText(&lookup, "77", mode, false), accept ? ckOk : ckNotInList)
            << where;
        // A text that names no item and is no number.
        EXPECT_EQ(LookUpTextToValue(&lookup, "Fioletowy", mode), NoInt) << where;
        EXPECT_EQ(LookUpCheckText(&lookup, " Fioletowy ", mode, false), ckNotInList) << where;
        EXPECT_EQ(CheckResult().text, "Fioletowy");
        EXPECT_EQ(CheckResult().cat_caption, "Kolory");
        // No value and blank texts.
        EXPECT_EQ(LookUpValueToText(&lookup, NoInt, mode), "") << where;
        EXPECT_EQ(LookUpTextToValue(&lookup, "  ", mode), NoInt) << where;
        EXPECT_EQ(LookUpCheckText(&lookup, "", mode, true), ckOk) << where;
      }
    }
  }
  // Nothing above asked for a message except for accepted texts.
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(LookUpFieldMatrix, CheckShowsTheMessageWhenAsked) {
  MessageRecorder recorder;
  EXPECT_EQ(LookUpCheckText(&lookup, "Fioletowy", {}, true), ckNotInList);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.LastText(),
            "Введеный текст 'Fioletowy' не присутствует в перечне текстов, связанных с полем. ");
  EXPECT_EQ(recorder.Messages()[0].kind, MsgKind::Error);
}

TEST_F(LookUpFieldMatrix, OneLetterAndHintChoices) {
  // A one-letter text finds the first caption beginning with it.
  EXPECT_EQ(LookUpTextToValue(&lookup, "z", {}), 20);
  EXPECT_EQ(LookUpTextToValue(&lookup, "n", {vmItemIndex, rsCaption, false}), 2);
  // The whole caption or hint finds its item as well as the part a choice returns.
  EXPECT_EQ(LookUpTextToValue(&lookup, "Czerwony|Barwa", {}), 10);
  EXPECT_EQ(LookUpTextToValue(&lookup, "Kolor|Kolor czerwony", {vmItemId, rsHint, false}), 10);
}

TEST(LookUpFieldWithoutLookUp, NumbersOnly) {
  MessageRecorder recorder;
  const LookUpFieldMode mode;
  EXPECT_EQ(LookUpTextToValue(nullptr, " 42 ", mode), 42);
  EXPECT_EQ(LookUpTextToValue(nullptr, "abc", mode), NoInt);
  EXPECT_EQ(LookUpValueToText(nullptr, -5, mode), "-5");
  EXPECT_EQ(LookUpValueToText(nullptr, NoInt, mode), "");
  EXPECT_EQ(LookUpCheckText(nullptr, "42", mode, true), ckOk);
  EXPECT_EQ(LookUpCheckText(nullptr, "4x", mode, false), ckWrongValue);
  EXPECT_TRUE(recorder.Messages().empty());
}

}  // namespace
}  // namespace hx
