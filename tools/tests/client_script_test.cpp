// Steps and byte fields of client scripts, and the readable traffic lines.
#include "tools/client_script.h"

#include <gtest/gtest.h>

#include "tools/traffic_dump.h"

namespace hx {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ClientScript, Fields) {
  std::string error;
  EXPECT_EQ(*SplitFields("  exec  SelectRad \"R 22\" #1,14 ", error),
            (std::vector<std::string>{"exec", "SelectRad", "R 22", "#1,14"}));
  EXPECT_EQ(*SplitFields(R"(a "" "q\"x\\")", error), (std::vector<std::string>{"a", "", "q\"x\\"}));
  EXPECT_FALSE(SplitFields("a \"b", error));
}

TEST(ClientScript, ByteFields) {
  struct Case {
    const char* field;
    Bytes bytes;
  } cases[] = {
      {"abc", {'a', 'b', 'c'}},
      {"Жук", {0xC6, 0xF3, 0xEA}},
      {"#5,0,255", {5, 0, 255}},
      {"x:0500ff", {5, 0, 0xFF}},
      {"u16:5+abcde", {5, 0, 'a', 'b', 'c', 'd', 'e'}},
      {"u32:258", {2, 1, 0, 0}},
      {"i32:-1", {0xFF, 0xFF, 0xFF, 0xFF}},
      {"z:3", {0, 0, 0}},
      {"str:4:ab", {'a', 'b', 0, 0}},
      {"C:\\plan.dwg", {'C', ':', '\\', 'p', 'l', 'a', 'n', '.', 'd', 'w', 'g'}},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto bytes = ParseBytes(c.field, error);
    ASSERT_TRUE(bytes) << c.field << ": " << error;
    EXPECT_EQ(*bytes, c.bytes) << c.field;
  }
  for (const char* bad : {"#256", "#1,x", "x:5", "x:zz", "u16:70000", "u32:-1", "str:1:ab", "z:-1",
                          "f:/no/such/file"}) {
    std::string error;
    EXPECT_FALSE(ParseBytes(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(ClientScript, Steps) {
  std::string error;
  auto s = ParseStep("exec SelectRad R22 #0,1,14", error);
  ASSERT_TRUE(s) << error;
  EXPECT_EQ(s->kind, TStepKind::Exec);
  EXPECT_EQ(s->execute, "SelectRad\r\nR22\r\n\xfe\x01\x0e");
  s = ParseStep("begin SelectDzt \"\" \"\"", error);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->kind, TStepKind::Begin);
  EXPECT_EQ(s->execute, "SelectDzt\r\n\r\n");
  s = ParseStep("send 2 z:8+str:256:C:\\a.dwg", error);
  ASSERT_TRUE(s) << error;
  EXPECT_EQ(s->code, 2);
  EXPECT_EQ(s->prefix.size(), 264u);
  s = ParseStep("raw -13 u16:5", error);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->kind, TStepKind::Raw);
  EXPECT_EQ(s->code, -13);
  EXPECT_EQ(s->bytes, (Bytes{5, 0}));
  s = ParseStep("press \"HX test: SelectRad\" OK", error);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->caption, "HX test: SelectRad");
  EXPECT_EQ(s->button, "OK");
  for (const char* bad : {"", "exec", "request now", "send x", "sleep -5", "fly", "press a"}) {
    EXPECT_FALSE(ParseStep(bad, error)) << bad;
  }
  EXPECT_EQ(ScriptLines("# conversation\n\nrequest\r\n  exec CloseEnabled\n"),
            (std::vector<std::string>{"request", "exec CloseEnabled"}));
}

TEST(TrafficDump, Lines) {
  const Bytes b{5, 0, 'a', 'b', 'c', 'd', 'e'};
  EXPECT_EQ(FormatCopyData(false, -251, b, std::nullopt),
            "<- -251 cb=7: 05 00 61 62 63 64 65 |..abcde|");
  EXPECT_EQ(FormatCopyData(true, 13, {}, -1), "-> 13 cb=0 = -1");
  const Bytes big(40, 'x');
  EXPECT_NE(
      FormatCopyData(true, 14, big, 1).find("78 ... |xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...| = 1"),
      std::string::npos);
  EXPECT_EQ(QuoteText("OK\r\n"), "\"OK\\r\\n\"");
  EXPECT_EQ(QuoteText("\xc7\xc0\xc4\x01\"\\"), "\"ЗАД\\x01\\\"\\\\\"");
}

}  // namespace
}  // namespace hx
