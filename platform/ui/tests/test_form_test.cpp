// The test form driven through messages: modally from a driver thread (as a test or the client
// tool drives a dialog of another process), and modelessly from the test's own thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "base/locale_settings.h"
#include "base/utf8.h"
#include "platform/ui/bound_controls.h"
#include "platform/ui/dialog_driver.h"
#include "platform/ui/popup_list.h"
#include "platform/ui/tests/test_form.h"
#include "platform/ui/ui_setup.h"

namespace hx::test {
namespace {

class TestFormTest : public ::testing::Test {
 protected:
  TestFormTest() {
    InitializeUi();
    SetDecimalSeparator(',');
  }
  ~TestFormTest() override { SetDecimalSeparator('.'); }
};

// What the driver thread saw; the test thread checks it after the modal loop.
struct DriverReport {
  bool found = false;
  std::string length_after_leaving;
  std::string length_on_entering;
  bool percent_in_error = false;
  COLORREF percent_color = 0;
  std::string percent_hint;
  bool enter_pressed = false;
};

TEST_F(TestFormTest, DrivenModallyFromAnotherThread) {
  TTestForm form;
  DriverReport report;
  std::thread driver([&] {
    const HWND w = WaitForWindow(kTestFormCaption);
    report.found = w != nullptr;
    if (!w) return;
    const HWND length = ControlOf(w, kIdLength);
    const HWND percent = ControlOf(w, kIdPercent);
    const auto focus = [&](HWND c) {
      FocusControl(w, c);
      return WaitUntil([&] { return FocusOf(w) == c; }, 5000);
    };
    // "2*3" typed into the formula edit; leaving it shows the value, entering the formula.
    if (focus(length)) {
      TypeText(length, "2*3");
      PressKey(length, VK_TAB);
      WaitUntil([&] { return FocusOf(w) != length && WindowTextOf(length) == "6,00"; }, 5000);
      report.length_after_leaving = WindowTextOf(length);
      if (focus(length)) report.length_on_entering = WindowTextOf(length);
    }
    // 120 in the 0..100 edit.
    if (focus(percent)) {
      TypeText(percent, "120");
      PressKey(percent, VK_TAB);
      report.percent_in_error = WaitUntil([&] { return ControlInError(percent); }, 5000);
      report.percent_color = ControlColor(percent);
      report.percent_hint = ControlHint(percent);
    }
    // Enter in an edit presses the default button, which ends the form with OK.
    if (focus(length)) {
      PressKey(length, VK_RETURN);
      report.enter_pressed = WaitUntil([&] { return !IsWindowVisible(w); }, 5000);
    }
    if (IsWindowVisible(w)) PostMessageW(w, WM_CLOSE, 0, 0);
  });
  const int result = form.ShowModal();
  driver.join();

  ASSERT_TRUE(report.found);
  EXPECT_EQ(report.length_after_leaving, "6,00");
  EXPECT_EQ(report.length_on_entering, "2*3");
  EXPECT_EQ(form.PF_Length.Formula(), "2*3");
  EXPECT_DOUBLE_EQ(form.PF_Length.Value(), 6);
  EXPECT_TRUE(report.percent_in_error);
  EXPECT_EQ(report.percent_color, RGB(255, 0, 0));
  EXPECT_EQ(report.percent_hint, "Введенное значение 120 не входит в пределы 0 .. 100.");
  EXPECT_TRUE(report.enter_pressed);
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form.ok_clicks, 1);
}

TEST_F(TestFormTest, CheckBoxGroupShowsTheBitsOfItsValue) {
  TTestForm form;
  form.Show();
  const HWND w = form.Handle();
  EXPECT_TRUE(IsChecked(ControlOf(w, kIdFlags + 1)));
  EXPECT_FALSE(IsChecked(ControlOf(w, kIdFlags + 2)));
  EXPECT_TRUE(IsChecked(ControlOf(w, kIdFlags + 3)));
  EXPECT_FALSE(IsWindowEnabled(ControlOf(w, kIdFlags + 4)));  // "%-Дренаж"
  EXPECT_EQ(WindowTextOf(ControlOf(w, kIdFlags + 1)), "Подача");

  // A click hands the bits back at once.
  ClickButton(ControlOf(w, kIdFlags + 2));
  EXPECT_TRUE(PumpUntil([&] { return form.PF_Flags.Value() == 7; }, 5000));
  EXPECT_TRUE(IsChecked(ControlOf(w, kIdFlags + 2)));
  // A value set from elsewhere is shown.
  form.PF_Flags.SetValue(2);
  EXPECT_FALSE(IsChecked(ControlOf(w, kIdFlags + 1)));
  EXPECT_TRUE(IsChecked(ControlOf(w, kIdFlags + 2)));
  // Caption and units labels show the field's.
  EXPECT_EQ(WindowTextOf(ControlOf(w, kIdLengthCaption)), "Длина");
  EXPECT_EQ(WindowTextOf(ControlOf(w, kIdLengthUnits)), "м");
}

TEST_F(TestFormTest, PopUpListNearTheBottomOpensAboveItsEdit) {
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // The form reaches below the screen; its kind edit ends a few pixels above the bottom, so
  // that the list of four entries fits above it, not below.
  TTestForm form(nullptr, 200, work.bottom - 130);
  form.Show();
  const HWND w = form.Handle();
  const HWND kind = ControlOf(w, kIdKind);
  RECT edit = {};
  GetWindowRect(kind, &edit);
  ASSERT_GT(edit.bottom, work.bottom - 60);
  ASSERT_LT(edit.bottom, work.bottom);
  FocusControl(w, kind);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == kind; }, 5000));

  RECT client = {};
  GetClientRect(kind, &client);
  const auto open = [&] {
    ClickAt(kind, client.right - 5, client.bottom / 2);
    return PumpUntil([&] { return CurrentPopUpWindow() != nullptr; }, 5000);
  };
  ASSERT_TRUE(open());
  RECT list = {};
  GetWindowRect(CurrentPopUpWindow(), &list);
  EXPECT_LE(list.bottom, edit.top);
  EXPECT_GT(list.bottom - list.top, 4 * 16);
  EXPECT_EQ(GetFocus(), kind);                    // the list does not take the focus
  EXPECT_EQ(CurrentPopUpModel()->Selected(), 0);  // the entry of the edit's text

  PressKey(kind, VK_DOWN);
  PressKey(kind, VK_DOWN);
  PressKey(kind, VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return CurrentPopUpWindow() == nullptr; }, 5000));
  EXPECT_EQ(WindowTextOf(kind), "Алюминиевый");

  // A click outside the list closes it without a choice.
  ASSERT_TRUE(open());
  ClickAt(w, 5, 5);
  EXPECT_TRUE(PumpUntil([&] { return CurrentPopUpWindow() == nullptr; }, 5000));
  EXPECT_EQ(WindowTextOf(kind), "Алюминиевый");

  // Leaving the edit hands the chosen entry back.
  FocusControl(w, ControlOf(w, kIdNote));
  EXPECT_TRUE(PumpUntil([&] { return form.PF_Kind.Value() == 12; }, 5000));
}

}  // namespace
}  // namespace hx::test
