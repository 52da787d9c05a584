#include "platform/dde_server.h"

namespace hx {
namespace {

constexpr wchar_t kWindowClass[] = L"HXDdeServerNotify";
constexpr UINT kRunDeferred = WM_APP + 1;
constexpr UINT_PTR kPartnerTimer = 1;

TDdeServer* g_server = nullptr;

}  // namespace

TDdeServer::TDdeServer(IDdeServerEvents& events) : events_(events) {}

TDdeServer::~TDdeServer() {
  Stop();
}

bool TDdeServer::Start(const std::string& service, const std::string& topic,
                       const std::string& item, std::string initial_item) {
  if (g_server) return false;
  item_text_ = std::move(initial_item);
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &TDdeServer::WindowProc;
  wc.hInstance = module;
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);
  window_ =
      CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
  if (!window_) return false;
  g_server = this;
  if (DdeInitializeA(
          &instance_, &TDdeServer::Callback,
          APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS | CBF_FAIL_POKES,
          0) != DMLERR_NO_ERROR) {
    Stop();
    return false;
  }
  service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
  topic_ = DdeCreateStringHandleA(instance_, topic.c_str(), CP_WINANSI);
  item_ = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
  if (!service_ || !topic_ || !item_ ||
      !DdeNameService(instance_, service_, nullptr, DNS_REGISTER)) {
    Stop();
    return false;
  }
  SetTimer(window_, kPartnerTimer, kPartnerCheckMs, nullptr);
  return true;
}

void TDdeServer::Stop() {
  if (instance_) {
    if (service_) DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
    for (HSZ h : {service_, topic_, item_}) {
      if (h) DdeFreeStringHandle(instance_, h);
    }
    DdeUninitialize(instance_);
  }
  instance_ = 0;
  service_ = topic_ = item_ = nullptr;
  live_.clear();
  executing_.clear();
  end_after_execute_.clear();
  deferred_.clear();
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  if (g_server == this) g_server = nullptr;
}

void TDdeServer::SetItemText(std::string text) {
  item_text_ = std::move(text);
  Defer([this] {
    if (instance_) DdePostAdvise(instance_, topic_, item_);
  });
}

void TDdeServer::Defer(std::function<void()> action) {
  deferred_.push_back(std::move(action));
  if (window_) PostMessageW(window_, kRunDeferred, 0, 0);
}

void TDdeServer::RunDeferred() {
  // An action may defer more, or open a modal loop that runs the next message.
  while (!deferred_.empty()) {
    std::function<void()> action = std::move(deferred_.front());
    deferred_.erase(deferred_.begin());
    action();
  }
}

LRESULT CALLBACK TDdeServer::WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (g_server && g_server->window_ == window) {
    if (msg == kRunDeferred) {
      g_server->RunDeferred();
      return 0;
    }
    if (msg == WM_TIMER && wparam == kPartnerTimer) {
      g_server->CheckPartners();
      return 0;
    }
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

HDDEDATA CALLBACK TDdeServer::Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                       HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  return g_server ? g_server->Handle(type, fmt, conv, hsz1, hsz2, data) : nullptr;
}

HDDEDATA TDdeServer::Handle(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<intptr_t>(
          DdeCmpStringHandles(hsz1, topic_) == 0 && DdeCmpStringHandles(hsz2, service_) == 0));
    case XTYP_CONNECT_CONFIRM:
      if (live_.insert(conv).second) events_.OnConnect();
      return nullptr;
    case XTYP_DISCONNECT:
      Ended(conv);
      return nullptr;
    case XTYP_EXECUTE:
      return Execute(conv, data);
    case XTYP_REQUEST:
    case XTYP_ADVREQ:
      if (fmt != CF_TEXT || DdeCmpStringHandles(hsz2, item_) != 0) return nullptr;
      return DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(item_text_.data()),
                                 static_cast<DWORD>(item_text_.size() + 1), 0, item_, CF_TEXT, 0);
    case XTYP_ADVSTART:
      return reinterpret_cast<HDDEDATA>(
          static_cast<intptr_t>(fmt == CF_TEXT && DdeCmpStringHandles(hsz2, item_) == 0));
    default:
      return nullptr;
  }
}

HDDEDATA TDdeServer::Execute(HCONV conv, HDDEDATA data) {
  std::string bytes;
  const DWORD size = DdeGetData(data, nullptr, 0, 0);
  if (size > 0) {
    bytes.resize(size);
    DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
    bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  }
  ++executing_[conv];
  try {
    events_.OnExecute(bytes);
  } catch (...) {
    // The handler owns its failures; the client's execute is acknowledged in any case.
  }
  if (--executing_[conv] == 0) {
    executing_.erase(conv);
    if (end_after_execute_.erase(conv)) {
      Defer([this, conv] {
        if (instance_) DdeDisconnect(conv);
      });
    }
  }
  return reinterpret_cast<HDDEDATA>(static_cast<intptr_t>(DDE_FACK));
}

void TDdeServer::Ended(HCONV conv) {
  if (live_.erase(conv)) events_.OnDisconnect();
}

void TDdeServer::CheckPartners() {
  std::vector<HCONV> gone;
  for (HCONV conv : live_) {
    CONVINFO info = {};
    info.cb = sizeof(info);
    if (!DdeQueryConvInfo(conv, QID_SYNC, &info) || !IsWindow(info.hwndPartner))
      gone.push_back(conv);
  }
  for (HCONV conv : gone) {
    // DDEML would free the conversation under an execute of it that is still running.
    if (executing_.count(conv)) {
      end_after_execute_.insert(conv);
    } else {
      DdeDisconnect(conv);
    }
    Ended(conv);
  }
}

}  // namespace hx
