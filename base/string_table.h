// The program's texts (messages, captions, hints) keyed by their numeric ids. Each subsystem
// keeps its entries in a file of base/strings/; every text is UTF-8.
#pragma once

#include <string_view>

namespace hx {

// The text of id, or an empty text when the table has no such entry.
std::string_view LoadStr(int id);

bool HasStr(int id);

}  // namespace hx
