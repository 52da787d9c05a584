// The sender's message sequences at the split boundaries, the checked readers of counted
// layouts, and the assembler's rules for split blocks.
#include "server/core/copy_data_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "objects/byte_stream.h"
#include "server/core/tests/fakes.h"

namespace hx {
namespace {

using test::Bytes;
using test::TRecordingTransport;
using Seq = std::vector<std::pair<int32_t, uint32_t>>;

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + 1);
  return v;
}

// What a receiver gets back from the recorded messages of a block: the prefix of the last
// message and the payload, reassembled from split frames or taken from the single frame.
std::pair<std::vector<uint8_t>, std::vector<uint8_t>> Reassemble(const TRecordingTransport& t,
                                                                 size_t payload_size) {
  TBlockAssembler a;
  std::vector<uint8_t> prefix, payload;
  for (const auto& m : t.sent) {
    if (TBlockAssembler::IsBlockCode(m.code)) {
      EXPECT_TRUE(a.Take(m.code, m.data));
      continue;
    }
    const auto frame = ParseFrame(m.data);
    EXPECT_TRUE(frame);
    prefix.assign(frame->prefix.begin(), frame->prefix.end());
    if (a.Pending()) {
      EXPECT_TRUE(a.Complete());
      payload = a.Finish();
    } else {
      // cbData counts two bytes more than the sender wrote: zeros past the payload.
      EXPECT_EQ(frame->payload.size(), payload_size + 2);
      payload.assign(frame->payload.begin(), frame->payload.end() - 2);
      EXPECT_EQ(frame->payload[payload_size], 0);
      EXPECT_EQ(frame->payload[payload_size + 1], 0);
    }
  }
  return {prefix, payload};
}

TEST(CopyDataSender, BlockSplitsOnlyAboveTheMessageSize) {
  struct Case {
    size_t prefix, payload;
    Seq expected;
  } cases[] = {
      // 4 + P + n = 8192: one message.
      {4, 8184, {{4, 8192}}},
      {0, 8188, {{4, 8192}}},
      // One byte more: a large block with one chunk, then the prefix alone.
      {4, 8185, {{-254, 4}, {-255, 8187}, {-4, 8}}},
      // 8190 bytes are one chunk, 8191 two.
      {10, 8190, {{-254, 4}, {-255, 8192}, {-4, 14}}},
      {10, 8191, {{-254, 4}, {-255, 8192}, {-255, 3}, {-4, 14}}},
      {338, 3 * 8190, {{-254, 4}, {-255, 8192}, {-255, 8192}, {-255, 8192}, {-4, 342}}},
  };
  for (const auto& c : cases) {
    TRecordingTransport t;
    TCopyDataSender sender(t, 77);
    const auto prefix = Pattern(c.prefix);
    const auto payload = Pattern(c.payload);
    ASSERT_TRUE(sender.SendBlock(4, prefix, payload));
    EXPECT_EQ(t.Sequence(), c.expected) << c.prefix << "+" << c.payload;
    EXPECT_EQ(t.sent[0].peer, 77u);
    const auto [got_prefix, got_payload] = Reassemble(t, c.payload);
    EXPECT_EQ(got_prefix, prefix);
    EXPECT_EQ(got_payload, payload);
  }
}

TEST(CopyDataSender, FrameLayoutAndLengthMessages) {
  TRecordingTransport t;
  TCopyDataSender sender(t, 1);
  ASSERT_TRUE(sender.SendBlock(7, Bytes("\x05\x00\x00\x00"), {}));
  EXPECT_EQ(t.sent[0].data, (std::vector<uint8_t>{4, 0, 5, 0, 0, 0, 0, 0}));
  t.sent.clear();
  ASSERT_TRUE(sender.SendBlock(9, Bytes("ab"), std::vector<uint8_t>(9000, 'x')));
  EXPECT_EQ(t.sent[0].data, (std::vector<uint8_t>{0x28, 0x23, 0, 0}));  // 9000
  EXPECT_EQ(t.sent.back().data, (std::vector<uint8_t>{2, 0, 'a', 'b', 0, 0}));
  // A split block of code 0 ends with its last chunk.
  t.sent.clear();
  ASSERT_TRUE(sender.SendBlock(0, {}, std::vector<uint8_t>(9000, 'x')));
  EXPECT_EQ(t.Sequence(), (Seq{{-254, 4}, {-255, 8192}, {-255, 812}}));
}

TEST(CopyDataSender, StreamBlocks) {
  struct Case {
    size_t stream;
    uint32_t total;
    Seq expected;
  } cases[] = {
      // An empty stream still sends one empty chunk.
      {0, 0, {{-252, 4}, {-253, 2}, {-4, 342}}},
      {8190, 0, {{-252, 4}, {-253, 8192}, {-4, 342}}},
      {8191, 0, {{-252, 4}, {-253, 8192}, {-253, 3}, {-4, 342}}},
      {100, 40, {{-252, 4}, {-253, 42}, {-4, 342}}},
  };
  for (const auto& c : cases) {
    TRecordingTransport t;
    TCopyDataSender sender(t, 1);
    TMemoryStream stream(Pattern(c.stream));
    stream.SetPosition(static_cast<int64_t>(c.stream) / 2);  // a total of 0 rewinds
    if (c.total) stream.SetPosition(0);
    ASSERT_TRUE(sender.SendStreamBlock(4, Pattern(338), stream, c.total));
    EXPECT_EQ(t.Sequence(), c.expected) << c.stream;
    const auto [prefix, payload] = Reassemble(t, 0);
    EXPECT_EQ(prefix, Pattern(338));
    const auto whole = Pattern(c.stream);
    EXPECT_EQ(payload,
              std::vector<uint8_t>(whole.begin(), whole.begin() + (c.total ? c.total : c.stream)));
  }
  TRecordingTransport t;
  TCopyDataSender sender(t, 1);
  TMemoryStream empty;
  ASSERT_TRUE(sender.SendStreamBlock(4, {}, empty, 0));
  EXPECT_EQ(t.sent[0].data, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(t.sent[1].data, (std::vector<uint8_t>{0, 0}));
}

TEST(CopyDataSender, FailuresStopTheTransfer) {
  // The peer refuses the second chunk: nothing follows it.
  TRecordingTransport t;
  int count = 0;
  t.answer = [&](const test::TSentMessage&) { return ++count == 3 ? -1 : 1; };
  TCopyDataSender sender(t, 1);
  EXPECT_FALSE(sender.SendBlock(4, {}, std::vector<uint8_t>(20000)));
  EXPECT_EQ(t.sent.size(), 3u);
  // A stream shorter than its announced total fails after the announcement.
  TRecordingTransport t2;
  TCopyDataSender sender2(t2, 1);
  TMemoryStream stream(Pattern(10));
  EXPECT_FALSE(sender2.SendStreamBlock(4, {}, stream, 20));
  EXPECT_EQ(t2.Sequence(), (Seq{{-252, 4}}));
  // A prefix that cannot close a split block is not sent at all.
  EXPECT_FALSE(sender2.SendBlock(4, std::vector<uint8_t>(8189), {}));
  EXPECT_EQ(t2.sent.size(), 1u);
}

TEST(CopyDataFrames, ReadersCheckLengthsAgainstTheMessage) {
  EXPECT_FALSE(ParseFrame(Bytes("")));
  EXPECT_FALSE(ParseFrame(Bytes("\x01")));
  EXPECT_FALSE(
      ParseFrame(Bytes("\x03\x00"
                       "ab")));
  const auto f =
      ParseFrame(Bytes("\x02\x00"
                       "abcd"));
  ASSERT_TRUE(f);
  EXPECT_EQ(f->prefix.size(), 2u);
  EXPECT_EQ(f->payload.size(), 2u);
  EXPECT_FALSE(
      ParseCounted(Bytes("\xFF\xFF"
                         "abc")));
  ASSERT_TRUE(ParseCounted(Bytes("\x00\x00")));
  EXPECT_EQ(ParseCounted(Bytes("\x03\x00"
                               "abcdef"))
                ->size(),
            3u);
}

TEST(BlockAssembler, Rules) {
  TBlockAssembler a;
  // Chunks without an announcement, of the other kind, beyond the length or their message.
  EXPECT_FALSE(a.Take(kCodeLargeChunk, test::Counted("ab")));
  ASSERT_TRUE(a.Take(kCodeLargeLength, test::Cardinal(5)));
  EXPECT_FALSE(a.Take(kCodeStreamChunk, test::Counted("ab")));
  EXPECT_FALSE(a.Take(kCodeLargeChunk, Bytes("\x09\x00"
                                             "abc")));
  EXPECT_TRUE(a.Take(kCodeLargeChunk, test::Counted("abc")));
  EXPECT_FALSE(a.Take(kCodeLargeChunk, test::Counted("def")));
  EXPECT_FALSE(a.Complete());
  EXPECT_TRUE(a.Take(kCodeLargeChunk, test::Counted("de")));
  EXPECT_TRUE(a.Complete());
  EXPECT_EQ(a.Finish(), Bytes("abcde"));
  EXPECT_FALSE(a.Pending());
  // Announcements: above the cap, or shorter than 4 bytes.
  EXPECT_TRUE(a.Take(kCodeStreamLength, test::Cardinal(kMaxSplitBlock)));
  EXPECT_FALSE(a.Take(kCodeStreamLength, test::Cardinal(kMaxSplitBlock + 1)));
  EXPECT_FALSE(a.Pending());
  EXPECT_FALSE(a.Take(kCodeLargeLength, Bytes("\x01\x00")));
}

}  // namespace
}  // namespace hx
