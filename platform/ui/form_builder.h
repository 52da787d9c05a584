// Forms declared as tables: one row per control with its kind, stable id, name, caption,
// position and size in pixels, the field of the form's record it is bound to and the few
// properties forms set. The builder creates the controls in table order (which is the tab
// order) and binds them, so that a form of a later Part is a table and a few handlers:
//
//   const TControlSpec kPipeForm[] = {
//       {.kind = TCtl::DBCaptionLabel, .id = 101, .name = "L_Dn", .x = 8, .y = 10, .w = 90,
//        .h = 16, .field = "PF_Dn"},
//       {.kind = TCtl::DBEdit, .id = 102, .name = "ED_Dn", .x = 100, .y = 8, .w = 80, .h = 21,
//        .field = "PF_Dn"},
//       {.kind = TCtl::Button, .id = IDOK, .name = "Btn_OK", .caption = "OK", .x = 8, .y = 40,
//        .w = 75, .h = 25, .flags = cfDefault, .modal_result = mrOk},
//   };
//   TForm form({.caption = "Труба", .client_width = 200, .client_height = 80});
//   TFormBuilder(form).Record(&R_Pipe).Build(kPipeForm);
//   form.ShowModal();
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/window.h"
#include "records/field.h"
#include "records/lookup.h"
#include "records/record.h"

namespace hx {

enum class TCtl : uint8_t {
  // standard controls
  Label,
  Edit,
  Memo,
  Button,
  CheckBox,
  GroupBox,
  RadioGroup,
  ComboBox,
  ListBox,
  OwnerDrawList,
  ListView,
  TabControl,
  TreeView,
  StatusBar,
  ProgressBar,
  Splitter,
  // edits over their models
  ZqEdit,
  NumEdit,
  DBEdit,
  DBMemo,
  // bound controls
  DBCaptionLabel,
  DBUnitsLabel,
  DBTextLabel,
  DBCheckBox,
  DBExtCheckBox,
  DBRadioButton,
  DBCheckBoxGroup,
  DBRadioGroup,
  DBComboBox,
  DBListBox,
  DBLookUpComboBox,
  DBLookUpListBox,
  DBPictureWnd,
  // look-up boxes
  LookUpComboBox,
  LookUpListBox,
};

enum TCtlFlags : unsigned {
  cfDefault = 1u << 0,       // the default button (Enter)
  cfCancel = 1u << 1,        // the cancel button (Escape)
  cfReadOnly = 1u << 2,      // edits, memos
  cfFormulas = 1u << 3,      // numeric edits keep formulas
  cfDropDownList = 1u << 4,  // combo boxes without an edit part
  cfRightAlign = 1u << 5,
  cfCenterAlign = 1u << 6,
  cfOnSelChange = 1u << 7,  // bound combo and list boxes hand back on a change of selection
  cfHidden = 1u << 8,
  cfDisabled = 1u << 9,
  cfHorizontal = 1u << 10,  // splitters
  cfRequired = 1u << 11,    // unbound edits
  cfOnExit = 1u << 12,      // check-box and radio groups hand back on leaving, not on click
  cfMultiSelect = 1u << 13,
};

class TWinControl;

struct TControlSpec {
  TCtl kind = TCtl::Label;
  int id = 0;
  const char* name = "";
  const char* caption = "";  // labels, buttons, boxes, group boxes (and the hint after a "|")
  int x = 0, y = 0, w = 0, h = 0;
  const char* field = nullptr;  // the bound field of the form's record
  unsigned flags = 0;
  int modal_result = 0;          // buttons
  const char* items = nullptr;   // entries separated by "\n": groups, combos, lists, tabs
  const char* lookup = nullptr;  // the look-up of look-up boxes and unbound edits, by name
  TBtnStyle btn = btnsNo;        // unbound edits
  double min = 0, max = -1;      // numeric edits: the range (none while max < min)
  int num_fp = 2;                // numeric edits: decimals
  double increment = 1;          // numeric edits: the spin step
  int max_length = 0;            // unbound edits
  int columns = 1;               // groups
  int item_height = 16;          // owner-drawn lists
  // Anything else the row needs, run after the control is created.
  void (*setup)(TWinControl& control) = nullptr;
};

class TFormBuilder {
 public:
  explicit TFormBuilder(TForm& form) : form_(form) {}

  // The record whose fields the rows name (not owned).
  TFormBuilder& Record(TCustomZqDBRecord* record);
  // A look-up the rows may name (not owned).
  TFormBuilder& LookUp(std::string name, TCustomLookUp* lookup);
  // Creates the rows' controls in order. A field or look-up name that is not known is a
  // mistake in the table and raises std::logic_error.
  TForm& Build(std::span<const TControlSpec> rows);

  // Creates one control.
  TWinControl& Create(const TControlSpec& row);

 private:
  TZqField* FieldOf(const TControlSpec& row) const;
  TCustomLookUp* LookUpOf(const TControlSpec& row) const;

  TForm& form_;
  TCustomZqDBRecord* record_ = nullptr;
  std::map<std::string, TCustomLookUp*, std::less<>> lookups_;
};

// The entries of a table row ("\n" separated).
std::vector<std::string> SplitItems(const char* items);

}  // namespace hx
