#include "objects/byte_stream.h"

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "objects/object_stream.h"

namespace hx {

size_t TMemoryStream::Read(void* buffer, size_t n) {
  const size_t count = pos_ < data_.size() ? std::min(n, data_.size() - pos_) : 0;
  if (count) std::memcpy(buffer, data_.data() + pos_, count);
  pos_ += count;
  return count;
}

size_t TMemoryStream::Write(const void* buffer, size_t n) {
  if (n == 0) return 0;
  if (pos_ + n > data_.size()) data_.resize(pos_ + n);
  std::memcpy(data_.data() + pos_, buffer, n);
  pos_ += n;
  return n;
}

void TMemoryStream::SetPosition(int64_t position) {
  if (position < 0) throw EObjectStream(-12);
  pos_ = static_cast<size_t>(position);
}

std::vector<uint8_t> TMemoryStream::TakeData() {
  pos_ = 0;
  return std::move(data_);
}

std::FILE* OpenFileUtf8(const std::string& file_name, const char* mode) {
#ifdef _WIN32
  return _wfopen(Widen(file_name).c_str(), Widen(mode).c_str());
#else
  return std::fopen(file_name.c_str(), mode);
#endif
}

namespace {

bool Seek(std::FILE* f, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(f, offset, whence) == 0;
#else
  return fseeko(f, offset, whence) == 0;
#endif
}

int64_t Tell(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return ftello(f);
#endif
}

}  // namespace

TFileStream::TFileStream(const std::string& file_name, FileMode mode) : name_(file_name) {
  const char* m = mode == FileMode::Read ? "rb" : mode == FileMode::ReadWrite ? "r+b" : "w+b";
  file_ = OpenFileUtf8(file_name, m);
  if (!file_) throw EObjectStream(-2, {file_name});
  if (Seek(file_, 0, SEEK_END)) size_ = Tell(file_);
  Seek(file_, 0, SEEK_SET);
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t n) {
  // A switch between writing and reading needs a positioning call in C streams.
  if (last_was_write_) Seek(file_, pos_, SEEK_SET);
  last_was_write_ = false;
  const size_t count = std::fread(buffer, 1, n, file_);
  pos_ += static_cast<int64_t>(count);
  return count;
}

size_t TFileStream::Write(const void* buffer, size_t n) {
  if (!last_was_write_) Seek(file_, pos_, SEEK_SET);
  last_was_write_ = true;
  const size_t count = std::fwrite(buffer, 1, n, file_);
  pos_ += static_cast<int64_t>(count);
  size_ = std::max(size_, pos_);
  return count;
}

int64_t TFileStream::GetPosition() const { return pos_; }

void TFileStream::SetPosition(int64_t position) {
  if (position < 0 || !Seek(file_, position, SEEK_SET)) throw EObjectStream(-12);
  pos_ = position;
}

int64_t TFileStream::GetSize() const { return size_; }

}  // namespace hx
