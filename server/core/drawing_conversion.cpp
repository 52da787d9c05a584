#include "server/core/drawing_conversion.h"

#include "base/safe_replace.h"
#include "server/core/server_services.h"

namespace hx {

bool ConvertDrawingFile(IDrawingConverter& converter, const std::string& file_name,
                        IFileOps& files) {
  const auto drawing = converter.Read(file_name);
  if (!drawing) return false;
  struct TClose {
    IDrawingConverter& converter;
    const IDrawingConverter::TDrawing& drawing;
    ~TClose() { converter.Close(drawing); }
  } close{converter, *drawing};
  const ReplaceResult result = SafeReplaceFile(
      file_name,
      [&](const std::string& temp) { return converter.Save(*drawing, temp) && files.Exists(temp); },
      files);
  if (result != ReplaceResult::Ok) return false;
  // The converted drawing is in place; the original's backup is not kept beside it.
  files.Remove(BackupFileName(file_name));
  return true;
}

}  // namespace hx
