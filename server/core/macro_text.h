// The text side of the macro conversation: the execute string split into lines, the allowed-type
// filter built from the type bytes, the client window handle of the handle macros, and the
// names the program derives from its own file.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

// The lines of an execute string (8-bit bytes as they came). Lines end at CR LF, or at a lone
// CR or LF; a final line break does not start another line.
std::vector<std::string> SplitMacroLines(std::string_view execute);

// Catalog item type ids allowed by a select or view operation, member n = type id n.
using TTypeSet = std::bitset<256>;
// The filter handed to the operations: no value means no filter.
using TTypeFilter = std::optional<TTypeSet>;

// Each byte names one type id; the byte 254 stands for type id 0, which cannot travel in the
// macro string.
TTypeSet BuildAllowedTypes(std::string_view type_bytes);
// The valve catalogs know type 14 as 117.
void MapValveTypes(TTypeSet& types);
// No filter for an empty set.
TTypeFilter TypeFilterOf(const TTypeSet& types);

// The client window handle of "CalcUFRad" and the picture macros: decimal digits between
// optional blanks, at most 4294967295. An empty text gives 4294967295; anything else that is
// not such a number gives nothing.
std::optional<uint32_t> ParseClientHandle(std::string_view text);

// The DDE service name: the program file's name up to its first ".".
std::string ServiceNameOf(std::string_view program_file);

// The program folder (without trailing backslash) and the catalog folder beside the program.
struct TProgramPaths {
  std::string program_folder;
  std::string catalog_folder;
};
TProgramPaths ProgramPathsOf(std::string_view program_file);

// ProgramFolder and CatalogFolder of the running program, set once at start-up.
const TProgramPaths& ProgramPaths();
void SetProgramPaths(TProgramPaths paths);

}  // namespace hx
