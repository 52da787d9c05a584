// Start-up of the component layer: the common controls, the pop-up list and text editor
// hosts of the look-ups and bound edits, and the end of the progress indicator when the
// application terminates. A program calls it once after TApplication::Initialize.
#pragma once

namespace hx {

void InitializeUi();

}  // namespace hx
