// THxClient: a client of TRVHX16_32Server as the heating-design program is one, for hxclient.exe
// and the integration tests. One object is one client window (a hidden top-level window of the
// calling thread) with its own DDE conversation; several may live in one thread.
//
// Usage:
//   hx::THxClient client;
//   client.StartServer("C:\\...\\TRVHX16_32Server.exe", {"--test-services"});  // or AttachServer()
//   client.Connect();                                   // the DDE conversation
//   hx::TExecuteResult r = client.Execute(hx::JoinMacro({"SelectRad", "R22", hx::TypeBytes({1,
//   14})})); r.acknowledged; r.broadcasts (wParam 2 seen); r.advised (item texts of a hot link,
//   when Connect(..., true) asked for one) std::optional<std::string> item = client.Request();  //
//   CF_TEXT bytes without the zero client.SendCounted(14, bytes) / SendRaw(-13, {5, 0}) /
//   SendBlock(2, prefix, payload)
//                                                          // the server's result (-1 failure)
//   client.Blocks(), client.Written(), client.Traffic()    // what the server sent
//   client.SetReadSource(bytes);                           // answers the server's -13 requests
//   client.BeginExecute(...); client.PressButton("HX test: SelectRad", "OK"); client.EndExecute();
//   client.Disconnect(); client.WaitServerExit();
//
// The server is found by its main window (class "TF_HX16_32Server"), then connected once
// through DDE (service "TRVHX16_32Server", topic "DDEVadOzev32Topic", item "DDEVadOzev32Item").
// Every DDE transaction is asynchronous and every wait runs this thread's messages, so the
// server's WM_COPYDATA and broadcasts are handled while the client waits (a synchronous DDEML
// wait would hold them back under Wine). Every wait has a limit (kWaitMs unless given).
// A server that the object started and that still runs when the object goes is ended, unless
// KeepServer() was called.
//
// Received copy-data: -252/-253 and -254/-255 blocks are reassembled and, with the message that
// closes them, kept as a TReceivedBlock; so is every other frame with a non-negative code
// (its payload without the two bytes that cbData counts past the written data). -14 frames go
// to Written() (cleared by 249), -251 replies to Replies(), and -13 requests are answered
// with code 251 from the read source.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/copy_data_frame.h"

namespace hx {

inline constexpr const char* kServerService = "TRVHX16_32Server";
inline constexpr const char* kServerTopic = "DDEVadOzev32Topic";
inline constexpr const char* kServerItem = "DDEVadOzev32Item";
inline constexpr const char* kServerWindowClass = "TF_HX16_32Server";
inline constexpr const char* kActivatedMessage = "WM_HXApplActivated";

struct TCopyDataEntry {
  bool outgoing;
  int32_t code;
  std::vector<uint8_t> data;
  int32_t result;
};

struct TReceivedBlock {
  int32_t code;
  std::vector<uint8_t> prefix;
  std::vector<uint8_t> payload;
};

struct TExecuteResult {
  bool acknowledged = false;
  // Broadcasts with wParam 2 that arrived for this execute.
  int broadcasts = 0;
  // Item texts the hot link brought meanwhile.
  std::vector<std::string> advised;
};

// The lines of an execute string joined by CR LF.
std::string JoinMacro(const std::vector<std::string>& lines);
// A type-byte parameter: type id 0 travels as 254.
std::string TypeBytes(std::initializer_list<int> types);
// Whether the server broadcasts after this execute (every macro of the conversation but
// "CloseEnabled").
bool ExpectsBroadcast(std::string_view execute);

class THxClient {
 public:
  static constexpr int kWaitMs = 15000;
  // How long an execute that should not broadcast is watched for one anyway.
  static constexpr int kNoBroadcastGraceMs = 300;

  THxClient();
  ~THxClient();
  THxClient(const THxClient&) = delete;
  THxClient& operator=(const THxClient&) = delete;

  // Starts the server program and waits for its main window.
  bool StartServer(const std::string& exe, const std::vector<std::string>& args = {},
                   int timeout_ms = kWaitMs);
  // Waits for a running server's main window.
  bool AttachServer(int timeout_ms = kWaitMs);
  HWND ServerWindow() const { return server_window_; }
  DWORD ServerProcessId() const { return server_pid_; }
  bool ServerRunning() const;
  bool WaitServerExit(int timeout_ms = kWaitMs);
  // The exit code of an ended server, or nothing.
  std::optional<DWORD> ServerExitCode() const;
  void KillServer();
  void KeepServer() { keep_server_ = true; }

  // Opens the conversation (after the server's window is known), with a hot link on the item
  // when asked. Under Wine a request on an item with a hot link is taken for advise data and
  // never completes: use either the hot link or requests.
  bool Connect(const std::string& service = kServerService, int timeout_ms = kWaitMs,
               bool hot_link = false);
  bool Connected() const { return conv_ != nullptr; }
  // Starts an execute (the bytes as they are); false when it could not be sent.
  bool BeginExecute(std::string_view execute);
  bool ExecutePending() const { return pending_execute_ != 0; }
  // Waits for the acknowledgement, then for the broadcast when one is expected.
  TExecuteResult EndExecute(int timeout_ms = kWaitMs);
  TExecuteResult Execute(std::string_view execute, int timeout_ms = kWaitMs);
  std::optional<std::string> Request(int timeout_ms = kWaitMs);
  void Disconnect();

  // wParam of every "WM_HXApplActivated" the window received.
  const std::vector<uint32_t>& Broadcasts() const { return broadcasts_; }
  int BroadcastCount(uint32_t wparam) const;
  bool WaitBroadcasts(uint32_t wparam, int count, int timeout_ms = kWaitMs);
  // Broadcasts "WM_HXApplActivated" with wParam 1, as the client does when it is activated.
  void BroadcastActivated();

  HWND Window() const { return window_; }
  uint32_t WindowHandle() const;
  int32_t SendRaw(int32_t code, std::span<const uint8_t> data);
  int32_t SendCounted(int32_t code, std::span<const uint8_t> bytes);
  bool SendBlock(int32_t code, std::span<const uint8_t> prefix, std::span<const uint8_t> payload);
  void SetReadSource(std::vector<uint8_t> bytes);
  const std::vector<TCopyDataEntry>& Traffic() const { return traffic_; }
  const std::vector<TReceivedBlock>& Blocks() const { return blocks_; }
  const std::vector<uint8_t>& Written() const { return written_; }
  // The bytes of each -251 reply to the client's own read requests (code -13).
  const std::vector<std::vector<uint8_t>>& Replies() const { return replies_; }
  void ClearTraffic();
  // Receives each message as a readable line when it goes or arrives.
  void SetDump(std::function<void(const std::string&)> sink) { dump_ = std::move(sink); }

  // A visible top-level window of the server's process (of any process before one is known)
  // with this caption.
  HWND FindServerWindow(const std::string& caption, int timeout_ms = kWaitMs);
  // Presses a button (control id, or its text without "&") of that window.
  bool PressButton(const std::string& caption, const std::string& button, int timeout_ms = kWaitMs);

  // Runs this thread's messages for the time, or until done() (true) or the limit (false).
  void Pump(int ms);
  bool PumpUntil(const std::function<bool()>& done, int timeout_ms);

 private:
  class TRecordingTransport;
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  static HDDEDATA CALLBACK DdeCallback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                       HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
  LRESULT OnCopyData(HWND from, LPARAM lparam);
  void Dump(const std::string& line);
  bool WaitTransaction(DWORD id, int timeout_ms);
  bool TakeServerWindow(HWND window);

  HWND window_ = nullptr;
  UINT activated_message_ = 0;
  HWND server_window_ = nullptr;
  DWORD server_pid_ = 0;
  HANDLE server_process_ = nullptr;
  bool started_server_ = false;
  bool keep_server_ = false;

  DWORD dde_ = 0;
  HCONV conv_ = nullptr;
  HSZ item_ = nullptr;
  DWORD pending_execute_ = 0;
  std::string pending_text_;
  size_t pending_broadcasts_ = 0;
  size_t pending_advised_ = 0;
  // Finished asynchronous transactions: id -> (succeeded, data).
  std::vector<std::pair<DWORD, std::optional<std::string>>> completed_;
  std::vector<std::string> advised_;

  std::vector<uint32_t> broadcasts_;
  std::vector<TCopyDataEntry> traffic_;
  std::vector<TReceivedBlock> blocks_;
  std::vector<uint8_t> written_;
  std::vector<std::vector<uint8_t>> replies_;
  std::vector<uint8_t> read_source_;
  size_t read_position_ = 0;
  TBlockAssembler assembler_;
  std::unique_ptr<TRecordingTransport> transport_;
  std::function<void(const std::string&)> dump_;
};

}  // namespace hx
