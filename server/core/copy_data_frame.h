// The framing of the copy-data protocol: the transport that carries one WM_COPYDATA message,
// the sender that builds frames and splits large and stream blocks, the checked readers of
// the counted layouts that arrive, and the assembler of split blocks on the receiving side.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hx {

class TByteStream;

// The largest message a sender builds, and the data of one chunk frame.
inline constexpr uint32_t kCopyDataMessage = 8192;
inline constexpr uint32_t kCopyDataChunk = 8190;
// The largest split block a receiver accepts.
inline constexpr uint32_t kMaxSplitBlock = 256u << 20;

// Split and stream block codes.
inline constexpr int32_t kCodeStreamLength = -252;
inline constexpr int32_t kCodeStreamChunk = -253;
inline constexpr int32_t kCodeLargeLength = -254;
inline constexpr int32_t kCodeLargeChunk = -255;

using TBytes = std::span<const uint8_t>;

// Carries one message to the peer window: data holds at least size bytes. Returns the peer's
// result; a negative value is a failure.
class ICopyDataTransport {
 public:
  virtual ~ICopyDataTransport() = default;
  virtual int32_t Send(uint32_t peer, int32_t code, const uint8_t* data, uint32_t size) = 0;
};

// Builds the messages to one peer in a send buffer of kCopyDataMessage bytes, allocated at the
// first send.
class TCopyDataSender {
 public:
  TCopyDataSender(ICopyDataTransport& transport, uint32_t peer)
      : transport_(transport), peer_(peer) {}

  uint32_t Peer() const { return peer_; }

  // The bytes as they are; cbData = size.
  int32_t SendRaw(int32_t code, TBytes data);
  // [2-byte count k][k bytes], cbData = k + 2 (chunks, read requests, read replies).
  int32_t SendCounted(int32_t code, TBytes bytes);
  // [2-byte prefix length P][prefix][payload] with cbData = 4 + P + n, the two bytes past the
  // written data being zeros of the send buffer. A block that does not fit into one message
  // goes as a large block: -254 with the length, -255 chunks, then -code with the prefix
  // (not sent for code 0). False when any send fails.
  bool SendBlock(int32_t code, TBytes prefix, TBytes payload);
  // A stream block: -252 with the total, -253 chunks read from the stream (at least one, so an
  // empty stream sends one empty chunk), then -code with the prefix. A total of 0 sends the
  // whole stream from position 0. False when any send fails or the stream ends early.
  bool SendStreamBlock(int32_t code, TBytes prefix, TByteStream& stream, uint32_t total);

 private:
  uint8_t* Buffer();
  int32_t SendBuffer(int32_t code, uint32_t size);
  bool SendLength(int32_t code, uint32_t length);
  bool SendPrefixOnly(int32_t code, TBytes prefix);

  ICopyDataTransport& transport_;
  uint32_t peer_;
  std::vector<uint8_t> buffer_;
};

// The frame of a message with a non-negative code: [2-byte P][P prefix bytes][payload]. The
// payload length is cbData - 2 - P. Nothing when P does not fit into cbData.
struct TFrame {
  TBytes prefix;
  TBytes payload;
};
std::optional<TFrame> ParseFrame(TBytes message);

// [2-byte count k][k bytes]: the k bytes, or nothing when the message is shorter.
std::optional<TBytes> ParseCounted(TBytes message);

uint16_t GetWord(const uint8_t* p);
uint32_t GetCardinal(const uint8_t* p);
void PutWord(uint8_t* p, uint16_t v);
void PutCardinal(uint8_t* p, uint32_t v);

// Reassembles split and stream blocks on the receiving side: a length message announces a
// block, chunk messages fill it within the announced length, and the message with the final
// code completes it.
class TBlockAssembler {
 public:
  // Handles -252/-254 (announce) and -253/-255 (chunk): true when the message was taken, false
  // when it breaks the rules (length above the cap, a chunk without the announcement of its
  // kind, beyond the announced length or longer than its message). Other codes are not for
  // the assembler.
  bool Take(int32_t code, TBytes message);
  static bool IsBlockCode(int32_t code);

  // The bytes of the current block, complete when every announced byte has arrived.
  bool Pending() const { return announced_.has_value(); }
  bool Complete() const { return announced_ && received_.size() == *announced_; }
  // Hands the finished block over and forgets it.
  std::vector<uint8_t> Finish();
  void Reset();

 private:
  std::optional<uint32_t> announced_;
  int32_t chunk_code_ = 0;
  std::vector<uint8_t> received_;
};

}  // namespace hx
