#include "platform/ui/popup_list.h"

#include <mmsystem.h>

#include <algorithm>
#include <memory>

#include "base/utf8.h"
#include "platform/ui/bound_controls.h"
#include "platform/ui/gdi_canvas.h"
#include "platform/ui/window.h"

namespace hx {

class TPopUpList : public TWinControl {
 public:
  TPopUpList(TCustomLookUp& lookup, HWND owner, TReturnStr mode, LookUpTextCallback callback);
  ~TPopUpList() override;

  PopUpListModel& Model() { return model_; }
  void Place(const ItemRect& anchor, bool under_control);
  // Unhooks, hides and goes (the window's destruction frees the object).
  void CloseList();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void HandleDestroyed() override;

 private:
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK CallWndHook(int code, WPARAM wparam, LPARAM lparam);
  // True when the key was used by the list (the message is then dropped).
  bool HandleKey(WPARAM key);
  void Choose(int index);
  void Unhook();
  void Paint();
  void Act(PopUpAction action);

  PopUpListModel model_;
  HWND owner_;       // the control the list belongs to
  HWND owner_root_;  // its top-level window
  HHOOK get_message_hook_ = nullptr;
  HHOOK call_wnd_hook_ = nullptr;
  bool tracking_leave_ = false;
  bool closing_ = false;
};

namespace {

constexpr wchar_t kPopUpClass[] = L"HXPopUpList";
// The message VCL controls take as "cancel the mouse mode" before their capture goes.
constexpr UINT kCancelModeMessage = 45060;
// The list asks its own window to choose an entry (from a hook, where nothing may run long).
constexpr UINT kChooseMessage = WM_APP + 0x340;

TPopUpList* g_current = nullptr;

PopUpKey KeyOf(WPARAM key) {
  switch (key) {
    case VK_TAB:
      return PopUpKey::Tab;
    case VK_RETURN:
      return PopUpKey::Enter;
    case VK_LEFT:
      return PopUpKey::Left;
    case VK_RIGHT:
      return PopUpKey::Right;
    case VK_UP:
      return PopUpKey::Up;
    case VK_DOWN:
      return PopUpKey::Down;
    case VK_ESCAPE:
      return PopUpKey::Escape;
    default:
      break;
  }
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
      (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) {
    return PopUpKey::Character;
  }
  if (key >= VK_F1 && key <= VK_F12) return PopUpKey::Function;
  return PopUpKey::Other;
}

bool IsModifier(WPARAM key) {
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LSHIFT ||
         key == VK_RSHIFT || key == VK_LCONTROL || key == VK_RCONTROL || key == VK_CAPITAL;
}

bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN ||
         msg == WM_NCMBUTTONDOWN;
}

ItemRect ScreenOf(const ItemRect& anchor) {
  const RECT r = {anchor.left, anchor.top, anchor.right, anchor.bottom};
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

class TWin32PopUpHost : public ILookUpPopUpHost {
 public:
  void PopUpAt(TCustomLookUp& lookup, int x, int y, int height, int width, TReturnStr mode,
               LookUpTextCallback callback) override {
    HWND owner = GetFocus();
    if (!owner) owner = GetActiveWindow();
    OpenPopUpList(lookup, owner, {x, y, x + std::max(0, width), y + std::max(0, height)}, false,
                  mode, std::move(callback));
  }
  void PopUpUnder(TCustomLookUp& lookup, LookUpControl control, TReturnStr mode,
                  LookUpTextCallback callback) override {
    const HWND owner = static_cast<HWND>(control);
    RECT r = {};
    if (owner && IsWindow(owner)) {
      GetWindowRect(owner, &r);
    } else {
      POINT p;
      GetCursorPos(&p);
      r = {p.x, p.y, p.x, p.y};
    }
    OpenPopUpList(lookup, owner, {r.left, r.top, r.right, r.bottom}, true, mode,
                  std::move(callback));
  }
};

}  // namespace

TPopUpList::TPopUpList(TCustomLookUp& lookup, HWND owner, TReturnStr mode,
                       LookUpTextCallback callback)
    : model_(&lookup), owner_(owner), owner_root_(owner ? GetAncestor(owner, GA_ROOT) : nullptr) {
  model_.ReturnStr = mode;
  model_.OnSetText = std::move(callback);
  model_.OwnerControl = owner;
  if (owner) {
    wchar_t hint[1024] = {};
    SendMessageW(owner, HXM_GETHINT, 1024, reinterpret_cast<LPARAM>(hint));
    model_.OwnerHint = Narrow(hint);
  }
  RegisterOwnClass(kPopUpClass, CS_SAVEBITS | CS_DROPSHADOW, GetSysColorBrush(COLOR_WINDOW));
  CreateOwn(nullptr, owner_root_, kPopUpClass, 0, "PopUpList", "", WS_POPUP,
            WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, RECT{0, 0, 100, 100});
  get_message_hook_ =
      SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId());
  call_wnd_hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &CallWndHook, nullptr, GetCurrentThreadId());
}

TPopUpList::~TPopUpList() {
  Unhook();
  if (g_current == this) g_current = nullptr;
}

void TPopUpList::Unhook() {
  if (get_message_hook_) UnhookWindowsHookEx(get_message_hook_);
  if (call_wnd_hook_) UnhookWindowsHookEx(call_wnd_hook_);
  get_message_hook_ = call_wnd_hook_ = nullptr;
}

void TPopUpList::Place(const ItemRect& anchor, bool under_control) {
  const ItemRect screen = ScreenOf(anchor);
  {
    const HDC dc = GetDC(Handle());
    TGdiCanvas canvas(dc, MenuFont());
    model_.Measure(canvas);
    ReleaseDC(Handle(), dc);
  }
  model_.Arrange(anchor, screen);
  const ItemRect at = PlacePopUp(anchor, model_.Width(), model_.Height(), screen, under_control);
  // The entry the owner's text names is selected; without one, the first.
  int selected = -1;
  if (owner_) {
    wchar_t text[1024] = {};
    GetWindowTextW(owner_, text, 1024);
    if (TCustomLookUp* lookup = model_.LookUp()) {
      selected = lookup->IndexOfText(Narrow(text), model_.ReturnStr);
    }
  }
  model_.Select(selected >= 0 ? selected : 0);
  SetWindowPos(Handle(), HWND_TOPMOST, at.left, at.top, at.Width(), at.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPopUpList::CloseList() {
  if (closing_) return;
  closing_ = true;
  Unhook();
  if (g_current == this) g_current = nullptr;
  if (Handle()) {
    ShowWindow(Handle(), SW_HIDE);
    DestroyWindow(Handle());
  }
}

void TPopUpList::HandleDestroyed() {
  Unhook();
  if (g_current == this) g_current = nullptr;
  delete this;
}

void TPopUpList::Choose(int index) {
  // The choice may open a dialog (the edit of the items): the list is out of the way first.
  Unhook();
  if (g_current == this) g_current = nullptr;
  ShowWindow(Handle(), SW_HIDE);
  model_.Choose(index);
  CloseList();
}

void TPopUpList::Act(PopUpAction action) {
  switch (action) {
    case PopUpAction::Select: {
      InvalidateRect(Handle(), nullptr, FALSE);
      SetControlHint(Handle(), model_.EntryHint(model_.Selected()));
      break;
    }
    case PopUpAction::Close:
    case PopUpAction::Chosen:
      PostMessageW(Handle(), HXM_CLOSEPOPUP, 0, 0);
      break;
    default:
      break;
  }
}

bool TPopUpList::HandleKey(WPARAM key) {
  if (IsModifier(key)) return false;
  const PopUpKey k = KeyOf(key);
  if (k == PopUpKey::Enter && model_.Selected() >= 0 && model_.EntryEnabled(model_.Selected())) {
    PostMessageW(Handle(), kChooseMessage, static_cast<WPARAM>(model_.Selected()), 0);
    return true;
  }
  const PopUpAction action = model_.KeyDown(k);
  if (action == PopUpAction::PassOn) return false;
  Act(action);
  return true;
}

LRESULT CALLBACK TPopUpList::GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  TPopUpList* list = g_current;
  if (code == HC_ACTION && wparam == PM_REMOVE && list && !list->closing_) {
    MSG* msg = reinterpret_cast<MSG*>(lparam);
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
        list->HandleKey(msg->wParam)) {
      msg->message = WM_NULL;
    } else if (IsButtonDown(msg->message) && msg->hwnd != list->Handle()) {
      PostMessageW(list->Handle(), HXM_CLOSEPOPUP, 0, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK TPopUpList::CallWndHook(int code, WPARAM wparam, LPARAM lparam) {
  TPopUpList* list = g_current;
  if (code == HC_ACTION && list && !list->closing_) {
    const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (cwp->hwnd == list->owner_root_ || cwp->hwnd == list->owner_) {
      const bool deactivated = cwp->message == WM_ACTIVATE && LOWORD(cwp->wParam) == WA_INACTIVE;
      if (cwp->message == WM_DESTROY) {
        list->CloseList();
      } else if (deactivated || cwp->message == WM_CHILDACTIVATE ||
                 cwp->message == WM_MDIACTIVATE) {
        PostMessageW(list->Handle(), HXM_CLOSEPOPUP, 0, 0);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void TPopUpList::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  if (model_.Border() > 0) FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  {
    TGdiCanvas canvas(dc, MenuFont());
    for (int i = 0; i < model_.EntryCount(); ++i) {
      const ItemRect cell = model_.CellRect(i);
      const bool selected = i == model_.Selected();
      if (selected) {
        const RECT r = {cell.left, cell.top, cell.right, cell.bottom};
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      }
      canvas.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      model_.DrawEntry(canvas, i);
    }
  }
  EndPaint(Handle(), &ps);
}

LRESULT TPopUpList::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      Act(model_.MouseMove(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))));
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      Act(model_.MouseLeave());
      return 0;
    case WM_LBUTTONUP: {
      const int index =
          model_.EntryAt(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      if (index >= 0 && model_.EntryEnabled(index)) Choose(index);
      return 0;
    }
    case kChooseMessage:
      Choose(static_cast<int>(wparam));
      return 0;
    case HXM_CLOSEPOPUP:
      CloseList();
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

TPopUpList* CurrentPopUpList() {
  return g_current;
}
HWND CurrentPopUpWindow() {
  return g_current ? g_current->Handle() : nullptr;
}
PopUpListModel* CurrentPopUpModel() {
  return g_current ? &g_current->Model() : nullptr;
}

void ClosePopUpList() {
  if (g_current) g_current->CloseList();
}

void OpenPopUpList(TCustomLookUp& lookup, HWND owner, const ItemRect& anchor, bool under_control,
                   TReturnStr mode, LookUpTextCallback callback) {
  ClosePopUpList();
  if (const HWND capture = GetCapture()) {
    SendMessageW(capture, kCancelModeMessage, 0, 0);
    ReleaseCapture();
  }
  auto* list = new TPopUpList(lookup, owner, mode, std::move(callback));
  if (!list->Handle()) {
    delete list;
    return;
  }
  g_current = list;
  list->Place(anchor, under_control);
  PlaySoundW(L"MenuPopup", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
}

void InstallPopUpHost() {
  static TWin32PopUpHost host;
  SetLookUpPopUpHost(&host);
}

}  // namespace hx
