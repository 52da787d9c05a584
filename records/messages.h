// The message functions every part of the program shows its boxes through: texts from the
// string table (or literal texts), a caption by kind, and the switch MessagesEnabled that
// silences them while text is only being checked. The boxes themselves are drawn by a sink:
// the Win32 layer installs one with task-modal boxes that keep and restore the focus; tests
// install a MessageRecorder.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/msg_format.h"

namespace hx {

// The icon of a box.
enum class MsgKind { Plain, Error, Information, Confirmation, Warning };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Caption string-table ids.
inline constexpr int kCaptionPlain = 500;
inline constexpr int kCaptionError = 501;
inline constexpr int kCaptionInformation = 502;
inline constexpr int kCaptionConfirmation = 503;
inline constexpr int kCaptionWarning = 504;

struct MessageRequest {
  MsgKind kind = MsgKind::Plain;
  MsgButtons buttons = MsgButtons::Ok;
  std::string caption;
  std::string text;
};

class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  // Shows the box and returns the button the user pressed.
  virtual MsgAnswer Show(const MessageRequest& request) = 0;
};

// Installs the sink (not owned); nullptr reinstalls the default one. The default sink shows
// nothing and answers Ok to a plain box, No to a yes/no question and Cancel to a
// yes/no/cancel question, so that nothing is done on the user's behalf without a user.
void SetMessageSink(IMessageSink* sink);
IMessageSink& MessageSink();

bool MessagesEnabled();
void SetMessagesEnabled(bool enabled);

// Switches the messages off for its lifetime and then restores the previous state.
class MessagesSilenced {
 public:
  MessagesSilenced() : previous_(MessagesEnabled()) { SetMessagesEnabled(false); }
  ~MessagesSilenced() { SetMessagesEnabled(previous_); }
  MessagesSilenced(const MessagesSilenced&) = delete;
  MessagesSilenced& operator=(const MessagesSilenced&) = delete;

 private:
  bool previous_;
};

// Shows text in a box of the given kind and buttons; caption_id 0 gives caption 500. While
// MessagesEnabled is false nothing is shown and the answer is Ok.
MsgAnswer ShowMessageText(MsgKind kind, MsgButtons buttons, int caption_id, std::string_view text);

void ShowErrorMsg(int id, std::initializer_list<FmtArg> args = {});
void ShowErrorText(std::string_view text);
void ShowInfoMsg(int id, std::initializer_list<FmtArg> args = {});
void ShowInfoText(std::string_view text);
void ShowWarningMsg(int id, std::initializer_list<FmtArg> args = {});
// True only when the user answers Yes; a silenced question answers false.
bool AskYesNo(int id, std::initializer_list<FmtArg> args = {});
// Yes, No or Cancel; a silenced question answers Cancel.
MsgAnswer AskYesNoCancel(int id, std::initializer_list<FmtArg> args = {});

// A sink that records every box and answers from a queue (then with a default answer).
// It installs itself for its lifetime and restores the previous sink afterwards.
class MessageRecorder : public IMessageSink {
 public:
  MessageRecorder();
  ~MessageRecorder() override;
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  MsgAnswer Show(const MessageRequest& request) override;

  const std::vector<MessageRequest>& Messages() const { return messages_; }
  // The text of the last box, or an empty text.
  std::string LastText() const;
  void Clear() { messages_.clear(); }
  // Answers the next questions with these, in order.
  void QueueAnswers(std::initializer_list<MsgAnswer> answers);
  MsgAnswer default_answer = MsgAnswer::Yes;

 private:
  IMessageSink* previous_;
  std::vector<MessageRequest> messages_;
  std::vector<MsgAnswer> answers_;
};

}  // namespace hx
