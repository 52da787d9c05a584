#include "server/core/macro_text.h"

#include "base/text.h"

namespace hx {

std::vector<std::string> SplitMacroLines(std::string_view execute) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < execute.size(); ++i) {
    const char c = execute[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(execute.substr(start, i - start));
    if (c == '\r' && i + 1 < execute.size() && execute[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < execute.size()) lines.emplace_back(execute.substr(start));
  return lines;
}

TTypeSet BuildAllowedTypes(std::string_view type_bytes) {
  TTypeSet types;
  for (const char c : type_bytes) {
    const auto b = static_cast<unsigned char>(c);
    types.set(b == 254 ? 0 : b);
  }
  return types;
}

void MapValveTypes(TTypeSet& types) {
  if (!types.test(14)) return;
  types.reset(14);
  types.set(117);
}

TTypeFilter TypeFilterOf(const TTypeSet& types) {
  if (types.none()) return std::nullopt;
  return types;
}

std::optional<uint32_t> ParseClientHandle(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty()) return 4294967295u;
  uint64_t value = 0;
  for (const char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > 4294967295u) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

namespace {

size_t LastSeparator(std::string_view path) {
  const size_t p = path.find_last_of("\\/");
  return p == std::string_view::npos ? 0 : p + 1;
}

}  // namespace

std::string ServiceNameOf(std::string_view program_file) {
  const std::string_view name = program_file.substr(LastSeparator(program_file));
  return std::string(name.substr(0, name.find('.')));
}

TProgramPaths ProgramPathsOf(std::string_view program_file) {
  size_t end = LastSeparator(program_file);
  while (end > 0 && (program_file[end - 1] == '\\' || program_file[end - 1] == '/')) --end;
  TProgramPaths paths;
  paths.program_folder = std::string(program_file.substr(0, end));
  paths.catalog_folder = paths.program_folder + "\\Danekat\\";
  return paths;
}

namespace {
TProgramPaths& RunningPaths() {
  static TProgramPaths paths;
  return paths;
}
}  // namespace

const TProgramPaths& ProgramPaths() {
  return RunningPaths();
}
void SetProgramPaths(TProgramPaths paths) {
  RunningPaths() = std::move(paths);
}

}  // namespace hx
