#include "records/field.h"

#include <algorithm>

#include "base/msg_format.h"
#include "base/settings_store.h"
#include "base/text.h"
#include "objects/object_stream.h"
#include "records/lookup.h"
#include "records/messages.h"
#include "records/record.h"

namespace hx {
namespace {

size_t CodePoints(std::string_view text) {
  size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// The properties inheritance copies by name, so that a source of another class gives what it
// has of them.
struct NamedOption {
  uint64_t flag;
  const char* name;
};
constexpr NamedOption kNamedOptions[] = {
    {io_ValueProperty, "ValueProperty"},
    {io_FormulaProperty, "FormulaProperty"},
    {io_FormulaEnabled, "FormulaEnabled"},
    {io_MultyLine, "MultyLine"},
};
constexpr NamedOption kNamedNumOptions[] = {
    {io_DisplayScale, "DisplayScale"}, {io_Increment, "Increment"}, {io_MaxValue, "MaxValue"},
    {io_MinValue, "MinValue"},         {io_NumFp, "NumFp"},
};

void CopyByName(const PublishedObject& from, PublishedObject& to, const char* name) {
  const PropertyInfo* target = to.Properties().Find(name);
  if (!target || !target->set) return;
  if (const auto value = GetPropValue(from, name)) SetPropValue(to, name, *value);
}

}  // namespace

// ---- TZqField0

void TZqField0::AddControl(IFieldControl& control) {
  if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) {
    controls_.push_back(&control);
  }
}

void TZqField0::RemoveControl(IFieldControl& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

// ---- TCustomZqField

void TCustomZqField::SetTabCaption(std::string_view caption) {
  // Kept only when it differs from the caption.
  tab_caption_ = caption == Caption ? std::string() : std::string(caption);
}

void TCustomZqField::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  UpdateControls();
}

void TCustomZqField::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  UpdateControls();
}

void TCustomZqField::SetReadOnly(bool read_only) {
  if (read_only_ == read_only) return;
  read_only_ = read_only;
  UpdateControls();
}

void TCustomZqField::SetCat(const ICatalogLookup* cat) {
  cat_ = cat;
  UpdateControls();
}

void TCustomZqField::SetLookUp(TCustomLookUp* lookup) {
  lookup_ = lookup;
  UpdateControls();
}

void TCustomZqField::SetSourceField(TZqField* source) {
  source_ = source == this ? nullptr : source;
  if (source_) InheritFromSource();
}

void TCustomZqField::Loaded() {
  if (source_) InheritFromSource();
}

void TCustomZqField::InheritFromSource() {
  const TCustomZqField* s = source_;
  if (!s) return;
  const TInherOptions o = InherOptions;
  if (o & io_Alignment) Alignment = s->Alignment;
  if (o & io_BackGroundColor) BackGroundColor = s->BackGroundColor;
  if (o & io_BtnStyle) BtnStyle = s->BtnStyle;
  if (o & io_Caption) Caption = s->Caption;
  if (o & io_CharCase) CharCase = s->CharCase;
  if (o & io_Cat) cat_ = s->cat_;
  if (o & io_DisplayLength) DisplayLength = s->DisplayLength;
  if (o & io_DisplayStyle) DisplayStyle = s->DisplayStyle;
  if (o & io_Enabled) enabled_ = s->enabled_;
  if (o & io_ErrorColor) ErrorColor = s->ErrorColor;
  if (o & io_ErrorMsg) ErrorMsg = s->ErrorMsg;
  if (o & io_FontColor) FontColor = s->FontColor;
  if (o & io_HelpContext) HelpContext = s->HelpContext;
  if (o & io_Hint) Hint = s->Hint;
  if (o & io_LookUp) lookup_ = s->lookup_;
  if (o & io_LookUpReturnStr) LookUpReturnStr = s->LookUpReturnStr;
  if (o & io_MaxLength) MaxLength = s->MaxLength;
  if (o & io_Required) Required = s->Required;
  if (o & io_SampleText) SampleText = s->SampleText;
  if (o & io_SetTextMode) SetTextMode = s->SetTextMode;
  if (o & io_StoreEnabled) StoreEnabled = s->StoreEnabled;
  if (o & io_TabCaption) tab_caption_ = s->tab_caption_;
  if (o & io_TabDisplayLength) TabDisplayLength = s->TabDisplayLength;
  if (o & io_TabEditStretch) TabEditStretch = s->TabEditStretch;
  if (o & io_Units) Units = s->Units;
  if (o & io_Visible) visible_ = s->visible_;
  for (const NamedOption& n : kNamedOptions) {
    if (o & n.flag) CopyByName(*s, *this, n.name);
  }
  for (const NamedOption& n : kNamedNumOptions) {
    if (InherNumOptions & n.flag) CopyByName(*s, *this, n.name);
  }
  const TInherEventOptions e = InherEventOptions;
  if (e & io_OnChange) OnChange = s->OnChange;
  if (e & io_OnCheckText) OnCheckText = s->OnCheckText;
  if (e & io_OnGetGlyph) OnGetGlyph = s->OnGetGlyph;
  if (e & io_OnGetTabCellStyle) OnGetTabCellStyle = s->OnGetTabCellStyle;
  if (e & io_OnGetText) OnGetText = s->OnGetText;
  if (e & io_OnHelp) OnHelp = s->OnHelp;
  if (e & io_OnPullDown) OnPullDown = s->OnPullDown;
  if (e & io_OnSetText) OnSetText = s->OnSetText;
  UpdateControls();
  RefreshControls();
}

void TCustomZqField::RefreshControls() {
  const std::vector<IFieldControl*> controls = Controls();
  for (IFieldControl* c : controls) c->FieldRefresh();
}

void TCustomZqField::UpdateControls() {
  const std::vector<IFieldControl*> controls = Controls();
  for (IFieldControl* c : controls) c->FieldUpdate();
}

void TCustomZqField::Changed() {
  if (OnChange) OnChange(static_cast<TZqField&>(*this));
}

PublishedObject* TCustomZqField::LinkedObject() const {
  return Record() ? Record()->LinkedObject() : nullptr;
}

std::optional<PropValue> TCustomZqField::ReadProperty(std::string_view property,
                                                      PropKind kind) const {
  const PublishedObject* object = LinkedObject();
  if (!object) return std::nullopt;
  const PropertyInfo* p = object->Properties().Find(property);
  if (!p) return std::nullopt;
  PropValue converted;
  if (!ConvertPropValue(p->get(*object), kind, converted)) {
    ShowWrongProperty(property);
    return std::nullopt;
  }
  return converted;
}

bool TCustomZqField::WriteProperty(std::string_view property, const PropValue& value) {
  PublishedObject* object = LinkedObject();
  if (!object) return false;
  if (!SetPropValue(*object, property, value)) {
    ShowWrongProperty(property);
    return false;
  }
  return true;
}

void TCustomZqField::ShowWrongProperty(std::string_view property) const {
  ShowErrorText(FormatMsg("Field \"%S\" has wrong property name \"%S\".", {Name, property}));
}

// ---- TZqField

HX_PROPERTIES(TZqField, PublishedObject, Property("Caption", &TZqField::Caption),
              Property("Hint", &TZqField::Hint), Property("Units", &TZqField::Units),
              Property("Enabled", &TZqField::Enabled, &TZqField::SetEnabled),
              Property("Visible", &TZqField::Visible, &TZqField::SetVisible),
              Property("ReadOnly", &TZqField::ReadOnly, &TZqField::SetReadOnly),
              Property("Required", &TZqField::Required),
              Property("MaxLength", &TZqField::MaxLength),
              Property("DisplayLength", &TZqField::DisplayLength),
              Property("MultyLine", &TZqField::MultyLine),
              Property("StoreEnabled", &TZqField::StoreEnabled),
              Property("HelpContext", &TZqField::HelpContext),
              Property("ErrorMsg", &TZqField::ErrorMsg),
              Property("SampleText", &TZqField::SampleText))

TZqField::~TZqField() {
  if (Record()) Record()->Detach(*this);
  const std::vector<IFieldControl*> controls = Controls();
  for (IFieldControl* c : controls) {
    RemoveControl(*c);
    c->FieldDestroyed(*this);
  }
}

std::string TZqField::GetText(bool display) const {
  std::string text = ValueText();
  if (display) text = Pad(std::move(text));
  if (OnGetText) OnGetText(const_cast<TZqField&>(*this), text, display);
  return text;
}

void TZqField::SetText(std::string_view text) {
  std::string t(text);
  if (OnSetText) {
    bool handled = false;
    OnSetText(*this, t, handled);
    if (handled) return;
  }
  SetValueText(t);
}

std::string TZqField::Pad(std::string text) const {
  const size_t length = CodePoints(text);
  if (DisplayLength <= 0 || length >= static_cast<size_t>(DisplayLength)) return text;
  const size_t pad = DisplayLength - length;
  switch (Alignment) {
    case taRightJustify:
      return std::string(pad, ' ') + text;
    case taCenter:
      return std::string(pad / 2, ' ') + text + std::string(pad - pad / 2, ' ');
    default:
      return text + std::string(pad, ' ');
  }
}

int TZqField::Reject(int kind, std::string_view text, bool show_error) {
  TCheckResult& r = CheckResult();
  r.kind = kind;
  r.field_kind = CheckKind();
  r.text = Trim(text);
  r.units = Units;
  if (Cat()) r.cat_caption = Cat()->Caption();
  if (kind != ckOutOfRange) CheckBounds(r.min_value, r.max_value);
  if (show_error) r.ShowError();
  return kind;
}

bool TZqField::RunCheckHandler(std::string_view text, bool show_error, int& kind) {
  kind = ckOk;
  if (!OnCheckText) return true;
  CheckTextArgs args;
  args.show_error = show_error;
  args.text = Trim(text);
  CheckResult().Clear();
  OnCheckText(*this, args);
  if (args.result_kind != ckOk) {
    kind = Reject(args.result_kind, args.text, show_error);
    return false;
  }
  return args.cont;
}

int TZqField::CheckText(std::string_view text, bool show_error) {
  int kind;
  RunCheckHandler(text, show_error, kind);
  return kind;
}

void TZqField::ShowWrongType(const char* type_name) const {
  ShowErrorMsg(10066, {type_name});
}

double TZqField::AsFloat() const {
  ShowWrongType("Float");
  return NoFloat;
}
void TZqField::SetAsFloat(double) {
  ShowWrongType("Float");
}
int32_t TZqField::AsInteger() const {
  ShowWrongType("Integer");
  return NoInt;
}
void TZqField::SetAsInteger(int32_t) {
  ShowWrongType("Integer");
}
bool TZqField::AsBoolean() const {
  ShowWrongType("Boolean");
  return false;
}
void TZqField::SetAsBoolean(bool) {
  ShowWrongType("Boolean");
}

TGlyphPtr TZqField::Glyph() const {
  if (OnGetGlyph) {
    TGlyphPtr glyph;
    OnGetGlyph(const_cast<TZqField&>(*this), glyph);
    return glyph;
  }
  if (Cat()) return Cat()->Glyph(UpperCase(Trim(Text())));
  const TCustomLookUpItem* item = LookUpItem();
  return item ? item->Glyph() : nullptr;
}

TCustomLookUpItem* TZqField::LookUpItem() const {
  if (!LookUp()) return nullptr;
  const int index = LookUp()->IndexOfText(Trim(Text()), LookUpReturnStr);
  return LookUp()->Items(index);
}

bool TZqField::ComparesAsReal() const {
  const int k = Kind();
  return (k >= fkSymbol && k <= fkByte) || (k >= fkFloat && k <= fkCalculated);
}

void TZqField::WriteValue(TObjectStream& s) const {
  s.WriteByte(fkString);
  s.WriteStr(Text());
}

void TZqField::ApplyStoredValue(const PropValue& value) {
  PropValue text;
  if (ConvertPropValue(value, PropKind::Text, text)) SetText(std::get<std::string>(text));
}

namespace {

PropValue ReadValueRecord(TObjectStream& s) {
  const uint8_t kind = s.ReadByte();
  switch (kind) {
    case 1:
      return s.ReadStr();
    case 3:
    case 8:
    case 9:
    case 11:
      return static_cast<int64_t>(s.ReadInt32());
    case 4:
      return static_cast<int64_t>(static_cast<uint16_t>(s.ReadInt16()));
    case 5:
      return static_cast<int64_t>(s.ReadByte());
    case 6:
      return s.ReadByte() != 0;
    case 7:
      return s.ReadDouble();
    case 12:
      return static_cast<int64_t>(static_cast<int8_t>(s.ReadByte()));
    default:
      // Reading on would take the following bytes for values and names.
      throw EObjectStream(-6, {static_cast<int>(kind)});
  }
}

}  // namespace

void TZqField::ReadValue(TObjectStream& s) {
  ApplyStoredValue(ReadValueRecord(s));
}

void TZqField::SkipValue(TObjectStream& s) {
  ReadValueRecord(s);
}

void TZqField::WriteSetting(ISettingsStore& store, const std::string& key) const {
  store.WriteText(key, "F", Text());
}

void TZqField::ReadSetting(ISettingsStore& store, const std::string& key) {
  SetText(store.ReadText(key, "F", Text()));
}

}  // namespace hx
