// The clipboard: Unicode text and enhanced metafiles. Another program may hold the clipboard
// for a moment, so opening it is retried briefly.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace hx {

bool SetClipboardText(std::string_view text, HWND owner = nullptr);
// The clipboard's text, or nothing when it holds none.
std::optional<std::string> ClipboardText(HWND owner = nullptr);
// Puts a copy of the metafile on the clipboard.
bool SetClipboardMetafile(HENHMETAFILE metafile, HWND owner = nullptr);
// A copy of the clipboard's metafile (the caller deletes it), or nullptr.
HENHMETAFILE ClipboardMetafile(HWND owner = nullptr);

}  // namespace hx
