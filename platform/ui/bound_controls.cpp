#include "platform/ui/bound_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "base/utf8.h"
#include "platform/ui/controls.h"
#include "platform/ui/gdi_canvas.h"

namespace hx {
namespace {

constexpr UINT_PTR kSpinTimer = 1;
constexpr UINT kSpinRepeatMs = 200;
constexpr wchar_t kPictureClass[] = L"HXPictureWnd";

// ---- hints: one tooltip for the hints under the mouse, one tracking tooltip that shows the
// message of a control in its error state at once

HWND MakeTooltip() {
  InitCommonControlsOnce();
  const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 360);
  return tip;
}

HWND HintTooltip() {
  static const HWND tip = MakeTooltip();
  return tip;
}

struct ErrorTip {
  HWND tip = nullptr;
  HWND owner = nullptr;
};

ErrorTip& TheErrorTip() {
  static ErrorTip e = [] {
    ErrorTip t;
    t.tip = MakeTooltip();
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.uId = 1;
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(t.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    return t;
  }();
  return e;
}

void ShowErrorHint(HWND control, const std::string& text) {
  ErrorTip& e = TheErrorTip();
  std::wstring w = Widen(text);
  TTTOOLINFOW ti = {};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uId = 1;
  ti.lpszText = w.data();
  SendMessageW(e.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  RECT r;
  GetWindowRect(control, &r);
  SendMessageW(e.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(r.left, r.bottom + 2));
  SendMessageW(e.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  e.owner = control;
}

void HideErrorHint(HWND control) {
  ErrorTip& e = TheErrorTip();
  if (e.owner != control) return;
  TTTOOLINFOW ti = {};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uId = 1;
  SendMessageW(e.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  e.owner = nullptr;
}

// UTF-16 position of code point index of text, and back.
int Utf16Position(const std::string& text, int index) {
  return static_cast<int>(
      Widen(CodePointPrefix(text, static_cast<size_t>(std::max(0, index)))).size());
}
int CodePointPosition(const std::wstring& text, int position) {
  position = std::clamp(position, 0, static_cast<int>(text.size()));
  return static_cast<int>(CodePointCount(Narrow(text.substr(0, static_cast<size_t>(position)))));
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

DWORD AlignmentStyle(TAlignment a) {
  switch (a) {
    case taRightJustify:
      return ES_RIGHT;
    case taCenter:
      return ES_CENTER;
    default:
      return ES_LEFT;
  }
}

void SetAlignmentStyle(HWND hwnd, DWORD mask, DWORD style) {
  const LONG_PTR old = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR now = (old & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(style);
  if (now == old) return;
  SetWindowLongPtrW(hwnd, GWL_STYLE, now);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void ShowModelState(HWND hwnd, const TControlModel& model) {
  EnableWindow(hwnd, model.Enabled());
  if (model.Visible() != (IsWindowVisible(hwnd) || !IsWindowVisible(GetParent(hwnd)))) {
    ShowWindow(hwnd, model.Visible() ? SW_SHOWNA : SW_HIDE);
  }
}

bool FormGoing(const TWinControl& c) {
  return !c.Form() || c.Form()->Destroying();
}

LRESULT CopyHint(const std::string& hint, WPARAM size, LPARAM buffer) {
  const std::wstring w = Widen(hint);
  if (buffer && size > 0) {
    const size_t n = std::min(w.size(), static_cast<size_t>(size) - 1);
    std::copy_n(w.c_str(), n, reinterpret_cast<wchar_t*>(buffer));
    reinterpret_cast<wchar_t*>(buffer)[n] = L'\0';
  }
  return static_cast<LRESULT>(w.size());
}

}  // namespace

void SetControlHint(HWND control, const std::string& hint) {
  const HWND tip = HintTooltip();
  std::wstring text = Widen(ShortPart(hint));
  TTTOOLINFOW ti = {};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(control);
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  const bool known = SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
  ti.lpszText = text.data();
  if (text.empty()) {
    if (known) SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  } else if (known) {
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  } else {
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

// ---- TModelView

HBRUSH TModelView::Brush(COLORREF color) {
  if (!brush_ || brush_color_ != color) {
    FreeBrush();
    brush_ = CreateSolidBrush(color);
    brush_color_ = color;
  }
  return brush_;
}

void TModelView::FreeBrush() {
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
}

// ---- edit

TZqEditControl::TZqEditControl(TForm& form, int id, std::string name, const RECT& bounds,
                               std::unique_ptr<TCustomZqEdit> model)
    : model_(std::move(model)) {
  if (model_->Name.empty()) model_->Name = name;
  CreateStandard(form, L"EDIT", id, std::move(name), model_->Text(),
                 ES_AUTOHSCROLL | WS_TABSTOP | WS_VISIBLE | AlignmentStyle(model_->Alignment()),
                 WS_EX_CLIENTEDGE, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  ShowState();
  ShowText();
}

TZqEditControl::~TZqEditControl() {
  model_->SetView(nullptr);
  if (Handle()) HideErrorHint(Handle());
  FreeBrush();
}

void TZqEditControl::HandleDestroyed() {
  model_->SetView(nullptr);
}

void TZqEditControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcText) ShowText();
  if (changes & vcState) ShowState();
}

void TZqEditControl::ShowText() {
  updating_ = true;
  const std::wstring text = Widen(model_->Text());
  if (WindowText(Handle()) != text) SetWindowTextW(Handle(), text.c_str());
  const int start = Utf16Position(model_->Text(), model_->SelStart());
  const int end = Utf16Position(model_->Text(), model_->SelStart() + model_->SelLength());
  SendMessageW(Handle(), EM_SETSEL, start, end);
  updating_ = false;
}

void TZqEditControl::ShowState() {
  const HWND hwnd = Handle();
  SendMessageW(hwnd, EM_SETREADONLY, model_->ReadOnly(), 0);
  SendMessageW(hwnd, EM_SETLIMITTEXT, std::max(0, model_->MaxLength()), 0);
  ShowModelState(hwnd, *model_);
  SetAlignmentStyle(hwnd, ES_LEFT | ES_CENTER | ES_RIGHT, AlignmentStyle(model_->Alignment()));
  SendMessageW(hwnd, EM_SETMARGINS, EC_RIGHTMARGIN,
               MAKELPARAM(0, model_->HasButton() ? kEditTextNarrowing : 0));
  SetControlHint(hwnd, model_->InError() ? std::string() : model_->Hint());
  if (model_->InError()) {
    if (IsWindowVisible(hwnd)) ShowErrorHint(hwnd, model_->Hint());
  } else if (was_in_error_) {
    HideErrorHint(hwnd);
  }
  was_in_error_ = model_->InError();
  InvalidateRect(hwnd, nullptr, TRUE);
}

void TZqEditControl::SyncFromWindow() {
  const std::wstring text = WindowText(Handle());
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::string narrow = Narrow(text);
  if (narrow != model_->Text())
    model_->UserEdited(narrow, CodePointPosition(text, static_cast<int>(end)));
  updating_ = true;
  const int a = CodePointPosition(text, static_cast<int>(start));
  model_->SetSelection(a, CodePointPosition(text, static_cast<int>(end)) - a);
  updating_ = false;
}

void TZqEditControl::OnCommand(int, int code) {
  if (code != EN_CHANGE || updating_) return;
  const std::wstring text = WindowText(Handle());
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  model_->UserEdited(Narrow(text), CodePointPosition(text, static_cast<int>(end)));
}

HBRUSH TZqEditControl::OnCtlColor(HDC dc) {
  const COLORREF back = ColorRefOf(model_->Color(), COLOR_WINDOW);
  SetBkColor(dc, back);
  SetTextColor(dc, ColorRefOf(model_->FontColor(), COLOR_WINDOWTEXT));
  return Brush(back);
}

void TZqEditControl::Beep() {
  MessageBeep(MB_ICONHAND);
}

ItemRect TZqEditControl::ScreenRect() const {
  RECT r = {};
  GetWindowRect(Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool TZqEditControl::PressDefaultButton() {
  TButton* button = Form() ? Form()->DefaultButton() : nullptr;
  if (!button) return false;
  RECT r;
  GetClientRect(button->Handle(), &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(button->Handle(), WM_LBUTTONUP, 0, at);
  return true;
}

void TZqEditControl::PassEnterToParent() {
  PostMessageW(GetParent(Handle()), WM_KEYDOWN, VK_RETURN, 0);
}

void TZqEditControl::TakeFocus() {
  PostMessageW(Handle(), HXM_TAKEFOCUS, 0, 0);
}

void TZqEditControl::PaintButton() {
  if (!model_->HasButton()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const ItemRect b = model_->ButtonRect(client.right, client.bottom);
  const HDC dc = GetDC(Handle());
  RECT r = {b.left, b.top, b.right, b.bottom};
  switch (model_->BtnStyle()) {
    case btnsSpin: {
      RECT up = r;
      RECT down = r;
      up.bottom = down.top = client.bottom / 2;
      DrawFrameControl(dc, &up, DFC_SCROLL,
                       DFCS_SCROLLUP | (held_ == EditButtonPart::SpinUp ? DFCS_PUSHED : 0));
      DrawFrameControl(dc, &down, DFC_SCROLL,
                       DFCS_SCROLLDOWN | (held_ == EditButtonPart::SpinDown ? DFCS_PUSHED : 0));
      break;
    }
    case btnsDots: {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
      const int y = (r.top + r.bottom) / 2;
      const int x = (r.left + r.right) / 2;
      for (int dx : {-4, -1, 2}) {
        RECT dot = {x + dx, y, x + dx + 2, y + 2};
        FillRect(dc, &dot, GetSysColorBrush(COLOR_BTNTEXT));
      }
      break;
    }
    case btnsArrowUp:
      DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLUP);
      break;
    case btnsArrowRight:
      DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLRIGHT);
      break;
    case BtnsArrowLeft:
      DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLLEFT);
      break;
    default:
      DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
      break;
  }
  ReleaseDC(Handle(), dc);
}

LRESULT TZqEditControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SETFOCUS: {
      const LRESULT r = DefaultProc(msg, wparam, lparam);
      if (!model_->Focused()) model_->Enter();
      return r;
    }
    case WM_KILLFOCUS: {
      SyncFromWindow();
      if (held_ != EditButtonPart::None) {
        KillTimer(Handle(), kSpinTimer);
        held_ = EditButtonPart::None;
      }
      const LRESULT r = DefaultProc(msg, wparam, lparam);
      if (!FormGoing(*this)) model_->Exit();
      return r;
    }
    case WM_GETDLGCODE: {
      LRESULT code = DefaultProc(msg, wparam, lparam) | DLGC_WANTARROWS;
      const MSG* m = reinterpret_cast<const MSG*>(lparam);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN: {
      EditKey key = EditKey::Other;
      if (wparam == VK_UP) key = EditKey::Up;
      if (wparam == VK_DOWN) key = EditKey::Down;
      if (wparam == VK_RETURN) key = EditKey::Enter;
      if (wparam == VK_F1) key = EditKey::F1;
      if (key != EditKey::Other) {
        SyncFromWindow();
        if (model_->KeyDown(key)) return 0;
      }
      break;
    }
    case WM_CHAR:
      // Enter was a key of the edit's own; Tab and Escape belong to the form.
      if (wparam == VK_RETURN || wparam == VK_TAB || wparam == VK_ESCAPE) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT client;
      GetClientRect(Handle(), &client);
      const EditButtonPart part =
          model_->ButtonPartAt(static_cast<short>(LOWORD(lparam)),
                               static_cast<short>(HIWORD(lparam)), client.right, client.bottom);
      if (part == EditButtonPart::None) break;
      if (GetFocus() != Handle()) ::SetFocus(Handle());
      SyncFromWindow();
      if (part != EditButtonPart::PullDown) {
        held_ = part;
        SetCapture(Handle());
        SetTimer(Handle(), kSpinTimer, kSpinRepeatMs, nullptr);
      }
      model_->ButtonPressed(part);
      PaintButton();
      return 0;
    }
    case WM_LBUTTONUP:
      if (held_ == EditButtonPart::None) break;
      KillTimer(Handle(), kSpinTimer);
      held_ = EditButtonPart::None;
      ReleaseCapture();
      PaintButton();
      return 0;
    case WM_TIMER:
      if (wparam == kSpinTimer) {
        if (held_ != EditButtonPart::None) model_->ButtonPressed(held_);
        return 0;
      }
      break;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(Handle(), &p);
      RECT client;
      GetClientRect(Handle(), &client);
      if (model_->ButtonRect(client.right, client.bottom).Contains(p.x, p.y)) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
        return TRUE;
      }
      break;
    }
    case WM_PAINT: {
      const LRESULT r = DefaultProc(msg, wparam, lparam);
      PaintButton();
      return r;
    }
    case HXM_GETCOLOR:
      return static_cast<LRESULT>(ColorRefOf(model_->Color(), COLOR_WINDOW));
    case HXM_GETHINT:
      return CopyHint(model_->Hint(), wparam, lparam);
    case HXM_INERROR:
      return model_->InError() ? 1 : 0;
    case HXM_TAKEFOCUS:
      ::SetFocus(Handle());
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

// ---- memo

TZqMemoControl::TZqMemoControl(TForm& form, int id, std::string name, const RECT& bounds,
                               std::unique_ptr<TZqDBMemo> model)
    : model_(std::move(model)) {
  if (model_->Name.empty()) model_->Name = name;
  CreateStandard(
      form, L"EDIT", id, std::move(name), "",
      ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE,
      WS_EX_CLIENTEDGE, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  ModelChanged(vcAll);
}

TZqMemoControl::~TZqMemoControl() {
  model_->SetView(nullptr);
  FreeBrush();
}

void TZqMemoControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcText) {
    updating_ = true;
    const std::wstring text = Widen(model_->Text());
    if (WindowText(Handle()) != text) SetWindowTextW(Handle(), text.c_str());
    updating_ = false;
  }
  if (changes & vcState) {
    SendMessageW(Handle(), EM_SETREADONLY, model_->ReadOnly(), 0);
    SendMessageW(Handle(), EM_SETLIMITTEXT, std::max(0, model_->MaxLength()), 0);
    ShowModelState(Handle(), *model_);
    SetControlHint(Handle(), model_->Hint());
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

void TZqMemoControl::TakeFocus() {
  PostMessageW(Handle(), HXM_TAKEFOCUS, 0, 0);
}

HBRUSH TZqMemoControl::OnCtlColor(HDC dc) {
  const COLORREF back = ColorRefOf(model_->Color(), COLOR_WINDOW);
  SetBkColor(dc, back);
  SetTextColor(dc, ColorRefOf(model_->FontColor(), COLOR_WINDOWTEXT));
  return Brush(back);
}

void TZqMemoControl::OnCommand(int, int code) {
  if (code == EN_CHANGE && !updating_) model_->UserEdited(Narrow(WindowText(Handle())));
}

LRESULT TZqMemoControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SETFOCUS:
      model_->Enter();
      break;
    case WM_KILLFOCUS: {
      model_->UserEdited(Narrow(WindowText(Handle())));
      const LRESULT r = DefaultProc(msg, wparam, lparam);
      if (!FormGoing(*this)) model_->Exit();
      return r;
    }
    case HXM_TAKEFOCUS:
      ::SetFocus(Handle());
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

// ---- label

TZqLabelControl::TZqLabelControl(TForm& form, int id, std::string name, const RECT& bounds,
                                 std::unique_ptr<TZqDBLabel> model)
    : model_(std::move(model)) {
  if (model_->Name.empty()) model_->Name = name;
  CreateStandard(form, L"STATIC", id, std::move(name), model_->Caption(),
                 SS_LEFT | SS_NOPREFIX | WS_VISIBLE, 0, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  ModelChanged(vcAll);
}

TZqLabelControl::~TZqLabelControl() {
  model_->SetView(nullptr);
}

void TZqLabelControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcText) SetText(model_->Caption());
  if (changes & vcState) {
    ShowModelState(Handle(), *model_);
    const TAlignment a = model_->Alignment();
    SetAlignmentStyle(Handle(), SS_TYPEMASK,
                      a == taRightJustify ? SS_RIGHT
                      : a == taCenter     ? SS_CENTER
                                          : SS_LEFT);
  }
}

// ---- check box

TZqCheckBoxControl::TZqCheckBoxControl(TForm& form, int id, std::string name, const RECT& bounds,
                                       std::unique_ptr<TZqDBCheckBox> model)
    : model_(std::move(model)) {
  if (model_->Name.empty()) model_->Name = name;
  const DWORD kind = dynamic_cast<TZqDBRadioButton*>(model_.get()) ? BS_RADIOBUTTON
                     : model_->ThreeState()                        ? BS_3STATE
                                                                   : BS_CHECKBOX;
  CreateStandard(form, L"BUTTON", id, std::move(name), model_->Caption(),
                 kind | WS_TABSTOP | WS_VISIBLE, 0, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  ModelChanged(vcAll);
}

TZqCheckBoxControl::~TZqCheckBoxControl() {
  model_->SetView(nullptr);
}

void TZqCheckBoxControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcText) SetText(model_->Caption());
  if (changes & vcSelection) {
    const int32_t s = model_->State();
    SendMessageW(Handle(), BM_SETCHECK,
                 s < 0 ? BST_INDETERMINATE
                 : s   ? BST_CHECKED
                       : BST_UNCHECKED,
                 0);
  }
  if (changes & vcState) {
    ShowModelState(Handle(), *model_);
    SetControlHint(Handle(), model_->Hint());
  }
}

void TZqCheckBoxControl::OnCommand(int, int code) {
  if (code == BN_CLICKED) model_->Click();
}

// ---- groups

TZqGroupControl::TZqGroupControl(TForm& form, int id, std::string name, const RECT& bounds,
                                 std::unique_ptr<TZqDBGroup> model, int columns)
    : model_(std::move(model)), bounds_(bounds), columns_(std::max(1, columns)) {
  if (model_->Name.empty()) model_->Name = name;
  CreateStandard(form, L"BUTTON", id, std::move(name), "", BS_GROUPBOX | WS_VISIBLE, 0, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  CreateBoxes();
  ModelChanged(vcSelection | vcState);
}

TZqGroupControl::~TZqGroupControl() {
  model_->SetView(nullptr);
  for (HWND b : boxes_) {
    if (IsWindow(b)) DestroyWindow(b);
  }
}

bool TZqGroupControl::Radio() const {
  return dynamic_cast<TZqDBRadioGroup*>(model_.get());
}

HWND TZqGroupControl::Box(int index) const {
  return index >= 0 && index < BoxCount() ? boxes_[index] : nullptr;
}

void TZqGroupControl::CreateBoxes() {
  for (HWND b : boxes_) {
    if (IsWindow(b)) DestroyWindow(b);
  }
  boxes_.clear();
  const int n = model_->Count();
  const int rows = std::max(1, (n + columns_ - 1) / columns_);
  const int width = static_cast<int>(bounds_.right - bounds_.left - 16) / columns_;
  const int height =
      std::max(14, std::min(20, static_cast<int>(bounds_.bottom - bounds_.top - 22) / rows));
  for (int i = 0; i < n; ++i) {
    const GroupEntry& e = model_->Entries()[i];
    DWORD style = WS_CHILD | WS_VISIBLE | BS_NOTIFY | (Radio() ? BS_RADIOBUTTON : BS_CHECKBOX);
    if (!Radio() || i == 0) style |= WS_TABSTOP;
    if (i == 0) style |= WS_GROUP;
    const HWND b = CreateWindowExW(
        0, L"BUTTON", Widen(e.caption).c_str(), style, bounds_.left + 8 + (i / rows) * width,
        bounds_.top + 18 + (i % rows) * height, width, height, Form()->Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id() + 1 + i)), GetModuleHandleW(nullptr),
        nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(Form()->Font()), TRUE);
    EnableWindow(b, e.enabled);
    SetControlHint(b, e.hint);
    boxes_.push_back(b);
  }
}

void TZqGroupControl::ShowChecks() {
  for (int i = 0; i < BoxCount(); ++i) {
    bool checked = false;
    if (auto* group = dynamic_cast<TZqDBCheckBoxGroup*>(model_.get())) checked = group->Checked(i);
    if (auto* group = dynamic_cast<TZqDBRadioGroup*>(model_.get()))
      checked = group->ItemIndex() == i;
    SendMessageW(boxes_[i], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TZqGroupControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcItems) CreateBoxes();
  if (changes & (vcItems | vcSelection)) ShowChecks();
  if (changes & vcState) {
    ShowModelState(Handle(), *model_);
    for (int i = 0; i < BoxCount(); ++i) {
      EnableWindow(boxes_[i], model_->Enabled() && model_->Entries()[i].enabled);
      ShowWindow(boxes_[i], model_->Visible() ? SW_SHOWNA : SW_HIDE);
    }
  }
}

void TZqGroupControl::OnCommand(int id, int code) {
  const int index = id - Id() - 1;
  if (index < 0 || index >= BoxCount()) return;
  if (code == BN_CLICKED) {
    model_->Click(index);
    ShowChecks();
  } else if (code == BN_KILLFOCUS) {
    PostMessageW(Handle(), HXM_FOCUSCHECK, 0, 0);
  }
}

LRESULT TZqGroupControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == HXM_FOCUSCHECK) {
    const HWND focus = GetFocus();
    if (std::find(boxes_.begin(), boxes_.end(), focus) == boxes_.end() && !FormGoing(*this)) {
      model_->Exit();
    }
    return 0;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

// ---- combo and list boxes

TZqChoiceControl::TZqChoiceControl(TForm& form, int id, std::string name, const RECT& bounds,
                                   std::unique_ptr<TCustomChoiceList> model, bool list,
                                   bool drop_down_list)
    : model_(std::move(model)), list_(list) {
  if (model_->Name.empty()) model_->Name = name;
  if (list_) {
    CreateStandard(form, L"LISTBOX", id, std::move(name), "",
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                       WS_VSCROLL | WS_TABSTOP | WS_VISIBLE |
                       (model_->MultiSelect ? LBS_EXTENDEDSEL : 0),
                   WS_EX_CLIENTEDGE, bounds);
  } else {
    RECT r = bounds;
    r.bottom = r.top + (bounds.bottom - bounds.top) + 20 * std::max(1, model_->DropDownCount);
    CreateStandard(form, L"COMBOBOX", id, std::move(name), "",
                   (drop_down_list ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_OWNERDRAWFIXED |
                       CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE,
                   0, r);
  }
  model_->SetHandle(Handle());
  model_->SetView(this);
  Fill();
  ModelChanged(vcText | vcState);
}

TZqChoiceControl::~TZqChoiceControl() {
  model_->SetView(nullptr);
}

void TZqChoiceControl::Fill() {
  updating_ = true;
  SendMessageW(Handle(), list_ ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const ListEntry& e : model_->Entries()) {
    const std::wstring w = Widen(e.caption);
    SendMessageW(Handle(), list_ ? LB_ADDSTRING : CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(w.c_str()));
  }
  updating_ = false;
  ShowSelection();
}

void TZqChoiceControl::ShowSelection() {
  updating_ = true;
  SendMessageW(Handle(), list_ ? LB_SETCURSEL : CB_SETCURSEL, model_->ItemIndex(), 0);
  if (!list_ && model_->ItemIndex() < 0) SetText(model_->Text());
  updating_ = false;
}

void TZqChoiceControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcItems) {
    Fill();
  } else if (changes & (vcSelection | vcText)) {
    ShowSelection();
  }
  if (changes & vcState) {
    ShowModelState(Handle(), *model_);
    SetControlHint(Handle(), model_->Hint());
  }
}

void TZqChoiceControl::OnCommand(int, int code) {
  if (updating_) return;
  if ((list_ && code == LBN_SELCHANGE) || (!list_ && code == CBN_SELCHANGE)) {
    const int index =
        static_cast<int>(SendMessageW(Handle(), list_ ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
    model_->UserSelected(index);
    ShowSelection();
  } else if (!list_ && code == CBN_EDITCHANGE) {
    model_->UserEdited(Text());
  } else if ((list_ && code == LBN_KILLFOCUS) || (!list_ && code == CBN_KILLFOCUS)) {
    if (auto* bound = dynamic_cast<TZqDBChoiceList*>(model_.get()); bound && !FormGoing(*this)) {
      bound->Exit();
    }
  }
}

bool TZqChoiceControl::OnMeasureItem(MEASUREITEMSTRUCT* measure) {
  int height = 16;
  for (const ListEntry& e : model_->Entries()) {
    if (e.glyph) height = std::max(height, e.glyph->height + 2);
  }
  measure->itemHeight = static_cast<UINT>(height);
  return true;
}

bool TZqChoiceControl::OnDrawItem(DRAWITEMSTRUCT* draw) {
  const int index = static_cast<int>(draw->itemID);
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  FillRect(draw->hDC, &draw->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const ListEntry* e = index >= 0 && index < model_->Count() ? &model_->Entries()[index] : nullptr;
  if (e) {
    int x = draw->rcItem.left + 2;
    if (e->glyph) {
      DrawGlyphAt(draw->hDC, x, draw->rcItem.top + 1, *e->glyph, !e->enabled);
      x += e->glyph->width + 3;
    }
    SetBkMode(draw->hDC, TRANSPARENT);
    SetTextColor(draw->hDC, GetSysColor(!e->enabled ? COLOR_GRAYTEXT
                                        : selected  ? COLOR_HIGHLIGHTTEXT
                                                    : COLOR_WINDOWTEXT));
    RECT text = draw->rcItem;
    text.left = x;
    const std::wstring w = Widen(e->caption);
    const UINT align = model_->Alignment == taRightJustify ? DT_RIGHT
                       : model_->Alignment == taCenter     ? DT_CENTER
                                                           : DT_LEFT;
    DrawTextW(draw->hDC, w.c_str(), static_cast<int>(w.size()), &text,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (draw->itemState & ODS_FOCUS) DrawFocusRect(draw->hDC, &draw->rcItem);
  return true;
}

// ---- picture window

TZqPictureControl::TZqPictureControl(TForm& form, int id, std::string name, const RECT& bounds,
                                     std::unique_ptr<TZqDBPictureWnd> model)
    : model_(std::move(model)) {
  if (model_->Name.empty()) model_->Name = name;
  RegisterOwnClass(kPictureClass, CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_WINDOW));
  CreateOwn(&form, form.Handle(), kPictureClass, id, std::move(name), "", WS_CHILD | WS_VISIBLE,
            WS_EX_CLIENTEDGE, bounds);
  model_->SetHandle(Handle());
  model_->SetView(this);
  ModelChanged(vcAll);
}

TZqPictureControl::~TZqPictureControl() {
  model_->SetView(nullptr);
}

void TZqPictureControl::ModelChanged(unsigned changes) {
  if (!Handle()) return;
  if (changes & vcState) ShowModelState(Handle(), *model_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TZqPictureControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg != WM_PAINT) return TWinControl::WndProc(msg, wparam, lparam);
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  if (model_->BorderColor != clDefaultColor) {
    const HBRUSH border = CreateSolidBrush(ColorRefOf(model_->BorderColor, COLOR_WINDOWFRAME));
    FrameRect(dc, &client, border);
    DeleteObject(border);
  }
  if (const TGlyphPtr picture = model_->Picture()) {
    DrawGlyphAt(dc, (client.right - picture->width) / 2, (client.bottom - picture->height) / 2,
                *picture, model_->Grayed);
  }
  EndPaint(Handle(), &ps);
  return 0;
}

}  // namespace hx
