#include "records/record.h"

#include <algorithm>

#include "base/settings_store.h"
#include "base/text.h"
#include "objects/object_stream.h"
#include "records/field_numeric.h"
#include "records/messages.h"

namespace hx {
namespace {

int CodePointCompare(std::string_view a, std::string_view b) {
  const int c = a.compare(b);  // UTF-8 byte order is code point order
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

TextCompareFunction g_text_compare = &CodePointCompare;

size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

template <class T>
int Sign(T a, T b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

void SetLocaleTextCompare(TextCompareFunction compare) {
  g_text_compare = compare ? compare : &CodePointCompare;
}

int LocaleCompareText(std::string_view a, std::string_view b) {
  return g_text_compare(a, b);
}

// ---- TCustomZqDBRecord

TCustomZqDBRecord::~TCustomZqDBRecord() {
  for (TZqField* f : fields_) f->record_ = nullptr;
  fields_.clear();
  const std::vector<IRecordView*> views = std::move(views_);
  for (IRecordView* v : views) v->RecordDestroyed(*this);
}

bool TCustomZqDBRecord::AddField(TZqField& field) {
  if (field.record_ == this) return true;
  if (FindField(field.Name)) {
    ShowErrorMsg(10067, {field.Name});
    return false;
  }
  if (field.record_) field.record_->Detach(field);
  fields_.push_back(&field);
  field.record_ = this;
  return true;
}

void TCustomZqDBRecord::RemoveField(TZqField& field) {
  if (field.record_ == this) Detach(field);
}

void TCustomZqDBRecord::Detach(TZqField& field) {
  fields_.erase(std::remove(fields_.begin(), fields_.end(), &field), fields_.end());
  field.record_ = nullptr;
}

TZqField* TCustomZqDBRecord::Field(int index) const {
  const std::vector<TZqField*> fields = AllFields();
  return index >= 0 && index < static_cast<int>(fields.size()) ? fields[index] : nullptr;
}

TZqField* TCustomZqDBRecord::FindField(std::string_view name) const {
  for (TZqField* f : AllFields()) {
    if (SameText(f->Name, name)) return f;
  }
  return nullptr;
}

void TCustomZqDBRecord::LinkObject(PublishedObject* object, int kind) {
  if (object == object_) return;
  object_ = object;
  ObjectLinked(kind);
  if (object_) RefreshAll();
}

void TCustomZqDBRecord::RelinkSilently(PublishedObject* object, int kind) {
  object_ = object;
  ObjectLinked(kind);
}

int TCustomZqDBRecord::CompareObjects(PublishedObject* a, PublishedObject* b, int field_index) {
  TZqField* field = Field(field_index);
  if (!field) return 0;
  PublishedObject* const previous = object_;
  struct Restore {
    TCustomZqDBRecord& record;
    PublishedObject* object;
    ~Restore() { record.RelinkSilently(object); }
  } restore{*this, previous};
  MessagesSilenced quiet;
  if (field->ComparesAsReal()) {
    RelinkSilently(a);
    const double x = field->AsFloat();
    RelinkSilently(b);
    const double y = field->AsFloat();
    return Sign(x, y);
  }
  RelinkSilently(a);
  const std::string x = field->Text();
  RelinkSilently(b);
  const std::string y = field->Text();
  if (field->CompareByLength) {
    const int by_length = Sign(CharCount(x), CharCount(y));
    if (by_length != 0) return by_length;
  }
  return Sign(LocaleCompareText(x, y), 0);
}

bool TCustomZqDBRecord::CheckAll(bool show_error) {
  for (TZqField* f : AllFields()) {
    const std::vector<IFieldControl*> controls = f->Controls();
    for (IFieldControl* c : controls) {
      if (!c->IsCaptionLabel() && !c->FieldCheck(show_error)) return false;
    }
  }
  return true;
}

void TCustomZqDBRecord::RefreshAll() {
  for (TZqField* f : AllFields()) f->RefreshControls();
}

void TCustomZqDBRecord::SetReadOnly(bool read_only) {
  for (TZqField* f : AllFields()) {
    if (f->Kind() != fkCalculated) f->SetReadOnly(read_only);
  }
}

void TCustomZqDBRecord::ApplyFormulas() {
  for (TZqField* f : AllFields()) {
    if (auto* n = dynamic_cast<TZqNumericField*>(f)) n->ApplyFormula();
  }
}

void TCustomZqDBRecord::WriteToStream(TObjectStream& s) const {
  std::vector<TZqField*> stored;
  for (TZqField* f : AllFields()) {
    if (f->StoreEnabled) stored.push_back(f);
  }
  s.WriteInt32(static_cast<int32_t>(stored.size()));
  for (TZqField* f : stored) {
    s.WriteStr(f->Name);
    f->WriteValue(s);
  }
}

void TCustomZqDBRecord::ReadFromStream(TObjectStream& s) {
  const int32_t n = s.ReadInt32();
  if (n < 0) throw EObjectStream(-8, {n});
  // Each entry takes at least a name length (2 bytes) and a kind byte.
  s.CheckAvailable(n, 3);
  std::vector<TZqField*> stored;
  for (TZqField* f : AllFields()) {
    if (f->StoreEnabled) stored.push_back(f);
  }
  for (int32_t i = 0; i < n; ++i) {
    const std::string name = s.ReadStr();
    TZqField* field = nullptr;
    if (i < static_cast<int32_t>(stored.size()) && SameText(stored[i]->Name, name)) {
      field = stored[i];
    } else {
      field = FindField(name);
    }
    if (field && field->StoreEnabled) {
      field->ReadValue(s);
    } else {
      TZqField::SkipValue(s);
    }
  }
}

std::string TCustomZqDBRecord::SettingsKey(std::string_view section) const {
  return section.empty() ? Name : std::string(section) + "\\" + Name;
}

void TCustomZqDBRecord::WriteSettings(std::string_view section, ISettingsStore& store) const {
  const std::string key = SettingsKey(section);
  for (TZqField* f : AllFields()) {
    if (f->StoreEnabled) f->WriteSetting(store, key + "\\" + f->Name);
  }
}

void TCustomZqDBRecord::ReadSettings(std::string_view section, ISettingsStore& store) {
  const std::string key = SettingsKey(section);
  for (TZqField* f : AllFields()) {
    if (f->StoreEnabled) f->ReadSetting(store, key + "\\" + f->Name);
  }
}

void TCustomZqDBRecord::WriteSettings(std::string_view section, int selector) const {
  WriteSettings(section, Settings(selector));
}

void TCustomZqDBRecord::ReadSettings(std::string_view section, int selector) {
  ReadSettings(section, Settings(selector));
}

void TCustomZqDBRecord::AddView(IRecordView& view) {
  if (std::find(views_.begin(), views_.end(), &view) == views_.end()) views_.push_back(&view);
}

void TCustomZqDBRecord::RemoveView(IRecordView& view) {
  views_.erase(std::remove(views_.begin(), views_.end(), &view), views_.end());
}

// ---- TZqDBRecordsGroup

TZqDBRecordsGroup::~TZqDBRecordsGroup() {
  for (TCustomZqDBRecord* r : records_) r->RemoveView(*this);
}

void TZqDBRecordsGroup::AddRecord(TCustomZqDBRecord& record) {
  if (&record == this || std::find(records_.begin(), records_.end(), &record) != records_.end()) {
    return;
  }
  records_.push_back(&record);
  record.AddView(*this);
}

void TZqDBRecordsGroup::RemoveRecord(TCustomZqDBRecord& record) {
  records_.erase(std::remove(records_.begin(), records_.end(), &record), records_.end());
  record.RemoveView(*this);
}

void TZqDBRecordsGroup::RecordDestroyed(TCustomZqDBRecord& record) {
  records_.erase(std::remove(records_.begin(), records_.end(), &record), records_.end());
}

std::vector<TZqField*> TZqDBRecordsGroup::AllFields() const {
  std::vector<TZqField*> fields = TCustomZqDBRecord::AllFields();
  for (const TCustomZqDBRecord* r : records_) {
    const std::vector<TZqField*> more = r->AllFields();
    fields.insert(fields.end(), more.begin(), more.end());
  }
  return fields;
}

void TZqDBRecordsGroup::LinkObject(PublishedObject* object, int kind) {
  for (TCustomZqDBRecord* r : records_) r->LinkObject(object, kind);
  TCustomZqDBRecord::LinkObject(object, kind);
}

void TZqDBRecordsGroup::RelinkSilently(PublishedObject* object, int kind) {
  for (TCustomZqDBRecord* r : records_) r->RelinkSilently(object, kind);
  TCustomZqDBRecord::RelinkSilently(object, kind);
}

}  // namespace hx
