// The number reader: a text with an arithmetic expression (+ - * / ^ and brackets, decimal
// numbers with "." or "," and an optional exponent) to a real, and the integer readers built
// on it. Failures show their message as an error (while MessagesEnabled) and fill the check
// result: kind 5 with the offending text for a text that is not a number, kind 8 with the
// message otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hx {

// Longest text read; the rest is ignored.
inline constexpr size_t kMaxNumberTextLength = 512;
// Deepest bracket nesting read.
inline constexpr int kMaxBracketDepth = 64;

// Reads text into value. A blank text gives NoFloat and succeeds. On failure value is
// NoFloat. Precedence: "^" binds tightest and groups from the right (2^3^2 = 512); "*" and
// "/" next, from left to right (8/2/2 = 2); "+" and "-" last. A sign belongs to its operand,
// so a negative base of "^" fails; "1E-6" and "1,5E20" read as numbers.
bool ReadNumber(std::string_view text, double& value);

// Conversions of a read real to the integer kinds.
// int32: NoFloat -> NoInt, clamped to -2147483646 .. 2147483647.
int32_t FloatToInt32Value(double v);
// word: NoFloat or above 65535 -> 65535, negative -> 0.
uint16_t FloatToWordValue(double v);
// byte: NoFloat or above 255 -> 255, negative -> 0.
uint8_t FloatToByteValue(double v);
// unsigned 32-bit: NoFloat or above 4294967295 -> 4294967295, negative -> 0.
uint32_t FloatToCardinalValue(double v);
// All round to the nearest integer, halves to even.

// ReadNumber followed by the conversion; value is set also on failure (from NoFloat).
bool ReadNumberInt32(std::string_view text, int32_t& value);
bool ReadNumberWord(std::string_view text, uint16_t& value);
bool ReadNumberByte(std::string_view text, uint8_t& value);
bool ReadNumberCardinal(std::string_view text, uint32_t& value);

}  // namespace hx
