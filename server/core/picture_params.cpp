#include "server/core/picture_params.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/cp1251.h"
#include "server/core/copy_data_frame.h"

namespace hx {
namespace {

int32_t GetInt(const uint8_t* p) {
  return static_cast<int32_t>(GetCardinal(p));
}
void PutInt(uint8_t* p, int32_t v) {
  PutCardinal(p, static_cast<uint32_t>(v));
}

double GetDouble(const uint8_t* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
  return std::bit_cast<double>(bits);
}
void PutDouble(uint8_t* p, double v) {
  const auto bits = std::bit_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace

std::optional<std::string> ReadNameField(std::span<const uint8_t> field) {
  const auto zero = std::find(field.begin(), field.end(), 0);
  if (zero == field.end()) return std::nullopt;
  return Cp1251ToUtf8(std::string(field.begin(), zero));
}

void WriteNameField(std::span<uint8_t> field, const std::string& name) {
  std::fill(field.begin(), field.end(), 0);
  if (field.empty()) return;
  const std::string bytes = Utf8ToCp1251(name);
  std::memcpy(field.data(), bytes.data(), std::min(bytes.size(), field.size() - 1));
}

std::optional<TLoadParams> TLoadParams::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  auto name = ReadNameField(bytes.subspan(8, kNameFieldSize));
  if (!name) return std::nullopt;
  return TLoadParams{std::move(*name)};
}

std::optional<TSaveParams> TSaveParams::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  auto name = ReadNameField(bytes.subspan(9, kNameFieldSize));
  if (!name) return std::nullopt;
  TSaveParams p;
  p.handle = GetCardinal(&bytes[0]);
  p.format = GetInt(&bytes[4]);
  p.flag = bytes[8];
  p.file_name = std::move(*name);
  return p;
}

std::array<uint8_t, TPictureParams::kSize> TPictureParams::Encode() const {
  std::array<uint8_t, kSize> b{};
  PutInt(&b[0], width);
  PutInt(&b[4], height);
  PutInt(&b[8], x);
  PutInt(&b[12], y);
  PutInt(&b[16], image_height);
  PutInt(&b[20], image_width);
  PutInt(&b[24], image_format);
  for (int i = 0; i < 4; ++i) PutDouble(&b[28 + 8 * i], image_values[i]);
  PutDouble(&b[60], scale);
  PutInt(&b[68], size1);
  PutInt(&b[72], size2);
  b[76] = units;
  b[77] = attributes;
  PutCardinal(&b[78], handle);
  WriteNameField(std::span<uint8_t>(b).subspan(82, kNameFieldSize), file_name);
  return b;
}

std::optional<TPictureParams> TPictureParams::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  auto name = ReadNameField(bytes.subspan(82, kNameFieldSize));
  if (!name) return std::nullopt;
  TPictureParams p;
  const uint8_t* b = bytes.data();
  p.width = GetInt(b);
  p.height = GetInt(b + 4);
  p.x = GetInt(b + 8);
  p.y = GetInt(b + 12);
  p.image_height = GetInt(b + 16);
  p.image_width = GetInt(b + 20);
  p.image_format = GetInt(b + 24);
  for (int i = 0; i < 4; ++i) p.image_values[i] = GetDouble(b + 28 + 8 * i);
  p.scale = GetDouble(b + 60);
  p.size1 = GetInt(b + 68);
  p.size2 = GetInt(b + 72);
  p.units = b[76];
  p.attributes = b[77];
  p.handle = GetCardinal(b + 78);
  p.file_name = std::move(*name);
  return p;
}

}  // namespace hx
