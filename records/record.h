// Records: fields in declaration order bound to one linked object at a time. A record links
// objects without owning them, checks and refreshes its fields' controls, compares two
// objects by a field for sorting, and stores its fields in object streams and settings.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/field.h"

namespace hx {

class ISettingsStore;
class TObjectStream;
class TCustomZqDBRecord;

// A view that shows a record (a table, a group of records); told when the record goes.
class IRecordView {
 public:
  virtual void RecordDestroyed(TCustomZqDBRecord& record) = 0;

 protected:
  ~IRecordView() = default;
};

// The locale's case-sensitive text comparison used for sorting (<0, 0, >0). The platform
// installs the system's; the default compares code points.
using TextCompareFunction = int (*)(std::string_view a, std::string_view b);
void SetLocaleTextCompare(TextCompareFunction compare);
int LocaleCompareText(std::string_view a, std::string_view b);

class TCustomZqDBRecord {
 public:
  TCustomZqDBRecord() = default;
  // Detaches its fields and tells its views.
  virtual ~TCustomZqDBRecord();
  TCustomZqDBRecord(const TCustomZqDBRecord&) = delete;
  TCustomZqDBRecord& operator=(const TCustomZqDBRecord&) = delete;

  std::string Name;  // R_...

  // Adds a field (not owned) at the end. A field of the same name (ignoring case) already in
  // the record shows message 10067 and the field is not added; a field of another record
  // leaves that one first.
  bool AddField(TZqField& field);
  // Makes a field owned by the record and adds it (see AddField).
  template <class F>
  F& NewField(std::string name);
  void RemoveField(TZqField& field);

  // The fields every record operation works on, in declaration order.
  virtual std::vector<TZqField*> AllFields() const { return fields_; }
  int FieldCount() const { return static_cast<int>(AllFields().size()); }
  // The field at index, or nullptr.
  TZqField* Field(int index) const;
  TZqField* FindField(std::string_view name) const;

  PublishedObject* LinkedObject() const { return object_; }
  // Links object when it differs from the linked one, tells OnLinkObject and, when an object
  // is now linked, refreshes every field's controls.
  virtual void LinkObject(PublishedObject* object, int kind = 0);
  // Sets the object and tells OnLinkObject without refreshing.
  virtual void RelinkSilently(PublishedObject* object, int kind = 0);

  // Orders a and b by field index (-1, 0, 1): kinds 2-5 and 7-10 as reals, others by text
  // (by length first when the field asks for it). The linked object is restored afterwards.
  int CompareObjects(PublishedObject* a, PublishedObject* b, int field_index);

  // Every bound control except caption labels checks its text; false at the first failure.
  bool CheckAll(bool show_error);
  void RefreshAll();
  // Sets every field except calculated ones read-only (or editable).
  void SetReadOnly(bool read_only);
  // Every formula-enabled numeric field evaluates its formula again.
  void ApplyFormulas();

  // int32 count, then for each field with StoreEnabled its name and value record.
  void WriteToStream(TObjectStream& s) const;
  // Reads what WriteToStream wrote. Names are matched first with the stored field at the same
  // position, else by name ignoring case; unknown names and fields that are not stored have
  // their value read and dropped. A count larger than the data raises -8, an unknown kind
  // byte -6.
  void ReadFromStream(TObjectStream& s);

  // The record's key: section + "\" + Name, or Name for a blank section.
  std::string SettingsKey(std::string_view section) const;
  // Each stored field under SettingsKey + "\" + field name.
  void WriteSettings(std::string_view section, int selector) const;
  void ReadSettings(std::string_view section, int selector);
  void WriteSettings(std::string_view section, ISettingsStore& store) const;
  void ReadSettings(std::string_view section, ISettingsStore& store);

  void AddView(IRecordView& view);
  void RemoveView(IRecordView& view);

 protected:
  // Called after the object changed (OnLinkObject in TZqDBRecord).
  virtual void ObjectLinked(int kind) {}

 private:
  friend class TZqField;
  void Detach(TZqField& field);

  std::vector<TZqField*> fields_;
  std::vector<std::unique_ptr<TZqField>> owned_;
  std::vector<IRecordView*> views_;
  PublishedObject* object_ = nullptr;
};

class TZqDBRecord : public TCustomZqDBRecord {
 public:
  using LinkObjectEvent = std::function<void(TZqDBRecord& record, int kind)>;
  LinkObjectEvent OnLinkObject;

 protected:
  void ObjectLinked(int kind) override {
    if (OnLinkObject) OnLinkObject(*this, kind);
  }
};

// A record whose fields are gathered from several records; linking links each of them.
class TZqDBRecordsGroup : public TCustomZqDBRecord, private IRecordView {
 public:
  ~TZqDBRecordsGroup() override;
  void AddRecord(TCustomZqDBRecord& record);
  void RemoveRecord(TCustomZqDBRecord& record);
  const std::vector<TCustomZqDBRecord*>& Records() const { return records_; }

  std::vector<TZqField*> AllFields() const override;
  void LinkObject(PublishedObject* object, int kind = 0) override;
  void RelinkSilently(PublishedObject* object, int kind = 0) override;

 private:
  void RecordDestroyed(TCustomZqDBRecord& record) override;
  std::vector<TCustomZqDBRecord*> records_;
};

template <class F>
F& TCustomZqDBRecord::NewField(std::string name) {
  auto field = std::make_unique<F>();
  field->Name = std::move(name);
  F& ref = *field;
  owned_.push_back(std::move(field));
  AddField(ref);
  return ref;
}

}  // namespace hx
