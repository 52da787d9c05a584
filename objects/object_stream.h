// The object stream: typed, little-endian reading and writing over a byte stream, objects by
// their registered stream type id in three format variants, and the file header with its
// signature check.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "base/msg_format.h"
#include "objects/byte_stream.h"
#include "objects/streamable.h"

namespace hx {

// Stream failures. The code is negative; the message is string-table entry 20014 + |code| for
// codes -1..-12 (formatted with args), else entry 20014 with the code.
//  -1 access error, -2 cannot open, -3 read past the end, -4 duplicate type id,
//  -5 write error, -6 unknown type id, -7 value cannot be stored, -8 length or count larger
//  than the data, -9 class not registered, -10 bad file header, -11 objects nested too deep,
//  -12 positioning error.
class EObjectStream : public EHXError {
 public:
  explicit EObjectStream(int code, std::initializer_list<FmtArg> args = {});
};

// A file signature object: the signatures a reader accepts (slot 0 current, 1..4 older ones)
// and whether files carry the full header or only the 12-byte signature.
class TFileVerInfo {
 public:
  TFileVerInfo() = default;
  explicit TFileVerInfo(std::string_view signature, bool header = true);

  // Slot 0..4; a set signature is cut or padded with blanks to 12 characters.
  void SetSignature(int slot, std::string_view signature);
  const std::string& Signature(int slot) const { return signatures_[slot]; }

  uint8_t ReadVersion() const { return read_version_; }
  uint8_t WriteVersion() const { return write_version_; }
  // The setters take a non-positive index and store its absolute value; NoInt stores 255.
  void SetReadVersion(int32_t index);
  void SetWriteVersion(int32_t index);

  bool HeaderFlag() const { return header_; }
  void SetHeaderFlag(bool header) { header_ = header; }

 private:
  std::string signatures_[5];
  uint8_t read_version_ = 0;
  uint8_t write_version_ = 0;
  bool header_ = true;
};

// The identity written into every file header: five texts of up to 15 characters, set at
// start-up.
struct HeaderIdentity {
  std::string product = "HX16_32_1_0";
  std::string language = "POLISH";
  std::string language2 = "POLISH";
  std::string edition = "TARVOS";
  std::string system = ">=95";
};
HeaderIdentity& FileHeaderIdentity();

// The signature objects made at start-up.
TFileVerInfo& SigStandard();  // "STANDARD_4.0", default object streams
TFileVerInfo& SigCatDoc();    // "KLRCDDOC1.00", catalog documents
TFileVerInfo& SigCatProd();   // "TRVKAPRO3.00", producers
TFileVerInfo& SigCatPipes();  // "TRVDKRUR3.00", pipes
TFileVerInfo& SigCatRad();    // "TRVDKGRZ3.00", radiators
TFileVerInfo& SigCatDztGrz(); // "TRDZTGRZ3.00", valves and fittings
TFileVerInfo& SigCatDzt();    // "TRVKDZTG3.00", valves and fittings

// The header's size field counts the bytes of the five identity fields.
inline constexpr uint32_t kHeaderFieldsSize = 80;
inline constexpr size_t kHeaderSize = 110;

class TObjectStream {
 public:
  // Over a new memory stream.
  TObjectStream();
  explicit TObjectStream(std::unique_ptr<TByteStream> inner);
  // Over a file without a header.
  TObjectStream(const std::string& file_name, FileMode mode);
  // Over a file with a header: read (Read, ReadWrite) or written (Create). A refused
  // signature raises EFVersionError.
  TObjectStream(const std::string& file_name, FileMode mode, TFileVerInfo& ver);

  TObjectStream(const TObjectStream&) = delete;
  TObjectStream& operator=(const TObjectStream&) = delete;

  // Opens the file with its signature object and reports whether that succeeded.
  static bool CheckFile(const std::string& file_name, TFileVerInfo& ver);

  TByteStream& Inner() { return *inner_; }
  std::unique_ptr<TByteStream> TakeInner() { return std::move(inner_); }
  // The memory stream's bytes (empty for other streams).
  const std::vector<uint8_t>& MemoryData() const;

  int32_t VersionIndex() const { return version_index_; }
  bool SignatureMatched() const { return signature_matched_; }
  const std::string& FileName() const { return file_name_; }

  int64_t GetPosition() const { return inner_->GetPosition(); }
  void SetPosition(int64_t position) { inner_->SetPosition(position); }
  int64_t GetSize() const { return inner_->GetSize(); }
  // Bytes left to read, or -1 when the stream does not know its size.
  int64_t Remaining() const;
  // Raises -8 unless count items of at least item_size bytes each can still be read.
  void CheckAvailable(int64_t count, int64_t item_size = 1) const;

  // Raw bytes: a short read raises -3, a short write -5.
  void ReadBytes(void* buffer, size_t n);
  void WriteBytes(const void* buffer, size_t n);

  uint8_t ReadByte();
  bool ReadBool();
  int16_t ReadInt16();
  uint16_t ReadWord();
  int32_t ReadInt32();
  uint32_t ReadCardinal();
  int64_t ReadInt64();
  double ReadDouble();
  double ReadReal48();
  int32_t ReadCompact();
  double ReadDateTime() { return ReadDouble(); }
  // 8-bit texts are converted from the file code page to UTF-8.
  std::string ReadStr();
  std::string ReadShortStr();
  std::optional<std::string> ReadPChar();
  // The bytes of a string as stored, for records that are only passed through.
  std::string ReadStrBytes();

  void WriteByte(uint8_t v);
  void WriteBool(bool v) { WriteByte(v ? 1 : 0); }
  void WriteInt16(int16_t v);
  void WriteWord(uint16_t v);
  void WriteInt32(int32_t v);
  void WriteCardinal(uint32_t v);
  void WriteInt64(int64_t v);
  void WriteDouble(double v);
  // Raises -7 for a value out of the 6-byte real's range.
  void WriteReal48(double v);
  void WriteCompact(int32_t v);
  void WriteDateTime(double v) { WriteDouble(v); }
  // Texts longer than the length field can count raise -7.
  void WriteStr(std::string_view text);
  void WriteShortStr(std::string_view text);
  void WritePChar(const std::optional<std::string>& text);
  void WriteStrBytes(std::string_view bytes);

  // Writes the object's type id (int32 in variant 0, int16 in 1, id + 10000 as int32 in 2)
  // and its fields. An unregistered class raises -9.
  void PutObject(const TStreamableObject& object, int variant = 0);
  // Reads a type id and constructs the registered class (variants 0 and 2 with Load0,
  // variant 1 with Load1; in variant 1 the id 330 reads as 357). An unknown id raises -6.
  std::unique_ptr<TStreamableObject> GetObject(int variant = 0);

  template <class T>
  std::unique_ptr<T> GetObjectAs(int variant = 0);

  // Reads or writes a file header at the current position (the file constructors do this).
  void ReadHeader(TFileVerInfo& ver);
  void WriteHeader(TFileVerInfo& ver);

  // Characters of written texts that the file code page could not hold.
  size_t LostCharacters() const { return lost_characters_; }

 private:
  std::string EncodeText(std::string_view text);

  std::unique_ptr<TByteStream> inner_;
  std::string file_name_;
  int32_t version_index_ = 0;
  bool signature_matched_ = true;
  size_t lost_characters_ = 0;
};

// The file's signature was refused (message 20032).
class EFVersionError : public EHXError {
 public:
  EFVersionError(const std::string& file_name, const std::string& edition);
};

template <class T>
std::unique_ptr<T> TObjectStream::GetObjectAs(int variant) {
  std::unique_ptr<TStreamableObject> obj = GetObject(variant);
  T* typed = dynamic_cast<T*>(obj.get());
  if (!typed) throw EObjectStream(-6, {obj->TypeId()});
  obj.release();
  return std::unique_ptr<T>(typed);
}

}  // namespace hx
