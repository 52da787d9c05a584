#include "server/core/server_core.h"

#include "base/cp1251.h"
#include "records/messages.h"

namespace hx {
namespace {

// "Введенная величина '%S' не является числом"
constexpr int kMsgNotANumber = 20065;

}  // namespace

// Counts a running macro or copy-data message; the end of the last one asks again for a close
// that was refused meanwhile.
class TServerCore::TRunScope {
 public:
  TRunScope(TServerCore& core, int& depth) : core_(core), depth_(depth) { ++depth_; }
  ~TRunScope() {
    --depth_;
    core_.EndRun();
  }
  TRunScope(const TRunScope&) = delete;
  TRunScope& operator=(const TRunScope&) = delete;

 private:
  TServerCore& core_;
  int& depth_;
};

// Counts an open operation dialog (the client's wParam 1 then brings the server to the front).
class TServerCore::TDialogScope {
 public:
  explicit TDialogScope(TServerCore& core) : core_(core) { ++core_.dialog_depth_; }
  ~TDialogScope() { --core_.dialog_depth_; }
  TDialogScope(const TDialogScope&) = delete;
  TDialogScope& operator=(const TDialogScope&) = delete;

 private:
  TServerCore& core_;
};

TServerCore::TServerCore(IServerHost& host, ICopyDataTransport& transport,
                         const TServerServices& services, IFileOps& files)
    : host_(host),
      services_(services),
      link_context_{transport, services, files},
      links_(link_context_) {}

void TServerCore::EndRun() {
  if (macro_depth_ > 0 || copy_data_depth_ > 0 || !close_pending_) return;
  close_pending_ = false;
  host_.RequestClose();
}

void TServerCore::doMacro(std::string_view execute) {
  TRunScope running(*this, macro_depth_);
  try {
    const std::vector<std::string> lines = SplitMacroLines(execute);
    if (lines.empty()) return;
    const std::string& name = lines[0];
    const std::string param1 = lines.size() > 1 ? lines[1] : std::string();
    const std::string param2 = lines.size() > 2 ? lines[2] : std::string();
    host_.Log("macro " + Cp1251ToUtf8(name));

    struct TCatalogMacro {
      const char* name;
      TCatalogOp op;
      ICatalogService* service;
      bool valve_types;
    };
    const TCatalogMacro catalog_macros[] = {
        {"SelectRad", TCatalogOp::Select, services_.radiators, false},
        {"ViewRad", TCatalogOp::View, services_.radiators, false},
        {"InfoRad", TCatalogOp::Info, services_.radiators, false},
        {"SelectDzt", TCatalogOp::Select, services_.valves, true},
        {"ViewDzt", TCatalogOp::View, services_.valves, true},
        {"InfoDzt", TCatalogOp::Info, services_.valves, true},
        {"SelectPipe", TCatalogOp::Select, services_.pipes, false},
        {"ViewPipe", TCatalogOp::View, services_.pipes, false},
        {"InfoPipe", TCatalogOp::Info, services_.pipes, false},
        {"SelectProd", TCatalogOp::Select, services_.producers, false},
        {"ViewProd", TCatalogOp::View, services_.producers, false},
        {"InfoProd", TCatalogOp::Info, services_.producers, false},
    };
    for (const TCatalogMacro& m : catalog_macros) {
      if (name == m.name) {
        CatalogMacro(m.name, m.op, m.service, m.valve_types, Cp1251ToUtf8(param1), param2);
        return;
      }
    }
    if (name == "CalcUFRad" || name == "VipImageLoadFromFile" || name == "VipImageEdit") {
      HandleMacro(name, param1);
    } else if (name == "CloseEnabled") {
      close_enabled_ = true;
    }
  } catch (const std::exception& e) {
    host_.Log(std::string("macro failed: ") + e.what());
  }
}

void TServerCore::CatalogMacro(std::string_view name, TCatalogOp op, ICatalogService* service,
                               bool valve_types, const std::string& symbol,
                               std::string_view type_bytes) {
  TTypeSet types = BuildAllowedTypes(type_bytes);
  if (valve_types) MapValveTypes(types);
  const TTypeFilter filter = TypeFilterOf(types);
  std::vector<std::string> answer;
  std::string failure;
  try {
    TDialogScope dialog(*this);
    ICatalogService& catalog = Need(service, std::string(name).c_str());
    switch (op) {
      case TCatalogOp::Select:
        answer.push_back(catalog.Select(symbol, filter));
        break;
      case TCatalogOp::View:
        catalog.View(symbol, filter);
        break;
      case TCatalogOp::Info:
        catalog.ShowInfo(symbol);
        break;
    }
  } catch (const EOperationCancelled&) {
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (!failure.empty()) ShowErrorText(failure);
  // A failed select answers empty, so that the client never takes an earlier answer for its
  // result.
  if (op == TCatalogOp::Select) WriteAnswer(std::move(answer));
  host_.Broadcast(kActivatedByServer);
}

void TServerCore::HandleMacro(std::string_view name, std::string_view handle_text) {
  const bool picture_macro = name != "CalcUFRad";
  const std::optional<uint32_t> handle = ParseClientHandle(handle_text);
  if (!handle) ShowErrorMsg(kMsgNotANumber, {Cp1251ToUtf8(handle_text)});
  // The use keeps the link alive while its dialog is open.
  TCopyDataLinks::TUse link = handle ? links_.Find(*handle) : TCopyDataLinks::TUse();
  std::vector<std::string> answer;
  if (link) {
    std::string failure;
    bool ok = false;
    try {
      TDialogScope dialog(*this);
      if (name == "VipImageLoadFromFile") {
        ok = link->LoadPicture();
      } else if (name == "VipImageEdit") {
        ok = link->EditPicture();
      } else {
        link->CalcUnderfloor();
      }
    } catch (const EOperationCancelled&) {
    } catch (const std::exception& e) {
      failure = e.what();
    }
    if (!failure.empty()) ShowErrorText(failure);
    if (ok) answer.push_back("OK");
  }
  // Without a link, or when the operation failed, a picture macro answers empty.
  if (picture_macro) WriteAnswer(std::move(answer));
  host_.Broadcast(kActivatedByServer);
}

void TServerCore::WriteAnswer(std::vector<std::string> lines) {
  answer_lines_ = std::move(lines);
  std::string text;
  for (const std::string& line : answer_lines_) text += Utf8ToCp1251(line) + "\r\n";
  host_.WriteItem(text);
}

void TServerCore::DDEVadOzev32TopicOpen() {
  ++conversation_count_;
}

void TServerCore::DDEVadOzev32TopicClose() {
  if (--conversation_count_ <= 0) host_.RequestClose();
}

bool TServerCore::FormCloseQuery() {
  if (macro_depth_ > 0 || copy_data_depth_ > 0) {
    close_pending_ = true;
    return false;
  }
  return close_enabled_;
}

bool TServerCore::ActivatedMessage(uint32_t wparam) {
  if (wparam != kActivatedByClient || (dialog_depth_ == 0 && copy_data_depth_ == 0)) return false;
  host_.BringToFront();
  return true;
}

int32_t TServerCore::WMCopyData(uint32_t client_window, int32_t code, TBytes message) {
  TRunScope running(*this, copy_data_depth_);
  TCopyDataLinks::TUse link = links_.FindOrAdd(client_window);
  return link->HandleMessage(code, message);
}

}  // namespace hx
