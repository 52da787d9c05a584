// TF_TextEditor, the window in which a bound edit's text is edited at length ("Текст"), and
// the host that bound edits open it through.
#pragma once

#include <windows.h>

#include "controls/dialog_hosts.h"
#include "platform/ui/window.h"

namespace hx {

// Control ids of the window, for automation.
enum : int { kTextEditorMemo = 101, kTextEditorOk = IDOK, kTextEditorCancel = IDCANCEL };

class TF_TextEditor : public TForm {
 public:
  TF_TextEditor(const TextEditorRequest& request, HWND owner);
  // Shows the window modally; true on OK with the edited text in request (line breaks become
  // blanks unless the text is multi-line).
  bool Execute(TextEditorRequest& request);
};

// Makes bound edits open TF_TextEditor.
void InstallTextEditorHost();

}  // namespace hx
