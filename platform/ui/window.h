// Windows and forms of the component layer. TWinControl wraps one window (a standard control
// subclassed, or a window of a class of our own) and receives the notifications its parent
// routes to it. TForm is a top-level window that owns its controls, shows modelessly or
// modally (a modal loop of its own, ended by a modal result), asks before closing, keeps the
// focus across activation and answers the keyboard like a dialog (Tab, Enter on the default
// button, Escape).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

class TForm;

// Modal results (the same values as the dialog ids IDOK, IDCANCEL, ...).
enum TModalResult : int {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO,
};

// Private messages our windows answer, also for automation from another thread or process.
enum : UINT {
  // The control's current background colour (a COLORREF).
  HXM_GETCOLOR = WM_APP + 0x300,
  // The control's current hint: wParam = buffer size in characters, lParam = wchar_t buffer
  // (same process only); returns the hint's length.
  HXM_GETHINT,
  // Whether the control is in its error state (1) or not (0).
  HXM_INERROR,
  // Gives the focus back to the control (posted by a control that refuses to be left).
  HXM_TAKEFOCUS,
  // Closes a pop-up list (posted by its hooks).
  HXM_CLOSEPOPUP,
  // A group of buttons checks, after a focus change, whether the focus left the group.
  HXM_FOCUSCHECK,
};

class TWinControl {
 public:
  TWinControl() = default;
  virtual ~TWinControl();
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;

  HWND Handle() const { return handle_; }
  int Id() const { return id_; }
  const std::string& Name() const { return name_; }
  TForm* Form() const { return form_; }

  // The object of a window of ours, or nullptr.
  static TWinControl* FromHandle(HWND hwnd);

  void SetText(std::string_view text);
  std::string Text() const;
  void SetBounds(int x, int y, int width, int height);
  RECT BoundsRect() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFocus();
  bool Focused() const;
  void SetFont(HFONT font);
  void Invalidate();

  // ---- notifications the parent routes to the control
  // WM_COMMAND from the window (or a part) with this id.
  virtual void OnCommand(int id, int code) {}
  virtual LRESULT OnNotify(NMHDR* header) { return 0; }
  // The brush (and colours set into dc) the control is drawn with; nullptr for the default.
  virtual HBRUSH OnCtlColor(HDC dc) { return nullptr; }
  virtual bool OnDrawItem(DRAWITEMSTRUCT* draw) { return false; }
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT* measure) { return false; }
  // A control that consists of several windows answers for the one with this id.
  virtual bool OwnsId(int id) const { return id == id_; }

 protected:
  // Creates a window of a standard class and subclasses it.
  void CreateStandard(TForm& form, const wchar_t* window_class, int id, std::string name,
                      std::string_view text, DWORD style, DWORD ex_style, const RECT& bounds);
  // Creates a window of a class registered with StaticProc (the object comes through the
  // creation parameter).
  void CreateOwn(TForm* form, HWND parent, const wchar_t* window_class, int id, std::string name,
                 std::string_view text, DWORD style, DWORD ex_style, const RECT& bounds);

  virtual LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultProc(UINT msg, WPARAM wparam, LPARAM lparam);
  // The window is gone (after WM_NCDESTROY).
  virtual void HandleDestroyed() {}

  // Registers a window class of ours once; the class's windows call StaticProc.
  static void RegisterOwnClass(const wchar_t* window_class, UINT style, HBRUSH background,
                               HCURSOR cursor = nullptr);
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  void set_identity(TForm* form, int id, std::string name) {
    form_ = form;
    id_ = id;
    name_ = std::move(name);
  }

 private:
  void Attach(HWND hwnd);

  HWND handle_ = nullptr;
  WNDPROC original_proc_ = nullptr;
  int id_ = 0;
  std::string name_;
  TForm* form_ = nullptr;
};

// How a form looks and where it opens; sizes are the client area's, in pixels.
struct TFormSpec {
  std::string caption;
  int client_width = 300;
  int client_height = 200;
  bool sizeable = false;  // a dialog frame otherwise
  // Left and top on the screen; CW_USEDEFAULT centres the form over its owner (or the screen).
  int left = CW_USEDEFAULT;
  int top = CW_USEDEFAULT;
  // A unique window class (for forms that other programs look for); empty for the common one.
  std::wstring window_class = {};
};

class TButton;

class TForm : public TWinControl {
 public:
  using CloseQueryEvent = std::function<void(TForm& form, bool& can_close)>;
  using NotifyEvent = std::function<void(TForm& form)>;

  // Creates the form's window (hidden) owned by owner (the application window when null).
  explicit TForm(const TFormSpec& spec, HWND owner = nullptr);
  ~TForm() override;

  // Shows the form modelessly and gives it the focus.
  void Show();
  void Hide();
  // Shows the form modally: the other windows of the thread are disabled and a modal loop
  // runs until the modal result is set (by a button, SetModalResult or Close); the focus goes
  // back to where it was. Returns the modal result.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  // Ends the modal loop with result (the loop is woken by a posted message, so that a result
  // set from a sent message ends it too).
  void SetModalResult(int result);
  // Asks OnCloseQuery; when allowed, a modal form ends with mrCancel (unless a result is set)
  // and a modeless one hides. False when closing was refused.
  bool Close();

  CloseQueryEvent OnCloseQuery;
  NotifyEvent OnShow;
  NotifyEvent OnClose;
  NotifyEvent OnResize;

  // ---- controls
  // Takes ownership of a control created on this form.
  template <class C>
  C& Add(std::unique_ptr<C> control) {
    C& ref = *control;
    controls_.push_back(std::move(control));
    return ref;
  }
  TWinControl* FindControl(std::string_view name) const;
  TWinControl* FindControlById(int id) const;
  template <class C>
  C* Find(std::string_view name) const {
    return dynamic_cast<C*>(FindControl(name));
  }
  // The first visible, enabled default button, or nullptr; likewise the cancel button.
  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  // The font of the form and its controls.
  HFONT Font() const { return font_; }
  // The control that gets the focus when the form is shown (else the first tab stop).
  TWinControl* ActiveControl = nullptr;

  // True while the form's window is being destroyed: controls then do not check or hand back
  // their texts any more.
  bool Destroying() const { return destroying_; }

  // Called by a control being created, before its window exists (WM_MEASUREITEM arrives
  // during creation).
  void Announce(TWinControl* control) { announced_ = control; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  TWinControl* ControlOf(HWND child) const;
  void FocusFirst();

  std::vector<std::unique_ptr<TWinControl>> controls_;
  HFONT font_ = nullptr;
  bool modal_ = false;
  int modal_result_ = mrNone;
  HWND saved_focus_ = nullptr;
  TWinControl* announced_ = nullptr;
  bool destroying_ = false;
};

// Lets the forms of the thread answer the keyboard as dialogs do; true when msg was used.
// Message loops that run forms modelessly call it before TranslateMessage.
bool IsFormMessage(MSG& msg);

// Every top-level form of the thread that is visible.
std::vector<TForm*> VisibleForms();

}  // namespace hx
