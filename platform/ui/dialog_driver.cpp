#include "platform/ui/dialog_driver.h"

#include "base/utf8.h"
#include "platform/ui/window.h"

namespace hx {
namespace {

constexpr int kPollMs = 20;

struct WindowSearch {
  std::wstring caption;
  const wchar_t* window_class;
  HWND found = nullptr;
};

BOOL CALLBACK FindByCaption(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  if (search->caption != text) return TRUE;
  if (search->window_class) {
    wchar_t cls[128] = {};
    GetClassNameW(hwnd, cls, 128);
    if (lstrcmpW(cls, search->window_class) != 0) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

void Post(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  PostMessageW(hwnd, msg, wparam, lparam);
}

LRESULT SendWithTimeout(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG, kDriverTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

HWND WaitForWindow(std::string_view caption, int timeout_ms, const wchar_t* window_class) {
  WindowSearch search{Widen(caption), window_class};
  WaitUntil(
      [&] {
        EnumWindows(&FindByCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout_ms);
  return search.found;
}

bool WaitUntil(const std::function<bool()>& done, int timeout_ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      if (!IsFormMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
}

HWND ControlOf(HWND form, int id) {
  return GetDlgItem(form, id);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void FocusControl(HWND form, HWND control) {
  Post(form, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void TypeText(HWND control, std::string_view text) {
  for (const wchar_t c : Widen(text)) Post(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT key) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  Post(control, WM_KEYDOWN, key, 1 | (scan << 16));
  Post(control, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  Post(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(window, WM_LBUTTONUP, 0, at);
}

void ClickButton(HWND button) {
  Post(button, BM_CLICK, 0, 0);
}

std::string WindowTextOf(HWND window) {
  wchar_t text[2048] = {};
  SendWithTimeout(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

bool IsChecked(HWND button) {
  return SendWithTimeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

COLORREF ControlColor(HWND control) {
  return static_cast<COLORREF>(SendWithTimeout(control, HXM_GETCOLOR, 0, 0));
}

bool ControlInError(HWND control) {
  return SendWithTimeout(control, HXM_INERROR, 0, 0) != 0;
}

std::string ControlHint(HWND control) {
  wchar_t text[2048] = {};
  SendWithTimeout(control, HXM_GETHINT, 2048, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

}  // namespace hx
