#include "server/main_window.h"

#include <cstdio>

#include "base/utf8.h"
#include "platform/application.h"
#include "server/test_services.h"

namespace hx {
namespace {

// Off the screen, where the window stays whenever it is activated.
constexpr int kHiddenLeft = -1500;
constexpr int kHiddenTop = -1500;
// Each top-level window gets this long to take the activation message.
constexpr UINT kBroadcastTimeoutMs = 1000;

}  // namespace

TF_HX16_32Server::TF_HX16_32Server(const TServerOptions& options) : options_(options) {}

TF_HX16_32Server::~TF_HX16_32Server() {
  // FormDestroy: the DDE service goes first, then the client links with their pictures.
  dde_.reset();
  core_.reset();
  if (handle_) DestroyWindow(handle_);
}

bool TF_HX16_32Server::Create(const std::string& service_name) {
  TApplication& app = TApplication::Instance();
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = app.Module();
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);
  // Border style dialog without border icons; the client area is 319 x 73.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
  RECT r = {0, 0, 319, 73};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
  handle_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kMainWindowClass, L"", style, kHiddenLeft,
                            kHiddenTop, r.right - r.left, r.bottom - r.top, app.Handle(), nullptr,
                            app.Module(), this);
  if (!handle_) return false;
  FormCreate();
  dde_ = std::make_unique<TDdeServer>(*this);
  return dde_->Start(service_name, kTopicName, kItemName, kInitialItemText);
}

void TF_HX16_32Server::FormCreate() {
  transport_ = std::make_unique<TWin32CopyDataTransport>(handle_);
  MakeServices();
  core_ = std::make_unique<TServerCore>(*this, *transport_, services_);
  TApplication::Instance().HideTaskbarButton();
  FActivatedMessage =
      static_cast<uint16_t>(RegisterWindowMessageW(Widen(kActivatedMessageName).c_str()));
  SetWindowPos(handle_, HWND_TOP, kHiddenLeft, kHiddenTop, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetWindowTextW(handle_, Widen(kMainWindowCaption).c_str());
  // The producer, radiator, pipe and valve catalogs open here once their modules exist.
}

void TF_HX16_32Server::MakeServices() {
  if (!options_.test_services) return;
  const char* suffixes[4] = {"Rad", "Dzt", "Pipe", "Prod"};
  for (int i = 0; i < 4; ++i) {
    test_catalogs_[i] = std::make_unique<TTestCatalogService>(handle_, suffixes[i]);
  }
  services_.radiators = test_catalogs_[0].get();
  services_.valves = test_catalogs_[1].get();
  services_.pipes = test_catalogs_[2].get();
  services_.producers = test_catalogs_[3].get();
}

void TF_HX16_32Server::WriteItem(std::string_view text) {
  Log("item \"" + std::string(text) + "\"");
  dde_->SetItemText(std::string(text));
}

void TF_HX16_32Server::Broadcast(uint32_t wparam) {
  // Sent once the execute has been acknowledged: a client waiting for its acknowledgement
  // cannot take a sent message, and the broadcast would be lost.
  const UINT msg = FActivatedMessage | 0u;
  dde_->Defer([this, msg, wparam] {
    Log("broadcast " + std::to_string(wparam));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, msg, wparam, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &result);
  });
}

void TF_HX16_32Server::RequestClose() {
  Log("close requested");
  PostMessageW(handle_, WM_CLOSE, 0, 0);
}

void TF_HX16_32Server::BringToFront() {
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
  SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(handle_, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetForegroundWindow(handle_);
  SetActiveWindow(handle_);
}

void TF_HX16_32Server::Log(const std::string& text) {
  if (!options_.trace) return;
  std::printf("server: %s\n", text.c_str());
  std::fflush(stdout);
}

void TF_HX16_32Server::OnConnect() {
  core_->DDEVadOzev32TopicOpen();
  Log("conversations " + std::to_string(core_->ConversationCount()));
}

void TF_HX16_32Server::OnDisconnect() {
  core_->DDEVadOzev32TopicClose();
  Log("conversations " + std::to_string(core_->ConversationCount()));
}

void TF_HX16_32Server::OnExecute(std::string_view execute) {
  core_->doMacro(execute);
}

LRESULT CALLBACK TF_HX16_32Server::WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TF_HX16_32Server*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && self->core_) return self->Handle(window, msg, wparam, lparam);
  return DefWindowProcW(window, msg, wparam, lparam);
}

LRESULT TF_HX16_32Server::Handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COPYDATA) {
    const TCopyDataMessage m = ReadCopyData(lparam);
    const uint32_t client = HandleOfWindow(reinterpret_cast<HWND>(wparam));
    const int32_t result = core_->WMCopyData(client, m.code, m.data);
    Log("copy-data " + std::to_string(m.code) + " (" + std::to_string(m.data.size()) +
        " bytes) from " + std::to_string(client) + ": " + std::to_string(result));
    return result;
  }
  if (msg >= 0xC000 && static_cast<uint16_t>(msg) == FActivatedMessage) {
    if (core_->ActivatedMessage(static_cast<uint32_t>(wparam))) return 0;
    return DefWindowProcW(window, msg, wparam, lparam);
  }
  switch (msg) {
    case WM_ACTIVATE:
      // FormActivate: back off the screen every time.
      if (LOWORD(wparam) != WA_INACTIVE) {
        SetWindowPos(window, nullptr, kHiddenLeft, kHiddenTop, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    case WM_CLOSE:
      // FormCloseQuery.
      if (core_->FormCloseQuery()) {
        Log("closing");
        DestroyWindow(window);
      } else {
        Log("close refused");
      }
      return 0;
    case WM_DESTROY:
      handle_ = nullptr;
      TApplication::Instance().Terminate(0);
      return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace hx
