// Shows the test form for a person to look at (scripts/screenshot.sh takes its picture): the
// formula edit, the percentage edit in its error state, and, with --popup, the kind edit's
// pop-up list open. The program ends when the form is closed, or after --seconds N.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "base/locale_settings.h"
#include "platform/application.h"
#include "platform/ui/bound_controls.h"
#include "platform/ui/dialog_driver.h"
#include "platform/ui/tests/test_form.h"
#include "platform/ui/ui_setup.h"

int wmain(int argc, wchar_t** argv) {
  bool popup = false;
  int seconds = 60;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--popup") popup = true;
    if (a == L"--seconds" && i + 1 < argc) seconds = _wtoi(argv[++i]);
  }
  hx::TApplication& app = hx::TApplication::Instance();
  app.Initialize(GetModuleHandleW(nullptr));
  hx::SetDecimalSeparator(',');
  hx::InitializeUi();

  hx::test::TTestForm form(nullptr, 40, 40);
  form.OnClose = [](hx::TForm&) { PostQuitMessage(0); };
  form.Show();
  const HWND w = form.Handle();
  // The percentage edit shows its error state: 120 is outside 0..100.
  hx::FocusControl(w, hx::ControlOf(w, hx::test::kIdPercent));
  hx::PumpUntil([&] { return GetFocus() == hx::ControlOf(w, hx::test::kIdPercent); }, 3000);
  hx::TypeText(hx::ControlOf(w, hx::test::kIdPercent), "120");
  const HWND next =
      popup ? hx::ControlOf(w, hx::test::kIdKind) : hx::ControlOf(w, hx::test::kIdLength);
  hx::PumpUntil([] { return false; }, 200);
  hx::FocusControl(w, next);
  hx::PumpUntil([&] { return GetFocus() == next; }, 3000);
  if (popup) {
    RECT client;
    GetClientRect(next, &client);
    hx::ClickAt(next, client.right - 5, client.bottom / 2);
  }
  hx::PumpUntil([] { return false; }, 300);
  std::puts("shown");
  std::fflush(stdout);
  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000,
           [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!hx::IsFormMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return 0;
}
