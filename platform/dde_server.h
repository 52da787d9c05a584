// A DDE server over DDEML with the ANSI entry points and CF_TEXT: one service, one topic and
// one item. Executes are handed over as the bytes that came and acknowledged positively when
// the handler returns; requests read the item; advise loops are notified after the current
// transaction has been acknowledged (a notification inside the execute callback would fail
// the client's execute). Conversations whose client vanished without ending them are found
// by a timer and ended.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

class IDdeServerEvents {
 public:
  virtual ~IDdeServerEvents() = default;
  // A conversation on the topic began.
  virtual void OnConnect() = 0;
  // A conversation ended; once per conversation, also for one whose client vanished.
  virtual void OnDisconnect() = 0;
  // An execute string (8-bit bytes). May run modal loops: other executes, disconnects and
  // any other message can arrive inside it.
  virtual void OnExecute(std::string_view execute) = 0;
};

class TDdeServer {
 public:
  explicit TDdeServer(IDdeServerEvents& events);
  ~TDdeServer();
  TDdeServer(const TDdeServer&) = delete;
  TDdeServer& operator=(const TDdeServer&) = delete;

  // Registers the service; false when DDEML refuses. Names are 8-bit text. One server per
  // process.
  bool Start(const std::string& service, const std::string& topic, const std::string& item,
             std::string initial_item);
  void Stop();

  // The item's text (8-bit bytes, sent with a terminating zero): requests read it at once,
  // advise loops are notified once the current transaction has been acknowledged.
  void SetItemText(std::string text);
  const std::string& ItemText() const { return item_text_; }

  // Runs the action from the message loop after the current DDE callback has returned (and
  // its acknowledgement has gone out), in the order of the calls.
  void Defer(std::function<void()> action);

  int ConversationCount() const { return static_cast<int>(live_.size()); }

  // How often conversations are checked for a vanished client.
  static constexpr UINT kPartnerCheckMs = 500;

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                    HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  HDDEDATA Handle(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data);
  HDDEDATA Execute(HCONV conv, HDDEDATA data);
  void Ended(HCONV conv);
  void CheckPartners();
  void RunDeferred();

  IDdeServerEvents& events_;
  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  HSZ topic_ = nullptr;
  HSZ item_ = nullptr;
  HWND window_ = nullptr;
  std::string item_text_;
  std::set<HCONV> live_;
  // Executes running per conversation, and conversations to end once theirs have returned.
  std::map<HCONV, int> executing_;
  std::set<HCONV> end_after_execute_;
  std::vector<std::function<void()>> deferred_;
};

}  // namespace hx
