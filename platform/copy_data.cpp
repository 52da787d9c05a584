#include "platform/copy_data.h"

namespace hx {

int32_t SendCopyData(HWND to, HWND from, int32_t code, const void* data, uint32_t size,
                     UINT timeout_ms) {
  COPYDATASTRUCT cds;
  cds.dwData = static_cast<ULONG_PTR>(static_cast<intptr_t>(code));
  cds.cbData = size;
  cds.lpData = const_cast<void*>(data);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                           reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, timeout_ms, &result)) {
    return -1;
  }
  return static_cast<int32_t>(static_cast<intptr_t>(result));
}

TCopyDataMessage ReadCopyData(LPARAM lparam) {
  const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (!cds) return {0, {}};
  const auto code = static_cast<int32_t>(static_cast<intptr_t>(cds->dwData));
  if (!cds->lpData || cds->cbData == 0) return {code, {}};
  return {code, TBytes(static_cast<const uint8_t*>(cds->lpData), cds->cbData)};
}

}  // namespace hx
