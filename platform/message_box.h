// The message boxes of the Win32 programs: the sink of the message functions, task-modal,
// with the icon and buttons of the request and the focus given back afterwards.
#pragma once

#include "records/messages.h"

namespace hx {

class TWin32MessageSink : public IMessageSink {
 public:
  MsgAnswer Show(const MessageRequest& request) override;
};

// Makes the message functions show their boxes through a TWin32MessageSink.
void InstallWin32MessageSink();

}  // namespace hx
