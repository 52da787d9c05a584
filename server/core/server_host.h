// What the server core asks of the program around it: the DDE item, the activation broadcast,
// closing, bringing the server to the front and the trace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hx {

class IServerHost {
 public:
  virtual ~IServerHost() = default;
  // Sets the item's text (8-bit bytes) at once; advise loops are notified once the execute
  // that wrote it has been acknowledged.
  virtual void WriteItem(std::string_view text) = 0;
  // Sends "WM_HXApplActivated" to all top-level windows with this wParam and lParam 0, once
  // the execute has been acknowledged.
  virtual void Broadcast(uint32_t wparam) = 0;
  // Asks the main window to close; the close query decides.
  virtual void RequestClose() = 0;
  // Brings the main window (and with it the open dialog) in front of the client.
  virtual void BringToFront() = 0;
  // A line of the server's trace (UTF-8).
  virtual void Log(const std::string& text) = 0;
};

}  // namespace hx
