// The macro conversation: dispatch, answers and broadcasts, failures, nesting inside dialogs,
// the close protocol and the activation message.
#include "server/core/server_core.h"

#include <gtest/gtest.h>

#include "server/core/tests/fakes.h"

namespace hx {
namespace {

// A catalog module that records its calls; each call may run a nested action (what arrives
// while its dialog is open) and may fail.
class TFakeCatalog : public ICatalogService {
 public:
  std::vector<std::string> calls;
  TTypeFilter filter;
  std::function<void()> inside;
  bool fail = false;

  std::string Select(const std::string& symbol, const TTypeFilter& f) override {
    Call("select " + symbol, f);
    return "CHOSEN " + symbol;
  }
  void View(const std::string& symbol, const TTypeFilter& f) override { Call("view " + symbol, f); }
  void ShowInfo(const std::string& symbol) override { Call("info " + symbol, std::nullopt); }

 private:
  void Call(const std::string& what, const TTypeFilter& f) {
    calls.push_back(what);
    filter = f;
    if (inside) inside();
    if (fail) throw EHXError(-1, "catalog file damaged");
  }
};

class ServerCoreTest : public ::testing::Test {
 protected:
  ServerCoreTest() {
    services.radiators = &radiators;
    services.valves = &valves;
    services.producers = &producers;
    core = std::make_unique<TServerCore>(host, transport, services);
  }
  test::TRecordingTransport transport;
  test::TRecordingHost host;
  TFakeCatalog radiators, valves, producers;
  TServerServices services;
  std::unique_ptr<TServerCore> core;
};

std::vector<int> Members(const TTypeFilter& f) {
  std::vector<int> m;
  if (f) {
    for (int i = 0; i < 256; ++i) {
      if (f->test(i)) m.push_back(i);
    }
  }
  return m;
}

TEST_F(ServerCoreTest, SelectAnswersTheSymbolAndBroadcasts) {
  core->doMacro("SelectRad\r\nR22\r\n\x01\x0e\xfe");
  EXPECT_EQ(radiators.calls, std::vector<std::string>{"select R22"});
  EXPECT_EQ(Members(radiators.filter), (std::vector<int>{0, 1, 14}));
  EXPECT_EQ(host.items, std::vector<std::string>{"CHOSEN R22\r\n"});
  EXPECT_EQ(host.broadcasts, std::vector<uint32_t>{kActivatedByServer});
  EXPECT_FALSE(core->MacroRunning());
  EXPECT_FALSE(core->DialogOpen());

  // Valves know type 14 as 117; symbols travel in the code page both ways.
  core->doMacro("SelectDzt\r\n\xc7\xc0\xc4\r\n\x0e");
  EXPECT_EQ(valves.calls.back(), "select ЗАД");
  EXPECT_EQ(Members(valves.filter), std::vector<int>{117});
  EXPECT_EQ(host.items.back(), "CHOSEN \xc7\xc0\xc4\r\n");

  // No type bytes: no filter. No lines beyond the name: empty symbol.
  core->doMacro("SelectProd");
  EXPECT_EQ(producers.calls.back(), "select ");
  EXPECT_FALSE(producers.filter.has_value());
}

TEST_F(ServerCoreTest, ViewAndInfoDoNotWriteTheItem) {
  core->doMacro("ViewRad\r\nR1\r\n\x05");
  core->doMacro("InfoDzt\r\nV1");
  core->doMacro("InfoProd\r\nP1");
  EXPECT_EQ(radiators.calls, std::vector<std::string>{"view R1"});
  EXPECT_EQ(Members(radiators.filter), std::vector<int>{5});
  EXPECT_EQ(valves.calls, std::vector<std::string>{"info V1"});
  EXPECT_EQ(producers.calls, std::vector<std::string>{"info P1"});
  EXPECT_TRUE(host.items.empty());
  EXPECT_EQ(host.broadcasts.size(), 3u);
}

TEST_F(ServerCoreTest, FailuresAnswerEmptyAndStillBroadcast) {
  core->doMacro("SelectRad\r\nR22");
  radiators.fail = true;
  core->doMacro("SelectRad\r\nR22");
  // Pipes are not there: the macro fails as a failing operation does.
  core->doMacro("SelectPipe\r\nP1");
  core->doMacro("ViewRad\r\nR22");
  EXPECT_EQ(host.items, (std::vector<std::string>{"CHOSEN R22\r\n", "", ""}));
  EXPECT_EQ(host.broadcasts.size(), 4u);
  EXPECT_FALSE(core->DialogOpen());
  EXPECT_FALSE(core->MacroRunning());

  // Handle macros: not a number, or a window without a link.
  for (const char* m :
       {"VipImageLoadFromFile\r\nabc", "VipImageEdit\r\n12345", "VipImageLoadFromFile"}) {
    core->doMacro(m);
    EXPECT_EQ(host.items.back(), "") << m;
  }
  const size_t items = host.items.size();
  core->doMacro("CalcUFRad\r\n12345");
  EXPECT_EQ(host.items.size(), items);
  EXPECT_EQ(host.broadcasts.size(), 8u);
}

TEST_F(ServerCoreTest, UnknownAndEmptyExecutesDoNothing) {
  for (const char* m : {"", "\r\n", "selectrad\r\nR22", "Bogus", "SelectRad "}) {
    core->doMacro(m);
  }
  EXPECT_TRUE(radiators.calls.empty());
  EXPECT_TRUE(host.items.empty());
  EXPECT_TRUE(host.broadcasts.empty());
  EXPECT_EQ(host.close_requests, 0);
}

TEST_F(ServerCoreTest, CloseProtocol) {
  core->DDEVadOzev32TopicOpen();
  core->DDEVadOzev32TopicOpen();
  core->DDEVadOzev32TopicClose();
  EXPECT_EQ(host.close_requests, 0);
  // The end of the last conversation asks; without "CloseEnabled" the close is refused.
  core->DDEVadOzev32TopicClose();
  EXPECT_EQ(host.close_requests, 1);
  EXPECT_FALSE(core->FormCloseQuery());
  core->DDEVadOzev32TopicOpen();
  core->doMacro("CloseEnabled");
  EXPECT_TRUE(host.broadcasts.empty());
  core->DDEVadOzev32TopicClose();
  EXPECT_EQ(host.close_requests, 2);
  EXPECT_TRUE(core->FormCloseQuery());
}

TEST_F(ServerCoreTest, CloseWaitsForTheLastRunningMacro) {
  core->DDEVadOzev32TopicOpen();
  bool refused_inside = false;
  radiators.inside = [&] {
    // While the dialog is open the client enables closing and its conversation ends.
    core->doMacro("CloseEnabled");
    EXPECT_TRUE(core->MacroRunning());
    EXPECT_TRUE(core->DialogOpen());
    core->DDEVadOzev32TopicClose();
    refused_inside = !core->FormCloseQuery();
  };
  host.on_close_request = [&] {
    if (!core->MacroRunning()) {
      EXPECT_TRUE(core->FormCloseQuery());
    }
  };
  core->doMacro("SelectRad\r\nR22");
  EXPECT_TRUE(refused_inside);
  // Asked at the end of the conversation, and again when the select ended.
  EXPECT_EQ(host.close_requests, 2);
  EXPECT_EQ(host.items, std::vector<std::string>{"CHOSEN R22\r\n"});
}

TEST_F(ServerCoreTest, NestedMacrosKeepTheOuterDialogOpen) {
  radiators.inside = [&] {
    radiators.inside = nullptr;
    core->doMacro("InfoRad\r\nR1");
    EXPECT_TRUE(core->DialogOpen());
    EXPECT_TRUE(core->ActivatedMessage(kActivatedByClient));
  };
  core->doMacro("SelectRad\r\nR22\r\n\x03");
  EXPECT_EQ(host.brought_to_front, 1);
  EXPECT_FALSE(core->ActivatedMessage(kActivatedByClient));
  EXPECT_FALSE(core->ActivatedMessage(kActivatedByServer));
  EXPECT_EQ(host.brought_to_front, 1);
  EXPECT_EQ(host.broadcasts.size(), 2u);
}

}  // namespace
}  // namespace hx
