// copydata_bench: the time to move a block of bytes from one process to another with the
// server's stream block (-252/-253 chunks of 8190 bytes, then the prefix message) and large
// block (-254/-255), against one plain WM_COPYDATA of the same bytes, in the same run.
// The program starts itself a second time as the sending side; this side receives,
// reassembles and checks every transfer. Under Wine 8 one WM_COPYDATA of 2 MiB or more
// between processes is never delivered (the send times out): a plain message that fails is
// reported as such and not tried again in that run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "objects/byte_stream.h"
#include "platform/copy_data.h"
#include "server/core/copy_data_frame.h"

namespace {

constexpr int32_t kPlainCode = 1000;
constexpr int32_t kResultsCode = 2000;
constexpr int32_t kPictureCode = 4;
constexpr size_t kPrefixSize = 338;
constexpr UINT kPlainTimeoutMs = 5000;
constexpr const char* kKinds[] = {"one WM_COPYDATA of the bytes", "stream block (-252/-253)",
                                  "large block (-254/-255)"};

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> v(size);
  uint32_t x = 2463534242u;
  for (auto& b : v) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<uint8_t>(x);
  }
  return v;
}

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

HWND MakeWindow(WNDPROC proc) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HXCopyDataBench";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

// The receiving side.
struct TReceiver {
  std::vector<uint8_t> expected;
  hx::TBlockAssembler assembler;
  int transfers = 0;
  int bad = 0;
  std::string results;
  bool done = false;
} g_receiver;

LRESULT CALLBACK ReceiverProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_COPYDATA) return DefWindowProcW(w, msg, wp, lp);
  TReceiver& r = g_receiver;
  const hx::TCopyDataMessage m = hx::ReadCopyData(lp);
  if (hx::TBlockAssembler::IsBlockCode(m.code)) return r.assembler.Take(m.code, m.data) ? 1 : -1;
  if (m.code == kPlainCode || m.code == -kPictureCode) {
    const bool plain = m.code == kPlainCode;
    const std::vector<uint8_t> payload =
        plain ? std::vector<uint8_t>(m.data.begin(), m.data.end()) : r.assembler.Finish();
    const auto frame = plain ? std::nullopt : hx::ParseFrame(m.data);
    ++r.transfers;
    if (payload != r.expected || (!plain && (!frame || frame->prefix.size() != kPrefixSize)))
      ++r.bad;
    return 1;
  }
  if (m.code == kResultsCode) {
    r.results.assign(m.data.begin(), m.data.end());
    r.done = true;
    return 1;
  }
  return -1;
}

LRESULT CALLBACK SenderProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(w, msg, wp, lp);
}

// The sending side: runs every kind of transfer runs times and sends the seconds back.
int Send(HWND receiver, size_t size, int runs) {
  HWND self = MakeWindow(&SenderProc);
  const std::vector<uint8_t> data = Pattern(size);
  const std::vector<uint8_t> prefix(kPrefixSize, 7);
  hx::TWin32CopyDataTransport transport(self, 120000);
  hx::TCopyDataSender sender(transport, hx::HandleOfWindow(receiver));
  std::string results;
  bool plain_failed = false;
  for (int run = 0; run < runs; ++run) {
    for (int kind = 0; kind < 3; ++kind) {
      if (kind == 0 && plain_failed) continue;
      hx::TMemoryStream stream(data);
      const double t0 = Now();
      bool ok = false;
      if (kind == 0) {
        ok = hx::SendCopyData(receiver, self, kPlainCode, data.data(), static_cast<uint32_t>(size),
                              kPlainTimeoutMs) > 0;
        plain_failed = !ok;
      } else if (kind == 1) {
        ok = sender.SendStreamBlock(kPictureCode, prefix, stream, 0);
      } else {
        ok = sender.SendBlock(kPictureCode, prefix, data);
      }
      const double seconds = Now() - t0;
      results += std::to_string(kind) + " " + (ok ? std::to_string(seconds) : "-1") + "\n";
    }
  }
  hx::SendCopyData(receiver, self, kResultsCode, results.data(),
                   static_cast<uint32_t>(results.size()));
  return 0;
}

int Receive(HWND self, size_t size, int runs) {
  g_receiver = TReceiver();
  g_receiver.expected = Pattern(size);
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --send-to " +
                         std::to_wstring(hx::HandleOfWindow(self)) + L" --size " +
                         std::to_wstring(size) + L" --runs " + std::to_wstring(runs);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "copydata_bench: cannot start the sending side\n");
    return 1;
  }
  const DWORD start = GetTickCount();
  while (!g_receiver.done && GetTickCount() - start < 300000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0 && !g_receiver.done) break;
    MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT);
  }
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  if (!g_receiver.done) {
    std::fprintf(stderr, "copydata_bench: the sending side gave no results\n");
    return 1;
  }

  std::vector<double> seconds[3];
  int failures[3] = {0, 0, 0};
  size_t pos = 0;
  const std::string& text = g_receiver.results;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    int kind = 0;
    double s = 0;
    if (std::sscanf(text.substr(pos, end - pos).c_str(), "%d %lf", &kind, &s) == 2 && kind >= 0 &&
        kind < 3) {
      if (s < 0) {
        ++failures[kind];
      } else {
        seconds[kind].push_back(s);
      }
    }
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  const double mb = static_cast<double>(size) / 1e6;
  std::printf("copy-data transfer of %.2f MiB between two processes, %d run(s), best / median:\n",
              static_cast<double>(size) / (1 << 20), runs);
  int expected_transfers = 0;
  for (int kind = 0; kind < 3; ++kind) {
    auto& v = seconds[kind];
    expected_transfers += static_cast<int>(v.size());
    if (v.empty()) {
      std::printf("  %-30s not delivered (no answer within %u ms)\n", kKinds[kind],
                  kPlainTimeoutMs);
      continue;
    }
    std::sort(v.begin(), v.end());
    const double best = v.front(), median = v[v.size() / 2];
    std::printf("  %-30s %8.1f ms %8.1f MB/s   / %8.1f ms %8.1f MB/s\n", kKinds[kind], best * 1e3,
                mb / best, median * 1e3, mb / median);
  }
  const size_t chunks = std::max<size_t>(1, (size + hx::kCopyDataChunk - 1) / hx::kCopyDataChunk);
  std::printf("  (a split block is %zu messages of at most %u bytes)\n", chunks + 2,
              hx::kCopyDataMessage);
  std::printf("transfers received %d, wrong %d\n", g_receiver.transfers, g_receiver.bad);
  // Only the split transfers must always arrive.
  const bool split_failed = failures[1] || failures[2] || seconds[1].empty() || seconds[2].empty();
  return split_failed || g_receiver.bad || g_receiver.transfers != expected_transfers ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<size_t> sizes;
  int runs = 5;
  HWND send_to = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == L"--help") {
      std::printf(
          "usage: copydata_bench [--mib N]... [--runs N]   (default: --mib 1 --mib 16 --runs 5)\n");
      return 0;
    } else if (a == L"--mib" && has_value) {
      sizes.push_back(
          static_cast<size_t>(std::max(0.0, std::wcstod(argv[++i], nullptr)) * (1 << 20)));
    } else if (a == L"--size" && has_value) {
      sizes.push_back(static_cast<size_t>(std::wcstoull(argv[++i], nullptr, 10)));
    } else if (a == L"--runs" && has_value) {
      runs = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
    } else if (a == L"--send-to" && has_value) {
      send_to = hx::WindowOfHandle(static_cast<uint32_t>(std::wcstoul(argv[++i], nullptr, 10)));
    } else {
      std::fprintf(stderr, "copydata_bench: unknown argument %s\n", hx::Narrow(a).c_str());
      return 2;
    }
  }
  if (sizes.empty()) sizes = {1u << 20, 16u << 20};
  for (size_t& size : sizes) size = std::min<size_t>(size, hx::kMaxSplitBlock);
  if (send_to) return Send(send_to, sizes.front(), runs);
  HWND self = MakeWindow(&ReceiverProc);
  int rc = 0;
  for (const size_t size : sizes) rc |= Receive(self, size, runs);
  return rc;
}
