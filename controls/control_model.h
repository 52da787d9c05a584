// The bases of the portable control models: what every control keeps (name, enabled, visible,
// hint, colours, help context), the view interface a platform window implements to show a
// model, and the binding of a control to a field with the guard that keeps a control's own
// hand-back from refreshing it again.
#pragma once

#include <cstdint>
#include <string>

#include "records/field.h"
#include "records/lookup.h"

namespace hx {

// What changed in a model; a view repaints the parts named.
enum ViewChange : unsigned {
  vcText = 1u << 0,       // the text, caption or caret
  vcState = 1u << 1,      // enabled, visible, read-only, colours, hint, alignment, length
  vcItems = 1u << 2,      // the entries of a list or group
  vcSelection = 1u << 3,  // the chosen entry or the checked state
  vcAll = 0xFFu,
};

// The window that shows a model. Models call it; native tests implement it with a recorder.
class IControlView {
 public:
  virtual void ModelChanged(unsigned changes) = 0;
  // The error sound.
  virtual void Beep() {}
  // The control's rectangle on the screen.
  virtual ItemRect ScreenRect() const { return {}; }
  // Presses the first visible, enabled default button of the owning form (a left-button press
  // and release are posted to it); false when the form has none.
  virtual bool PressDefaultButton() { return false; }
  // Hands the Enter key to the parent window.
  virtual void PassEnterToParent() {}
  // Gives the focus back to the control.
  virtual void TakeFocus() {}

 protected:
  ~IControlView() = default;
};

class TControlModel {
 public:
  TControlModel() = default;
  virtual ~TControlModel() = default;
  TControlModel(const TControlModel&) = delete;
  TControlModel& operator=(const TControlModel&) = delete;

  std::string Name;  // ED_..., CB_..., L_...

  IControlView* View() const { return view_; }
  void SetView(IControlView* view) { view_ = view; }
  // The platform handle of the control's window (the owner of pop-up lists and dialogs).
  LookUpControl Handle() const { return handle_; }
  void SetHandle(LookUpControl handle) { handle_ = handle; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // The hint the control shows now (a "|" separates the short and the long part).
  virtual std::string Hint() const { return hint_; }
  // The hint as loaded from the form (the error state of an edit replaces it for a while).
  void SetHint(std::string hint);
  // The background and font colours; clDefaultColor means the window colours.
  virtual int32_t Color() const { return color_; }
  void SetColor(int32_t color);
  int32_t FontColor() const { return font_color_; }
  void SetFontColor(int32_t color);
  int32_t HelpContext = 0;

 protected:
  void Notify(unsigned changes) {
    if (view_) view_->ModelChanged(changes);
  }
  void Beep() {
    if (view_) view_->Beep();
  }
  const std::string& LoadedHint() const { return hint_; }
  int32_t LoadedColor() const { return color_; }

 private:
  IControlView* view_ = nullptr;
  LookUpControl handle_ = nullptr;
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
  int32_t color_ = clDefaultColor;
  int32_t font_color_ = clDefaultColor;
};

// A control bound to one field (ZqField). The field keeps the control in its list; the control
// leaves it when it goes or when it is bound to another field.
class TZqBoundControl : public IFieldControl {
 public:
  TZqBoundControl() = default;
  TZqBoundControl(const TZqBoundControl&) = delete;
  TZqBoundControl& operator=(const TZqBoundControl&) = delete;

  TZqField* ZqField() const { return field_; }
  // Leaves the old field's list, joins the new one's and shows the new field.
  void SetZqField(TZqField* field);

  void FieldDestroyed(TZqField& field) override;
  bool FieldCheck(bool show_error) override { return true; }

 protected:
  ~TZqBoundControl();
  // True while the control hands its text back; the refresh the field then asks for is
  // skipped, so that the text being handed back is not replaced under the control's hands.
  bool HandingBack() const { return handing_back_; }
  class HandBackScope {
   public:
    explicit HandBackScope(TZqBoundControl& c) : c_(c), previous_(c.handing_back_) {
      c_.handing_back_ = true;
    }
    ~HandBackScope() { c_.handing_back_ = previous_; }
    HandBackScope(const HandBackScope&) = delete;
    HandBackScope& operator=(const HandBackScope&) = delete;

   private:
    TZqBoundControl& c_;
    bool previous_;
  };

 private:
  TZqField* field_ = nullptr;
  bool handing_back_ = false;
};

// Design mode: the form designer's view of a form, where empty labels show "??".
bool DesignMode();
void SetDesignMode(bool design);

// Kinds of field values a control treats alike.
inline bool IsIntegerKind(int kind) {
  return kind >= fkInteger && kind <= fkByte;
}
inline bool IsNumericKind(int kind) {
  return IsIntegerKind(kind) || kind == fkFloat || kind == fkCalculated;
}
inline bool IsBooleanKind(int kind) {
  return kind == fkBoolean || kind == fkBooleanExt;
}

}  // namespace hx
