#include "objects/object_stream.h"

#include <cstring>
#include <limits>

#include "base/constants.h"
#include "base/cp1251.h"
#include "base/string_table.h"
#include "base/text.h"
#include "objects/real48.h"

namespace hx {
namespace {

constexpr char kMagic[] = "ZqFILEVERINF";
constexpr int kMaxNesting = 200;

// Without a known size (a copy-data stream) a single length may still not exceed this.
constexpr int64_t kUnknownSizeLimit = int64_t{256} << 20;

std::string StreamErrorText(int code, std::initializer_list<FmtArg> args) {
  if (code <= -1 && code >= -12) return FormatStr(20014 - code, args);
  return FormatStr(20014, {code});
}

TFileVerInfo MakeSig(const char* s) { return TFileVerInfo(s); }

}  // namespace

EObjectStream::EObjectStream(int code, std::initializer_list<FmtArg> args)
    : EHXError(code, StreamErrorText(code, args)) {}

EFVersionError::EFVersionError(const std::string& file_name, const std::string& edition)
    : EHXError(-1, FormatStr(20032, {file_name, edition})) {}

// ---- TFileVerInfo

TFileVerInfo::TFileVerInfo(std::string_view signature, bool header) : header_(header) {
  SetSignature(0, signature);
}

void TFileVerInfo::SetSignature(int slot, std::string_view signature) {
  if (slot < 0 || slot > 4) return;
  std::string s(signature.substr(0, 12));
  if (!s.empty()) s.resize(12, ' ');
  signatures_[slot] = s;
}

static uint8_t VersionByte(int32_t index) {
  if (index == NoInt) return 255;
  const int32_t a = index < 0 ? -index : index;
  return static_cast<uint8_t>(a > 255 ? 255 : a);
}

void TFileVerInfo::SetReadVersion(int32_t index) { read_version_ = VersionByte(index); }
void TFileVerInfo::SetWriteVersion(int32_t index) { write_version_ = VersionByte(index); }

HeaderIdentity& FileHeaderIdentity() {
  static HeaderIdentity identity;
  return identity;
}

TFileVerInfo& SigStandard() { static TFileVerInfo v = MakeSig("STANDARD_4.0"); return v; }
TFileVerInfo& SigCatDoc() { static TFileVerInfo v = MakeSig("KLRCDDOC1.00"); return v; }
TFileVerInfo& SigCatProd() { static TFileVerInfo v = MakeSig("TRVKAPRO3.00"); return v; }
TFileVerInfo& SigCatPipes() { static TFileVerInfo v = MakeSig("TRVDKRUR3.00"); return v; }
TFileVerInfo& SigCatRad() { static TFileVerInfo v = MakeSig("TRVDKGRZ3.00"); return v; }
TFileVerInfo& SigCatDztGrz() { static TFileVerInfo v = MakeSig("TRDZTGRZ3.00"); return v; }
TFileVerInfo& SigCatDzt() { static TFileVerInfo v = MakeSig("TRVKDZTG3.00"); return v; }

// ---- construction

TObjectStream::TObjectStream() : inner_(std::make_unique<TMemoryStream>()) {}

TObjectStream::TObjectStream(std::unique_ptr<TByteStream> inner) : inner_(std::move(inner)) {}

TObjectStream::TObjectStream(const std::string& file_name, FileMode mode)
    : inner_(std::make_unique<TFileStream>(file_name, mode)), file_name_(file_name) {}

TObjectStream::TObjectStream(const std::string& file_name, FileMode mode, TFileVerInfo& ver)
    : TObjectStream(file_name, mode) {
  if (mode == FileMode::Create) {
    WriteHeader(ver);
  } else {
    ReadHeader(ver);
  }
}

bool TObjectStream::CheckFile(const std::string& file_name, TFileVerInfo& ver) {
  try {
    TObjectStream s(file_name, FileMode::Read, ver);
    return true;
  } catch (const EHXError&) {
    return false;
  }
}

const std::vector<uint8_t>& TObjectStream::MemoryData() const {
  static const std::vector<uint8_t> empty;
  const auto* mem = dynamic_cast<const TMemoryStream*>(inner_.get());
  return mem ? mem->Data() : empty;
}

// ---- header

void TObjectStream::ReadHeader(TFileVerInfo& ver) {
  char first[12];
  ReadBytes(first, 12);
  std::string signature(first, 12);
  std::string edition;
  if (std::memcmp(first, kMagic, 12) == 0) {
    char sig[12];
    ReadBytes(sig, 12);
    signature.assign(sig, 12);
    const uint16_t version = ReadWord();
    const uint32_t size = ReadCardinal();
    // The five identity fields must be there: a smaller size would make the header end before
    // its own fields (and a reader that trusted it would move backwards).
    if (size < kHeaderFieldsSize) throw EObjectStream(-10, {file_name_});
    if (version >= 2) ReadByte();
    const int64_t end = GetPosition() + static_cast<int64_t>(size);
    const int64_t total = GetSize();
    if (total >= 0 && end > total) throw EObjectStream(-10, {file_name_});
    char fields[5][16];
    ReadBytes(fields, sizeof fields);
    edition = TrimRight(Cp1251ToUtf8(std::string(fields[3], strnlen(fields[3], 16))));
    SetPosition(end);
  }
  for (int i = 0; i < 5; ++i) {
    if (!ver.Signature(i).empty() && ver.Signature(i) == signature) {
      version_index_ = -i;
      ver.SetReadVersion(i);
      signature_matched_ = true;
      return;
    }
  }
  if (!edition.empty()) throw EFVersionError(file_name_, edition);
  version_index_ = 0;
  signature_matched_ = false;
}

void TObjectStream::WriteHeader(TFileVerInfo& ver) {
  if (ver.HeaderFlag()) WriteBytes(kMagic, 12);
  version_index_ = -static_cast<int32_t>(ver.WriteVersion());
  std::string sig = ver.Signature(ver.WriteVersion() <= 4 ? ver.WriteVersion() : 0);
  sig.resize(12, ' ');
  WriteBytes(sig.data(), 12);
  if (!ver.HeaderFlag()) return;
  WriteWord(1);
  WriteCardinal(kHeaderFieldsSize);
  const HeaderIdentity& id = FileHeaderIdentity();
  for (const std::string* text : {&id.product, &id.language, &id.language2, &id.edition,
                                  &id.system}) {
    std::string field = EncodeText(*text).substr(0, 15);
    field.resize(15, ' ');
    field.push_back('\0');
    WriteBytes(field.data(), 16);
  }
}

// ---- raw access

int64_t TObjectStream::Remaining() const {
  const int64_t size = inner_->GetSize();
  if (size < 0 || !inner_->CanSeek()) return -1;
  const int64_t left = size - inner_->GetPosition();
  return left < 0 ? 0 : left;
}

void TObjectStream::CheckAvailable(int64_t count, int64_t item_size) const {
  if (count < 0 || item_size < 0) throw EObjectStream(-8, {count});
  const int64_t left = Remaining();
  const int64_t limit = left < 0 ? kUnknownSizeLimit : left;
  if (item_size != 0 && count > limit / item_size) throw EObjectStream(-8, {count});
}

void TObjectStream::ReadBytes(void* buffer, size_t n) {
  if (n == 0) return;
  if (inner_->Read(buffer, n) != n) throw EObjectStream(-3);
}

void TObjectStream::WriteBytes(const void* buffer, size_t n) {
  if (n == 0) return;
  if (inner_->Write(buffer, n) != n) throw EObjectStream(-5);
}

// ---- primitives

template <class T>
static T LoadLE(const uint8_t* b) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<U>(static_cast<U>(b[i]) << (8 * i));
  return static_cast<T>(v);
}

template <class T>
static void StoreLE(uint8_t* b, T value) {
  using U = std::make_unsigned_t<T>;
  const U v = static_cast<U>(value);
  for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t TObjectStream::ReadByte() {
  uint8_t b;
  ReadBytes(&b, 1);
  return b;
}

bool TObjectStream::ReadBool() { return ReadByte() != 0; }

#define HX_READ_INT(Name, Type)  \
  Type TObjectStream::Name() {   \
    uint8_t b[sizeof(Type)];     \
    ReadBytes(b, sizeof b);      \
    return LoadLE<Type>(b);      \
  }
HX_READ_INT(ReadInt16, int16_t)
HX_READ_INT(ReadWord, uint16_t)
HX_READ_INT(ReadInt32, int32_t)
HX_READ_INT(ReadCardinal, uint32_t)
HX_READ_INT(ReadInt64, int64_t)
#undef HX_READ_INT

double TObjectStream::ReadDouble() {
  const uint64_t bits = static_cast<uint64_t>(ReadInt64());
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

double TObjectStream::ReadReal48() {
  uint8_t b[6];
  ReadBytes(b, 6);
  return Real48ToDouble(b);
}

int32_t TObjectStream::ReadCompact() {
  const int16_t v = ReadInt16();
  return v == -32768 ? NoInt : v;
}

std::string TObjectStream::ReadStrBytes() {
  const uint16_t n = ReadWord();
  CheckAvailable(n);
  std::string bytes(n, '\0');
  ReadBytes(bytes.data(), n);
  return bytes;
}

std::string TObjectStream::ReadStr() { return Cp1251ToUtf8(ReadStrBytes()); }

std::string TObjectStream::ReadShortStr() {
  const uint8_t n = ReadByte();
  std::string bytes(n, '\0');
  ReadBytes(bytes.data(), n);
  return Cp1251ToUtf8(bytes);
}

std::optional<std::string> TObjectStream::ReadPChar() {
  std::string bytes = ReadStrBytes();
  if (bytes.empty()) return std::nullopt;
  return Cp1251ToUtf8(bytes);
}

void TObjectStream::WriteByte(uint8_t v) { WriteBytes(&v, 1); }

#define HX_WRITE_INT(Name, Type)       \
  void TObjectStream::Name(Type v) {   \
    uint8_t b[sizeof(Type)];           \
    StoreLE<Type>(b, v);               \
    WriteBytes(b, sizeof b);           \
  }
HX_WRITE_INT(WriteInt16, int16_t)
HX_WRITE_INT(WriteWord, uint16_t)
HX_WRITE_INT(WriteInt32, int32_t)
HX_WRITE_INT(WriteCardinal, uint32_t)
HX_WRITE_INT(WriteInt64, int64_t)
#undef HX_WRITE_INT

void TObjectStream::WriteDouble(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof v);
  WriteInt64(static_cast<int64_t>(bits));
}

void TObjectStream::WriteReal48(double v) {
  uint8_t b[6];
  if (!DoubleToReal48(v, b)) throw EObjectStream(-7, {FormatFloatGeneral(v)});
  WriteBytes(b, 6);
}

void TObjectStream::WriteCompact(int32_t v) {
  if (v == NoInt || v > 65535 || v < -65536) {
    WriteInt16(-32768);
  } else {
    WriteInt16(static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF)));
  }
}

std::string TObjectStream::EncodeText(std::string_view text) {
  size_t lost = 0;
  std::string bytes = Utf8ToCp1251(text, &lost);
  lost_characters_ += lost;
  return bytes;
}

void TObjectStream::WriteStrBytes(std::string_view bytes) {
  if (bytes.size() > 0xFFFF) throw EObjectStream(-7, {std::string(bytes.substr(0, 40)) + "..."});
  WriteWord(static_cast<uint16_t>(bytes.size()));
  WriteBytes(bytes.data(), bytes.size());
}

void TObjectStream::WriteStr(std::string_view text) { WriteStrBytes(EncodeText(text)); }

void TObjectStream::WriteShortStr(std::string_view text) {
  const std::string bytes = EncodeText(text);
  if (bytes.size() > 0xFF) throw EObjectStream(-7, {std::string(text.substr(0, 40)) + "..."});
  WriteByte(static_cast<uint8_t>(bytes.size()));
  WriteBytes(bytes.data(), bytes.size());
}

void TObjectStream::WritePChar(const std::optional<std::string>& text) {
  WriteStr(text ? std::string_view(*text) : std::string_view{});
}

// ---- objects

namespace {

// Counts the objects being read inside each other, so that hostile input nesting collections
// in collections cannot exhaust the stack.
thread_local int g_nesting = 0;

struct NestingGuard {
  NestingGuard() {
    if (++g_nesting > kMaxNesting) {
      --g_nesting;
      throw EObjectStream(-11);
    }
  }
  ~NestingGuard() { --g_nesting; }
};

}  // namespace

void TObjectStream::PutObject(const TStreamableObject& object, int variant) {
  const StreamClass* cls = FindStreamClass(object.TypeId());
  if (!cls || *cls->type != typeid(object)) throw EObjectStream(-9, {object.ClassName()});
  switch (variant) {
    case 1:
      WriteInt16(static_cast<int16_t>(object.TypeId()));
      object.Store1(*this);
      break;
    case 2:
      WriteInt32(object.TypeId() + 10000);
      object.Store2(*this);
      break;
    default:
      WriteInt32(object.TypeId());
      object.Store0(*this);
      break;
  }
}

std::unique_ptr<TStreamableObject> TObjectStream::GetObject(int variant) {
  NestingGuard guard;
  int32_t id;
  if (variant == 1) {
    id = ReadInt16();
    if (id == 330) id = 357;
  } else {
    id = ReadInt32();
  }
  const StreamClass* cls = FindStreamClass(id);
  if (!cls) throw EObjectStream(-6, {id});
  std::unique_ptr<TStreamableObject> object = cls->create();
  if (variant == 1) {
    object->Load1(*this);
  } else {
    object->Load0(*this);
  }
  return object;
}

}  // namespace hx
