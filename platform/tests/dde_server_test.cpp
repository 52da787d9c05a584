// The DDE server on its own thread, driven by a DDEML client on the test thread: connect,
// execute bytes (CR LF, code page bytes, type bytes) with the item set inside the execute,
// request, the hot link fired after the acknowledgement, and the end of conversations, also
// of a client that vanished without ending its conversation.
#include "platform/dde_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace hx {
namespace {

constexpr char kService[] = "HXDdePlatformTest";
constexpr char kTopic[] = "DDEVadOzev32Topic";
constexpr char kItem[] = "DDEVadOzev32Item";

class TServerThread : public IDdeServerEvents {
 public:
  TServerThread() {
    thread_ = std::thread([this] {
      TDdeServer server(*this);
      started_ = server.Start(kService, kTopic, kItem, "initial\r\n") ? 1 : -1;
      server_ = &server;
      thread_id_ = GetCurrentThreadId();
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      server_ = nullptr;
    });
    while (!started_) Sleep(1);
  }
  ~TServerThread() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  bool Started() const { return started_ == 1; }

  void OnConnect() override { ++connects; }
  void OnDisconnect() override { ++disconnects; }
  void OnExecute(std::string_view execute) override {
    {
      std::lock_guard lock(mutex);
      executes.emplace_back(execute);
    }
    server_->SetItemText("answer to " + std::string(execute.substr(0, execute.find('\r'))) +
                         "\r\n");
  }

  std::atomic<int> connects{0}, disconnects{0};
  std::mutex mutex;
  std::vector<std::string> executes;

 private:
  std::atomic<int> started_{0};
  std::atomic<DWORD> thread_id_{0};
  TDdeServer* server_ = nullptr;
  std::thread thread_;
};

std::vector<std::string> g_advised;

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR,
                                 ULONG_PTR) {
  if (type == XTYP_ADVDATA && data) {
    std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size()), 0);
    g_advised.push_back(text.c_str());
    return reinterpret_cast<HDDEDATA>(static_cast<intptr_t>(DDE_FACK));
  }
  return nullptr;
}

// A DDEML client: its conversation is ended by the destructor unless it is left open.
struct TClient {
  TClient() {
    DdeInitializeA(&inst, &ClientCallback, APPCMD_CLIENTONLY, 0);
    HSZ service = DdeCreateStringHandleA(inst, kService, CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(inst, kTopic, CP_WINANSI);
    item = DdeCreateStringHandleA(inst, kItem, CP_WINANSI);
    conv = DdeConnect(inst, service, topic, nullptr);
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
  }
  ~TClient() {
    if (vanish) return;
    if (conv) DdeDisconnect(conv);
    DdeFreeStringHandle(inst, item);
    DdeUninitialize(inst);
  }
  bool Execute(std::string text) {
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(text.data()),
                                static_cast<DWORD>(text.size() + 1), conv, nullptr, 0, XTYP_EXECUTE,
                                10000, nullptr) != nullptr;
  }
  std::string Request() {
    HDDEDATA data =
        DdeClientTransaction(nullptr, 0, conv, item, CF_TEXT, XTYP_REQUEST, 10000, nullptr);
    if (!data) return "<none>";
    std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size()), 0);
    DdeFreeDataHandle(data);
    return text.c_str();
  }
  DWORD inst = 0;
  bool vanish = false;
  HSZ item = nullptr;
  HCONV conv = nullptr;
};

template <class F>
bool WaitFor(F done, int limit_ms = 15000) {
  for (int waited = 0; !done(); waited += 10) {
    if (waited >= limit_ms) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  return true;
}

TEST(DdeServer, ConversationExecuteRequestAndAdvise) {
  TServerThread server;
  ASSERT_TRUE(server.Started());
  {
    TClient client;
    ASSERT_TRUE(client.conv);
    EXPECT_TRUE(WaitFor([&] { return server.connects == 1; }));
    EXPECT_EQ(client.Request(), "initial\r\n");
    ASSERT_TRUE(DdeClientTransaction(nullptr, 0, client.conv, client.item, CF_TEXT, XTYP_ADVSTART,
                                     10000, nullptr));
    g_advised.clear();
    const std::string execute = "SelectRad\r\n\xc7\xc0\xc4\r\n\x01\xfe";
    // The item is written inside the execute, and the hot link fires after the execute has
    // been acknowledged (the execute succeeds).
    EXPECT_TRUE(client.Execute(execute));
    EXPECT_TRUE(WaitFor([] { return !g_advised.empty(); }));
    EXPECT_EQ(g_advised.at(0), "answer to SelectRad\r\n");
    EXPECT_EQ(client.Request(), "answer to SelectRad\r\n");
    std::lock_guard lock(server.mutex);
    EXPECT_EQ(server.executes, std::vector<std::string>{execute});
  }
  EXPECT_TRUE(WaitFor([&] { return server.disconnects == 1; }));
}

TEST(DdeServer, ClientThatVanishesIsCountedGone) {
  TServerThread server;
  ASSERT_TRUE(server.Started());
  // A client process that is killed after connecting: it never ends its conversation.
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring child(exe);
  child = child.substr(0, child.find_last_of(L"\\/") + 1) + L"platform_dde_child.exe";
  std::wstring command =
      L"\"" + child + L"\" " + std::wstring(kService, kService + sizeof(kService) - 1);
  HANDLE connected = CreateEventW(nullptr, TRUE, FALSE, L"HXDdeChildConnected");
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi));
  EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(connected, 0) == WAIT_OBJECT_0; }));
  EXPECT_TRUE(WaitFor([&] { return server.connects == 1; }));
  TerminateProcess(pi.hProcess, 1);
  WaitForSingleObject(pi.hProcess, 15000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(connected);
  EXPECT_TRUE(WaitFor([&] { return server.disconnects == 1; }));
}

}  // namespace
}  // namespace hx
