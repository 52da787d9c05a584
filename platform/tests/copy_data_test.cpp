// WM_COPYDATA between two threads' windows (sent messages cross threads as they cross
// processes): codes and bytes arrive intact, a reply sent from inside the handler arrives
// before the send returns, split blocks reassemble, and dead or hung peers fail the send.
#include "platform/copy_data.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace hx {
namespace {

// A window on its own thread that records what it receives and answers read requests (-13)
// with a code 251 message to the sender, from inside its handler.
class TPeer {
 public:
  TPeer() {
    thread_ = std::thread([this] { Run(); });
    while (!window_.load()) Sleep(1);
  }
  ~TPeer() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_; }

  std::vector<std::pair<int32_t, std::vector<uint8_t>>> received;
  TBlockAssembler assembler;
  std::vector<uint8_t> block;
  int sleep_ms = 0;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TPeer*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == WM_COPYDATA && self) {
      const TCopyDataMessage m = ReadCopyData(lp);
      self->received.emplace_back(m.code, std::vector<uint8_t>(m.data.begin(), m.data.end()));
      if (self->sleep_ms) Sleep(self->sleep_ms);
      if (TBlockAssembler::IsBlockCode(m.code))
        return self->assembler.Take(m.code, m.data) ? 1 : -1;
      if (m.code < 0 && self->assembler.Complete()) self->block = self->assembler.Finish();
      if (m.code == -13) {
        const uint8_t reply[] = {2, 0, 'o', 'k'};
        return SendCopyData(reinterpret_cast<HWND>(wp), w, 251, reply, 4);
      }
      return m.code == 99 ? -1 : 1;
    }
    if (msg == WM_CLOSE) {
      DestroyWindow(w);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
  void Run() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &TPeer::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HXCopyDataPeer";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             wc.hInstance, nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = w;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }
  std::atomic<HWND> window_{nullptr};
  std::thread thread_;
};

// The test thread's own window: it receives the peer's replies.
class TOwnWindow {
 public:
  TOwnWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &TOwnWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HXCopyDataSelf";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             wc.hInstance, nullptr);
  }
  ~TOwnWindow() { DestroyWindow(window); }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
      const TCopyDataMessage m = ReadCopyData(lp);
      replies.emplace_back(m.code, std::string(m.data.begin(), m.data.end()));
      return 1;
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
  HWND window;
  static inline std::vector<std::pair<int32_t, std::string>> replies;
};

TEST(CopyData, CodesBytesAndNestedReplies) {
  TPeer peer;
  TOwnWindow self;
  const uint8_t bytes[] = {3, 0, 'a', 'b', 'c', 0xFF, 0xFE};
  EXPECT_EQ(SendCopyData(peer.Window(), self.window, 14, bytes, sizeof(bytes)), 1);
  EXPECT_EQ(SendCopyData(peer.Window(), self.window, -2147483647 - 1, nullptr, 0), 1);
  EXPECT_EQ(SendCopyData(peer.Window(), self.window, 99, bytes, 1), -1);
  ASSERT_EQ(peer.received.size(), 3u);
  EXPECT_EQ(peer.received[0].first, 14);
  EXPECT_EQ(peer.received[0].second, std::vector<uint8_t>(bytes, bytes + sizeof(bytes)));
  EXPECT_EQ(peer.received[1].first, -2147483647 - 1);
  EXPECT_TRUE(peer.received[1].second.empty());

  // The peer's reply to a read request arrives while the request is being sent.
  TOwnWindow::replies.clear();
  const uint8_t request[] = {2, 0};
  EXPECT_EQ(SendCopyData(peer.Window(), self.window, -13, request, 2), 1);
  ASSERT_EQ(TOwnWindow::replies.size(), 1u);
  EXPECT_EQ(TOwnWindow::replies[0].first, 251);
  EXPECT_EQ(TOwnWindow::replies[0].second, std::string("\x02\x00ok", 4));
}

TEST(CopyData, SplitBlocksThroughTheTransport) {
  TPeer peer;
  TOwnWindow self;
  TWin32CopyDataTransport transport(self.window);
  TCopyDataSender sender(transport, HandleOfWindow(peer.Window()));
  std::vector<uint8_t> payload(100000);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 13);
  ASSERT_TRUE(sender.SendBlock(4, std::vector<uint8_t>(338, 1), payload));
  EXPECT_EQ(peer.block, payload);
  EXPECT_EQ(peer.received.back().first, -4);
  EXPECT_EQ(peer.received.size(), 2u + (payload.size() + 8189) / 8190);
  EXPECT_EQ(WindowOfHandle(HandleOfWindow(peer.Window())), peer.Window());
}

TEST(CopyData, DeadAndHungPeersFail) {
  TOwnWindow self;
  HWND gone;
  {
    TPeer peer;
    gone = peer.Window();
  }
  EXPECT_EQ(SendCopyData(gone, self.window, 14, nullptr, 0), -1);
  TPeer slow;
  slow.sleep_ms = 1500;
  EXPECT_EQ(SendCopyData(slow.Window(), self.window, 14, nullptr, 0, 200), -1);
}

}  // namespace
}  // namespace hx
