#include "server/core/copy_data_frame.h"

#include <algorithm>
#include <cstring>

#include "objects/byte_stream.h"

namespace hx {

uint16_t GetWord(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t GetCardinal(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
void PutWord(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutCardinal(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t* TCopyDataSender::Buffer() {
  if (buffer_.empty()) buffer_.assign(kCopyDataMessage, 0);
  return buffer_.data();
}

int32_t TCopyDataSender::SendBuffer(int32_t code, uint32_t size) {
  return transport_.Send(peer_, code, Buffer(), size);
}

int32_t TCopyDataSender::SendRaw(int32_t code, TBytes data) {
  static const uint8_t kNone = 0;
  return transport_.Send(peer_, code, data.empty() ? &kNone : data.data(),
                         static_cast<uint32_t>(data.size()));
}

int32_t TCopyDataSender::SendCounted(int32_t code, TBytes bytes) {
  if (bytes.size() > kCopyDataChunk) return -1;
  uint8_t* b = Buffer();
  PutWord(b, static_cast<uint16_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(b + 2, bytes.data(), bytes.size());
  return SendBuffer(code, static_cast<uint32_t>(bytes.size() + 2));
}

bool TCopyDataSender::SendLength(int32_t code, uint32_t length) {
  uint8_t b[4];
  PutCardinal(b, length);
  return SendRaw(code, b) >= 0;
}

bool TCopyDataSender::SendPrefixOnly(int32_t code, TBytes prefix) {
  if (code == 0) return true;
  uint8_t* b = Buffer();
  PutWord(b, static_cast<uint16_t>(prefix.size()));
  if (!prefix.empty()) std::memcpy(b + 2, prefix.data(), prefix.size());
  b[2 + prefix.size()] = b[3 + prefix.size()] = 0;
  return SendBuffer(-code, static_cast<uint32_t>(prefix.size() + 4)) >= 0;
}

bool TCopyDataSender::SendBlock(int32_t code, TBytes prefix, TBytes payload) {
  // The prefix must fit into the message that closes a split block.
  if (prefix.size() + 4 > kCopyDataMessage) return false;
  const uint64_t whole = 4 + prefix.size() + payload.size();
  if (whole <= kCopyDataMessage) {
    uint8_t* b = Buffer();
    PutWord(b, static_cast<uint16_t>(prefix.size()));
    if (!prefix.empty()) std::memcpy(b + 2, prefix.data(), prefix.size());
    if (!payload.empty()) std::memcpy(b + 2 + prefix.size(), payload.data(), payload.size());
    b[whole - 2] = b[whole - 1] = 0;
    return SendBuffer(code, static_cast<uint32_t>(whole)) >= 0;
  }
  if (payload.size() > UINT32_MAX) return false;
  if (!SendLength(kCodeLargeLength, static_cast<uint32_t>(payload.size()))) return false;
  for (size_t sent = 0; sent < payload.size();) {
    const size_t k = std::min<size_t>(payload.size() - sent, kCopyDataChunk);
    if (SendCounted(kCodeLargeChunk, payload.subspan(sent, k)) < 0) return false;
    sent += k;
  }
  return SendPrefixOnly(code, prefix);
}

bool TCopyDataSender::SendStreamBlock(int32_t code, TBytes prefix, TByteStream& stream,
                                      uint32_t total) {
  if (prefix.size() + 4 > kCopyDataMessage) return false;
  if (total == 0) {
    const int64_t size = stream.GetSize();
    if (size < 0 || size > UINT32_MAX) return false;
    stream.SetPosition(0);
    total = static_cast<uint32_t>(size);
  }
  if (!SendLength(kCodeStreamLength, total)) return false;
  uint32_t left = total;
  do {
    const uint32_t k = std::min(left, kCopyDataChunk);
    uint8_t* b = Buffer();
    if (stream.Read(b + 2, k) != k) return false;
    PutWord(b, static_cast<uint16_t>(k));
    if (SendBuffer(kCodeStreamChunk, k + 2) < 0) return false;
    left -= k;
  } while (left > 0);
  return SendPrefixOnly(code, prefix);
}

std::optional<TFrame> ParseFrame(TBytes message) {
  if (message.size() < 2) return std::nullopt;
  const size_t p = GetWord(message.data());
  if (p + 2 > message.size()) return std::nullopt;
  return TFrame{message.subspan(2, p), message.subspan(2 + p)};
}

std::optional<TBytes> ParseCounted(TBytes message) {
  if (message.size() < 2) return std::nullopt;
  const size_t k = GetWord(message.data());
  if (k + 2 > message.size()) return std::nullopt;
  return message.subspan(2, k);
}

bool TBlockAssembler::IsBlockCode(int32_t code) {
  return code == kCodeStreamLength || code == kCodeStreamChunk || code == kCodeLargeLength ||
         code == kCodeLargeChunk;
}

bool TBlockAssembler::Take(int32_t code, TBytes message) {
  if (code == kCodeStreamLength || code == kCodeLargeLength) {
    Reset();
    if (message.size() < 4) return false;
    const uint32_t n = GetCardinal(message.data());
    if (n > kMaxSplitBlock) return false;
    announced_ = n;
    chunk_code_ = code == kCodeStreamLength ? kCodeStreamChunk : kCodeLargeChunk;
    // The peer's announcement is not trusted with a large allocation; the buffer grows with
    // the chunks that really arrive.
    received_.reserve(std::min<uint32_t>(n, 1u << 20));
    return true;
  }
  if (code == kCodeStreamChunk || code == kCodeLargeChunk) {
    const auto chunk = ParseCounted(message);
    if (!announced_ || code != chunk_code_ || !chunk ||
        chunk->size() > *announced_ - received_.size()) {
      return false;
    }
    received_.insert(received_.end(), chunk->begin(), chunk->end());
    return true;
  }
  return false;
}

std::vector<uint8_t> TBlockAssembler::Finish() {
  std::vector<uint8_t> data = std::move(received_);
  Reset();
  return data;
}

void TBlockAssembler::Reset() {
  announced_.reset();
  chunk_code_ = 0;
  received_.clear();
  received_.shrink_to_fit();
}

}  // namespace hx
