#include "server/test_services.h"

#include "base/utf8.h"
#include "platform/application.h"

namespace hx {
namespace {

constexpr int kTestDialogId = 200;

struct TDialogState {
  std::wstring caption;
  std::wstring text;
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* state = reinterpret_cast<const TDialogState*>(lparam);
      SetWindowTextW(dialog, state->caption.c_str());
      SetDlgItemTextW(dialog, kTestDialogText, state->text.c_str());
      SetForegroundWindow(dialog);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == IDOK || id == IDCANCEL || id == kTestDialogFail) {
        EndDialog(dialog, id);
        return TRUE;
      }
      break;
    }
  }
  return FALSE;
}

}  // namespace

std::string TypeFilterText(const TTypeFilter& filter) {
  if (!filter) return "none";
  std::string text;
  for (int i = 0; i < 256; ++i) {
    if (!filter->test(i)) continue;
    if (!text.empty()) text += ",";
    text += std::to_string(i);
  }
  return text;
}

void TTestCatalogService::RunDialog(const std::string& macro, const std::string& text) {
  TDialogState state{Widen("HX test: " + macro), Widen(text)};
  TApplication::TModalScope modal;
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kTestDialogId),
                                         owner_, TestDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == IDOK) return;
  if (result == kTestDialogFail) throw EHXError(-1, "Тестовая ошибка операции " + macro);
  throw EOperationCancelled();
}

std::string TTestCatalogService::Select(const std::string& symbol, const TTypeFilter& filter) {
  const std::string answer = symbol + ":" + TypeFilterText(filter);
  RunDialog("Select" + suffix_, answer);
  return answer;
}

void TTestCatalogService::View(const std::string& symbol, const TTypeFilter& filter) {
  RunDialog("View" + suffix_, symbol + ":" + TypeFilterText(filter));
}

void TTestCatalogService::ShowInfo(const std::string& symbol) {
  RunDialog("Info" + suffix_, symbol);
}

}  // namespace hx
