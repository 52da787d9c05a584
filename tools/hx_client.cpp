#include "tools/hx_client.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "base/utf8.h"
#include "platform/copy_data.h"
#include "tools/traffic_dump.h"

namespace hx {
namespace {

constexpr wchar_t kClientWindowClass[] = L"HXClientWindow";

// DDEML calls back without saying for which client; conversations tell.
std::map<HCONV, THxClient*>& Conversations() {
  static std::map<HCONV, THxClient*> map;
  return map;
}
// The client whose DdeConnect is running: the callbacks of that call come before the map
// knows the conversation.
THxClient* g_connecting = nullptr;

std::string DataText(HDDEDATA data) {
  const DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string text(size, '\0');
  if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

std::string FirstLine(std::string_view execute) {
  return std::string(execute.substr(0, execute.find_first_of("\r\n")));
}

std::wstring Quoted(const std::string& arg) {
  std::wstring w = Widen(arg);
  if (!w.empty() && w.find_first_of(L" \t\"") == std::wstring::npos) return w;
  std::wstring out = L"\"";
  for (const wchar_t c : w) {
    if (c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

std::wstring WithoutAmpersands(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

}  // namespace

// Sends through the Win32 transport and writes every message with its result into the
// client's traffic.
class THxClient::TRecordingTransport : public ICopyDataTransport {
 public:
  TRecordingTransport(THxClient& client, HWND sender) : client_(client), inner_(sender) {}
  int32_t Send(uint32_t peer, int32_t code, const uint8_t* data, uint32_t size) override {
    const int32_t result = inner_.Send(peer, code, data, size);
    client_.traffic_.push_back({true, code, std::vector<uint8_t>(data, data + size), result});
    client_.Dump(FormatCopyData(true, code, {data, size}, result));
    return result;
  }

 private:
  THxClient& client_;
  TWin32CopyDataTransport inner_;
};

std::string JoinMacro(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

std::string TypeBytes(std::initializer_list<int> types) {
  std::string bytes;
  for (const int t : types) bytes += static_cast<char>(t == 0 ? 254 : t);
  return bytes;
}

bool ExpectsBroadcast(std::string_view execute) {
  static const char* const kMacros[] = {"SelectRad",   "ViewRad",
                                        "InfoRad",     "SelectDzt",
                                        "ViewDzt",     "InfoDzt",
                                        "SelectPipe",  "ViewPipe",
                                        "InfoPipe",    "SelectProd",
                                        "ViewProd",    "InfoProd",
                                        "CalcUFRad",   "VipImageLoadFromFile",
                                        "VipImageEdit"};
  const std::string name = FirstLine(execute);
  for (const char* m : kMacros) {
    if (name == m) return true;
  }
  return false;
}

THxClient::THxClient() {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &THxClient::WindowProc;
  wc.hInstance = module;
  wc.lpszClassName = kClientWindowClass;
  RegisterClassW(&wc);
  // A top-level window: broadcasts do not reach message-only windows.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClientWindowClass, L"hxclient", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, module, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  activated_message_ = RegisterWindowMessageA(kActivatedMessage);
  transport_ = std::make_unique<TRecordingTransport>(*this, window_);
}

THxClient::~THxClient() {
  Disconnect();
  if (dde_) DdeUninitialize(dde_);
  if (started_server_ && !keep_server_ && ServerRunning()) KillServer();
  if (server_process_) CloseHandle(server_process_);
  if (window_) DestroyWindow(window_);
}

bool THxClient::TakeServerWindow(HWND window) {
  server_window_ = window;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (!server_process_) {
    server_process_ = OpenProcess(
        SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  }
  server_pid_ = pid;
  return true;
}

bool THxClient::StartServer(const std::string& exe, const std::vector<std::string>& args,
                            int timeout_ms) {
  std::wstring command = Quoted(exe);
  for (const std::string& a : args) command += L" " + Quoted(a);
  const std::wstring path = Widen(exe);
  const std::wstring folder = path.substr(
      0, path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/"));
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  server_process_ = pi.hProcess;
  server_pid_ = pi.dwProcessId;
  started_server_ = true;
  const std::wstring cls = Widen(kServerWindowClass);
  HWND found = nullptr;
  PumpUntil(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, cls.c_str(), nullptr); w;
             w = FindWindowExW(nullptr, w, cls.c_str(), nullptr)) {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          if (pid == server_pid_) found = w;
        }
        return found != nullptr || !ServerRunning();
      },
      timeout_ms);
  return found && TakeServerWindow(found);
}

bool THxClient::AttachServer(int timeout_ms) {
  const std::wstring cls = Widen(kServerWindowClass);
  HWND found = nullptr;
  PumpUntil([&] { return (found = FindWindowW(cls.c_str(), nullptr)) != nullptr; }, timeout_ms);
  return found && TakeServerWindow(found);
}

bool THxClient::ServerRunning() const {
  if (server_process_) return WaitForSingleObject(server_process_, 0) == WAIT_TIMEOUT;
  return server_window_ && IsWindow(server_window_);
}

bool THxClient::WaitServerExit(int timeout_ms) {
  return PumpUntil([&] { return !ServerRunning(); }, timeout_ms);
}

std::optional<DWORD> THxClient::ServerExitCode() const {
  DWORD code = 0;
  if (!server_process_ || ServerRunning() || !GetExitCodeProcess(server_process_, &code))
    return std::nullopt;
  return code;
}

void THxClient::KillServer() {
  if (!server_process_) return;
  TerminateProcess(server_process_, 1);
  WaitForSingleObject(server_process_, kWaitMs);
}

bool THxClient::Connect(const std::string& service, int timeout_ms, bool hot_link) {
  if (conv_) return true;
  if (!server_window_ && !AttachServer(timeout_ms)) return false;
  if (!dde_ &&
      DdeInitializeA(&dde_, &THxClient::DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    dde_ = 0;
    return false;
  }
  HSZ hservice = DdeCreateStringHandleA(dde_, service.c_str(), CP_WINANSI);
  HSZ htopic = DdeCreateStringHandleA(dde_, kServerTopic, CP_WINANSI);
  if (!item_) item_ = DdeCreateStringHandleA(dde_, kServerItem, CP_WINANSI);
  // The window comes before the service is registered; a failed connect costs a window, so
  // the attempts are spaced.
  PumpUntil(
      [&] {
        g_connecting = this;
        conv_ = DdeConnect(dde_, hservice, htopic, nullptr);
        g_connecting = nullptr;
        if (!conv_) Pump(100);
        return conv_ != nullptr;
      },
      timeout_ms);
  DdeFreeStringHandle(dde_, hservice);
  DdeFreeStringHandle(dde_, htopic);
  if (!conv_) return false;
  Conversations()[conv_] = this;
  DWORD id = 0;
  if (hot_link &&
      DdeClientTransaction(nullptr, 0, conv_, item_, CF_TEXT, XTYP_ADVSTART, TIMEOUT_ASYNC, &id)) {
    WaitTransaction(id, timeout_ms);
  }
  return true;
}

bool THxClient::WaitTransaction(DWORD id, int timeout_ms) {
  const auto done = [&] {
    for (const auto& c : completed_) {
      if (c.first == id) return true;
    }
    return !conv_;
  };
  const bool completed = PumpUntil(done, timeout_ms);
  // Wine keeps a completed asynchronous transaction queued and matches every later reply
  // against it; only one runs at a time here, so all of them go.
  if (conv_) DdeAbandonTransaction(dde_, conv_, 0);
  return completed && conv_ != nullptr;
}

bool THxClient::BeginExecute(std::string_view execute) {
  if (!conv_ || pending_execute_) return false;
  pending_text_ = std::string(execute);
  pending_broadcasts_ = static_cast<size_t>(BroadcastCount(2));
  pending_advised_ = advised_.size();
  std::string bytes = pending_text_;
  DWORD id = 0;
  if (!DdeClientTransaction(reinterpret_cast<LPBYTE>(bytes.data()),
                            static_cast<DWORD>(bytes.size() + 1), conv_, nullptr, 0, XTYP_EXECUTE,
                            TIMEOUT_ASYNC, &id)) {
    return false;
  }
  pending_execute_ = id;
  return true;
}

TExecuteResult THxClient::EndExecute(int timeout_ms) {
  TExecuteResult r;
  if (!pending_execute_) return r;
  const DWORD id = std::exchange(pending_execute_, 0);
  if (WaitTransaction(id, timeout_ms)) {
    for (const auto& c : completed_) {
      if (c.first == id) r.acknowledged = c.second.has_value();
    }
  }
  std::erase_if(completed_, [&](const auto& c) { return c.first == id; });
  const auto arrived = [&] { return static_cast<size_t>(BroadcastCount(2)) > pending_broadcasts_; };
  if (ExpectsBroadcast(pending_text_)) {
    PumpUntil(arrived, timeout_ms);
  } else {
    PumpUntil(arrived, kNoBroadcastGraceMs);
  }
  // The hot link's data was posted before the broadcast was sent.
  Pump(0);
  r.broadcasts = BroadcastCount(2) - static_cast<int>(pending_broadcasts_);
  r.advised.assign(advised_.begin() + static_cast<ptrdiff_t>(pending_advised_), advised_.end());
  return r;
}

TExecuteResult THxClient::Execute(std::string_view execute, int timeout_ms) {
  if (!BeginExecute(execute)) return {};
  return EndExecute(timeout_ms);
}

std::optional<std::string> THxClient::Request(int timeout_ms) {
  // Under Wine a reply is matched to the oldest transaction: one at a time.
  if (!conv_ || pending_execute_) return std::nullopt;
  DWORD id = 0;
  if (!DdeClientTransaction(nullptr, 0, conv_, item_, CF_TEXT, XTYP_REQUEST, TIMEOUT_ASYNC, &id)) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (WaitTransaction(id, timeout_ms)) {
    for (const auto& c : completed_) {
      if (c.first == id) text = c.second;
    }
  }
  std::erase_if(completed_, [&](const auto& c) { return c.first == id; });
  return text;
}

void THxClient::Disconnect() {
  if (!conv_) return;
  if (pending_execute_) DdeAbandonTransaction(dde_, conv_, pending_execute_);
  pending_execute_ = 0;
  HCONV conv = std::exchange(conv_, nullptr);
  Conversations().erase(conv);
  DdeDisconnect(conv);
}

HDDEDATA CALLBACK THxClient::DdeCallback(UINT type, UINT, HCONV conv, HSZ, HSZ, HDDEDATA data,
                                         ULONG_PTR data1, ULONG_PTR) {
  const auto it = Conversations().find(conv);
  THxClient* client = it != Conversations().end() ? it->second : g_connecting;
  if (!client) return nullptr;
  switch (type) {
    case XTYP_XACT_COMPLETE: {
      const auto id = static_cast<DWORD>(data1);
      for (const auto& c : client->completed_) {
        if (c.first == id) return nullptr;
      }
      std::optional<std::string> result;
      if (data) result = data == reinterpret_cast<HDDEDATA>(TRUE) ? std::string() : DataText(data);
      client->completed_.emplace_back(id, result);
      return nullptr;
    }
    case XTYP_ADVDATA:
      if (data) client->advised_.push_back(DataText(data));
      return reinterpret_cast<HDDEDATA>(static_cast<intptr_t>(DDE_FACK));
    case XTYP_DISCONNECT:
      if (client->conv_ == conv) {
        Conversations().erase(conv);
        client->conv_ = nullptr;
        client->pending_execute_ = 0;
      }
      return nullptr;
    default:
      return nullptr;
  }
}

int THxClient::BroadcastCount(uint32_t wparam) const {
  return static_cast<int>(std::count(broadcasts_.begin(), broadcasts_.end(), wparam));
}

bool THxClient::WaitBroadcasts(uint32_t wparam, int count, int timeout_ms) {
  return PumpUntil([&] { return BroadcastCount(wparam) >= count; }, timeout_ms);
}

void THxClient::BroadcastActivated() {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, activated_message_, 1, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                      2000, &result);
}

uint32_t THxClient::WindowHandle() const {
  return HandleOfWindow(window_);
}

int32_t THxClient::SendRaw(int32_t code, std::span<const uint8_t> data) {
  if (!server_window_) return -1;
  return TCopyDataSender(*transport_, HandleOfWindow(server_window_)).SendRaw(code, data);
}

int32_t THxClient::SendCounted(int32_t code, std::span<const uint8_t> bytes) {
  if (!server_window_) return -1;
  return TCopyDataSender(*transport_, HandleOfWindow(server_window_)).SendCounted(code, bytes);
}

bool THxClient::SendBlock(int32_t code, std::span<const uint8_t> prefix,
                          std::span<const uint8_t> payload) {
  if (!server_window_) return false;
  return TCopyDataSender(*transport_, HandleOfWindow(server_window_))
      .SendBlock(code, prefix, payload);
}

void THxClient::SetReadSource(std::vector<uint8_t> bytes) {
  read_source_ = std::move(bytes);
  read_position_ = 0;
}

void THxClient::ClearTraffic() {
  traffic_.clear();
  replies_.clear();
  blocks_.clear();
  written_.clear();
}

void THxClient::Dump(const std::string& line) {
  if (dump_) dump_(line);
}

LRESULT THxClient::OnCopyData(HWND from, LPARAM lparam) {
  const TCopyDataMessage m = ReadCopyData(lparam);
  Dump(FormatCopyData(false, m.code, m.data, std::nullopt));
  const size_t entry = traffic_.size();
  traffic_.push_back({false, m.code, std::vector<uint8_t>(m.data.begin(), m.data.end()), -1});
  int32_t result = -1;
  if (TBlockAssembler::IsBlockCode(m.code)) {
    result = assembler_.Take(m.code, m.data) ? 1 : -1;
  } else if (m.code == -13) {
    if (m.data.size() >= 2) {
      const size_t asked = GetWord(m.data.data());
      const size_t n =
          std::min({asked, read_source_.size() - read_position_, size_t{kCopyDataChunk}});
      const std::span<const uint8_t> bytes(read_source_.data() + read_position_, n);
      read_position_ += n;
      result =
          TCopyDataSender(*transport_, HandleOfWindow(from)).SendCounted(251, bytes) >= 0 ? 1 : -1;
    }
  } else if (m.code == -251 || m.code == 251) {
    // The server's answer to a read request (code 13) of this client.
    if (const auto bytes = ParseCounted(m.data)) {
      replies_.emplace_back(bytes->begin(), bytes->end());
      result = 1;
    }
  } else if (m.code == -14) {
    if (const auto bytes = ParseCounted(m.data)) {
      written_.insert(written_.end(), bytes->begin(), bytes->end());
      result = 1;
    }
  } else if (m.code == 249) {
    assembler_.Reset();
    written_.clear();
    result = 1;
  } else if (const auto frame = ParseFrame(m.data)) {
    if (m.code < 0 && assembler_.Complete()) {
      blocks_.push_back(
          {-m.code, {frame->prefix.begin(), frame->prefix.end()}, assembler_.Finish()});
      result = 1;
    } else if (m.code >= 0) {
      // cbData counts two bytes more than the sender wrote.
      const auto payload =
          frame->payload.first(frame->payload.size() >= 2 ? frame->payload.size() - 2 : 0);
      blocks_.push_back(
          {m.code, {frame->prefix.begin(), frame->prefix.end()}, {payload.begin(), payload.end()}});
      result = 1;
    }
  }
  traffic_[entry].result = result;
  Dump("   (answered " + std::to_string(result) + ")");
  return result;
}

LRESULT CALLBACK THxClient::WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<THxClient*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && msg == WM_COPYDATA) return self->OnCopyData(reinterpret_cast<HWND>(wparam), lparam);
  if (self && msg == self->activated_message_ && msg != 0) {
    self->broadcasts_.push_back(static_cast<uint32_t>(wparam));
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

HWND THxClient::FindServerWindow(const std::string& caption, int timeout_ms) {
  struct TSearch {
    std::wstring caption;
    DWORD pid;
    HWND found = nullptr;
  } search{Widen(caption), server_pid_};
  PumpUntil(
      [&] {
        EnumWindows(
            [](HWND w, LPARAM lp) -> BOOL {
              auto* s = reinterpret_cast<TSearch*>(lp);
              if (!IsWindowVisible(w)) return TRUE;
              DWORD pid = 0;
              GetWindowThreadProcessId(w, &pid);
              if (s->pid && pid != s->pid) return TRUE;
              wchar_t text[512];
              GetWindowTextW(w, text, 512);
              if (s->caption != text) return TRUE;
              s->found = w;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout_ms);
  return search.found;
}

bool THxClient::PressButton(const std::string& caption, const std::string& button, int timeout_ms) {
  const bool by_id = !button.empty() && button.size() <= 5 &&
                     button.find_first_not_of("0123456789") == std::string::npos;
  struct TSearch {
    std::wstring text;
    HWND found = nullptr;
  } search{WithoutAmpersands(Widen(button))};
  HWND dialog = nullptr;
  HWND target = nullptr;
  const bool found = PumpUntil(
      [&] {
        dialog = FindServerWindow(caption, 0);
        if (!dialog) return false;
        if (by_id) {
          target = GetDlgItem(dialog, std::atoi(button.c_str()));
        } else {
          search.found = nullptr;
          EnumChildWindows(
              dialog,
              [](HWND w, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<TSearch*>(lp);
                wchar_t text[256];
                GetWindowTextW(w, text, 256);
                if (WithoutAmpersands(text) != s->text) return TRUE;
                s->found = w;
                return FALSE;
              },
              reinterpret_cast<LPARAM>(&search));
          target = search.found;
        }
        return target != nullptr;
      },
      timeout_ms);
  if (!found) return false;
  // Posted, so that a dialog whose button opens another modal loop does not hold the client.
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
                      reinterpret_cast<LPARAM>(target)) != 0;
}

void THxClient::Pump(int ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (static_cast<int>(elapsed) >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms) - elapsed, QS_ALLINPUT);
  } while (true);
}

bool THxClient::PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (static_cast<int>(elapsed) >= timeout_ms) return false;
    Pump(std::min(10, timeout_ms - static_cast<int>(elapsed)));
  }
  return true;
}

}  // namespace hx
