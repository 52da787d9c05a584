// Check boxes, radio buttons and their groups bound to fields: a check box or radio button shows
// a boolean field (its caption the field's caption), a check-box group the bits of an integer
// field, a radio group the position an integer field names. Entries of a group are
// "caption|hint"; a caption beginning with "%-" shows a disabled box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_model.h"

namespace hx {

struct GroupEntry {
  std::string caption;
  std::string hint;
  bool enabled = true;
};
GroupEntry ParseGroupEntry(std::string_view entry);

class TZqDBCheckBox : public TControlModel, public TZqBoundControl {
 public:
  // Hands the checked state back right after a click.
  bool SetFieldDataAfterClick = true;

  const std::string& Caption() const { return caption_; }
  // -1 (grayed, three-state boxes only), 0 or 1.
  int32_t State() const { return state_; }
  bool Checked() const { return state_ == 1; }
  bool ReadOnly() const { return read_only_; }
  virtual bool ThreeState() const { return false; }

  // A click of the user: the next state (unchecked, checked, and grayed for three-state
  // boxes), handed back with SetFieldDataAfterClick. A read-only box does not change.
  virtual void Click();
  void SetFieldData();

  void FieldRefresh() override;
  void FieldUpdate() override;

 protected:
  void set_state(int32_t state);

 private:
  std::string caption_;
  int32_t state_ = 0;
  bool read_only_ = false;
};

// The three-state box of a three-state boolean field.
class TZqDBExtCheckBox : public TZqDBCheckBox {
 public:
  bool ThreeState() const override { return true; }
};

// A radio button: a click checks it (it is unchecked only by setting the field).
class TZqDBRadioButton : public TZqDBCheckBox {
 public:
  void Click() override;
};

// The common part of the groups: entries, hand-back on click or on leaving.
class TZqDBGroup : public TControlModel, public TZqBoundControl {
 public:
  bool SetFieldDataOnClick = true;
  bool SetFieldDataOnExit = false;

  void SetItems(const std::vector<std::string>& items);
  const std::vector<GroupEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  bool ReadOnly() const { return read_only_; }

  // A click on entry i (ignored for disabled entries and read-only groups).
  void Click(int i);
  void Exit();
  virtual void SetFieldData() = 0;

  void FieldUpdate() override;

 protected:
  // Applies a click on an enabled entry; true when the value changed.
  virtual bool Toggle(int i) = 0;

 private:
  std::vector<GroupEntry> entries_;
  bool read_only_ = false;
};

// Box i is checked when bit i of the field's value is set.
class TZqDBCheckBoxGroup : public TZqDBGroup {
 public:
  uint32_t Value() const { return value_; }
  bool Checked(int i) const { return i >= 0 && i < 32 && ((value_ >> i) & 1u); }
  void SetFieldData() override;
  void FieldRefresh() override;

 protected:
  bool Toggle(int i) override;

 private:
  uint32_t value_ = 0;
};

// The button at the field's value is checked.
class TZqDBRadioGroup : public TZqDBGroup {
 public:
  // -1 when the value names no button.
  int ItemIndex() const { return item_index_; }
  void SetFieldData() override;
  void FieldRefresh() override;

 protected:
  bool Toggle(int i) override;

 private:
  int item_index_ = -1;
};

}  // namespace hx
