#include "platform/message_box.h"

#include <windows.h>

#include "base/utf8.h"
#include "platform/application.h"

namespace hx {

MsgAnswer TWin32MessageSink::Show(const MessageRequest& request) {
  UINT style = MB_TASKMODAL | MB_SETFOREGROUND;
  switch (request.kind) {
    case MsgKind::Error:
      style |= MB_ICONERROR;
      break;
    case MsgKind::Information:
      style |= MB_ICONINFORMATION;
      break;
    case MsgKind::Confirmation:
      style |= MB_ICONQUESTION;
      break;
    case MsgKind::Warning:
      style |= MB_ICONWARNING;
      break;
    case MsgKind::Plain:
      break;
  }
  switch (request.buttons) {
    case MsgButtons::Ok:
      style |= MB_OK;
      break;
    case MsgButtons::YesNo:
      style |= MB_YESNO;
      break;
    case MsgButtons::YesNoCancel:
      style |= MB_YESNOCANCEL;
      break;
  }
  const HWND focus = GetFocus();
  int pressed;
  {
    TApplication::TModalScope modal;
    pressed =
        MessageBoxW(nullptr, Widen(request.text).c_str(), Widen(request.caption).c_str(), style);
  }
  if (focus && IsWindow(focus)) SetFocus(focus);
  switch (pressed) {
    case IDYES:
      return MsgAnswer::Yes;
    case IDNO:
      return MsgAnswer::No;
    case IDCANCEL:
      return MsgAnswer::Cancel;
    default:
      return MsgAnswer::Ok;
  }
}

void InstallWin32MessageSink() {
  static TWin32MessageSink sink;
  SetMessageSink(&sink);
}

}  // namespace hx
