// The conversion of a drawing file that copy-data code 15 asks for: the drawing is read, then
// written again with its own format under a temporary name, and only then takes the file's
// place, so that a failure at any step leaves the original drawing where it was.
#pragma once

#include <string>

#include "base/safe_replace.h"

namespace hx {

class IDrawingConverter;

// True when the converted drawing is under the file's name; false leaves the original as it
// was.
bool ConvertDrawingFile(IDrawingConverter& converter, const std::string& file_name,
                        IFileOps& files = SystemFileOps());

}  // namespace hx
