#include "base/wait_cursor.h"

namespace hx {
namespace {
WaitCursorHooks g_hooks;
int g_depth = 0;
}  // namespace

void SetWaitCursorHooks(WaitCursorHooks hooks) { g_hooks = hooks; }

WaitCursor::WaitCursor() {
  if (g_depth++ == 0 && g_hooks.show) g_hooks.show();
}

WaitCursor::~WaitCursor() {
  if (--g_depth == 0 && g_hooks.restore) g_hooks.restore();
}

}  // namespace hx
