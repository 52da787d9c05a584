#include "platform/ui/ui_setup.h"

#include "controls/appl_progress.h"
#include "platform/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/popup_list.h"
#include "platform/ui/text_editor_form.h"

namespace hx {

void InitializeUi() {
  InitCommonControlsOnce();
  InstallPopUpHost();
  InstallTextEditorHost();
  ApplProgress().Terminating = [] { return TApplication::Instance().Terminated(); };
}

}  // namespace hx
