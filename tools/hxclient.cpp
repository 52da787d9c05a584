// hxclient: a command-line client of TRVHX16_32Server. It starts the server or attaches to a
// running one, then runs the steps given on the command line (or in a script file) one by
// one: DDE executes and requests, copy-data messages, presses of dialog buttons.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/utf8.h"
#include "tools/client_script.h"
#include "tools/hx_client.h"
#include "tools/traffic_dump.h"

namespace {

constexpr char kUsage[] = R"(hxclient - a client of TRVHX16_32Server over DDE and WM_COPYDATA

usage: hxclient [options] STEP...

options:
  --start EXE       start the server program (default: attach to a running one)
  --arg ARG         an argument for the started server (repeatable)
  --service NAME    DDE service name (default TRVHX16_32Server)
  --read-file FILE  answer the server's -13 read requests from the bytes of FILE
  --dump            print every copy-data message in both directions
  --advise          keep a hot link on the item: execs print the item texts it brings
                    instead of requesting the item afterwards
  --timeout MS      limit of every wait (default 15000)
  --script FILE     further steps from FILE, one per line ("#" starts a comment line)
  --keep            leave a server started here running at the end
  --help            this text

steps (each one argument; fields separated by blanks, "..." keeps blanks):
  request                        print the item DDEVadOzev32Item
  exec NAME [P1 [P2]]            execute a macro, wait for it and its broadcast, print the item
  begin NAME [P1 [P2]]           start an execute and go on (e.g. to press its dialog's button)
  end                            wait for the execute that begin started
  send CODE [PREFIX [PAYLOAD]]   a frame [2-byte P][prefix][payload] (split when large)
  counted CODE BYTES             [2-byte count][bytes], as -14 frames and 251 replies
  raw CODE [BYTES]               the bytes as they are (also malformed frames)
  press CAPTION BUTTON           press a button (control id or text) of a server window
  activate                       broadcast WM_HXApplActivated with wParam 1
  connect | disconnect           begin or end the DDE conversation
  close                          execute CloseEnabled, then end the conversation
  wait-exit                      wait until the server program ends
  sleep MS

macro parameters: text (sent in code page 1251), or #n,n,... for bytes by number
  (type bytes; type 0 is sent as 254): exec SelectRad R22 #1,14
byte fields: parts joined by "+": text, #n,n,..., x:HEX, u16:N, u32:N, i32:N, z:N (N zeros),
  str:N:TEXT (TEXT padded with zeros to N bytes), f:PATH (a file's bytes)
  send 14 abc   send 2 z:8+str:256:C:\plan.dwg   raw -13 u16:5   raw 255 x:ff00

example:
  hxclient --start TRVHX16_32Server.exe request "exec SelectRad R22 #1" close wait-exit
)";

void Print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool ReadFile(const std::string& name, std::string& text) {
  std::ifstream in(std::filesystem::path(std::u8string(name.begin(), name.end())),
                   std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

class TRunner {
 public:
  TRunner(hx::THxClient& client, int timeout_ms) : client_(client), timeout_(timeout_ms) {}

  bool Run(const hx::TClientStep& step) {
    using hx::TStepKind;
    switch (step.kind) {
      case TStepKind::Request: {
        if (!EnsureConnected()) return false;
        if (advise) {
          Print("request: not with --advise");
          return false;
        }
        const auto item = client_.Request(timeout_);
        Print(item ? "item: " + hx::QuoteText(*item) : "item: (no answer)");
        return item.has_value();
      }
      case TStepKind::Exec:
        return Begin(step.execute) && End();
      case TStepKind::Begin:
        return Begin(step.execute);
      case TStepKind::End:
        return End();
      case TStepKind::Send: {
        const bool ok = client_.SendBlock(step.code, step.prefix, step.payload);
        Print("send " + std::to_string(step.code) + ": " + (ok ? "1" : "-1"));
        return Received();
      }
      case TStepKind::Counted:
        Print("counted " + std::to_string(step.code) + ": " +
              std::to_string(client_.SendCounted(step.code, step.bytes)));
        return Received();
      case TStepKind::Raw:
        Print("raw " + std::to_string(step.code) + ": " +
              std::to_string(client_.SendRaw(step.code, step.bytes)));
        return Received();
      case TStepKind::Press: {
        const bool ok = client_.PressButton(step.caption, step.button, timeout_);
        Print("press \"" + step.caption + "\" " + step.button + ": " +
              (ok ? "pressed" : "not found"));
        return ok;
      }
      case TStepKind::Broadcast:
        client_.BroadcastActivated();
        Print("activate: broadcast wParam 1");
        return true;
      case TStepKind::Connect:
        return EnsureConnected();
      case TStepKind::Disconnect:
        client_.Disconnect();
        Print("disconnect");
        return true;
      case TStepKind::Close:
        if (!Begin("CloseEnabled") || !End()) return false;
        client_.Disconnect();
        Print("disconnect");
        return true;
      case TStepKind::WaitExit: {
        const bool ended = client_.WaitServerExit(timeout_);
        const auto code = client_.ServerExitCode();
        Print(ended ? "server ended" +
                          (code ? " (exit code " + std::to_string(*code) + ")" : std::string())
                    : "server still running");
        return ended;
      }
      case TStepKind::Sleep:
        client_.Pump(step.milliseconds);
        return true;
    }
    return false;
  }

 private:
  bool EnsureConnected() {
    if (client_.Connected()) return true;
    const bool ok = client_.Connect(service, timeout_, advise);
    Print(ok ? "connected" : "could not connect to the server");
    return ok;
  }

  bool Begin(const std::string& execute) {
    if (!EnsureConnected()) return false;
    name_ = hx::QuoteText(execute.substr(0, execute.find('\r')));
    if (!client_.BeginExecute(execute)) {
      Print("exec " + name_ + ": could not be sent");
      return false;
    }
    return true;
  }

  bool End() {
    if (!client_.ExecutePending()) {
      Print("end: no execute running");
      return false;
    }
    const hx::TExecuteResult r = client_.EndExecute(timeout_);
    Print("exec " + name_ + ": " + (r.acknowledged ? "acknowledged" : "not acknowledged") + ", " +
          (r.broadcasts ? "broadcast wParam 2" : "no broadcast"));
    for (const std::string& a : r.advised) Print("advise: " + hx::QuoteText(a));
    if (client_.Connected() && !advise) {
      const auto item = client_.Request(timeout_);
      Print(item ? "item: " + hx::QuoteText(*item) : "item: (no answer)");
    }
    Received();
    return r.acknowledged;
  }

  // Reports the blocks and written bytes that came from the server since the last report.
  bool Received() {
    const auto& blocks = client_.Blocks();
    for (; blocks_seen_ < blocks.size(); ++blocks_seen_) {
      const hx::TReceivedBlock& b = blocks[blocks_seen_];
      Print("received " + std::to_string(b.code) + ": prefix " + std::to_string(b.prefix.size()) +
            " bytes, payload " + std::to_string(b.payload.size()) + " bytes");
    }
    const auto& replies = client_.Replies();
    for (; replies_seen_ < replies.size(); ++replies_seen_) {
      const auto& r = replies[replies_seen_];
      Print("reply: " + std::to_string(r.size()) + " bytes " +
            hx::QuoteText(std::string(r.begin(), r.end())));
    }
    if (client_.Written().size() != written_seen_) {
      written_seen_ = client_.Written().size();
      Print("server wrote " + std::to_string(written_seen_) + " bytes");
    }
    return true;
  }

 public:
  std::string service = hx::kServerService;
  bool advise = false;

 private:
  hx::THxClient& client_;
  int timeout_;
  std::string name_;
  size_t blocks_seen_ = 0;
  size_t replies_seen_ = 0;
  size_t written_seen_ = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(hx::Narrow(argv[i]));

  std::string start, read_file, service = hx::kServerService;
  std::vector<std::string> server_args, step_texts;
  bool dump = false, keep = false, advise = false;
  int timeout = hx::THxClient::kWaitMs;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> const std::string* {
      return i + 1 < args.size() ? &args[++i] : nullptr;
    };
    const std::string* v = nullptr;
    if (a == "--help" || a == "-h" || a == "/?") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--dump") {
      dump = true;
    } else if (a == "--advise") {
      advise = true;
    } else if (a == "--keep") {
      keep = true;
    } else if (a == "--start" || a == "--arg" || a == "--service" || a == "--read-file" ||
               a == "--timeout" || a == "--script") {
      if (!(v = value())) {
        std::fprintf(stderr, "hxclient: %s needs a value\n", a.c_str());
        return 2;
      }
      if (a == "--start") start = *v;
      if (a == "--arg") server_args.push_back(*v);
      if (a == "--service") service = *v;
      if (a == "--read-file") read_file = *v;
      if (a == "--timeout") timeout = std::atoi(v->c_str());
      if (a == "--script") {
        std::string text;
        if (!ReadFile(*v, text)) {
          std::fprintf(stderr, "hxclient: cannot read %s\n", v->c_str());
          return 2;
        }
        for (std::string& line : hx::ScriptLines(text)) step_texts.push_back(std::move(line));
      }
    } else if (a.rfind("--", 0) == 0) {
      std::fprintf(stderr, "hxclient: unknown option %s (see --help)\n", a.c_str());
      return 2;
    } else {
      step_texts.push_back(a);
    }
  }
  if (timeout <= 0) timeout = hx::THxClient::kWaitMs;

  std::vector<hx::TClientStep> steps;
  for (const std::string& text : step_texts) {
    std::string error;
    auto step = hx::ParseStep(text, error);
    if (!step) {
      std::fprintf(stderr, "hxclient: %s: %s\n", text.c_str(), error.c_str());
      return 2;
    }
    steps.push_back(std::move(*step));
  }

  hx::THxClient client;
  if (keep) client.KeepServer();
  if (dump) client.SetDump(&Print);
  if (!read_file.empty()) {
    std::string bytes;
    if (!ReadFile(read_file, bytes)) {
      std::fprintf(stderr, "hxclient: cannot read %s\n", read_file.c_str());
      return 2;
    }
    client.SetReadSource(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  if (!start.empty()) {
    if (!client.StartServer(start, server_args, timeout)) {
      Print("could not start " + start);
      return 1;
    }
    Print("server started");
  } else if (!client.AttachServer(timeout)) {
    Print("no server is running");
    return 1;
  }

  TRunner runner(client, timeout);
  runner.service = service;
  runner.advise = advise;
  for (const hx::TClientStep& step : steps) {
    if (!runner.Run(step)) return 1;
  }
  if (client.ExecutePending()) {
    hx::TClientStep end;
    end.kind = hx::TStepKind::End;
    runner.Run(end);
  }
  return 0;
}
