// The fixed records exchanged with the client by copy-data: the load parameters (264 bytes),
// the save parameters (265), the picture parameter record (338) and the drawing file name
// (256). Every layout is little-endian and read byte by byte; names are zero-terminated 8-bit
// text in the file code page, and a name field without its zero is refused.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace hx {

inline constexpr size_t kNameFieldSize = 256;

// The name in a zero-terminated field, as UTF-8; nothing when the field holds no zero.
std::optional<std::string> ReadNameField(std::span<const uint8_t> field);
// Writes the name into a field of field.size() bytes: code page bytes, cut to leave room for
// the zero, the rest zeros.
void WriteNameField(std::span<uint8_t> field, const std::string& name);

// Code 2: bytes 0-7 are not interpreted, bytes 8-263 the file name.
struct TLoadParams {
  static constexpr size_t kSize = 264;
  std::string file_name;
  static std::optional<TLoadParams> Decode(std::span<const uint8_t> bytes);
};

// Code 3: picture handle, format value (-1 keeps the picture's own format), flag, file name.
struct TSaveParams {
  static constexpr size_t kSize = 265;
  uint32_t handle = 0;
  int32_t format = -1;
  uint8_t flag = 0;
  std::string file_name;
  static std::optional<TSaveParams> Decode(std::span<const uint8_t> bytes);
};

// The picture parameter record sent with a picture (code 4) and received before an edit
// (code 9).
struct TPictureParams {
  static constexpr size_t kSize = 338;
  int32_t width = 0;
  int32_t height = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t image_height = 0;
  int32_t image_width = 0;
  int32_t image_format = 0;
  double image_values[4] = {0, 0, 0, 0};
  double scale = 1.0;
  int32_t size1 = 0;
  int32_t size2 = 0;
  uint8_t units = 255;
  uint8_t attributes = 0;
  uint32_t handle = 0;
  std::string file_name;

  std::array<uint8_t, kSize> Encode() const;
  static std::optional<TPictureParams> Decode(std::span<const uint8_t> bytes);
};

}  // namespace hx
