// The hidden main window TF_HX16_32Server: it carries the DDE conversation, receives the
// client's WM_COPYDATA messages and the activation message, and asks the server core what to
// do with each of them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/copy_data.h"
#include "platform/dde_server.h"
#include "server/core/server_core.h"

namespace hx {

inline constexpr const wchar_t* kMainWindowClass = L"TF_HX16_32Server";
inline constexpr const char* kMainWindowCaption = "TRVHX16_32Server";
inline constexpr const char* kTopicName = "DDEVadOzev32Topic";
inline constexpr const char* kItemName = "DDEVadOzev32Item";
inline constexpr const char* kActivatedMessageName = "WM_HXApplActivated";

struct TServerOptions {
  // Catalog operations open the test dialogs of test_services.h.
  bool test_services = false;
  // A line on stdout for every macro and message.
  bool trace = false;
};

class TF_HX16_32Server : public IServerHost, public IDdeServerEvents {
 public:
  explicit TF_HX16_32Server(const TServerOptions& options);
  ~TF_HX16_32Server() override;
  TF_HX16_32Server(const TF_HX16_32Server&) = delete;
  TF_HX16_32Server& operator=(const TF_HX16_32Server&) = delete;

  // Creates the window and runs FormCreate; false when the window or the DDE service could
  // not be made.
  bool Create(const std::string& service_name);
  HWND Handle() const { return handle_; }

  // IServerHost
  void WriteItem(std::string_view text) override;
  void Broadcast(uint32_t wparam) override;
  void RequestClose() override;
  void BringToFront() override;
  void Log(const std::string& text) override;

  // IDdeServerEvents: DDEVadOzev32TopicOpen, DDEVadOzev32TopicClose, doMacro.
  void OnConnect() override;
  void OnDisconnect() override;
  void OnExecute(std::string_view execute) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  void FormCreate();
  void MakeServices();

  TServerOptions options_;
  HWND handle_ = nullptr;
  // Only the low 16 bits of the registered message are kept and compared.
  uint16_t FActivatedMessage = 0;
  std::unique_ptr<TWin32CopyDataTransport> transport_;
  TServerServices services_;
  std::unique_ptr<ICatalogService> test_catalogs_[4];
  std::unique_ptr<TServerCore> core_;
  std::unique_ptr<TDdeServer> dde_;
};

}  // namespace hx
