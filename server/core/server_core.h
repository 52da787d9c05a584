// The state and decisions of the server's main window: the macros of the DDE conversation with
// their answers and broadcasts, the conversation count and the close protocol, the activation
// message, and the client links that WM_COPYDATA messages go to. Macros and copy-data arrive
// inside the modal loops of dialogs, so everything that is "running" or "open" is counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/safe_replace.h"
#include "server/core/copy_data_links.h"
#include "server/core/copy_data_object.h"
#include "server/core/server_host.h"
#include "server/core/server_services.h"

namespace hx {

// The item's text before any macro has answered, "Kot ma Alę". The item travels in code page
// 1251, which has no "ę"; it goes as the "e" that the system's own conversion to 1251 makes
// of it.
inline constexpr const char* kInitialItemText = "Kot ma Ale";
// wParam of "WM_HXApplActivated": 1 from an activated client, 2 from the server after a macro.
inline constexpr uint32_t kActivatedByClient = 1;
inline constexpr uint32_t kActivatedByServer = 2;

class TServerCore {
 public:
  TServerCore(IServerHost& host, ICopyDataTransport& transport, const TServerServices& services,
              IFileOps& files = SystemFileOps());

  // The execute handler: line 0 names the macro, lines 1 and 2 are its parameters (8-bit bytes
  // as they came). Never raises.
  void doMacro(std::string_view execute);

  void DDEVadOzev32TopicOpen();
  void DDEVadOzev32TopicClose();
  // A close passes only with "CloseEnabled" given and no macro or copy-data message running
  // (either may hold a dialog open). A close asked for while they run is asked again when the
  // last of them ends.
  bool FormCloseQuery();
  // The activation message; true when the server handled it, false for the default window
  // procedure.
  bool ActivatedMessage(uint32_t wparam);
  // A WM_COPYDATA message: the result returned to the client.
  int32_t WMCopyData(uint32_t client_window, int32_t code, TBytes message);

  bool MacroRunning() const { return macro_depth_ > 0; }
  bool DialogOpen() const { return dialog_depth_ > 0; }
  int MacroDepth() const { return macro_depth_; }
  int CopyDataDepth() const { return copy_data_depth_; }
  int DialogDepth() const { return dialog_depth_; }
  int ConversationCount() const { return conversation_count_; }
  bool CloseEnabled() const { return close_enabled_; }
  bool ClosePending() const { return close_pending_; }
  // The lines last written into the item.
  const std::vector<std::string>& AnswerLines() const { return answer_lines_; }
  TCopyDataLinks& Links() { return links_; }

 private:
  enum class TCatalogOp { Select, View, Info };
  class TRunScope;
  class TDialogScope;

  void CatalogMacro(std::string_view name, TCatalogOp op, ICatalogService* service,
                    bool valve_types, const std::string& symbol, std::string_view type_bytes);
  void HandleMacro(std::string_view name, std::string_view handle_text);
  void WriteAnswer(std::vector<std::string> lines);
  void EndRun();

  IServerHost& host_;
  const TServerServices& services_;
  TLinkContext link_context_;
  TCopyDataLinks links_;
  std::vector<std::string> answer_lines_;
  int macro_depth_ = 0;
  int copy_data_depth_ = 0;
  int dialog_depth_ = 0;
  int conversation_count_ = 0;
  bool close_enabled_ = false;
  bool close_pending_ = false;
};

}  // namespace hx
