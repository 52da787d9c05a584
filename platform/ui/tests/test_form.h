// The test form of the component layer: bound edits (a formula length, a percentage with a
// range, a look-up kind, a note), a check box, a check-box group and the OK and cancel
// buttons, declared as a table. The integration tests drive it and scripts/screenshot.sh
// shows it.
#pragma once

#include <windows.h>

#include "platform/ui/window.h"
#include "records/field_boolean.h"
#include "records/field_lookup.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/lookup.h"
#include "records/record.h"

namespace hx::test {

enum : int {
  kIdLengthCaption = 101,
  kIdLength = 102,
  kIdLengthUnits = 103,
  kIdPercentCaption = 104,
  kIdPercent = 105,
  kIdPercentUnits = 106,
  kIdKindCaption = 107,
  kIdKind = 108,
  kIdNoteCaption = 109,
  kIdNote = 110,
  kIdActive = 111,
  kIdFlags = 120,  // its boxes are 121, 122, ...
  kIdStatus = 130,
  kIdOk = IDOK,
  kIdCancel = IDCANCEL,
};

inline constexpr const char* kTestFormCaption = "Тестовая форма — элементы управления";
inline constexpr int kTestFormWidth = 420;
inline constexpr int kTestFormHeight = 292;

class TTestForm : public TForm {
 public:
  // left and top place the form on the screen (centred by default).
  explicit TTestForm(HWND owner = nullptr, int left = CW_USEDEFAULT, int top = CW_USEDEFAULT);

  TLookUp LUp_Kinds;
  TZqDBRecord R_Test;
  TDataFloatField PF_Length;
  TDataFloatField PF_Percent;
  TDataLookUpField PF_Kind;
  TDataStringField PF_Note;
  TDataBooleanField PF_Active;
  TDataIntegerField PF_Flags;

  int ok_clicks = 0;
};

}  // namespace hx::test
