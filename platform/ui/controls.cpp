#include "platform/ui/controls.h"

#include <algorithm>

#include "base/utf8.h"

namespace hx {
namespace {

constexpr wchar_t kSplitterClass[] = L"HXSplitter";

void FillStrings(HWND hwnd, UINT reset, UINT add, const std::vector<std::string>& items) {
  SendMessageW(hwnd, reset, 0, 0);
  for (const std::string& item : items) {
    const std::wstring w = Widen(item);
    SendMessageW(hwnd, add, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
}

}  // namespace

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                 ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                 ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

// ---- label, edit, memo

TLabel::TLabel(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds,
               DWORD style) {
  CreateStandard(form, L"STATIC", id, std::move(name), caption, style | WS_VISIBLE, 0, bounds);
}

TEditBox::TEditBox(TForm& form, int id, std::string name, std::string_view text, const RECT& bounds,
                   DWORD style) {
  CreateStandard(form, L"EDIT", id, std::move(name), text, style | WS_VISIBLE | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, bounds);
}

void TEditBox::OnCommand(int, int code) {
  if (code == EN_CHANGE && OnChange) OnChange(*this);
}

TMemo::TMemo(TForm& form, int id, std::string name, std::string_view text, const RECT& bounds,
             bool read_only, bool both_scroll_bars)
    : TEditBox(form, id, std::move(name), text, bounds,
               ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL |
                   (both_scroll_bars ? WS_HSCROLL | ES_AUTOHSCROLL : 0) |
                   (read_only ? ES_READONLY : 0)) {}

// ---- buttons

TButton::TButton(TForm& form, int id, std::string name, std::string_view caption,
                 const RECT& bounds, bool is_default, bool is_cancel, int modal_result)
    : Default(is_default), Cancel(is_cancel), ModalResult(modal_result) {
  CreateStandard(form, L"BUTTON", id, std::move(name), caption,
                 (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_VISIBLE | WS_TABSTOP, 0,
                 bounds);
}

void TButton::Click() {
  if (!Enabled()) return;
  if (OnClick) OnClick(*this);
  if (ModalResult != mrNone && Form()) Form()->SetModalResult(ModalResult);
}

void TButton::OnCommand(int, int code) {
  if (code == BN_CLICKED) Click();
}

TCheckBox::TCheckBox(TForm& form, int id, std::string name, std::string_view caption,
                     const RECT& bounds) {
  CreateStandard(form, L"BUTTON", id, std::move(name), caption,
                 BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, bounds);
}

bool TCheckBox::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::OnCommand(int, int code) {
  if (code == BN_CLICKED && OnClick) OnClick(*this);
}

TGroupBox::TGroupBox(TForm& form, int id, std::string name, std::string_view caption,
                     const RECT& bounds) {
  CreateStandard(form, L"BUTTON", id, std::move(name), caption, BS_GROUPBOX | WS_VISIBLE, 0,
                 bounds);
}

TRadioGroup::TRadioGroup(TForm& form, int id, std::string name, std::string_view caption,
                         const RECT& bounds, const std::vector<std::string>& items, int columns) {
  CreateStandard(form, L"BUTTON", id, std::move(name), caption, BS_GROUPBOX | WS_VISIBLE, 0,
                 bounds);
  const int n = static_cast<int>(items.size());
  columns = std::max(1, columns);
  const int rows = std::max(1, (n + columns - 1) / columns);
  const int width = static_cast<int>(bounds.right - bounds.left - 16) / columns;
  const int height = std::min(20, static_cast<int>(bounds.bottom - bounds.top - 22) / rows);
  for (int i = 0; i < n; ++i) {
    const int x = bounds.left + 8 + (i / rows) * width;
    const int y = bounds.top + 18 + (i % rows) * height;
    const HWND b = CreateWindowExW(
        0, L"BUTTON", Widen(items[i]).c_str(),
        WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), x, y,
        width, height, form.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + 1 + i)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), TRUE);
    buttons_.push_back(b);
  }
}

HWND TRadioGroup::Button(int index) const {
  return index >= 0 && index < Count() ? buttons_[index] : nullptr;
}

int TRadioGroup::ItemIndex() const {
  for (int i = 0; i < Count(); ++i) {
    if (SendMessageW(buttons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
  }
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (int i = 0; i < Count(); ++i) {
    SendMessageW(buttons_[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TRadioGroup::OnCommand(int id, int code) {
  if (id != Id() && code == BN_CLICKED && OnClick) OnClick(*this);
}

// ---- combo and list boxes

TComboBox::TComboBox(TForm& form, int id, std::string name, const RECT& bounds,
                     const std::vector<std::string>& items, bool drop_down_list) {
  RECT r = bounds;
  r.bottom = r.top + 200;  // the height of the dropped-down list
  CreateStandard(form, L"COMBOBOX", id, std::move(name), "",
                 (drop_down_list ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_AUTOHSCROLL | WS_VSCROLL |
                     WS_VISIBLE | WS_TABSTOP,
                 0, r);
  SetItems(items);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  FillStrings(Handle(), CB_RESETCONTENT, CB_ADDSTRING, items);
}

int TComboBox::ItemIndex() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

void TComboBox::OnCommand(int, int code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange(*this);
}

TListBox::TListBox(TForm& form, int id, std::string name, const RECT& bounds,
                   const std::vector<std::string>& items, DWORD style) {
  CreateStandard(form, L"LISTBOX", id, std::move(name), "",
                 style | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, bounds);
  if (!items.empty()) SetItems(items);
}

void TListBox::SetItems(const std::vector<std::string>& items) {
  FillStrings(Handle(), LB_RESETCONTENT, LB_ADDSTRING, items);
}

int TListBox::Count() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
}

int TListBox::ItemIndex() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
  SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

void TListBox::OnCommand(int, int code) {
  if (code == LBN_SELCHANGE && OnChange) OnChange(*this);
  if (code == LBN_DBLCLK && OnDblClick) OnDblClick(*this);
}

TOwnerDrawList::TOwnerDrawList(TForm& form, int id, std::string name, const RECT& bounds,
                               int item_height)
    : TListBox(form, id, std::move(name), bounds, {}, LBS_OWNERDRAWFIXED | LBS_NODATA),
      ItemHeight(item_height) {
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, item_height);
}

void TOwnerDrawList::SetCount(int count) {
  SendMessageW(Handle(), LB_SETCOUNT, std::max(0, count), 0);
}

bool TOwnerDrawList::OnMeasureItem(MEASUREITEMSTRUCT* measure) {
  measure->itemHeight = static_cast<UINT>(ItemHeight);
  return true;
}

bool TOwnerDrawList::OnDrawItem(DRAWITEMSTRUCT* draw) {
  if (static_cast<int>(draw->itemID) < 0) return true;
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  FillRect(draw->hDC, &draw->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(draw->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(draw->hDC, TRANSPARENT);
  if (OnDrawEntry)
    OnDrawEntry(*this, draw->hDC, draw->rcItem, static_cast<int>(draw->itemID), selected);
  if (draw->itemState & ODS_FOCUS) DrawFocusRect(draw->hDC, &draw->rcItem);
  return true;
}

// ---- list view

TListView::TListView(TForm& form, int id, std::string name, const RECT& bounds) {
  InitCommonControlsOnce();
  CreateStandard(
      form, WC_LISTVIEWW, id, std::move(name), "",
      LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_VISIBLE | WS_TABSTOP,
      WS_EX_CLIENTEDGE, bounds);
  SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(std::string_view caption, int width, bool right_aligned) {
  std::wstring text = Widen(caption);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = right_aligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
  column.cx = width;
  column.pszText = text.data();
  column.iSubItem = columns_;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, columns_++, reinterpret_cast<LPARAM>(&column));
}

void TListView::SetItemCount(int count) {
  SendMessageW(Handle(), LVM_SETITEMCOUNT, std::max(0, count), LVSICF_NOSCROLL);
}

int TListView::ItemCount() const {
  return static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

int TListView::ItemIndex() const {
  return static_cast<int>(
      SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&item));
  if (index < 0) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  SendMessageW(Handle(), LVM_ENSUREVISIBLE, index, FALSE);
}

LRESULT TListView::OnNotify(NMHDR* header) {
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        scratch_ = OnGetText ? Widen(OnGetText(info->item.iItem, info->item.iSubItem)) : L"";
        const size_t n = std::min(scratch_.size(), static_cast<size_t>(info->item.cchTextMax - 1));
        std::copy_n(scratch_.c_str(), n, info->item.pszText);
        info->item.pszText[n] = L'\0';
      }
      return 0;
    }
    case NM_CUSTOMDRAW: {
      auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return OnGetRowColor ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
      if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnGetRowColor) {
        const COLORREF color = OnGetRowColor(static_cast<int>(draw->nmcd.dwItemSpec));
        if (color != CLR_DEFAULT) draw->clrText = color;
      }
      return CDRF_DODEFAULT;
    }
    case LVN_ITEMCHANGED:
      if (OnSelect) OnSelect(*this);
      return 0;
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick(*this);
      return 0;
    default:
      return 0;
  }
}

// ---- tabs and tree

TTabControl::TTabControl(TForm& form, int id, std::string name, const RECT& bounds,
                         const std::vector<std::string>& tabs) {
  InitCommonControlsOnce();
  CreateStandard(form, WC_TABCONTROLW, id, std::move(name), "",
                 WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, bounds);
  for (const std::string& t : tabs) AddTab(t);
}

void TTabControl::AddTab(std::string_view caption) {
  std::wstring text = Widen(caption);
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  const int n = static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
  SendMessageW(Handle(), TCM_INSERTITEMW, n, reinterpret_cast<LPARAM>(&item));
}

int TTabControl::TabIndex() const {
  return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TTabControl::SetTabIndex(int index) {
  SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
}

LRESULT TTabControl::OnNotify(NMHDR* header) {
  if (header->code == static_cast<UINT>(TCN_SELCHANGE) && OnChange) OnChange(*this);
  return 0;
}

TTreeView::TTreeView(TForm& form, int id, std::string name, const RECT& bounds) {
  InitCommonControlsOnce();
  CreateStandard(
      form, WC_TREEVIEWW, id, std::move(name), "",
      TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_VISIBLE | WS_TABSTOP,
      WS_EX_CLIENTEDGE, bounds);
}

HTREEITEM TTreeView::AddItem(HTREEITEM parent, std::string_view text, LPARAM data) {
  std::wstring w = Widen(text);
  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = w.data();
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TTreeView::Clear() {
  SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

HTREEITEM TTreeView::Selected() const {
  return reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

LPARAM TTreeView::Data(HTREEITEM item) const {
  TVITEMW tv = {};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.lParam;
}

std::string TTreeView::ItemText(HTREEITEM item) const {
  wchar_t buffer[512] = {};
  TVITEMW tv = {};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = buffer;
  tv.cchTextMax = 512;
  SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return Narrow(buffer);
}

void TTreeView::Select(HTREEITEM item) {
  SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

LRESULT TTreeView::OnNotify(NMHDR* header) {
  if (header->code == static_cast<UINT>(TVN_SELCHANGEDW) && OnSelect) OnSelect(*this);
  return 0;
}

// ---- status and progress

TStatusBar::TStatusBar(TForm& form, int id, std::string name) {
  InitCommonControlsOnce();
  CreateStandard(form, STATUSCLASSNAMEW, id, std::move(name), "", WS_VISIBLE, 0, RECT{0, 0, 0, 0});
}

void TStatusBar::SetPanels(const std::vector<int>& widths) {
  std::vector<int> edges;
  int x = 0;
  for (int w : widths) {
    x = w < 0 ? -1 : x + w;
    edges.push_back(x);
  }
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::SetPanelText(int panel, std::string_view text) {
  const std::wstring w = Widen(text);
  SendMessageW(Handle(), SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(w.c_str()));
}

std::string TStatusBar::PanelText(int panel) const {
  const int length = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, panel, 0));
  std::wstring w(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(length));
  return Narrow(w);
}

void TStatusBar::Realign() {
  SendMessageW(Handle(), WM_SIZE, 0, 0);
}

TProgressBar::TProgressBar(TForm& form, int id, std::string name, const RECT& bounds) {
  InitCommonControlsOnce();
  CreateStandard(form, PROGRESS_CLASSW, id, std::move(name), "", WS_VISIBLE, 0, bounds);
  SendMessageW(Handle(), PBM_SETRANGE32, 0, 100);
}

void TProgressBar::SetPosition(int position) {
  SendMessageW(Handle(), PBM_SETPOS, std::clamp(position, 0, 100), 0);
}

int TProgressBar::Position() const {
  return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

// ---- splitter

TSplitter::TSplitter(TForm& form, int id, std::string name, const RECT& bounds, bool vertical)
    : vertical_(vertical) {
  RegisterOwnClass(kSplitterClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CreateOwn(&form, form.Handle(), kSplitterClass, id, std::move(name), "", WS_CHILD | WS_VISIBLE, 0,
            bounds);
}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SETCURSOR:
      // IDC_SIZEWE and IDC_SIZENS of the wide entry points.
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(vertical_ ? 32644 : 32645)));
      return TRUE;
    case WM_LBUTTONDOWN:
      dragging_ = true;
      grab_ = vertical_ ? static_cast<short>(LOWORD(lparam)) : static_cast<short>(HIWORD(lparam));
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      if (!dragging_) break;
      POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
      const int position = std::max(MinPosition, static_cast<int>(vertical_ ? p.x : p.y) - grab_);
      if (msg == WM_LBUTTONUP) {
        dragging_ = false;
        ReleaseCapture();
      }
      const RECT r = BoundsRect();
      if (vertical_) {
        SetBounds(position, r.top, r.right - r.left, r.bottom - r.top);
      } else {
        SetBounds(r.left, position, r.right - r.left, r.bottom - r.top);
      }
      if (OnMoved) OnMoved(*this, position);
      return 0;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

}  // namespace hx
