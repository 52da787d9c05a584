#include "platform/ui/window.h"

#include <algorithm>

#include "base/utf8.h"
#include "platform/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/gdi_canvas.h"

namespace hx {
namespace {

constexpr wchar_t kObjectProperty[] = L"HXWinControl";
constexpr wchar_t kFormClass[] = L"HXForm";

// The top-level windows of the thread that a modal form disables.
BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(param);
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) list->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectForms(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<std::vector<TForm*>*>(param);
  if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(hwnd))) {
    if (IsWindowVisible(hwnd)) list->push_back(form);
  }
  return TRUE;
}

}  // namespace

// ---- TWinControl

TWinControl::~TWinControl() {
  if (!handle_) return;
  const HWND hwnd = handle_;
  RemovePropW(hwnd, kObjectProperty);
  if (original_proc_)
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_proc_));
  handle_ = nullptr;
  DestroyWindow(hwnd);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

void TWinControl::Attach(HWND hwnd) {
  handle_ = hwnd;
  SetPropW(hwnd, kObjectProperty, this);
}

void TWinControl::CreateStandard(TForm& form, const wchar_t* window_class, int id, std::string name,
                                 std::string_view text, DWORD style, DWORD ex_style,
                                 const RECT& bounds) {
  set_identity(&form, id, std::move(name));
  form.Announce(this);
  const HWND hwnd = CreateWindowExW(
      ex_style, window_class, Widen(text).c_str(), style | WS_CHILD, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, form.Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  form.Announce(nullptr);
  if (!hwnd) return;
  Attach(hwnd);
  original_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticProc)));
  SetFont(form.Font());
}

void TWinControl::CreateOwn(TForm* form, HWND parent, const wchar_t* window_class, int id,
                            std::string name, std::string_view text, DWORD style, DWORD ex_style,
                            const RECT& bounds) {
  set_identity(form, id, std::move(name));
  const HMENU menu =
      (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  CreateWindowExW(ex_style, window_class, Widen(text).c_str(), style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menu,
                  GetModuleHandleW(nullptr), this);
  if (handle_ && form && form != this) SetFont(form->Font());
}

void TWinControl::RegisterOwnClass(const wchar_t* window_class, UINT style, HBRUSH background,
                                   HCURSOR cursor) {
  WNDCLASSEXW wc = {};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), window_class, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &StaticProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = background;
  wc.lpszClassName = window_class;
  RegisterClassExW(&wc);
}

LRESULT CALLBACK TWinControl::StaticProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  TWinControl* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    if (self) self->Attach(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wparam, lparam);
  const LRESULT result = self->WndProc(msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kObjectProperty);
    self->handle_ = nullptr;
    self->HandleDestroyed();
  }
  return result;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefaultProc(msg, wparam, lparam);
}

LRESULT TWinControl::DefaultProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (original_proc_) return CallWindowProcW(original_proc_, handle_, msg, wparam, lparam);
  return DefWindowProcW(handle_, msg, wparam, lparam);
}

void TWinControl::SetText(std::string_view text) {
  if (handle_) SetWindowTextW(handle_, Widen(text).c_str());
}

std::string TWinControl::Text() const {
  if (!handle_) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void TWinControl::SetBounds(int x, int y, int width, int height) {
  if (handle_) MoveWindow(handle_, x, y, width, height, TRUE);
}

RECT TWinControl::BoundsRect() const {
  RECT r = {};
  if (!handle_) return r;
  GetWindowRect(handle_, &r);
  if (const HWND parent = GetParent(handle_);
      parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

void TWinControl::SetVisible(bool visible) {
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}
bool TWinControl::Visible() const {
  return handle_ && IsWindowVisible(handle_);
}
void TWinControl::SetEnabled(bool enabled) {
  if (handle_) EnableWindow(handle_, enabled);
}
bool TWinControl::Enabled() const {
  return handle_ && IsWindowEnabled(handle_);
}
void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}
bool TWinControl::Focused() const {
  return handle_ && GetFocus() == handle_;
}
void TWinControl::SetFont(HFONT font) {
  if (handle_ && font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

// ---- TForm

TForm::TForm(const TFormSpec& spec, HWND owner) {
  const wchar_t* window_class = spec.window_class.empty() ? kFormClass : spec.window_class.c_str();
  RegisterOwnClass(window_class, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  font_ = FormFont();
  if (!owner) owner = TApplication::Instance().Handle();
  const DWORD style = spec.sizeable ? WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN
                                    : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex_style = WS_EX_CONTROLPARENT | (spec.sizeable ? 0 : WS_EX_DLGMODALFRAME);
  RECT r = {0, 0, spec.client_width, spec.client_height};
  AdjustWindowRectEx(&r, style, FALSE, ex_style);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  int left = spec.left;
  int top = spec.top;
  if (left == CW_USEDEFAULT || top == CW_USEDEFAULT) {
    RECT area = {};
    if (owner && IsWindowVisible(owner)) {
      GetWindowRect(owner, &area);
    } else {
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    left = std::max(0L, area.left + (area.right - area.left - width) / 2);
    top = std::max(0L, area.top + (area.bottom - area.top - height) / 2);
  }
  CreateOwn(this, owner, window_class, 0, spec.caption, spec.caption, style, ex_style,
            RECT{left, top, left + width, top + height});
}

TForm::~TForm() {
  destroying_ = true;
  if (Handle()) DestroyWindow(Handle());
  controls_.clear();
}

TWinControl* TForm::FindControl(std::string_view name) const {
  for (const auto& c : controls_) {
    if (c->Name() == name) return c.get();
  }
  return nullptr;
}

TWinControl* TForm::FindControlById(int id) const {
  for (const auto& c : controls_) {
    if (c->OwnsId(id)) return c.get();
  }
  return nullptr;
}

TWinControl* TForm::ControlOf(HWND child) const {
  for (HWND h = child; h && h != Handle(); h = GetParent(h)) {
    if (TWinControl* c = FromHandle(h); c && c != this) return c;
    if (TWinControl* c = FindControlById(GetDlgCtrlID(h))) return c;
  }
  return nullptr;
}

TButton* TForm::DefaultButton() const {
  for (const auto& c : controls_) {
    auto* b = dynamic_cast<TButton*>(c.get());
    if (b && b->Default && b->Visible() && b->Enabled()) return b;
  }
  return nullptr;
}

TButton* TForm::CancelButton() const {
  for (const auto& c : controls_) {
    auto* b = dynamic_cast<TButton*>(c.get());
    if (b && b->Cancel && b->Visible() && b->Enabled()) return b;
  }
  return nullptr;
}

void TForm::FocusFirst() {
  if (ActiveControl && ActiveControl->Visible() && ActiveControl->Enabled()) {
    ActiveControl->SetFocus();
    return;
  }
  if (const HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
    ::SetFocus(first);
  } else {
    ::SetFocus(Handle());
  }
}

void TForm::Show() {
  if (!Handle()) return;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  FocusFirst();
  if (OnShow) OnShow(*this);
}

void TForm::Hide() {
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

int TForm::ShowModal() {
  if (!Handle() || modal_) return mrCancel;
  const HWND focus = GetFocus();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  disabled.erase(std::remove(disabled.begin(), disabled.end(), Handle()), disabled.end());
  for (HWND w : disabled) EnableWindow(w, FALSE);
  modal_ = true;
  modal_result_ = mrNone;
  Show();
  {
    TApplication::TModalScope scope;
    MSG msg;
    while (modal_result_ == mrNone && Handle()) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) {
        // The program is ending: the quit message belongs to the outer loop.
        PostQuitMessage(static_cast<int>(msg.wParam));
        modal_result_ = mrCancel;
        break;
      }
      if (got < 0) break;
      if (!IsFormMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  if (modal_result_ == mrNone) modal_result_ = mrCancel;
  for (HWND w : disabled) {
    if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  Hide();
  modal_ = false;
  if (focus && IsWindow(focus)) ::SetFocus(focus);
  return modal_result_;
}

void TForm::SetModalResult(int result) {
  modal_result_ = result;
  if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);
}

bool TForm::Close() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(*this, can_close);
  if (!can_close) return false;
  if (OnClose) OnClose(*this);
  if (modal_) {
    if (modal_result_ == mrNone) SetModalResult(mrCancel);
  } else {
    Hide();
  }
  return true;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      TWinControl* c = lparam ? ControlOf(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!c) c = FindControlById(id);
      if (c) {
        c->OnCommand(id, code);
      } else if (id == IDCANCEL) {
        // Escape: the cancel button, else closing the form.
        if (TButton* cancel = CancelButton()) {
          cancel->Click();
        } else {
          Close();
        }
      }
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (TWinControl* c = ControlOf(header->hwndFrom)) return c->OnNotify(header);
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (TWinControl* c = ControlOf(reinterpret_cast<HWND>(lparam))) {
        if (HBRUSH brush = c->OnCtlColor(reinterpret_cast<HDC>(wparam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      TWinControl* c = ControlOf(draw->hwndItem);
      if (c && c->OnDrawItem(draw)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      TWinControl* c = FindControlById(static_cast<int>(measure->CtlID));
      if (!c && announced_ && announced_->OwnsId(static_cast<int>(measure->CtlID))) c = announced_;
      if (c && c->OnMeasureItem(measure)) return TRUE;
      break;
    }
    case DM_GETDEFID:
      if (TButton* b = DefaultButton()) return MAKELRESULT(b->Id(), DC_HASDEFID);
      return 0;
    case WM_NEXTDLGCTL:
      if (LOWORD(lparam)) {
        ::SetFocus(reinterpret_cast<HWND>(wparam));
      } else if (const HWND next = GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0)) {
        ::SetFocus(next);
      }
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) saved_focus_ = focus;
        break;
      }
      if (HIWORD(wparam)) break;  // minimised
      if (saved_focus_ && IsWindow(saved_focus_) && IsChild(Handle(), saved_focus_)) {
        ::SetFocus(saved_focus_);
      } else {
        FocusFirst();
      }
      return 0;
    case WM_SIZE:
      if (OnResize) OnResize(*this);
      break;
    default:
      break;
  }
  return DefaultProc(msg, wparam, lparam);
}

bool IsFormMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!dynamic_cast<TForm*>(TWinControl::FromHandle(root))) return false;
  return IsDialogMessageW(root, &msg) != FALSE;
}

std::vector<TForm*> VisibleForms() {
  std::vector<TForm*> forms;
  EnumThreadWindows(GetCurrentThreadId(), &CollectForms, reinterpret_cast<LPARAM>(&forms));
  return forms;
}

}  // namespace hx
