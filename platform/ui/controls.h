// The standard controls of the forms, each a thin wrapper over a Win32 or common control:
// label, edit, memo, button, check box, group box, radio group, combo box, list box,
// owner-drawn list, list view in owner-data mode (for long catalogs), tab control, tree view,
// status bar, progress bar and splitter. Every control has a stable id and a name on its form,
// so that tests and the client tool can find it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/window.h"

namespace hx {

// Loads the common controls once.
void InitCommonControlsOnce();

class TLabel : public TWinControl {
 public:
  TLabel(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds,
         DWORD style = SS_LEFT);
};

class TEditBox : public TWinControl {
 public:
  TEditBox(TForm& form, int id, std::string name, std::string_view text, const RECT& bounds,
           DWORD style = ES_AUTOHSCROLL);
  std::function<void(TEditBox&)> OnChange;
  void OnCommand(int id, int code) override;
};

class TMemo : public TEditBox {
 public:
  TMemo(TForm& form, int id, std::string name, std::string_view text, const RECT& bounds,
        bool read_only = false, bool both_scroll_bars = true);
};

class TButton : public TWinControl {
 public:
  TButton(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds,
          bool is_default = false, bool is_cancel = false, int modal_result = mrNone);
  // The button Enter presses and the button Escape presses.
  bool Default = false;
  bool Cancel = false;
  // Set into the form when clicked (a modal form then ends with it).
  int ModalResult = mrNone;
  std::function<void(TButton&)> OnClick;
  // Clicks the button as the user does.
  void Click();
  void OnCommand(int id, int code) override;
};

class TCheckBox : public TWinControl {
 public:
  TCheckBox(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds);
  bool Checked() const;
  void SetChecked(bool checked);
  std::function<void(TCheckBox&)> OnClick;
  void OnCommand(int id, int code) override;
};

class TGroupBox : public TWinControl {
 public:
  TGroupBox(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds);
};

// A group box with one radio button per item; the buttons have the ids id + 1, id + 2, ...
class TRadioGroup : public TWinControl {
 public:
  TRadioGroup(TForm& form, int id, std::string name, std::string_view caption, const RECT& bounds,
              const std::vector<std::string>& items, int columns = 1);
  int ItemIndex() const;
  void SetItemIndex(int index);
  HWND Button(int index) const;
  int Count() const { return static_cast<int>(buttons_.size()); }
  std::function<void(TRadioGroup&)> OnClick;
  bool OwnsId(int id) const override { return id >= Id() && id <= Id() + Count(); }
  void OnCommand(int id, int code) override;

 private:
  std::vector<HWND> buttons_;
};

class TComboBox : public TWinControl {
 public:
  // drop_down_list: a list only, without an edit part.
  TComboBox(TForm& form, int id, std::string name, const RECT& bounds,
            const std::vector<std::string>& items = {}, bool drop_down_list = true);
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::function<void(TComboBox&)> OnChange;
  void OnCommand(int id, int code) override;
};

class TListBox : public TWinControl {
 public:
  TListBox(TForm& form, int id, std::string name, const RECT& bounds,
           const std::vector<std::string>& items = {}, DWORD style = 0);
  void SetItems(const std::vector<std::string>& items);
  int Count() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::function<void(TListBox&)> OnChange;
  std::function<void(TListBox&)> OnDblClick;
  void OnCommand(int id, int code) override;
};

// A list box whose entries the owner draws: Count entries of ItemHeight pixels.
class TOwnerDrawList : public TListBox {
 public:
  using DrawEvent =
      std::function<void(TOwnerDrawList& list, HDC dc, const RECT& rect, int index, bool selected)>;
  TOwnerDrawList(TForm& form, int id, std::string name, const RECT& bounds, int item_height);
  void SetCount(int count);
  int ItemHeight;
  DrawEvent OnDrawEntry;
  bool OnDrawItem(DRAWITEMSTRUCT* draw) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT* measure) override;
};

// A report list view that asks for its texts row by row (owner data), so that a catalog of
// any length costs only the rows on the screen.
class TListView : public TWinControl {
 public:
  TListView(TForm& form, int id, std::string name, const RECT& bounds);
  void AddColumn(std::string_view caption, int width, bool right_aligned = false);
  void SetItemCount(int count);
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The text of a cell.
  std::function<std::string(int row, int column)> OnGetText;
  // The text colour of a row (CLR_DEFAULT for the default).
  std::function<COLORREF(int row)> OnGetRowColor;
  std::function<void(TListView&)> OnSelect;
  std::function<void(TListView&)> OnDblClick;
  LRESULT OnNotify(NMHDR* header) override;

 private:
  int columns_ = 0;
  std::wstring scratch_;
};

class TTabControl : public TWinControl {
 public:
  TTabControl(TForm& form, int id, std::string name, const RECT& bounds,
              const std::vector<std::string>& tabs = {});
  void AddTab(std::string_view caption);
  int TabIndex() const;
  void SetTabIndex(int index);
  std::function<void(TTabControl&)> OnChange;
  LRESULT OnNotify(NMHDR* header) override;
};

class TTreeView : public TWinControl {
 public:
  TTreeView(TForm& form, int id, std::string name, const RECT& bounds);
  // Adds an item under parent (TVI_ROOT for the top), carrying data.
  HTREEITEM AddItem(HTREEITEM parent, std::string_view text, LPARAM data = 0);
  void Clear();
  HTREEITEM Selected() const;
  LPARAM Data(HTREEITEM item) const;
  std::string ItemText(HTREEITEM item) const;
  void Select(HTREEITEM item);
  std::function<void(TTreeView&)> OnSelect;
  LRESULT OnNotify(NMHDR* header) override;
};

class TStatusBar : public TWinControl {
 public:
  TStatusBar(TForm& form, int id, std::string name);
  // Panel widths in pixels; -1 for a last panel to the right edge.
  void SetPanels(const std::vector<int>& widths);
  void SetPanelText(int panel, std::string_view text);
  std::string PanelText(int panel) const;
  // Follows the form's size (call from the form's OnResize).
  void Realign();
};

class TProgressBar : public TWinControl {
 public:
  TProgressBar(TForm& form, int id, std::string name, const RECT& bounds);
  void SetPosition(int position);  // 0-100
  int Position() const;
};

// A bar that the user drags to divide a form between two panes; OnMoved gets the new left
// (vertical bar) or top (horizontal bar) of the bar.
class TSplitter : public TWinControl {
 public:
  TSplitter(TForm& form, int id, std::string name, const RECT& bounds, bool vertical = true);
  bool Vertical() const { return vertical_; }
  int MinPosition = 20;
  std::function<void(TSplitter&, int position)> OnMoved;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  bool vertical_;
  bool dragging_ = false;
  int grab_ = 0;
};

}  // namespace hx
