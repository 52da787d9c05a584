// Readable forms of what the client exchanges with the server: copy-data messages as one line
// each (direction, code, cbData, the first bytes in hex and as text) and 8-bit item texts with
// their line breaks and unprintable bytes shown.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hx {

// "-> 14 cb=5: 03 00 61 62 63 |..abc| = 1"; outgoing messages carry their result, incoming ones
// are written when they arrive. At most 32 bytes are shown.
std::string FormatCopyData(bool outgoing, int32_t code, std::span<const uint8_t> data,
                           std::optional<int32_t> result);

// Code page bytes as quoted UTF-8 text, with \r, \n, \" , \\ and \xNN for control bytes.
std::string QuoteText(std::string_view bytes);

}  // namespace hx
