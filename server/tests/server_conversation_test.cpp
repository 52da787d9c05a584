// The real server under Wine, driven as the client drives it: the DDE conversation with its
// answers and broadcasts, the close protocol, and the copy-data exchange. Each test starts its
// own server with --test-services, whose catalog operations open small dialogs that the test
// presses. A job object ends the server with the test program, whatever happens to it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf8.h"
#include "tools/hx_client.h"

namespace hx {
namespace {

std::string ServerExe() {
  wchar_t name[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, name, MAX_PATH);
  std::wstring path = name;
  return Narrow(path.substr(0, path.find_last_of(L"\\/") + 1)) + "TRVHX16_32Server.exe";
}

// The bytes of a literal, zero bytes inside included.
template <size_t N>
std::vector<uint8_t> Bytes(const char (&s)[N]) {
  return {s, s + N - 1};
}

// A job that kills what it holds when its last handle closes, i.e. with the test program.
HANDLE KillOnCloseJob() {
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION info = {};
    info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(j, JobObjectExtendedLimitInformation, &info, sizeof(info));
    return j;
  }();
  return job;
}

class ServerConversation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(client.StartServer(ServerExe(), {"--test-services"}));
    HANDLE process =
        OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, client.ServerProcessId());
    if (process) {
      AssignProcessToJobObject(KillOnCloseJob(), process);
      CloseHandle(process);
    }
    ASSERT_TRUE(client.Connect());
  }
  // The client object ends a server that still runs.
  void TearDown() override {
    if (client.ServerRunning()) client.KillServer();
  }

  std::string Item() { return client.Request().value_or("<no answer>"); }

  THxClient client;
};

TEST_F(ServerConversation, InitialTextUnknownMacroAndEmptyExecute) {
  EXPECT_EQ(Item(), "Kot ma Ale");
  for (const char* execute : {"Bogus\r\nR22", "selectrad\r\nR22", ""}) {
    const TExecuteResult r = client.Execute(execute);
    EXPECT_TRUE(r.acknowledged) << execute;
    EXPECT_EQ(r.broadcasts, 0) << execute;
    EXPECT_EQ(Item(), "Kot ma Ale") << execute;
  }
  EXPECT_TRUE(client.ServerRunning());
}

TEST_F(ServerConversation, CloseEnabledThenTheEndOfTheConversationEndsTheServer) {
  const TExecuteResult r = client.Execute("CloseEnabled");
  EXPECT_TRUE(r.acknowledged);
  EXPECT_EQ(r.broadcasts, 0);
  client.Disconnect();
  ASSERT_TRUE(client.WaitServerExit());
  EXPECT_EQ(client.ServerExitCode(), 0u);
}

TEST_F(ServerConversation, TheEndWithoutCloseEnabledLeavesTheServerRunning) {
  client.Disconnect();
  client.Pump(1500);
  ASSERT_TRUE(client.ServerRunning());
  // It still serves a new conversation.
  ASSERT_TRUE(client.Connect());
  EXPECT_EQ(Item(), "Kot ma Ale");
}

TEST_F(ServerConversation, SelectAnswersAndAFailedSelectAnswersEmpty) {
  ASSERT_TRUE(client.BeginExecute(JoinMacro({"SelectDzt", "V1", TypeBytes({0, 3, 14})})));
  ASSERT_TRUE(client.PressButton("HX test: SelectDzt", "OK"));
  TExecuteResult r = client.EndExecute();
  EXPECT_TRUE(r.acknowledged);
  EXPECT_EQ(r.broadcasts, 1);
  EXPECT_EQ(Item(), "V1:0,3,117\r\n");

  // The operation fails: its message, then an empty answer and still the broadcast.
  ASSERT_TRUE(client.BeginExecute(JoinMacro({"SelectRad", "R22"})));
  ASSERT_TRUE(client.PressButton("HX test: SelectRad", "Ошибка"));
  ASSERT_TRUE(client.PressButton("Tarvos H.X. - Ошибка", "OK"));
  r = client.EndExecute();
  EXPECT_EQ(r.broadcasts, 1);
  EXPECT_EQ(Item(), "");
}

TEST_F(ServerConversation, AHotLinkBringsEachAnswer) {
  THxClient hot;
  ASSERT_TRUE(hot.AttachServer());
  ASSERT_TRUE(hot.Connect(kServerService, THxClient::kWaitMs, /*hot_link=*/true));
  ASSERT_TRUE(hot.BeginExecute(JoinMacro({"SelectPipe", "P1"})));
  ASSERT_TRUE(hot.PressButton("HX test: SelectPipe", "OK"));
  const TExecuteResult r = hot.EndExecute();
  EXPECT_EQ(r.broadcasts, 1);
  EXPECT_EQ(r.advised, std::vector<std::string>{"P1:none\r\n"});
  // The activation message from the client while no dialog is open changes nothing.
  hot.BroadcastActivated();
  EXPECT_EQ(Item(), "P1:none\r\n");
}

TEST_F(ServerConversation, CloseWhileAMacroRunsWaitsUntilItEnds) {
  ASSERT_TRUE(client.Execute("CloseEnabled").acknowledged);
  ASSERT_TRUE(client.BeginExecute(JoinMacro({"ViewPipe", "P1"})));
  ASSERT_TRUE(client.FindServerWindow("HX test: ViewPipe"));
  // The conversation ends while the dialog is open: the close is refused for now.
  client.Disconnect();
  client.Pump(1500);
  ASSERT_TRUE(client.ServerRunning());
  ASSERT_TRUE(client.FindServerWindow("HX test: ViewPipe", 1000));
  // The end of the macro lets the close through.
  ASSERT_TRUE(client.PressButton("HX test: ViewPipe", "OK"));
  ASSERT_TRUE(client.WaitServerExit());
  EXPECT_EQ(client.ServerExitCode(), 0u);
}

TEST_F(ServerConversation, PictureMacroWithoutALinkAnswersEmptyAndBroadcasts) {
  const TExecuteResult r = client.Execute(JoinMacro({"VipImageLoadFromFile", "12345"}));
  EXPECT_TRUE(r.acknowledged);
  EXPECT_EQ(r.broadcasts, 1);
  EXPECT_EQ(Item(), "");
}

TEST_F(ServerConversation, IncomingStreamIsReadBackWithCode13) {
  EXPECT_EQ(client.SendCounted(14, Bytes("abc")), 1);
  EXPECT_EQ(client.SendCounted(-14, Bytes("de")), 1);
  const uint8_t five[] = {5, 0};
  EXPECT_EQ(client.SendRaw(-13, five), 1);
  ASSERT_EQ(client.Replies().size(), 1u);
  EXPECT_EQ(client.Replies()[0], Bytes("abcde"));
  // The reply as it came: -251 [05 00]'abcde'.
  bool seen = false;
  for (const TCopyDataEntry& e : client.Traffic()) {
    if (!e.outgoing && e.code == -251) {
      seen = true;
      EXPECT_EQ(e.data, Bytes("\x05\x00"
                              "abcde"));
    }
  }
  EXPECT_TRUE(seen);
  // +13 resets the link first: the stream is gone.
  EXPECT_EQ(client.SendRaw(13, five), -1);
  EXPECT_EQ(client.Replies().size(), 1u);
}

TEST_F(ServerConversation, MalformedFramesFailAndTheServerServesOn) {
  const struct {
    const char* what;
    int32_t code;
    std::vector<uint8_t> data;
  } cases[] = {
      {"255 without 254", 255,
       Bytes("\x03\x00"
             "abc")},
      {"-255 without 254", -255,
       Bytes("\x03\x00"
             "abc")},
      {"prefix longer than cbData", 2,
       Bytes("\xff\x00"
             "abc")},
      {"count longer than cbData", 14,
       Bytes("\x09\x00"
             "ab")},
      {"254 above the cap", -254, Bytes("\x00\x00\x00\x20")},
      {"load record without its name's zero", 2,
       [] {
         std::vector<uint8_t> f = {8, 1};
         f.resize(2 + 264, 'a');
         return f;
       }()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(client.SendRaw(c.code, c.data), -1) << c.what;
    EXPECT_EQ(client.SendCounted(14, Bytes("ok")), 1) << c.what;
  }
  const uint8_t two[] = {2, 0};
  EXPECT_EQ(client.SendRaw(-13, two), 1);
  EXPECT_EQ(client.Replies().back(), Bytes("ok"));
  EXPECT_EQ(Item(), "Kot ma Ale");
}

TEST_F(ServerConversation, TwoClientWindowsHaveTheirOwnLinks) {
  THxClient other;
  ASSERT_TRUE(other.AttachServer());
  EXPECT_EQ(client.SendCounted(14, Bytes("abc")), 1);
  EXPECT_EQ(other.SendCounted(14, Bytes("xyz")), 1);
  const uint8_t three[] = {3, 0};
  EXPECT_EQ(other.SendRaw(-13, three), 1);
  EXPECT_EQ(client.SendRaw(-13, three), 1);
  ASSERT_EQ(other.Replies().size(), 1u);
  ASSERT_EQ(client.Replies().size(), 1u);
  EXPECT_EQ(other.Replies()[0], Bytes("xyz"));
  EXPECT_EQ(client.Replies()[0], Bytes("abc"));
  // Code 250 frees the other window's link only.
  EXPECT_EQ(other.SendRaw(250, {}), -1);
  EXPECT_EQ(other.SendRaw(-13, three), -1);
  EXPECT_EQ(client.SendCounted(-14, Bytes("de")), 1);
  EXPECT_EQ(client.SendRaw(-13, three), 1);
  EXPECT_EQ(client.Replies().back(), Bytes("de"));
}

}  // namespace
}  // namespace hx
