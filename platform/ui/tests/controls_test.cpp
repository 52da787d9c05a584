// The standard controls and services of the component layer that forms rely on beyond the
// test form: the owner-data list view, the clipboard, closing a form, the form table's
// mistakes and the status indicators.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

#include "base/utf8.h"
#include "controls/appl_progress.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog_driver.h"
#include "platform/ui/form_builder.h"
#include "platform/ui/status_indicators.h"
#include "platform/ui/ui_setup.h"

namespace hx {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() { InitializeUi(); }
  TForm form{{.caption = "Проверка списков", .client_width = 400, .client_height = 300}};
};

TEST_F(ControlsTest, ListViewAsksForTheRowsItShows) {
  auto& list = form.Add(std::make_unique<TListView>(form, 201, "LV_Items", RECT{0, 0, 380, 250}));
  list.AddColumn("Символ", 120);
  list.AddColumn("Описание", 200);
  int asked = 0;
  list.OnGetText = [&](int row, int column) {
    ++asked;
    return (column == 0 ? "RAD-" : "Радиатор ") + std::to_string(row);
  };
  list.SetItemCount(100000);
  form.Show();
  EXPECT_EQ(list.ItemCount(), 100000);
  wchar_t text[64] = {};
  LVITEMW item = {};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(list.Handle(), LVM_GETITEMTEXTW, 99999, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Narrow(text), "Радиатор 99999");
  PumpUntil([] { return false; }, 100);
  EXPECT_LT(asked, 1000);  // only the rows on the screen, not the catalog
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), 5);
}

TEST_F(ControlsTest, ClipboardKeepsCyrillicAndPolishText) {
  ASSERT_TRUE(SetClipboardText("Радиатор Łódź 2×3", form.Handle()));
  EXPECT_EQ(ClipboardText(form.Handle()).value_or(""), "Радиатор Łódź 2×3");
}

TEST_F(ControlsTest, CloseQueryCanRefuseAndModalFormsEndWithCancel) {
  bool allow = false;
  form.OnCloseQuery = [&](TForm&, bool& can_close) { can_close = allow; };
  int result = -1;
  std::thread driver([&] {
    const HWND w = WaitForWindow("Проверка списков");
    if (!w) return;
    PostMessageW(w, WM_CLOSE, 0, 0);
    Sleep(200);
    allow = IsWindowVisible(w) != FALSE;  // still open: refused
    PostMessageW(w, WM_CLOSE, 0, 0);
  });
  result = form.ShowModal();
  driver.join();
  EXPECT_TRUE(allow);
  EXPECT_EQ(result, mrCancel);
}

TEST_F(ControlsTest, UnknownFieldInATableIsAMistake) {
  TZqDBRecord record;
  const TControlSpec rows[] = {
      {.kind = TCtl::DBEdit, .id = 301, .name = "ED_X", .w = 80, .h = 21, .field = "PF_Missing"},
  };
  EXPECT_THROW(TFormBuilder(form).Record(&record).Build(rows), std::logic_error);
}

TEST_F(ControlsTest, ProgressShowsInTheStatusBar) {
  auto& status = form.Add(std::make_unique<TStatusBar>(form, 401, "SB_Status"));
  auto& bar =
      form.Add(std::make_unique<TProgressBar>(form, 402, "PB_Progress", RECT{10, 10, 200, 26}));
  TStatusIndicators indicators(status, &bar);
  indicators.Install();
  indicators.SetStatusText("Готово");
  ApplProgress().Begin("Загрузка каталога");
  EXPECT_EQ(status.PanelText(2), " Загрузка каталога");
  EXPECT_EQ(status.PanelText(0), "");
  ApplProgress().SetPosition(30);
  EXPECT_EQ(bar.Position(), 30);
  ApplPosLine().SetText("X: 1,25");
  EXPECT_EQ(status.PanelText(1), "X: 1,25");
  ApplProgress().End();
  EXPECT_EQ(status.PanelText(0), "Готово");
  EXPECT_EQ(status.PanelText(2), "");
}

}  // namespace
}  // namespace hx
