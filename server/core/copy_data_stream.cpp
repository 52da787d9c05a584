#include "server/core/copy_data_stream.h"

#include <algorithm>
#include <cstring>

#include "server/core/copy_data_object.h"

namespace hx {

size_t TCopyDataStream::Read(void* buffer, size_t n) {
  auto* out = static_cast<uint8_t*>(buffer);
  for (size_t done = 0; done < n;) {
    const auto k = static_cast<uint16_t>(std::min<size_t>(n - done, kCopyDataChunk));
    uint8_t request[2];
    PutWord(request, k);
    const uint64_t replies = link_.ReplyCount();
    if (link_.Sender().SendRaw(-13, request) < 0) return 0;
    const TBytes reply = link_.Reply();
    if (link_.ReplyCount() == replies || reply.size() < k) return 0;
    std::memcpy(out + done, reply.data(), k);
    done += k;
  }
  return n;
}

size_t TCopyDataStream::Write(const void* buffer, size_t n) {
  const auto* in = static_cast<const uint8_t*>(buffer);
  for (size_t done = 0; done < n;) {
    const size_t k = std::min<size_t>(n - done, kCopyDataChunk);
    if (link_.Sender().SendCounted(-14, TBytes(in + done, k)) < 0) return 0;
    done += k;
  }
  return n;
}

TCopyDataObjectStream::TCopyDataObjectStream(TCopyDataObject& link)
    : TObjectStream(std::make_unique<TCopyDataStream>(link)) {
  // The peer answers a reset with -1 like any code without a result; that is not a failure.
  link.Sender().SendBlock(249, {}, {});
}

}  // namespace hx
