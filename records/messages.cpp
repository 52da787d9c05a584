#include "records/messages.h"

#include "base/string_table.h"

namespace hx {
namespace {

class DefaultSink : public IMessageSink {
 public:
  MsgAnswer Show(const MessageRequest& request) override {
    switch (request.buttons) {
      case MsgButtons::YesNo:
        return MsgAnswer::No;
      case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
      default:
        return MsgAnswer::Ok;
    }
  }
};

DefaultSink g_default_sink;
IMessageSink* g_sink = &g_default_sink;
bool g_enabled = true;

}  // namespace

void SetMessageSink(IMessageSink* sink) {
  g_sink = sink ? sink : &g_default_sink;
}
IMessageSink& MessageSink() {
  return *g_sink;
}

bool MessagesEnabled() {
  return g_enabled;
}
void SetMessagesEnabled(bool enabled) {
  g_enabled = enabled;
}

MsgAnswer ShowMessageText(MsgKind kind, MsgButtons buttons, int caption_id, std::string_view text) {
  if (!g_enabled) return MsgAnswer::Ok;
  MessageRequest request;
  request.kind = kind;
  request.buttons = buttons;
  request.caption = std::string(LoadStr(caption_id ? caption_id : kCaptionPlain));
  request.text = std::string(text);
  return g_sink->Show(request);
}

void ShowErrorMsg(int id, std::initializer_list<FmtArg> args) {
  ShowErrorText(FormatStr(id, args));
}

void ShowErrorText(std::string_view text) {
  ShowMessageText(MsgKind::Error, MsgButtons::Ok, kCaptionError, text);
}

void ShowInfoMsg(int id, std::initializer_list<FmtArg> args) {
  ShowInfoText(FormatStr(id, args));
}

void ShowInfoText(std::string_view text) {
  ShowMessageText(MsgKind::Information, MsgButtons::Ok, kCaptionInformation, text);
}

void ShowWarningMsg(int id, std::initializer_list<FmtArg> args) {
  ShowMessageText(MsgKind::Warning, MsgButtons::Ok, kCaptionWarning, FormatStr(id, args));
}

bool AskYesNo(int id, std::initializer_list<FmtArg> args) {
  return ShowMessageText(MsgKind::Confirmation, MsgButtons::YesNo, kCaptionConfirmation,
                         FormatStr(id, args)) == MsgAnswer::Yes;
}

MsgAnswer AskYesNoCancel(int id, std::initializer_list<FmtArg> args) {
  const MsgAnswer a = ShowMessageText(MsgKind::Confirmation, MsgButtons::YesNoCancel,
                                      kCaptionConfirmation, FormatStr(id, args));
  return a == MsgAnswer::Yes || a == MsgAnswer::No ? a : MsgAnswer::Cancel;
}

MessageRecorder::MessageRecorder() : previous_(&MessageSink()) {
  SetMessageSink(this);
}

MessageRecorder::~MessageRecorder() {
  SetMessageSink(previous_);
}

MsgAnswer MessageRecorder::Show(const MessageRequest& request) {
  messages_.push_back(request);
  if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  if (answers_.empty()) return default_answer;
  const MsgAnswer a = answers_.front();
  answers_.erase(answers_.begin());
  return a;
}

std::string MessageRecorder::LastText() const {
  return messages_.empty() ? std::string() : messages_.back().text;
}

void MessageRecorder::QueueAnswers(std::initializer_list<MsgAnswer> answers) {
  answers_.insert(answers_.end(), answers);
}

}  // namespace hx
