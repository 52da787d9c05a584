#include "platform/ui/clipboard.h"

#include <cstring>

#include "base/utf8.h"

namespace hx {
namespace {

// Opens the clipboard for its lifetime, trying a few times while another program holds it.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

bool SetClipboardText(std::string_view text, HWND owner) {
  const std::wstring w = Widen(text);
  const size_t bytes = (w.size() + 1) * sizeof(wchar_t);
  ClipboardScope clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* p = GlobalLock(memory);
  if (!p) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(p, w.c_str(), bytes);
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_UNICODETEXT, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

std::optional<std::string> ClipboardText(HWND owner) {
  ClipboardScope clipboard(owner);
  if (!clipboard.Open()) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* p = static_cast<const wchar_t*>(GlobalLock(data));
  if (!p) return std::nullopt;
  // The data is another program's: read no further than its block.
  const size_t limit = GlobalSize(data) / sizeof(wchar_t);
  size_t n = 0;
  while (n < limit && p[n]) ++n;
  std::string text = Narrow(std::wstring_view(p, n));
  GlobalUnlock(data);
  return text;
}

bool SetClipboardMetafile(HENHMETAFILE metafile, HWND owner) {
  if (!metafile) return false;
  ClipboardScope clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  const HENHMETAFILE copy = CopyEnhMetaFileW(metafile, nullptr);
  if (!copy) return false;
  if (!SetClipboardData(CF_ENHMETAFILE, copy)) {
    DeleteEnhMetaFile(copy);
    return false;
  }
  return true;
}

HENHMETAFILE ClipboardMetafile(HWND owner) {
  ClipboardScope clipboard(owner);
  if (!clipboard.Open()) return nullptr;
  const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  return metafile ? CopyEnhMetaFileW(metafile, nullptr) : nullptr;
}

}  // namespace hx
