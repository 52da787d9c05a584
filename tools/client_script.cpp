#include "tools/client_script.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/cp1251.h"
#include "base/text.h"

namespace hx {
namespace {

template <class T>
std::optional<T> Number(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || p != end || text.empty()) return std::nullopt;
  return value;
}

void Append(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool ParsePart(std::string_view part, std::vector<uint8_t>& out, std::string& error) {
  const auto fail = [&](const char* what) {
    error = std::string(what) + ": " + std::string(part);
    return false;
  };
  if (!part.empty() && part[0] == '#') {
    std::string_view rest = part.substr(1);
    while (!rest.empty()) {
      const size_t comma = rest.find(',');
      const auto n = Number<unsigned>(rest.substr(0, comma));
      if (!n || *n > 255) return fail("a byte is 0..255");
      out.push_back(static_cast<uint8_t>(*n));
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
  }
  const size_t colon = part.find(':');
  const std::string_view tag =
      colon == std::string_view::npos ? std::string_view() : part.substr(0, colon);
  const std::string_view value = colon == std::string_view::npos ? part : part.substr(colon + 1);
  if (tag == "x") {
    if (value.size() % 2) return fail("hex needs pairs of digits");
    for (size_t i = 0; i < value.size(); i += 2) {
      const auto b = [&] {
        uint8_t v = 0;
        const auto [p, ec] = std::from_chars(value.data() + i, value.data() + i + 2, v, 16);
        return ec == std::errc() && p == value.data() + i + 2 ? std::optional<uint8_t>(v)
                                                              : std::nullopt;
      }();
      if (!b) return fail("not hex");
      out.push_back(*b);
    }
    return true;
  }
  if (tag == "u16" || tag == "u32" || tag == "i32" || tag == "z") {
    const auto n = Number<int64_t>(value);
    if (!n) return fail("not a number");
    if (tag == "u16" && (*n < 0 || *n > 0xFFFF)) return fail("out of range");
    if (tag == "u32" && (*n < 0 || *n > 0xFFFFFFFFLL)) return fail("out of range");
    if (tag == "i32" && (*n < INT32_MIN || *n > INT32_MAX)) return fail("out of range");
    if (tag == "z" && (*n < 0 || *n > (64 << 20))) return fail("out of range");
    if (tag == "z") {
      out.insert(out.end(), static_cast<size_t>(*n), 0);
    } else {
      Append(out, static_cast<uint64_t>(*n), tag == "u16" ? 2 : 4);
    }
    return true;
  }
  if (tag == "str") {
    const size_t second = value.find(':');
    const auto n = Number<unsigned>(value.substr(0, second));
    if (second == std::string_view::npos || !n || *n > (1u << 20)) return fail("str:size:text");
    const std::string bytes = Utf8ToCp1251(value.substr(second + 1));
    if (bytes.size() > *n) return fail("text longer than its field");
    out.insert(out.end(), bytes.begin(), bytes.end());
    out.insert(out.end(), *n - bytes.size(), 0);
    return true;
  }
  if (tag == "f") {
    const std::string path(value);
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    if (!in) return fail("cannot read the file");
    out.insert(out.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
  }
  const std::string bytes = Utf8ToCp1251(part);
  out.insert(out.end(), bytes.begin(), bytes.end());
  return true;
}

std::optional<int32_t> Code(std::string_view field, std::string& error) {
  const auto n = Number<int32_t>(field);
  if (!n) error = "not a code: " + std::string(field);
  return n;
}

}  // namespace

std::optional<std::vector<std::string>> SplitFields(std::string_view text, std::string& error) {
  std::vector<std::string> fields;
  size_t i = 0;
  while (true) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size()) return fields;
    std::string field;
    if (text[i] == '"') {
      ++i;
      bool closed = false;
      while (i < text.size()) {
        const char c = text[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < text.size() && (text[i] == '"' || text[i] == '\\')) {
          field += text[i++];
        } else {
          field += c;
        }
      }
      if (!closed) {
        error = "unbalanced quote";
        return std::nullopt;
      }
    } else {
      while (i < text.size() && text[i] != ' ' && text[i] != '\t') field += text[i++];
    }
    fields.push_back(std::move(field));
  }
}

std::optional<std::vector<uint8_t>> ParseBytes(std::string_view field, std::string& error) {
  std::vector<uint8_t> out;
  while (true) {
    const size_t plus = field.find('+');
    if (!ParsePart(field.substr(0, plus), out, error)) return std::nullopt;
    if (plus == std::string_view::npos) return out;
    field.remove_prefix(plus + 1);
  }
}

std::optional<std::string> ParseMacroParam(std::string_view field, std::string& error) {
  if (field.empty() || field[0] != '#') return Utf8ToCp1251(field);
  std::vector<uint8_t> bytes;
  if (!ParsePart(field, bytes, error)) return std::nullopt;
  for (uint8_t& b : bytes) {
    if (b == 0) b = 254;
  }
  return std::string(bytes.begin(), bytes.end());
}

std::optional<TClientStep> ParseStep(std::string_view text, std::string& error) {
  auto fields = SplitFields(text, error);
  if (!fields) return std::nullopt;
  if (fields->empty()) {
    error = "empty step";
    return std::nullopt;
  }
  const std::string verb = (*fields)[0];
  const size_t args = fields->size() - 1;
  const auto arity = [&](size_t min, size_t max) {
    if (args >= min && args <= max) return true;
    error = "wrong number of fields for " + verb;
    return false;
  };
  TClientStep step;
  static const std::pair<const char*, TStepKind> kPlain[] = {
      {"request", TStepKind::Request},       {"end", TStepKind::End},
      {"activate", TStepKind::Broadcast},    {"connect", TStepKind::Connect},
      {"disconnect", TStepKind::Disconnect}, {"close", TStepKind::Close},
      {"wait-exit", TStepKind::WaitExit},
  };
  for (const auto& [name, kind] : kPlain) {
    if (verb == name) {
      if (!arity(0, 0)) return std::nullopt;
      step.kind = kind;
      return step;
    }
  }
  if (verb == "exec" || verb == "begin") {
    if (!arity(1, 3)) return std::nullopt;
    step.kind = verb == "exec" ? TStepKind::Exec : TStepKind::Begin;
    step.execute = Utf8ToCp1251((*fields)[1]);
    for (size_t i = 2; i < fields->size(); ++i) {
      const auto param = ParseMacroParam((*fields)[i], error);
      if (!param) return std::nullopt;
      step.execute += "\r\n" + *param;
    }
    return step;
  }
  if (verb == "send" || verb == "raw" || verb == "counted") {
    if (!arity(verb == "counted" ? 2 : 1, verb == "send" ? 3 : 2)) return std::nullopt;
    step.kind = verb == "send"  ? TStepKind::Send
                : verb == "raw" ? TStepKind::Raw
                                : TStepKind::Counted;
    const auto code = Code((*fields)[1], error);
    if (!code) return std::nullopt;
    step.code = *code;
    for (size_t i = 2; i < fields->size(); ++i) {
      const auto bytes = ParseBytes((*fields)[i], error);
      if (!bytes) return std::nullopt;
      if (step.kind != TStepKind::Send) {
        step.bytes = *bytes;
      } else {
        (i == 2 ? step.prefix : step.payload) = *bytes;
      }
    }
    return step;
  }
  if (verb == "press") {
    if (!arity(2, 2)) return std::nullopt;
    step.kind = TStepKind::Press;
    step.caption = (*fields)[1];
    step.button = (*fields)[2];
    return step;
  }
  if (verb == "sleep") {
    if (!arity(1, 1)) return std::nullopt;
    const auto ms = Number<int>((*fields)[1]);
    if (!ms || *ms < 0) {
      error = "sleep needs milliseconds";
      return std::nullopt;
    }
    step.kind = TStepKind::Sleep;
    step.milliseconds = *ms;
    return step;
  }
  error = "unknown step: " + verb;
  return std::nullopt;
}

std::vector<std::string> ScriptLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trim(text.substr(start, end - start));
    if (!line.empty() && line[0] != '#') lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace hx
