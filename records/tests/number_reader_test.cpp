#include "records/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/constants.h"
#include "base/locale_settings.h"
#include "records/check_result.h"
#include "records/messages.h"
#include "records/number_format.h"

namespace hx {
namespace {

TEST(NumberReader, Values) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"2+3*4", 14},   {"2^3^2", 512},          {"8/2/2", 2},       {"2/3*4", 8.0 / 3},
      {"=2,5", 2.5},   {"  = 1 000,5", 1000.5}, {"2^3*2", 16},      {"-2*-3", 6},
      {"2^-1", 0.5},   {"(1+2)*(3-1)", 6},      {"-(2+3)", -5},     {"+.5", 0.5},
      {"5.", 5},       {"1E-6", 1e-6},          {"1,5E20", 1.5e20}, {"2e+3-1", 1999},
      {"1E-6*1E6", 1}, {"1e-400", 0},           {"10-2-3", 5},      {"2*3^2", 18},
  };
  MessageRecorder recorder;
  for (const auto& c : cases) {
    double v = 0;
    EXPECT_TRUE(ReadNumber(c.text, v)) << c.text;
    EXPECT_NEAR(v, c.value, 1e-9 * std::fabs(c.value)) << c.text;
  }
  EXPECT_TRUE(recorder.Messages().empty());
  double v = 0;
  for (const char* blank : {"", "   ", " = "}) {
    EXPECT_TRUE(ReadNumber(blank, v));
    EXPECT_EQ(v, NoFloat);
  }
}

TEST(NumberReader, ErrorsShowTheirMessageAndFillTheCheckResult) {
  struct Case {
    const char* text;
    const char* message;
    int kind;
  } cases[] = {
      {"2--3",
       "Неправильная комбинация операторов или знаков '--'. Используйте скобки для разделения "
       "операторов, напр. 20--20 замените на 20-(-20)",
       ckMessage},
      {"((1)", "Число левых скобок '(' больше числа правых скобок ')'", ckMessage},
      {"(1))", "Число левых скобок '(' меньше числа правых скобок ')'", ckMessage},
      {"2+3a", "Введенная величина '3a' не является числом", ckWrongValue},
      {"2*x+1", "Введенная величина 'x+1' не является числом", ckWrongValue},
      {"1.2.3", "Введенная величина '1.2.3' не является числом", ckWrongValue},
      {"2+()", "Отсутствует аргумент", ckMessage},
      {"2+", "Отсутствует аргумент", ckMessage},
      {"(1)2", "Неправильный оператор '2'", ckMessage},
      {"2(3)", "Неправильный оператор '('", ckMessage},
      {"1/(2-2)", "Деление на нуль", ckMessage},
      {"(0-2)^2", "Отрицательное число -2 нельзя возводить в степень", ckMessage},
      {"-2^2", "Отрицательное число -2 нельзя возводить в степень", ckMessage},
      {"1E308*10", "Введенная величина '1E308*10' не является числом", ckWrongValue},
      {"1/10^400", "Введенная величина '1/10^400' не является числом", ckWrongValue},
      {"1E999", "Введенная величина '1E999' не является числом", ckWrongValue},
      {"-1E17", "Введенная величина '-1E17' не является числом", ckWrongValue},
  };
  MessageRecorder recorder;
  for (const auto& c : cases) {
    recorder.Clear();
    double v = 0;
    EXPECT_FALSE(ReadNumber(c.text, v)) << c.text;
    EXPECT_EQ(v, NoFloat) << c.text;
    ASSERT_EQ(recorder.Messages().size(), 1u) << c.text;
    EXPECT_EQ(recorder.Messages()[0].kind, MsgKind::Error);
    EXPECT_EQ(recorder.Messages()[0].caption, "Tarvos H.X. - Ошибка");
    EXPECT_EQ(recorder.LastText(), c.message) << c.text;
    EXPECT_EQ(CheckResult().kind, c.kind) << c.text;
    // The check result says the same as the box.
    const std::string expected =
        c.kind == ckWrongValue
            ? "Введенное выражение '" + CheckResult().text + "' не является числом."
            : std::string(c.message);
    EXPECT_EQ(CheckResult().Message(), expected) << c.text;
  }
  // Silenced: no box, the check result is still filled.
  recorder.Clear();
  {
    MessagesSilenced quiet;
    double v;
    EXPECT_FALSE(ReadNumber("1/0", v));
  }
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(CheckResult().kind, ckMessage);
  EXPECT_TRUE(MessagesEnabled());
}

TEST(NumberReader, LongAndDeeplyNestedTexts) {
  MessageRecorder recorder;
  double v;
  // Only the first 512 characters count: "1" followed by blanks, then digits that are cut.
  std::string text = "1" + std::string(511, ' ') + "23";
  EXPECT_TRUE(ReadNumber(text, v));
  EXPECT_EQ(v, 1);
  // Nesting beyond the limit fails cleanly instead of recursing without bound.
  const std::string deep = std::string(200, '(') + "1" + std::string(200, ')');
  EXPECT_FALSE(ReadNumber(deep, v));
  EXPECT_EQ(CheckResult().kind, ckWrongValue);
  const std::string ok =
      std::string(kMaxBracketDepth, '(') + "1" + std::string(kMaxBracketDepth, ')');
  EXPECT_TRUE(ReadNumber(ok, v));
  // A long run of powers is folded without recursion.
  std::string powers = "1";
  while (powers.size() < 500) powers += "^1";
  EXPECT_TRUE(ReadNumber(powers, v));
  EXPECT_EQ(v, 1);
}

TEST(NumberReader, FormattedValuesReadBack) {
  MessageRecorder recorder;
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    for (const double x : {1e-6, 1.5e20, -0.125, 123456789.0, 1.23456789e-7, 0.0, -7e-300}) {
      for (const int width : {0, 6, 8, 12}) {
        for (const int decimals : {-1, 0, 3}) {
          const std::string text = FormatNumber(x, width, decimals);
          double v = 0;
          ASSERT_TRUE(ReadNumber(text, v)) << text;
          if (decimals < 0 && width == 0) {
            EXPECT_DOUBLE_EQ(v, x) << text;
          }
        }
      }
    }
  }
  SetDecimalSeparator('.');
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(IntegerReaders, Conversions) {
  MessageRecorder recorder;
  int32_t i;
  uint16_t w;
  uint8_t b;
  uint32_t u;
  EXPECT_TRUE(ReadNumberWord("70000", w));
  EXPECT_EQ(w, 65535);
  EXPECT_TRUE(ReadNumberWord("-5", w));
  EXPECT_EQ(w, 0);
  EXPECT_TRUE(ReadNumberWord("", w));
  EXPECT_EQ(w, 65535);
  EXPECT_TRUE(ReadNumberInt32("", i));
  EXPECT_EQ(i, NoInt);
  EXPECT_TRUE(ReadNumberInt32("3E9", i));
  EXPECT_EQ(i, 2147483647);
  EXPECT_TRUE(ReadNumberInt32("-3E9", i));
  EXPECT_EQ(i, -2147483646);
  EXPECT_TRUE(ReadNumberInt32("2,5", i));
  EXPECT_EQ(i, 2);  // halves to even
  EXPECT_TRUE(ReadNumberInt32("3.5", i));
  EXPECT_EQ(i, 4);
  EXPECT_TRUE(ReadNumberByte("300", b));
  EXPECT_EQ(b, 255);
  EXPECT_TRUE(ReadNumberByte("-1", b));
  EXPECT_EQ(b, 0);
  EXPECT_TRUE(ReadNumberByte("254.4", b));
  EXPECT_EQ(b, 254);
  EXPECT_TRUE(ReadNumberCardinal("", u));
  EXPECT_EQ(u, 4294967295u);
  EXPECT_TRUE(ReadNumberCardinal("5E9", u));
  EXPECT_EQ(u, 4294967295u);
  EXPECT_TRUE(ReadNumberCardinal("-1", u));
  EXPECT_EQ(u, 0u);
  EXPECT_FALSE(ReadNumberInt32("x", i));
  EXPECT_EQ(i, NoInt);
}

TEST(CheckRange, Rules) {
  MessageRecorder recorder;
  EXPECT_TRUE(CheckRange(100, 10, 5));  // minimum above maximum: no range
  EXPECT_TRUE(CheckRange(NoFloat, 0, 1));
  EXPECT_TRUE(CheckRange(1, 1, 2));
  EXPECT_TRUE(recorder.Messages().empty());
  SetDecimalSeparator(',');
  EXPECT_FALSE(CheckRange(2.5, 0, 1));
  EXPECT_EQ(recorder.LastText(), "Введенное значение 2,5 не входит в пределы 0 .. 1.");
  EXPECT_EQ(CheckResult().kind, ckOutOfRange);
  CheckResult().units = "m";
  EXPECT_EQ(CheckResult().Message(),
            "В поле задано число 2,5, которое не входит в допустимый диапазон 0 .. 1 m.");
  SetDecimalSeparator('.');
  recorder.Clear();
  EXPECT_FALSE(CheckRange(5, 0, 1, -1));  // negative id: nothing shown
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_FALSE(CheckRangeRequired(NoFloat, 0, 1));
  EXPECT_EQ(CheckResult().kind, ckEmpty);
  EXPECT_EQ(recorder.LastText(), "В поле не задана ни одна числовая величина.");
}

TEST(Messages, CaptionsAnswersAndSilence) {
  {
    MessageRecorder recorder;
    recorder.QueueAnswers({MsgAnswer::No, MsgAnswer::Yes});
    EXPECT_FALSE(AskYesNo(20067));
    EXPECT_TRUE(AskYesNo(20067));
    EXPECT_EQ(AskYesNoCancel(20067), MsgAnswer::Yes);  // the default answer
    ShowInfoMsg(20067);
    ShowWarningMsg(20069);
    ShowMessageText(MsgKind::Plain, MsgButtons::Ok, 0, "x");
    ASSERT_EQ(recorder.Messages().size(), 6u);
    EXPECT_EQ(recorder.Messages()[0].caption, "Tarvos H.X. - Подтверждение");
    EXPECT_EQ(recorder.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(recorder.Messages()[2].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(recorder.Messages()[3].caption, "Tarvos H.X. - Справка");
    EXPECT_EQ(recorder.Messages()[4].caption, "Tarvos H.X. - Предупреждение");
    EXPECT_EQ(recorder.Messages()[5].caption, "Tarvos H.X.");
    MessagesSilenced quiet;
    EXPECT_FALSE(AskYesNo(20067));
    EXPECT_EQ(AskYesNoCancel(20067), MsgAnswer::Cancel);
    EXPECT_EQ(recorder.Messages().size(), 6u);
  }
  // Without a sink nothing is done on the user's behalf.
  EXPECT_FALSE(AskYesNo(20067));
  EXPECT_EQ(AskYesNoCancel(20067), MsgAnswer::Cancel);
}

}  // namespace
}  // namespace hx
