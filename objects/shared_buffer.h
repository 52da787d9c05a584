// Reference-counted items and the shared byte buffers built on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/streamable.h"

namespace hx {

class TSharedItem : public TStreamableObject {
 public:
  void AddRef() { ++ref_count_; }
  // Below a count of 1 the count stays 0 and the item's data is freed.
  void Release();
  int32_t RefCount() const { return ref_count_; }
  bool IsEmpty() const override { return ref_count_ < 1; }

 protected:
  virtual void FreeData() {}

 private:
  int32_t ref_count_ = 0;
};

// Stored as [int32 size][size bytes].
class TSharedBuffer : public TSharedItem {
 public:
  void SetData(const void* bytes, int32_t size);
  const std::vector<uint8_t>& Data() const { return data_; }
  int32_t Size() const { return static_cast<int32_t>(data_.size()); }

  // A size that is negative or larger than the data left leaves an empty buffer and raises.
  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void CopyTo(TStreamableObject& target) const override;

 protected:
  void FreeData() override { std::vector<uint8_t>().swap(data_); }

 private:
  std::vector<uint8_t> data_;
};

// Adds a name, stored after the bytes.
class TSharedBufferWithName : public TSharedBuffer {
 public:
  std::string Name;
  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void CopyTo(TStreamableObject& target) const override;
};

// Adds a date-time (a 64-bit float of days), stored after the name.
class TSharedBufferWithNameTimeDate : public TSharedBufferWithName {
 public:
  double DateTime = 0;
  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void CopyTo(TStreamableObject& target) const override;
};

}  // namespace hx
