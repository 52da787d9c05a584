// Streams over a client link: the byte stream whose writes go to the client as -14 frames and
// whose reads ask the client with -13 requests, and the object stream over it.
#pragma once

#include "objects/byte_stream.h"
#include "objects/object_stream.h"

namespace hx {

class TCopyDataObject;

class TCopyDataStream : public TByteStream {
 public:
  explicit TCopyDataStream(TCopyDataObject& link) : link_(link) {}

  // Asks for the bytes in requests of at most 8190; the client answers each with code 251
  // before the request returns. A failed request or a reply shorter than asked gives 0.
  size_t Read(void* buffer, size_t n) override;
  // Sends the bytes in -14 frames; 0 when a send fails.
  size_t Write(const void* buffer, size_t n) override;
  bool CanSeek() const override { return false; }
  int64_t GetPosition() const override { return 0; }
  void SetPosition(int64_t) override {}
  int64_t GetSize() const override { return -1; }

 private:
  TCopyDataObject& link_;
};

// Creating one sends code 249 to the client first, so that the client's link starts afresh.
class TCopyDataObjectStream : public TObjectStream {
 public:
  explicit TCopyDataObjectStream(TCopyDataObject& link);
};

}  // namespace hx
