// The pop-up list of a look-up: a top-most tool window that does not take the activation,
// laid out, placed and driven by PopUpListModel. One list is open at a time; while it is open,
// hooks of the thread give it the keys, close it when its owner window is deactivated or
// destroyed, and close it on a mouse press anywhere outside it. It frees itself after a
// choice or when it closes.
#pragma once

#include <windows.h>

#include "records/popup_layout.h"

namespace hx {

class TPopUpList;

// The list that is open now, or nullptr; its window.
TPopUpList* CurrentPopUpList();
HWND CurrentPopUpWindow();
// Closes the open list without a choice.
void ClosePopUpList();

// Opens a list for lookup at anchor (screen coordinates): under a control (the control's
// rectangle) or at a rectangle; owner is the control the list belongs to (it keeps the
// focus). Any list open before is closed first.
void OpenPopUpList(TCustomLookUp& lookup, HWND owner, const ItemRect& anchor, bool under_control,
                   TReturnStr mode, LookUpTextCallback callback);

// Makes TCustomLookUp::PopUpAt and PopUpUnder open the Win32 pop-up list.
void InstallPopUpHost();

// The model of the open list (tests look at its selection and layout).
PopUpListModel* CurrentPopUpModel();

}  // namespace hx
