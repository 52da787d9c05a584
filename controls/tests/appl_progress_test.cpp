#include "controls/appl_progress.h"

#include <gtest/gtest.h>

#include "base/locale_settings.h"

namespace hx {
namespace {

class RecordingProgress : public IProgressView, public IPosLineView {
 public:
  void ShowProgress(bool visible) override { shown = visible; }
  void SetBarPosition(int position) override { bar = position; }
  void SetCaption(const std::string& text) override { caption = text; }
  void SetPercentText(const std::string& text) override { percent = text; }
  void ShowStatusText(bool visible) override { status_shown = visible; }
  bool HasBar() const override { return has_bar; }
  bool HasPercentLabel() const override { return has_percent; }
  void SetPosLineText(const std::string& text) override { line = text; }
  void ShowPosLine(bool visible) override { line_shown = visible; }

  bool shown = false;
  int bar = -1;
  std::string caption;
  std::string percent;
  bool status_shown = true;
  bool has_bar = true;
  bool has_percent = true;
  std::string line;
  bool line_shown = false;
};

class ProgressTest : public ::testing::Test {
 protected:
  ProgressTest() {
    SetDecimalSeparator(',');
    progress.SetView(&view);
  }
  ~ProgressTest() override { SetDecimalSeparator('.'); }
  RecordingProgress view;
  TApplProgress progress;
};

TEST_F(ProgressTest, BeginPositionsAndEnd) {
  progress.Begin("Загрузка");
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.bar, 0);
  EXPECT_EQ(view.caption, " Загрузка");
  EXPECT_FALSE(view.status_shown);

  progress.SetPosition(42.26);
  EXPECT_EQ(view.bar, 42);
  EXPECT_EQ(view.percent, " 42,3%");
  EXPECT_DOUBLE_EQ(progress.GetPosition(), 42.26);

  // A sub-range maps 0-100 into its part of the bar; the bar never leaves 0-100.
  progress.SetSubRange(50, 100);
  progress.SetPosition(50);
  EXPECT_EQ(view.bar, 75);
  EXPECT_DOUBLE_EQ(progress.GetPosition(), 50);
  progress.SetPosition(300);
  EXPECT_EQ(view.bar, 100);
  EXPECT_EQ(view.percent, "100,0%");
  progress.SetSubRange(30, 30);
  EXPECT_EQ(progress.GetPosition(), -1);

  progress.End();
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(view.caption, "");
  EXPECT_TRUE(view.status_shown);
}

TEST_F(ProgressTest, AmountOfATotalDrivesIt) {
  progress.Begin("Чтение");
  progress.SetTotal(200);
  progress.SetAmount(50);
  EXPECT_EQ(view.bar, 25);
  progress.AddAmount(500);
  EXPECT_EQ(view.bar, 100);
  view.has_bar = false;
  EXPECT_EQ(progress.GetPosition(), -1);
}

TEST_F(ProgressTest, NothingHappensWhileTerminating) {
  bool terminating = true;
  progress.Terminating = [&] { return terminating; };
  progress.Begin("Выход");
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(progress.Running());
}

TEST(PosLineTest, EmptyTextHidesTheControl) {
  RecordingProgress view;
  TApplPosLine line;
  line.SetView(&view);
  line.SetText("X: 1,25 м");
  EXPECT_TRUE(view.line_shown);
  EXPECT_EQ(view.line, "X: 1,25 м");
  line.SetText("");
  EXPECT_FALSE(view.line_shown);
}

}  // namespace
}  // namespace hx
