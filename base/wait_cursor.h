// The wait cursor shown during long operations. The platform installs the functions that show
// and restore it; without them (native tests) nothing is shown.
#pragma once

namespace hx {

struct WaitCursorHooks {
  void (*show)() = nullptr;
  void (*restore)() = nullptr;
};
void SetWaitCursorHooks(WaitCursorHooks hooks);

// Shows the wait cursor for its lifetime; nested scopes restore only at the outermost end.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace hx
