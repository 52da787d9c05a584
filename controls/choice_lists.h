// Combo and list boxes: entries from the form's lines or from a look-up (refilled whenever the
// look-up changes, the current text kept and reselected, the edit entry "Правка" last), and
// their bound kinds, which show a field's text or the entry at its integer value and hand the
// choice back on leaving or on a change of the selection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_model.h"
#include "records/lookup.h"

namespace hx {

struct ListEntry {
  std::string caption;
  int32_t id = NoInt;
  bool enabled = true;
  TGlyphPtr glyph;
  bool edit_entry = false;  // "Правка": runs the look-up's edit of its items
};

class TCustomChoiceList : public TControlModel, public ILookUpUser {
 public:
  TCustomChoiceList() = default;
  ~TCustomChoiceList() override;

  const std::vector<ListEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  // Entries from lines; an entry's id is its position.
  void SetItems(const std::vector<std::string>& lines);

  // The look-up the entries come from (not owned).
  virtual TCustomLookUp* LookUp() const { return lookup_; }
  void SetLookUp(TCustomLookUp* lookup);
  TDisplayStyle DisplayStyle = dsCaptionGlyph;
  TAlignment Alignment = taLeftJustify;
  // The edit entry at the end of a look-up's entries.
  bool AddEditItem = false;
  bool ReadOnly = false;
  int DropDownCount = 8;
  bool MultiSelect = false;

  int ItemIndex() const { return item_index_; }
  // Selects entry i (-1 for none); the text becomes its caption.
  void SetItemIndex(int i);
  const std::string& Text() const { return text_; }
  // Sets the text and selects the entry it names.
  void SetText(std::string_view text);
  // The first entry whose caption equals text ignoring case, or -1.
  int IndexOfText(std::string_view text) const;

  // The user chose entry i. The edit entry puts the previous text back, runs the look-up's
  // edit of its items and, when the edit entry is still selected afterwards, selects the entry
  // before it.
  void UserSelected(int i);
  // The user typed into the edit part of a combo box.
  void UserEdited(std::string_view text);

  // Fills the entries again from the look-up, keeping the text.
  void Refill();

  void LookUpChanged(TCustomLookUp& lookup) override { Refill(); }
  void LookUpDestroyed(TCustomLookUp& lookup) override;

 protected:
  // After the user changed the selection.
  virtual void SelectionChanged() {}
  // Becomes a user of lookup (leaving the previous one); true when that changed.
  bool AttachLookUp(TCustomLookUp* lookup);

 private:
  std::vector<ListEntry> entries_;
  TCustomLookUp* lookup_ = nullptr;
  TCustomLookUp* attached_ = nullptr;  // the look-up whose user the list is
  int item_index_ = -1;
  std::string text_;
};

class TLookUpComboBox : public TCustomChoiceList {};
class TLookUpListBox : public TCustomChoiceList {};

// The bound kinds. ValueMode vmDefault shows and hands back the field's text; vmItemIndex and
// vmItemId the entry at (or with the id of) the field's integer value.
class TZqDBChoiceList : public TCustomChoiceList, public TZqBoundControl {
 public:
  TValueMode ValueMode = vmDefault;
  bool SetFieldDataOnExit = true;
  bool SetFieldDataOnSelChange = false;

  void Exit();
  // In an index or id mode the entry matching the text is selected first.
  void SetFieldData();

  void FieldRefresh() override;
  void FieldUpdate() override;

 protected:
  void SelectionChanged() override;
};

class TZqDBComboBox : public TZqDBChoiceList {};
class TZqDBListBox : public TZqDBChoiceList {};

// The entries are the bound look-up field's look-up; the field converts the text.
class TZqDBLookUpComboBox : public TZqDBChoiceList {
 public:
  TCustomLookUp* LookUp() const override;
  void FieldUpdate() override;
};
class TZqDBLookUpListBox : public TZqDBLookUpComboBox {};

}  // namespace hx
