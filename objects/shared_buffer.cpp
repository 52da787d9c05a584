#include "objects/shared_buffer.h"

#include "objects/object_stream.h"

namespace hx {

void TSharedItem::Release() {
  if (--ref_count_ < 1) {
    ref_count_ = 0;
    FreeData();
  }
}

void TSharedBuffer::SetData(const void* bytes, int32_t size) {
  const auto* p = static_cast<const uint8_t*>(bytes);
  data_.assign(p, p + (size > 0 ? size : 0));
}

void TSharedBuffer::Load0(TObjectStream& s) {
  FreeData();
  const int32_t size = s.ReadInt32();
  s.CheckAvailable(size);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  s.ReadBytes(bytes.data(), bytes.size());
  data_ = std::move(bytes);
}

void TSharedBuffer::Store0(TObjectStream& s) const {
  s.WriteInt32(Size());
  s.WriteBytes(data_.data(), data_.size());
}

void TSharedBuffer::CopyTo(TStreamableObject& target) const {
  if (auto* t = dynamic_cast<TSharedBuffer*>(&target)) t->data_ = data_;
}

void TSharedBufferWithName::Load0(TObjectStream& s) {
  TSharedBuffer::Load0(s);
  Name = s.ReadStr();
}

void TSharedBufferWithName::Store0(TObjectStream& s) const {
  TSharedBuffer::Store0(s);
  s.WriteStr(Name);
}

void TSharedBufferWithName::CopyTo(TStreamableObject& target) const {
  TSharedBuffer::CopyTo(target);
  if (auto* t = dynamic_cast<TSharedBufferWithName*>(&target)) t->Name = Name;
}

void TSharedBufferWithNameTimeDate::Load0(TObjectStream& s) {
  TSharedBufferWithName::Load0(s);
  DateTime = s.ReadDateTime();
}

void TSharedBufferWithNameTimeDate::Store0(TObjectStream& s) const {
  TSharedBufferWithName::Store0(s);
  s.WriteDateTime(DateTime);
}

void TSharedBufferWithNameTimeDate::CopyTo(TStreamableObject& target) const {
  TSharedBufferWithName::CopyTo(target);
  if (auto* t = dynamic_cast<TSharedBufferWithNameTimeDate*>(&target)) t->DateTime = DateTime;
}

}  // namespace hx
