// The edit model under every edit of the forms: the text and its selection, the button area
// with its spin or pull-down, the error state (error colour, message in the hint), the check
// of the text on leaving, and the insertion of a chosen text. The Win32 edit shows this model
// and forwards the user's input to it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/control_model.h"
#include "records/lookup.h"

namespace hx {

class TCustomZqEdit;

// ---- the button area

inline constexpr int kEditButtonWidth = 14;    // the rightmost pixels of the client area
inline constexpr int kEditTextNarrowing = 16;  // the text area is that much narrower

// What a left press on the button does.
enum class EditButtonPart { None, SpinUp, SpinDown, PullDown };

// The keys the edit handles itself; the platform maps its key codes to these.
enum class EditKey { Up, Down, Enter, F1, Other };

// Pull-down and help requests of an edit: the handler may do the job itself (leave handled
// set) or clear handled to let the edit's own behaviour run.
using EditRequestEvent = std::function<void(TCustomZqEdit& edit, bool& handled)>;
using EditNotifyEvent = std::function<void(TCustomZqEdit& edit)>;
using EditGlyphEvent = std::function<void(TCustomZqEdit& edit, TGlyphPtr& glyph)>;

// Code points of a UTF-8 text (the unit of selections and lengths).
size_t CodePointCount(std::string_view text);
// The first count code points of text.
std::string CodePointPrefix(std::string_view text, size_t count);
// Every character below 32 becomes a blank (typed, pasted and chosen texts of an edit).
std::string BlankControlCharacters(std::string_view text);

class TCustomZqEdit : public TControlModel, public ILookUpUser {
 public:
  TCustomZqEdit() = default;
  ~TCustomZqEdit() override;

  // ---- text
  const std::string& Text() const { return text_; }
  // Sets the text (as the program does); the caret goes to the end.
  void SetText(std::string_view text);
  // The selection in code points.
  int SelStart() const { return sel_start_; }
  int SelLength() const { return sel_length_; }
  void SetSelection(int start, int length);
  void SelectAll() { SetSelection(0, static_cast<int>(CodePointCount(text_))); }
  // What the user typed or pasted: the window's new text and caret. Characters below 32
  // become blanks (the view is told when that changed the text).
  void UserEdited(std::string_view text, int caret);
  bool Modified = false;

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  // Characters at most (0 = unlimited).
  int32_t MaxLength() const { return max_length_; }
  void SetMaxLength(int32_t length);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TEditCharCase CharCase = ecNormal;

  // ---- what the text is checked against
  virtual const ICatalogLookup* Cat() const { return cat_; }
  void SetCat(const ICatalogLookup* cat) { cat_ = cat; }
  virtual TCustomLookUp* LookUp() const { return lookup_; }
  void SetLookUp(TCustomLookUp* lookup);
  virtual TReturnStr LookUpReturnStr() const { return return_str_; }
  void SetLookUpReturnStr(TReturnStr mode) { return_str_ = mode; }
  virtual bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  virtual TSetTextMode SetTextMode() const { return set_text_mode_; }
  void SetSetTextMode(TSetTextMode mode) { set_text_mode_ = mode; }
  virtual int32_t ErrorColor() const { return error_color_; }
  void SetErrorColor(int32_t color) { error_color_ = color; }
  // The hint of the error state when set (numeric edits format it with the value, minimum and
  // maximum).
  virtual std::string ErrorMsg() const { return error_msg_; }
  void SetErrorMsg(std::string msg) { error_msg_ = std::move(msg); }
  TDisplayStyle DisplayStyle = dsCaption;
  bool OnlyLookUpText = false;
  // The component the edit works for (a label, a dialog); not owned.
  void* LinkedComponent = nullptr;
  // The kind of value the text stands for (the field kinds of check_result.h).
  virtual int EditKind() const { return Cat() ? fkSymbol : fkString; }

  // ---- button
  virtual TBtnStyle BtnStyle() const { return btn_style_; }
  void SetBtnStyle(TBtnStyle style);
  // A button is shown when there is a style and the control is not read-only.
  bool HasButton() const { return BtnStyle() != btnsNo && !ReadOnly(); }
  // The button's rectangle in a client area of width x height (empty without a button).
  ItemRect ButtonRect(int width, int height) const;
  // The text area: narrowed for the button and centred vertically for a text of text_height.
  ItemRect TextRect(int width, int height, int text_height) const;
  // What a left press at (x, y) of a client area of width x height does.
  EditButtonPart ButtonPartAt(int x, int y, int width, int height) const;
  // A left press on the button: a spin step, or the pull-down.
  void ButtonPressed(EditButtonPart part);
  // Keys: Up and Down step a spin edit, Enter presses the form's default button (or goes to
  // the parent window), F1 asks for help. True when the key was used.
  bool KeyDown(EditKey key);

  EditRequestEvent OnPullDown;
  EditRequestEvent OnHelp;
  EditNotifyEvent OnUpClick;
  EditNotifyEvent OnDownClick;
  EditNotifyEvent OnAfterUpDownClick;
  EditGlyphEvent OnGetGlyph;

  // The pull-down: OnPullDown; else the look-up pops up under the control; else help.
  virtual void PullDown();
  // Help: OnHelp; else the long part of the hint in a help box (nothing when it is blank).
  virtual void Help();
  virtual void StepUp() { Beep(); }
  virtual void StepDown() { Beep(); }

  // Inserts a chosen text by the insertion mode: stmReplace replaces the whole text and selects
  // it; stmInsert replaces the selection (or inserts at the caret) and puts the caret after the
  // inserted text, keeping the whole rest of the text as far as MaxLength allows; a blank text
  // inserts nothing. Nothing happens on a read-only control.
  void InsertChosenText(std::string_view text);
  // The callback that brings a chosen text back into this edit.
  LookUpTextCallback InsertCallback();

  // ---- focus and checks
  bool Focused() const { return focused_; }
  // Gets the focus: leaves the error state, empties a blank text when there is a catalog,
  // selects all.
  virtual void Enter();
  // Loses the focus: checks the text (CheckOnExit).
  virtual void Exit();

  // ---- error state
  bool InError() const { return in_error_; }
  // The error colour as background, the message as hint, shown at once.
  void EnterErrorState(std::string hint);
  // Back to the loaded colour and hint.
  void LeaveErrorState();
  std::string Hint() const override { return in_error_ ? error_hint_ : LoadedHint(); }
  int32_t Color() const override;
  // The error state shows its hint at once.
  bool HintShownAtOnce() const { return in_error_; }

  // The glyph shown beside the text: OnGetGlyph, else the look-up item the text names.
  virtual TGlyphPtr Glyph();

  // ILookUpUser
  void LookUpChanged(TCustomLookUp& lookup) override {}
  void LookUpDestroyed(TCustomLookUp& lookup) override;

 protected:
  // The checks of the text on leaving by the bound kind. False on failure, with the error
  // state entered. The text may be replaced (upper-cased symbols, the exact truth text).
  bool CheckOnExit();
  // The truth texts of a boolean edit (the field's, or "Истина" and "Ложь").
  virtual std::string TrueText() const;
  virtual std::string FalseText() const;
  // Reads a truth text: blank is "not given" (-1); otherwise the text, ignoring case, must
  // begin the false or else the true text. False when it reads as neither.
  bool ParseBoolean(std::string_view text, int32_t& state) const;
  // Replaces the text without telling the model's users (text changes made by the model).
  void ReplaceText(std::string text, bool select_all);
  // The hint of the error state: ErrorMsg when set, else message.
  std::string ErrorHint(std::string message) const;
  // The look-up of the two truth texts of a boolean edit (images 25 and 26).
  TCustomLookUp& BooleanLookUp();
  void set_focused(bool focused) { focused_ = focused; }

 private:
  std::string text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
  bool read_only_ = false;
  int32_t max_length_ = 0;
  TAlignment alignment_ = taLeftJustify;
  const ICatalogLookup* cat_ = nullptr;
  TCustomLookUp* lookup_ = nullptr;
  TReturnStr return_str_ = rsCaption;
  bool required_ = false;
  TSetTextMode set_text_mode_ = stmReplace;
  int32_t error_color_ = clErrorRed;
  std::string error_msg_;
  TBtnStyle btn_style_ = btnsNo;
  bool focused_ = false;
  bool in_error_ = false;
  std::string error_hint_;
  std::unique_ptr<TCustomLookUp> boolean_lookup_;
};

// The edit with its properties published for forms.
class TZqEdit : public TCustomZqEdit {};

// Glyph positions of the truth texts in the shared image list.
inline constexpr int kImageTrue = 25;
inline constexpr int kImageFalse = 26;

// The help box: the long part of a hint under caption 502; nothing for a blank hint.
void ShowHintAsHelp(std::string_view hint);

}  // namespace hx
