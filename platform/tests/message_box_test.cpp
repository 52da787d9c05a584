// A box of the message functions, answered by pressing its button from another thread.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "base/utf8.h"

namespace hx {
namespace {

TEST(MessageSink, AnswersWithThePressedButton) {
  InstallWin32MessageSink();
  const std::wstring caption = Widen("Tarvos H.X. - Подтверждение");
  std::thread presser([&] {
    for (int waited = 0; waited < 15000; waited += 20) {
      if (HWND box = FindWindowW(L"#32770", caption.c_str())) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
        return;
      }
      Sleep(20);
    }
  });
  const MsgAnswer answer = ShowMessageText(MsgKind::Confirmation, MsgButtons::YesNoCancel,
                                           kCaptionConfirmation, "Сохранить изменения?");
  presser.join();
  EXPECT_EQ(answer, MsgAnswer::Yes);
}

}  // namespace
}  // namespace hx
