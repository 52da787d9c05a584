#include "platform/application.h"

#include "base/locale_settings.h"
#include "base/utf8.h"
#include "base/wait_cursor.h"

namespace hx {
namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

// IDC_WAIT and IDC_ARROW of the wide entry points.
HCURSOR g_saved_cursor = nullptr;

void ShowWaitCursor() {
  g_saved_cursor = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
}
void RestoreCursor() {
  SetCursor(g_saved_cursor ? g_saved_cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

void TakeDecimalSeparator() {
  wchar_t sep[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8) > 0 && sep[0] > 0 &&
      sep[0] < 0x80) {
    SetDecimalSeparator(static_cast<char>(sep[0]));
  }
}

}  // namespace

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

void TApplication::Initialize(HINSTANCE instance) {
  if (handle_) return;
  module_ = instance ? instance : GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = module_;
  wc.lpszClassName = kApplicationClass;
  RegisterClassW(&wc);
  handle_ = CreateWindowExW(0, kApplicationClass, Widen(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, module_, nullptr);
  SetWaitCursorHooks({&ShowWaitCursor, &RestoreCursor});
  TakeDecimalSeparator();
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Widen(title).c_str());
}

void TApplication::HideTaskbarButton() {
  if (!handle_) return;
  ShowWindow(handle_, SW_HIDE);
  SetWindowLongPtrW(handle_, GWL_EXSTYLE,
                    GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  ShowWindow(handle_, SW_SHOWNOACTIVATE);
}

int TApplication::Run() {
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      terminated_ = true;
      return static_cast<int>(msg.wParam);
    }
    if (got < 0) return 1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

void TApplication::Terminate(int exit_code) {
  PostQuitMessage(exit_code);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace hx
