// The client links as the client sees them: each code through the server core's copy-data
// entry, with a recording transport standing in for the client window.
#include "server/core/copy_data_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "base/cp1251.h"
#include "base/msg_format.h"
#include "objects/data_kind.h"
#include "records/messages.h"
#include "server/core/server_core.h"
#include "server/core/tests/fakes.h"

namespace hx {
namespace {

using test::Bytes;
using test::Cardinal;
using test::Counted;
using test::Frame;
using Seq = std::vector<std::pair<int32_t, uint32_t>>;

constexpr uint32_t kClient = 0x10234;
constexpr uint32_t kOtherClient = 0x20456;

std::vector<uint8_t> Record(size_t size, size_t name_at, std::string_view name) {
  std::vector<uint8_t> r(size, 0);
  std::copy(name.begin(), name.end(), r.begin() + static_cast<ptrdiff_t>(name_at));
  return r;
}
// The name in the code page of the records.
std::vector<uint8_t> LoadParams(std::string_view name) {
  return Record(264, 8, Utf8ToCp1251(name));
}
std::vector<uint8_t> ParamsRecord(uint32_t handle) {
  TPictureParams p;
  p.handle = handle;
  p.width = 500;
  p.scale = 2.5;
  const auto r = p.Encode();
  return {r.begin(), r.end()};
}

// Reads the whole transfer; the dialog notes the load version it runs with.
class TFakeUnderfloor : public IUnderfloorCalculation {
 public:
  int calls = 0;
  uint8_t read_data_kind = 0;
  uint8_t dialog_data_kind = 0;
  std::vector<uint8_t> read;
  std::unique_ptr<TTransfer> ReadTransfer(TObjectStream& s) override {
    read_data_kind = GetDataKind();
    read.resize(static_cast<size_t>(s.Remaining()));
    s.ReadBytes(read.data(), read.size());
    return std::make_unique<TTransfer>();
  }
  void ShowCalculation(TTransfer&) override {
    ++calls;
    dialog_data_kind = GetDataKind();
  }
};

class TFakeConverter : public IDrawingConverter {
 public:
  std::vector<std::string> read;
  std::optional<TDrawing> Read(const std::string& file_name) override {
    read.push_back(file_name);
    return std::nullopt;
  }
  bool Save(const TDrawing&, const std::string&) override { return false; }
  void Close(const TDrawing&) override {}
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() {
    services.pictures = &pictures;
    services.underfloor = &underfloor;
    services.drawings = &converter;
    core = std::make_unique<TServerCore>(host, transport, services);
  }

  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& m : messages.Messages()) texts.push_back(m.text);
    return texts;
  }

  int32_t Send(int32_t code, const std::vector<uint8_t>& data, uint32_t window = kClient) {
    return core->WMCopyData(window, code, data);
  }
  // Loads a picture for the client and gives its handle.
  uint32_t LoadPicture(std::string_view name = "C:\\plan.dwg") {
    EXPECT_EQ(Send(2, Frame(LoadParams(name))), 1);
    transport.sent.clear();
    core->doMacro("VipImageLoadFromFile\r\n" + std::to_string(kClient));
    EXPECT_EQ(host.items.back(), "OK\r\n");
    const auto frame = ParseFrame(transport.sent.back().data);
    const auto params = TPictureParams::Decode(frame->prefix);
    transport.sent.clear();
    return params->handle;
  }
  // The client answers each read request with the next bytes of source.
  void AnswerReadsFrom(std::vector<uint8_t> source) {
    client_source = std::move(source);
    client_read = 0;
    transport.answer = [this](const test::TSentMessage& m) {
      if (m.code != -13) return 1;
      const size_t k = GetWord(m.data.data());
      const size_t n = std::min(k, client_source.size() - client_read);
      const std::string bytes(client_source.begin() + static_cast<ptrdiff_t>(client_read),
                              client_source.begin() + static_cast<ptrdiff_t>(client_read + n));
      client_read += n;
      return core->WMCopyData(m.peer, 251, Counted(bytes));
    };
  }

  test::TRecordingTransport transport;
  test::TRecordingHost host;
  MessageRecorder messages;
  test::TFakePictureService pictures;
  TFakeUnderfloor underfloor;
  TFakeConverter converter;
  TServerServices services;
  std::unique_ptr<TServerCore> core;
  std::vector<uint8_t> client_source;
  size_t client_read = 0;
};

TEST_F(LinkTest, IncomingStreamIsReadBackInPieces) {
  EXPECT_EQ(Send(14, Counted("abc")), 1);
  EXPECT_EQ(Send(-14, Counted("de")), 1);
  EXPECT_EQ(Send(-13, Bytes("\x05\x00")), 1);
  ASSERT_EQ(transport.sent.size(), 1u);
  EXPECT_EQ(transport.sent[0].peer, kClient);
  EXPECT_EQ(transport.sent[0].code, -251);
  EXPECT_EQ(transport.sent[0].data, Bytes("\x05\x00"
                                          "abcde"));
  // Only the bytes really read go back, with their count.
  EXPECT_EQ(Send(-13, Bytes("\x05\x00")), 1);
  EXPECT_EQ(transport.sent[1].data, Bytes("\x00\x00"));
  // A positive 13 has dropped the stream with its reset.
  EXPECT_EQ(Send(13, Bytes("\x05\x00")), -1);
  EXPECT_EQ(Send(-13, Bytes("\x05\x00")), -1);
  EXPECT_EQ(transport.sent.size(), 2u);
  // A positive 14 starts a new stream.
  EXPECT_EQ(Send(14, Counted("xyz")), 1);
  EXPECT_EQ(Send(-13, Bytes("\x02\x00")), 1);
  EXPECT_EQ(Send(-13, Bytes("\x09\x00")), 1);
  EXPECT_EQ(transport.sent[2].data, Bytes("\x02\x00"
                                          "xy"));
  EXPECT_EQ(transport.sent[3].data, Bytes("\x01\x00"
                                          "z"));
  // A failed reply send fails the request.
  transport.answer = [](const test::TSentMessage&) { return -1; };
  EXPECT_EQ(Send(-13, Bytes("\x01\x00")), -1);
}

TEST_F(LinkTest, MalformedMessagesFailAndTheLinkServesOn) {
  struct Case {
    const char* what;
    int32_t code;
    std::vector<uint8_t> data;
  } cases[] = {
      {"255 without 254", 255, Counted("abc")},
      {"-255 without 254", -255, Counted("abc")},
      {"254 above the cap", 254, Cardinal(kMaxSplitBlock + 1)},
      {"254 without its length", 254, Bytes("\x01\x00")},
      {"prefix longer than the message", 2,
       Bytes("\xff\x00"
             "abc")},
      {"count longer than the message", 14,
       Bytes("\x09\x00"
             "ab")},
      {"14 without its count", 14, Bytes("\x01")},
      {"251 count longer than the message", 251,
       Bytes("\x05\x00"
             "ab")},
      {"13 without its count", -13, Bytes("")},
      {"load record short", 2, Frame(std::vector<uint8_t>(263, 'a'))},
      {"load name without zero", 2, Frame(std::vector<uint8_t>(264, 'a'))},
      {"save record short", 3, Frame(Record(264, 9, "C:\\a"))},
      {"save name without zero", 3, Frame(std::vector<uint8_t>(265, 1))},
      {"handle short", 7, Frame(Bytes("\x01\x00\x00"))},
      {"picture record short", 9, Frame(std::vector<uint8_t>(337))},
      {"picture name without zero", 9, Frame(std::vector<uint8_t>(338, 1))},
      {"drawing name short", 15, Frame(std::vector<uint8_t>(255))},
      {"drawing name without zero", 15, Frame(std::vector<uint8_t>(256, 'a'))},
      {"code 1", 1, Frame({})},
      {"code 4", 4, Frame({})},
      {"code 11", 11, Frame(Cardinal(1))},
      {"code 252", -252, Cardinal(4)},
      {"code 253", -253, Counted("ab")},
      {"code 0", 0, Frame({})},
      {"code 100", 100, Frame({})},
      {"lowest code", INT_MIN, Frame({})},
      {"reset", 249, Frame({})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Send(c.code, c.data), -1) << c.what;
    EXPECT_EQ(Send(14, Counted("ok")), 1) << c.what;
  }
  EXPECT_TRUE(transport.sent.empty());
  EXPECT_TRUE(converter.read.empty());
  // A large block stays within its announced length; its continuation is served.
  EXPECT_EQ(Send(-254, Cardinal(5)), 1);
  EXPECT_EQ(Send(-255, Counted("abcdef")), -1);
  EXPECT_EQ(Send(-255, Counted("abcde")), 1);
  EXPECT_EQ(Send(-255, Counted("f")), -1);
  EXPECT_EQ(Send(-2, Frame(LoadParams("C:\\big.dwg"))), 1);
  core->doMacro("VipImageLoadFromFile\r\n" + std::to_string(kClient));
  EXPECT_THAT(pictures.journal, ::testing::Contains("load C:\\big.dwg"));
}

TEST_F(LinkTest, TwoClientWindowsHaveTheirOwnLinks) {
  EXPECT_EQ(Send(14, Counted("abc"), kClient), 1);
  EXPECT_EQ(Send(14, Counted("xyz"), kOtherClient), 1);
  EXPECT_EQ(Send(-13, Bytes("\x03\x00"), kOtherClient), 1);
  EXPECT_EQ(Send(-13, Bytes("\x03\x00"), kClient), 1);
  EXPECT_EQ(transport.sent[0].peer, kOtherClient);
  EXPECT_EQ(transport.sent[0].data, Bytes("\x03\x00"
                                          "xyz"));
  EXPECT_EQ(transport.sent[1].peer, kClient);
  EXPECT_EQ(transport.sent[1].data, Bytes("\x03\x00"
                                          "abc"));
  const uint32_t handle = LoadPicture();
  EXPECT_EQ(core->Links().Count(), 2);
  EXPECT_EQ(core->Links().Find(kClient)->PictureCount(), 1);
  EXPECT_EQ(core->Links().Find(kOtherClient)->PictureCount(), 0);
  // The other window cannot use the handle.
  EXPECT_EQ(Send(7, Frame(Cardinal(handle)), kOtherClient), -1);
  // Code 250 frees one link only.
  EXPECT_EQ(Send(250, Frame({}), kOtherClient), -1);
  EXPECT_EQ(core->Links().Count(), 1);
  EXPECT_TRUE(core->Links().Find(kClient)->HasPicture(handle));
}

TEST_F(LinkTest, LoadedPictureGoesToTheClientAsAStreamBlock) {
  EXPECT_EQ(Send(2, Frame(LoadParams("C:\\Проекты\\plan.dwg"))), 1);
  core->doMacro("VipImageLoadFromFile\r\n" + std::to_string(kClient));
  const std::string image = "image of C:\\Проекты\\plan.dwg";
  EXPECT_EQ(transport.Sequence(),
            (Seq{{-252, 4}, {-253, static_cast<uint32_t>(image.size() + 2)}, {-4, 342}}));
  EXPECT_EQ(transport.sent[1].data, Counted(image));
  const auto params = TPictureParams::Decode(ParseFrame(transport.sent[2].data)->prefix);
  ASSERT_TRUE(params);
  EXPECT_EQ(params->width, static_cast<int32_t>(image.size()));
  EXPECT_EQ(params->file_name, "plan.dwg");
  EXPECT_TRUE(core->Links().Find(kClient)->HasPicture(params->handle));
  EXPECT_EQ(host.items, std::vector<std::string>{"OK\r\n"});
  EXPECT_EQ(host.broadcasts, std::vector<uint32_t>{kActivatedByServer});
}

TEST_F(LinkTest, FailedLoadsAnswerEmptyAndKeepNothing) {
  const std::string macro = "VipImageLoadFromFile\r\n" + std::to_string(kClient);
  // Cancelled properties dialog.
  pictures.on_dialog = [] { return false; };
  EXPECT_EQ(Send(2, Frame(LoadParams("C:\\a.dwg"))), 1);
  core->doMacro(macro);
  EXPECT_EQ(host.items.back(), "");
  EXPECT_EQ(pictures.journal.back(), "freed");
  // An unreadable drawing: message 20129 with the file name and the reason.
  pictures.on_dialog = nullptr;
  pictures.on_load = [](const std::string&) { throw EInvalidGraphic("bad header"); };
  core->doMacro(macro);
  EXPECT_EQ(Errors(), std::vector<std::string>{FormatStr(20129, {"C:\\a.dwg", "bad header"})});
  EXPECT_EQ(host.items.back(), "");
  // A refused picture send.
  pictures.on_load = nullptr;
  transport.answer = [](const test::TSentMessage& m) { return m.code == -4 ? -1 : 1; };
  core->doMacro(macro);
  EXPECT_EQ(host.items.back(), "");
  EXPECT_EQ(core->Links().Find(kClient)->PictureCount(), 0);
  EXPECT_EQ(host.broadcasts.size(), 3u);
}

TEST_F(LinkTest, PictureCodes) {
  const uint32_t handle = LoadPicture();
  TCopyDataLinks::TUse link = core->Links().Find(kClient);
  // 7: a copy under a new handle, sent to the client.
  EXPECT_EQ(Send(7, Frame(Cardinal(handle))), 1);
  ASSERT_EQ(transport.sent.size(), 1u);
  EXPECT_EQ(transport.sent[0].code, 7);
  const uint32_t copy = GetCardinal(ParseFrame(transport.sent[0].data)->prefix.data());
  EXPECT_NE(copy, handle);
  EXPECT_TRUE(link->HasPicture(copy));
  EXPECT_EQ(Send(7, Frame(Cardinal(999))), -1);
  EXPECT_EQ(transport.sent.size(), 1u);
  // 3: save with a valid handle only.
  std::vector<uint8_t> save = Record(265, 9, "C:\\out.dwg");
  std::copy_n(Cardinal(copy).begin(), 4, save.begin());
  EXPECT_EQ(Send(3, Frame(save)), 1);
  EXPECT_EQ(pictures.journal.back(), "save C:\\out.dwg");
  std::copy_n(Cardinal(999).begin(), 4, save.begin());
  EXPECT_EQ(Send(3, Frame(save)), -1);
  // 9: valid when its handle names a picture of the link.
  EXPECT_EQ(Send(9, Frame(ParamsRecord(handle))), 1);
  EXPECT_EQ(Send(9, Frame(ParamsRecord(999))), -1);
  // 8: the image editor, then the picture as code 4.
  transport.sent.clear();
  EXPECT_EQ(Send(8, Frame(Cardinal(handle))), 1);
  EXPECT_EQ(transport.sent.back().code, -4);
  EXPECT_EQ(Send(8, Frame(Cardinal(999))), -1);
  // 5: frees a valid handle; an unknown one still answers 1.
  EXPECT_EQ(Send(5, Frame(Cardinal(copy))), 1);
  EXPECT_FALSE(link->HasPicture(copy));
  EXPECT_EQ(Send(5, Frame(Cardinal(copy))), 1);
  // 6: frees all; its result stays -1.
  EXPECT_EQ(Send(6, Frame({})), -1);
  EXPECT_EQ(link->PictureCount(), 0);
}

TEST_F(LinkTest, PictureObjectsCrossThroughObjectStreams) {
  const uint32_t handle = LoadPicture();
  // 10: a reset for the client's link, then the object in -14 frames.
  EXPECT_EQ(Send(10, Frame(Cardinal(handle))), 1);
  ASSERT_GE(transport.sent.size(), 2u);
  EXPECT_EQ(transport.sent[0].code, 249);
  EXPECT_EQ(transport.sent[0].data, Bytes("\x00\x00\x00\x00"));
  std::vector<uint8_t> written;
  for (size_t i = 1; i < transport.sent.size(); ++i) {
    EXPECT_EQ(transport.sent[i].code, -14);
    const auto chunk = ParseCounted(transport.sent[i].data);
    written.insert(written.end(), chunk->begin(), chunk->end());
  }
  const std::string image = "image of C:\\plan.dwg";
  std::vector<uint8_t> stored = Cardinal(static_cast<uint32_t>(image.size()));
  stored.insert(stored.end(), image.begin(), image.end());
  EXPECT_EQ(written, stored);
  EXPECT_EQ(Send(10, Frame(Cardinal(999))), -1);

  // 12: the same bytes read back, one request per read, then the new handle as code 11.
  transport.sent.clear();
  AnswerReadsFrom(stored);
  EXPECT_EQ(Send(12, Frame({})), 1);
  EXPECT_EQ(transport.Sequence(), (Seq{{249, 4}, {-13, 2}, {-13, 2}, {11, 8}}));
  EXPECT_EQ(transport.sent[2].data, Bytes("\x14\x00"));
  const uint32_t read = GetCardinal(ParseFrame(transport.sent[3].data)->prefix.data());
  EXPECT_EQ(pictures.last->Image(), test::Bytes(image));
  EXPECT_TRUE(core->Links().Find(kClient)->HasPicture(read));

  // A reply shorter than asked fails the read: no picture, no handle sent.
  transport.sent.clear();
  std::vector<uint8_t> truncated = stored;
  truncated.resize(10);
  AnswerReadsFrom(truncated);
  EXPECT_EQ(Send(12, Frame({})), -1);
  EXPECT_EQ(transport.sent.back().code, -13);
  EXPECT_EQ(core->Links().Find(kClient)->PictureCount(), 2);
}

TEST_F(LinkTest, NothingAnOpenDialogWorksOnIsFreedUnderIt) {
  const uint32_t handle = LoadPicture();
  EXPECT_EQ(Send(9, Frame(ParamsRecord(handle))), 1);
  bool nested = false;
  pictures.last->on_dialog = [&] {
    // Inside the edit's dialog the client asks to free the picture, all pictures, the link.
    nested = true;
    EXPECT_EQ(Send(5, Frame(Cardinal(handle))), 1);
    EXPECT_FALSE(core->Links().Find(kClient)->HasPicture(handle));
    EXPECT_EQ(Send(6, Frame({})), -1);
    EXPECT_EQ(Send(250, Frame({})), -1);
    EXPECT_EQ(core->Links().Count(), 0);
    EXPECT_THAT(pictures.journal, ::testing::Not(::testing::Contains("freed")));
    return true;
  };
  core->doMacro("VipImageEdit\r\n" + std::to_string(kClient));
  EXPECT_TRUE(nested);
  // The picture was given up under the dialog: nothing goes back, the answer is empty.
  EXPECT_EQ(host.items.back(), "");
  EXPECT_TRUE(transport.sent.empty());
  // The deferred frees happened once the edit ended.
  EXPECT_EQ(pictures.journal.back(), "freed");
  EXPECT_EQ(core->Links().Count(), 0);
}

TEST_F(LinkTest, CloseWaitsForADialogOfACopyDataCode) {
  const uint32_t handle = LoadPicture();
  core->doMacro("CloseEnabled");
  core->DDEVadOzev32TopicOpen();
  pictures.last->on_dialog = [&] {
    // The conversation ends while the image editor of code 8 is open.
    core->DDEVadOzev32TopicClose();
    EXPECT_FALSE(core->FormCloseQuery());
    EXPECT_TRUE(core->ActivatedMessage(kActivatedByClient));
    return true;
  };
  const int asked = host.close_requests;
  EXPECT_EQ(Send(8, Frame(Cardinal(handle))), 1);
  // Asked when the conversation ended, and again when code 8 was done.
  EXPECT_EQ(host.close_requests, asked + 2);
  EXPECT_TRUE(core->FormCloseQuery());
  EXPECT_EQ(host.brought_to_front, 1);
}

TEST_F(LinkTest, EditLooksTheHandleUpAtEditTime) {
  const uint32_t handle = LoadPicture();
  EXPECT_EQ(Send(9, Frame(ParamsRecord(handle))), 1);
  EXPECT_EQ(Send(5, Frame(Cardinal(handle))), 1);
  core->doMacro("VipImageEdit\r\n" + std::to_string(kClient));
  EXPECT_EQ(host.items.back(), "");
  EXPECT_TRUE(transport.sent.empty());

  const uint32_t other = LoadPicture();
  EXPECT_EQ(Send(9, Frame(ParamsRecord(other))), 1);
  core->doMacro("VipImageEdit\r\n" + std::to_string(kClient));
  EXPECT_EQ(host.items.back(), "OK\r\n");
  EXPECT_EQ(pictures.last->applied.width, 500);
  EXPECT_EQ(pictures.last->applied.scale, 2.5);
}

TEST_F(LinkTest, UnderfloorTransferReadsTheIncomingStreamInTheLegacyVariant) {
  SetDataKind(7);
  EXPECT_EQ(Send(14, Counted("abc")), 1);
  EXPECT_EQ(Send(-14, Counted("de")), 1);
  core->doMacro("CalcUFRad\r\n" + std::to_string(kClient));
  EXPECT_EQ(underfloor.calls, 1);
  EXPECT_EQ(underfloor.read_data_kind, 1);
  EXPECT_EQ(underfloor.dialog_data_kind, 7);
  EXPECT_EQ(GetDataKind(), 7);
  EXPECT_EQ(underfloor.read, Bytes("abcde"));
  EXPECT_TRUE(host.items.empty());
  EXPECT_EQ(host.broadcasts, std::vector<uint32_t>{kActivatedByServer});
  // The stream went with the calculation.
  EXPECT_EQ(Send(-16, Frame({})), -1);
  EXPECT_EQ(Send(14, Counted("xy")), 1);
  EXPECT_EQ(Send(-16, Frame({})), 1);
  EXPECT_EQ(underfloor.read, Bytes("xy"));
  EXPECT_EQ(Send(14, Counted("xy")), 1);
  EXPECT_EQ(Send(16, Frame({})), -1);
  EXPECT_EQ(underfloor.calls, 2);
}

TEST_F(LinkTest, DrawingConversionGetsTheName) {
  EXPECT_EQ(Send(15, Frame(Record(256, 0, "C:\\plan.dxf"))), -1);
  EXPECT_EQ(converter.read, std::vector<std::string>{"C:\\plan.dxf"});
}

TEST(PictureParams, RecordLayout) {
  TPictureParams p;
  p.width = 0x01020304;
  p.y = -2;
  p.image_values[3] = -1.0;
  p.size2 = 7;
  p.attributes = 0x42;
  p.handle = 0xA1B2C3D4;
  p.file_name = "Чертёж.dwg";
  const auto b = p.Encode();
  EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 4), Bytes("\x04\x03\x02\x01"));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 12, b.begin() + 16), Bytes("\xfe\xff\xff\xff"));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 52, b.begin() + 60), Bytes("\0\0\0\0\0\0\xf0\xbf"));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 60, b.begin() + 68), Bytes("\0\0\0\0\0\0\xf0\x3f"));
  EXPECT_EQ(b[72], 7);
  EXPECT_EQ(b[76], 255);
  EXPECT_EQ(b[77], 0x42);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 78, b.begin() + 82), Bytes("\xd4\xc3\xb2\xa1"));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 82, b.begin() + 93),
            Bytes("\xd7\xe5\xf0\xf2\xb8\xe6.dwg\0"));
  const auto back = TPictureParams::Decode(b);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Encode(), b);
  EXPECT_EQ(back->file_name, "Чертёж.dwg");
}

}  // namespace
}  // namespace hx
