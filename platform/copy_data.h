// WM_COPYDATA between processes: sending one message with a timeout, reading a received one,
// window handles as the 32-bit values the protocol carries, and the transport of the
// copy-data frames over it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "server/core/copy_data_frame.h"

namespace hx {

// A peer handles each message, and any it sends back from inside, within this time.
inline constexpr UINT kCopyDataTimeoutMs = 30000;

// Sends one message from window from to window to; the peer's result, or -1 when the window is
// gone or the send timed out.
int32_t SendCopyData(HWND to, HWND from, int32_t code, const void* data, uint32_t size,
                     UINT timeout_ms = kCopyDataTimeoutMs);

struct TCopyDataMessage {
  int32_t code;
  TBytes data;
};
// The record of a received WM_COPYDATA (its lParam).
TCopyDataMessage ReadCopyData(LPARAM lparam);

// Window handles cross the protocol as 32 bits; they widen by sign extension, as the system
// does for handles shared with 32-bit programs.
inline uint32_t HandleOfWindow(HWND window) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
inline HWND WindowOfHandle(uint32_t handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

// Carries the frames of a sender to peer windows, with the sender's own window as wParam.
class TWin32CopyDataTransport : public ICopyDataTransport {
 public:
  explicit TWin32CopyDataTransport(HWND sender, UINT timeout_ms = kCopyDataTimeoutMs)
      : sender_(sender), timeout_ms_(timeout_ms) {}
  int32_t Send(uint32_t peer, int32_t code, const uint8_t* data, uint32_t size) override {
    return SendCopyData(WindowOfHandle(peer), sender_, code, data, size, timeout_ms_);
  }

 private:
  HWND sender_;
  UINT timeout_ms_;
};

}  // namespace hx
