// The edit bound to a field (TZqDBEdit): it shows the field's display text (or, while focused
// with formulas on, the formula), takes its properties from the field, checks the text on
// leaving and hands it back; its pull-down and help ask the field first. The memo bound to a
// text field (TZqDBMemo) lives here too.
#pragma once

#include <string>
#include <string_view>

#include "controls/control_model.h"
#include "controls/num_edit.h"

namespace hx {

class TZqDBEdit : public TCustomNumEdit, public TZqBoundControl {
 public:
  TZqDBEdit() = default;

  // Hands the text back to the field on leaving.
  bool SetFieldDataOnExit = true;
  // Take the alignment, and the display style and colours, from the field.
  bool FieldAlignment = true;
  bool FieldDisplayStyle = true;
  // The colour the form gave the control; a field without a background colour of its own
  // shows it.
  int32_t FormColor = clDefaultColor;

  // ---- what the field decides
  int EditKind() const override;
  const ICatalogLookup* Cat() const override;
  TCustomLookUp* LookUp() const override;
  TReturnStr LookUpReturnStr() const override;
  bool Required() const override;
  TSetTextMode SetTextMode() const override;
  int32_t ErrorColor() const override;
  std::string ErrorMsg() const override;
  TBtnStyle BtnStyle() const override;
  bool FormulaEnabled() const override;
  bool HasRange() const override;
  double Minimum() const override;
  double Maximum() const override;
  int NumLength() const override;
  int NumDecimals() const override;
  double StepIncrement() const override;

  // ---- IFieldControl
  // The formula becomes the field's text, the text its display text without trailing blanks
  // (while not focused the formula's value), then the property update.
  void FieldRefresh() override;
  // Hint, help context, length, read-only, visible and enabled follow the field; with
  // FieldDisplayStyle the display style and the colours; with FieldAlignment the alignment.
  // The error state keeps its own hint and colour until it ends. A calculated field is
  // checked silently.
  void FieldUpdate() override;
  // The numeric check of the current text: text kinds must not be blank when required (and
  // must name an item of the field's catalog or look-up), boolean kinds must read as a truth
  // text, numeric kinds as a number in the range. A failure enters the error state, fills the
  // check result and, with show_error, shows the message.
  bool FieldCheck(bool show_error) override;

  // The hand-back: the text (while focused or with formulas off) or else the formula goes to
  // the field: text and boolean fields take it, look-up and numeric fields when their check
  // accepts it (else an empty text).
  void SetFieldData();

  // The field's OnCheckText check, the hand-back (SetFieldDataOnExit), then the numeric edit's
  // leaving.
  void Exit() override;
  // The field first: OnPullDown; its look-up (editable); its catalog (select, or the item's
  // information when read-only); the truth texts (editable boolean); the text editor (text
  // field); else help.
  void PullDown() override;
  // The field first: OnHelp; its catalog; its look-up or truth texts (editable); else its
  // hint as help.
  void Help() override;

 protected:
  std::string TrueText() const override;
  std::string FalseText() const override;

 private:
  // mark: a failure enters the error state.
  bool CheckFieldText(std::string_view text, bool show_error, bool mark);
  void CatalogRequest();
  void OpenTextEditor();
  double Scale() const;
};

class TZqDBMemo : public TControlModel, public TZqBoundControl {
 public:
  bool SetFieldDataOnExit = true;
  bool FieldAlignment = true;
  bool FieldDisplayStyle = true;

  const std::string& Text() const { return text_; }
  // What the user typed.
  void UserEdited(std::string_view text) { text_ = std::string(text); }
  bool ReadOnly() const { return read_only_; }
  int32_t MaxLength() const { return max_length_; }
  TAlignment Alignment() const { return alignment_; }
  bool Focused() const { return focused_; }

  void Enter() { focused_ = true; }
  // A required field left empty shows 20041 and takes the focus back (when visible); else the
  // text is handed back (SetFieldDataOnExit).
  void Exit();
  void SetFieldData();

  void FieldRefresh() override;
  void FieldUpdate() override;
  bool FieldCheck(bool show_error) override;

 private:
  std::string text_;
  bool read_only_ = false;
  int32_t max_length_ = 0;
  TAlignment alignment_ = taLeftJustify;
  bool focused_ = false;
};

}  // namespace hx
