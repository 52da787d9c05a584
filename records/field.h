// Fields: named, typed, validated values with a caption, hint, units, display width and
// colours, grouped in records. This file holds the bases of every field kind: the bound-control
// and catalog interfaces a field talks to, the common properties, the inheritance from a source
// field, the access to the linked object's published properties, and the value records that
// streams and settings carry.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/constants.h"
#include "records/check_result.h"
#include "records/lookup_glyph.h"
#include "records/lookup_types.h"
#include "records/published.h"

namespace hx {

class ISettingsStore;
class TCustomLookUp;
class TCustomLookUpItem;
class TCustomZqDBRecord;
class TObjectStream;
class TZqField;

// A control bound to a field. Bound controls implement it; the field keeps the list of its
// controls and calls them. A control that goes away removes itself (TZqField::RemoveControl);
// a field that goes away calls FieldDestroyed on each control still bound.
class IFieldControl {
 public:
  // Show the field's current value.
  virtual void FieldRefresh() = 0;
  // Take over enabled, visible, read-only state, colours, hint and the like.
  virtual void FieldUpdate() = 0;
  // Check the control's current text; false when it is not accepted.
  virtual bool FieldCheck(bool show_error) = 0;
  // Caption labels show the caption only and are not checked.
  virtual bool IsCaptionLabel() const { return false; }
  virtual void FieldDestroyed(TZqField& field) = 0;

 protected:
  ~IFieldControl() = default;
};

// What a field needs of a catalog: whether a symbol names an item, the catalog's caption and
// the picture of an item. The catalogs implement it.
class ICatalogLookup {
 public:
  virtual bool HasSymbol(std::string_view symbol) const = 0;
  virtual std::string Caption() const = 0;
  virtual TGlyphPtr Glyph(std::string_view symbol) const { return nullptr; }

 protected:
  ~ICatalogLookup() = default;
};

enum TSetTextMode : uint8_t { stmInsert, stmReplace };
enum TBtnStyle : uint8_t {
  btnsNo,
  btnsSpin,
  btnsDots,
  btnsArrowDown,
  btnsArrowUp,
  btnsArrowRight,
  BtnsArrowLeft
};
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter, taNoJustify };
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

// Colour meaning "the control's own colour".
inline constexpr int32_t clDefaultColor = 536870911;
inline constexpr int32_t clErrorRed = 255;

// Inheritance options: which properties (InherOptions), numeric properties (InherNumOptions)
// and event handlers (InherEventOptions) a field copies from its SourceField.
using TInherOptions = uint64_t;
inline constexpr TInherOptions io_Alignment = 1ull << 0;
inline constexpr TInherOptions io_BackGroundColor = 1ull << 1;
inline constexpr TInherOptions io_BtnStyle = 1ull << 2;
inline constexpr TInherOptions io_Caption = 1ull << 3;
inline constexpr TInherOptions io_CharCase = 1ull << 4;
inline constexpr TInherOptions io_Cat = 1ull << 5;
inline constexpr TInherOptions io_DisplayLength = 1ull << 6;
inline constexpr TInherOptions io_DisplayStyle = 1ull << 7;
inline constexpr TInherOptions io_Enabled = 1ull << 8;
inline constexpr TInherOptions io_ErrorColor = 1ull << 9;
inline constexpr TInherOptions io_ErrorMsg = 1ull << 10;
inline constexpr TInherOptions io_FormulaProperty = 1ull << 11;
inline constexpr TInherOptions io_FormulaEnabled = 1ull << 12;
inline constexpr TInherOptions io_FontColor = 1ull << 13;
inline constexpr TInherOptions io_HelpContext = 1ull << 14;
inline constexpr TInherOptions io_Hint = 1ull << 15;
inline constexpr TInherOptions io_MultyLine = 1ull << 16;
inline constexpr TInherOptions io_LookUp = 1ull << 17;
inline constexpr TInherOptions io_LookUpReturnStr = 1ull << 18;
inline constexpr TInherOptions io_MaxLength = 1ull << 19;
inline constexpr TInherOptions io_Required = 1ull << 20;
inline constexpr TInherOptions io_SampleText = 1ull << 21;
inline constexpr TInherOptions io_SetTextMode = 1ull << 22;
inline constexpr TInherOptions io_StoreEnabled = 1ull << 23;
inline constexpr TInherOptions io_TabCaption = 1ull << 24;
inline constexpr TInherOptions io_TabDisplayLength = 1ull << 25;
inline constexpr TInherOptions io_TabEditStretch = 1ull << 26;
inline constexpr TInherOptions io_Units = 1ull << 27;
inline constexpr TInherOptions io_Visible = 1ull << 28;
inline constexpr TInherOptions io_ValueProperty = 1ull << 29;

using TInherNumOptions = uint8_t;
inline constexpr TInherNumOptions io_DisplayScale = 1 << 0;
inline constexpr TInherNumOptions io_Increment = 1 << 1;
inline constexpr TInherNumOptions io_MaxValue = 1 << 2;
inline constexpr TInherNumOptions io_MinValue = 1 << 3;
inline constexpr TInherNumOptions io_NumFp = 1 << 4;

using TInherEventOptions = uint8_t;
inline constexpr TInherEventOptions io_OnChange = 1 << 0;
inline constexpr TInherEventOptions io_OnCheckText = 1 << 1;
inline constexpr TInherEventOptions io_OnGetGlyph = 1 << 2;
inline constexpr TInherEventOptions io_OnGetTabCellStyle = 1 << 3;
inline constexpr TInherEventOptions io_OnGetText = 1 << 4;
inline constexpr TInherEventOptions io_OnHelp = 1 << 5;
inline constexpr TInherEventOptions io_OnPullDown = 1 << 6;
inline constexpr TInherEventOptions io_OnSetText = 1 << 7;

// What OnCheckText gets and may change.
struct CheckTextArgs {
  bool show_error = false;
  bool cont = false;    // set to go on with the field's own check
  int result_kind = 0;  // a check kind; non-zero rejects the text
  std::string text;     // the trimmed text
};

// The style of a table cell that OnGetTabCellStyle may change.
struct TabCellStyle {
  int32_t color = clDefaultColor;
  int32_t font_color = clDefaultColor;
  bool bold = false;
};

// How a field is fed: from a published property of the record's linked object, from a value
// kept in the field, or through events.
enum class FieldVariant : uint8_t { Property, Data, Event };

// The component base: a name, the record the field belongs to and the bound controls.
class TZqField0 : public PublishedObject {
 public:
  TZqField0() = default;
  TZqField0(const TZqField0&) = delete;
  TZqField0& operator=(const TZqField0&) = delete;

  std::string Name;  // PF_...

  TCustomZqDBRecord* Record() const { return record_; }

  void AddControl(IFieldControl& control);
  void RemoveControl(IFieldControl& control);
  const std::vector<IFieldControl*>& Controls() const { return controls_; }

 private:
  friend class TCustomZqDBRecord;
  TCustomZqDBRecord* record_ = nullptr;
  std::vector<IFieldControl*> controls_;
};

// The common properties and operations of every field kind.
class TCustomZqField : public TZqField0 {
 public:
  using NotifyEvent = std::function<void(TZqField& field)>;
  using CheckTextEvent = std::function<void(TZqField& field, CheckTextArgs& args)>;
  // May replace the text shown (display: padded for a control or table cell).
  using GetTextEvent = std::function<void(TZqField& field, std::string& text, bool display)>;
  // May replace the text being set, or take it over entirely by setting handled.
  using SetTextEvent = std::function<void(TZqField& field, std::string& text, bool& handled)>;
  // control is the control asking (a platform handle); handled stops the default behaviour.
  using ControlEvent = std::function<void(TZqField& field, void* control, bool& handled)>;
  using TabCellStyleEvent = std::function<void(TZqField& field, int row, TabCellStyle& style)>;
  using GetGlyphEvent = std::function<void(TZqField& field, TGlyphPtr& glyph)>;

  std::string Caption;
  std::string Hint;  // the part after a "|" is the long hint
  std::string Units;
  bool TabEditStretch = false;
  bool ColumnVisible = true;
  bool Required = true;
  bool Calculated = false;
  bool MultyLine = false;
  TSetTextMode SetTextMode = stmReplace;
  std::string ErrorMsg;
  std::string SampleText;
  int32_t ErrorColor = clErrorRed;
  int32_t BackGroundColor = clDefaultColor;
  int32_t FontColor = clDefaultColor;
  TBtnStyle BtnStyle = btnsNo;
  int32_t HelpContext = 0;
  TAlignment Alignment = taLeftJustify;
  int32_t MaxLength = 0;  // 0: unlimited
  TEditCharCase CharCase = ecNormal;
  int32_t DisplayLength = 0;
  int32_t TabDisplayLength = 0;
  TDisplayStyle DisplayStyle = dsCaption;
  bool StoreEnabled = true;
  TReturnStr LookUpReturnStr = rsCaption;
  // Text fields compare by length first when sorting (CompareObjects).
  bool CompareByLength = false;
  TInherOptions InherOptions = 0;
  TInherNumOptions InherNumOptions = 0;
  TInherEventOptions InherEventOptions = 0;

  NotifyEvent OnChange;
  CheckTextEvent OnCheckText;
  GetTextEvent OnGetText;
  SetTextEvent OnSetText;
  ControlEvent OnPullDown;
  ControlEvent OnHelp;
  TabCellStyleEvent OnGetTabCellStyle;
  GetGlyphEvent OnGetGlyph;

  // The column caption: TabCaption when set, else Caption.
  std::string TabCaption() const { return tab_caption_.empty() ? Caption : tab_caption_; }
  void SetTabCaption(std::string_view caption);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool ReadOnly() const { return read_only_; }
  virtual void SetReadOnly(bool read_only);

  // The catalog whose symbol the text must be, and the look-up the value is chosen from; both
  // are not owned.
  const ICatalogLookup* Cat() const { return cat_; }
  void SetCat(const ICatalogLookup* cat);
  TCustomLookUp* LookUp() const { return lookup_; }
  void SetLookUp(TCustomLookUp* lookup);

  // The source field (not owned). Setting it copies the flagged properties at once.
  TZqField* SourceField() const { return source_; }
  void SetSourceField(TZqField* source);
  // Copies the flagged properties and handlers from the source field.
  void InheritFromSource();
  // Completes loading from a form description: inherits from the source field.
  virtual void Loaded();

  // Every bound control shows the current value / takes over the properties.
  void RefreshControls();
  void UpdateControls();
  // Fires OnChange.
  void Changed();

 protected:
  TCustomZqField() = default;
  // The object of the record the field belongs to, or none.
  PublishedObject* LinkedObject() const;
  // The linked object's property converted to kind. Nothing when no object is linked or it has
  // no such property; a value that cannot be converted shows the wrong-property message.
  std::optional<PropValue> ReadProperty(std::string_view property, PropKind kind) const;
  // Writes the property of the linked object; a missing or read-only property or a value it
  // cannot take shows the wrong-property message and gives false.
  bool WriteProperty(std::string_view property, const PropValue& value);
  void ShowWrongProperty(std::string_view property) const;

 private:
  std::string tab_caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool read_only_ = false;
  const ICatalogLookup* cat_ = nullptr;
  TCustomLookUp* lookup_ = nullptr;
  TZqField* source_ = nullptr;
};

// The value interface every field kind implements.
class TZqField : public TCustomZqField {
  HX_PUBLISHED()

 public:
  // Leaves its record and tells the controls still bound (which must only forget the field).
  ~TZqField() override;

  // The kind code (FieldKind).
  virtual int Kind() const = 0;
  // The kind the check result reports (the symbol kind for a text with a catalog).
  virtual int CheckKind() const { return Kind(); }
  virtual bool IsNull() const = 0;

  // The text of the value; display pads it to DisplayLength by Alignment. OnGetText may change
  // it.
  std::string GetText(bool display) const;
  std::string Text() const { return GetText(false); }
  std::string DisplayText() const { return GetText(true); }
  // Sets the value from a text (OnSetText first).
  void SetText(std::string_view text);

  // Checks a text the user entered; the check kind, 0 when accepted. A failure fills the
  // check result and, with show_error, shows its message.
  virtual int CheckText(std::string_view text, bool show_error);

  // The value in other types, where the kind allows; otherwise message 10066 and the empty
  // value of the type.
  virtual double AsFloat() const;
  virtual void SetAsFloat(double value);
  virtual int32_t AsInteger() const;
  virtual void SetAsInteger(int32_t value);
  std::string AsText() const { return Text(); }
  void SetAsText(std::string_view text) { SetText(text); }
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool value);

  // The picture shown beside the value: from OnGetGlyph, else the catalog's item of the text,
  // else the look-up item the value names (LookUpItem).
  TGlyphPtr Glyph() const;
  // The look-up item that matches the value: here the item the text names by LookUpReturnStr.
  virtual TCustomLookUpItem* LookUpItem() const;

  // Sorting compares these kinds as reals (kinds 2 to 5 and 7 to 10), others by text.
  bool ComparesAsReal() const;

  // The field value record: the kind byte and the value.
  virtual void WriteValue(TObjectStream& s) const;
  // Reads a value record (of any kind) and applies it through the field. An unknown kind byte
  // raises EObjectStream -6.
  void ReadValue(TObjectStream& s);
  // Reads a value record and drops it.
  static void SkipValue(TObjectStream& s);

  // The settings value under key: "V" in its own type for the value kinds, else the text as
  // "F". Reading takes the current value as the default.
  virtual void WriteSetting(ISettingsStore& store, const std::string& key) const;
  virtual void ReadSetting(ISettingsStore& store, const std::string& key);

 protected:
  TZqField() = default;
  // The unpadded text of the value.
  virtual std::string ValueText() const = 0;
  virtual void SetValueText(std::string_view text) = 0;
  // Applies a value read from a stream.
  virtual void ApplyStoredValue(const PropValue& value);
  // Pads text to DisplayLength by Alignment (right alignment pads on the left).
  std::string Pad(std::string text) const;
  // Fills the check result for a failure of kind (keeping what the failing check recorded
  // there: its message, value and range) and shows its message when asked.
  int Reject(int kind, std::string_view text, bool show_error);
  // The range a numeric field reports in the check result, in displayed units.
  virtual void CheckBounds(double& min_value, double& max_value) const {}
  // Runs OnCheckText; returns true when the field's own check is to follow, else sets kind.
  bool RunCheckHandler(std::string_view text, bool show_error, int& kind);
  void ShowWrongType(const char* type_name) const;

  // The value of a field fed by variant: the linked object's property (converted to kind; the
  // empty value without object or property), the field's own data, or OnGetValue.
  template <class T>
  T SourcedValue(FieldVariant variant, std::string_view property, PropKind kind, const T& data,
                 const std::function<void(TZqField&, T&)>& get, const T& empty) const;
  // Stores value by variant; false when nothing was stored (no object linked, or the property
  // refused it). The caller decides about Changed and RefreshControls.
  template <class T>
  bool StoreSourced(FieldVariant variant, std::string_view property, T& data,
                    const std::function<void(TZqField&, const T&)>& set, const T& value);
  // After a stored change: OnChange, then every control shows the new value.
  void ValueChanged() {
    Changed();
    RefreshControls();
  }
};

template <class T>
T TZqField::SourcedValue(FieldVariant variant, std::string_view property, PropKind kind,
                         const T& data, const std::function<void(TZqField&, T&)>& get,
                         const T& empty) const {
  switch (variant) {
    case FieldVariant::Property: {
      const std::optional<PropValue> v = ReadProperty(property, kind);
      return v ? published_detail::Traits<T>::From(*v) : empty;
    }
    case FieldVariant::Data:
      return data;
    default: {
      T v = empty;
      if (get) get(const_cast<TZqField&>(*this), v);
      return v;
    }
  }
}

template <class T>
bool TZqField::StoreSourced(FieldVariant variant, std::string_view property, T& data,
                            const std::function<void(TZqField&, const T&)>& set, const T& value) {
  switch (variant) {
    case FieldVariant::Property:
      return LinkedObject() && WriteProperty(property, published_detail::Traits<T>::To(value));
    case FieldVariant::Data:
      data = value;
      return true;
    default:
      if (set) set(*this, value);
      return true;
  }
}

}  // namespace hx
