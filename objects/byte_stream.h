// Byte streams: the storage under an object stream. A memory stream, a file stream and (in the
// server) the copy-data stream implement the same small interface.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace hx {

class TByteStream {
 public:
  virtual ~TByteStream() = default;
  // Reads up to n bytes and returns the count read.
  virtual size_t Read(void* buffer, size_t n) = 0;
  // Writes n bytes and returns the count written.
  virtual size_t Write(const void* buffer, size_t n) = 0;
  virtual bool CanSeek() const { return true; }
  virtual int64_t GetPosition() const = 0;
  virtual void SetPosition(int64_t position) = 0;
  // The size in bytes, or -1 when the stream does not know it.
  virtual int64_t GetSize() const = 0;
};

class TMemoryStream : public TByteStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> data) : data_(std::move(data)) {}

  size_t Read(void* buffer, size_t n) override;
  size_t Write(const void* buffer, size_t n) override;
  int64_t GetPosition() const override { return static_cast<int64_t>(pos_); }
  void SetPosition(int64_t position) override;
  int64_t GetSize() const override { return static_cast<int64_t>(data_.size()); }

  const std::vector<uint8_t>& Data() const { return data_; }
  std::vector<uint8_t> TakeData();

 private:
  std::vector<uint8_t> data_;
  size_t pos_ = 0;
};

enum class FileMode { Read, ReadWrite, Create };

// A file opened with a mode; the name is UTF-8. Opening failures raise EObjectStream.
class TFileStream : public TByteStream {
 public:
  TFileStream(const std::string& file_name, FileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* buffer, size_t n) override;
  size_t Write(const void* buffer, size_t n) override;
  int64_t GetPosition() const override;
  void SetPosition(int64_t position) override;
  int64_t GetSize() const override;

  const std::string& FileName() const { return name_; }

 private:
  std::FILE* file_ = nullptr;
  std::string name_;
  bool last_was_write_ = false;
  // Position and size are tracked here: asking the C library costs a system call each time.
  int64_t pos_ = 0;
  int64_t size_ = 0;
};

// Opens a file for reading with a UTF-8 name, on Windows through the wide entry point.
std::FILE* OpenFileUtf8(const std::string& file_name, const char* mode);

}  // namespace hx
