#include "records/record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "objects/object_stream.h"
#include "records/field_boolean.h"
#include "records/field_numeric.h"
#include "records/field_string.h"
#include "records/messages.h"
#include "records/tests/field_test_util.h"

namespace hx {
namespace {

using test::TRecordingControl;
using test::TTestItem;

// Bytes of the documented layout, made by hand so that reader and writer are not checked
// against each other.
class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    b_.push_back(v);
    return *this;
  }
  Bytes& I16(int16_t v) { return Le(static_cast<uint16_t>(v), 2); }
  Bytes& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  Bytes& F64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    return Le(u, 8);
  }
  // A string: 16-bit length and code page 1251 bytes (given here as they are).
  Bytes& Str(const std::string& cp1251) {
    I16(static_cast<int16_t>(cp1251.size()));
    for (const char c : cp1251) U8(static_cast<uint8_t>(c));
    return *this;
  }
  const std::vector<uint8_t>& Data() const { return b_; }

 private:
  Bytes& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  std::vector<uint8_t> b_;
};

TObjectStream StreamOf(const Bytes& bytes) {
  return TObjectStream(std::make_unique<TMemoryStream>(bytes.Data()));
}

// A record with a data field of every kind.
struct AllKinds {
  AllKinds() {
    record.Name = "R_Calc";
    name.SetValue("Жb");
    len.SetValue(2.5);
    count.SetValue(-2);
    dn.SetValue(65534);
    typ.SetValue(7);
    on.SetValue(true);
    formula.SetFormulaEnabled(true);
    formula.SetText("2*3");
    hidden.SetValue("h");
    hidden.StoreEnabled = false;
    calc.OnCalculate = [](TZqField&, double& v) { v = 4; };
    const std::pair<TZqField*, const char*> fields[] = {
        {&name, "PF_Name"},     {&len, "PF_Len"},  {&count, "PF_Count"}, {&dn, "PF_Dn"},
        {&typ, "PF_Typ"},       {&on, "PF_On"},    {&ext, "PF_Ext"},     {&formula, "PF_For"},
        {&hidden, "PF_Hidden"}, {&calc, "PF_Calc"}};
    for (auto [f, n] : fields) {
      f->Name = n;
      record.AddField(*f);
    }
  }
  TZqDBRecord record;
  TDataStringField name;
  TDataFloatField len;
  TDataIntegerField count;
  TCustomWordField dn;
  TDataByteField typ;
  TDataBooleanField on;
  TCustomBooleanExtField ext;
  TDataFloatField formula;
  TDataStringField hidden;
  TCalculatedField calc;
};

TEST(RecordStream, GoldenBytes) {
  AllKinds r;
  TObjectStream s;
  r.record.WriteToStream(s);
  Bytes expected;
  // clang-format off
  expected.I32(9)
      .Str("PF_Name").U8(1).Str("\xC6" "b")
      .Str("PF_Len").U8(7).F64(2.5)
      .Str("PF_Count").U8(3).I32(-2)
      .Str("PF_Dn").U8(4).I16(-2)
      .Str("PF_Typ").U8(5).U8(7)
      .Str("PF_On").U8(6).U8(1)
      .Str("PF_Ext").U8(12).U8(0xFF)
      .Str("PF_For").U8(1).Str("2*3")
      .Str("PF_Calc").U8(7).F64(4);
  // clang-format on
  EXPECT_EQ(s.MemoryData(), expected.Data());

  // Read back into a record of empty fields.
  AllKinds back;
  back.name.SetValue("");
  back.len.SetValue(NoFloat);
  back.formula.SetText("");
  back.ext.SetState(1);
  s.SetPosition(0);
  back.record.ReadFromStream(s);
  EXPECT_EQ(back.name.Value(), "Жb");
  EXPECT_EQ(back.len.Value(), 2.5);
  EXPECT_EQ(back.count.Value(), -2);
  EXPECT_EQ(back.dn.Value(), 65534);
  EXPECT_EQ(back.typ.Value(), 7);
  EXPECT_TRUE(back.on.Value());
  EXPECT_EQ(back.ext.State(), -1);
  EXPECT_EQ(back.formula.Formula(), "2*3");
  EXPECT_EQ(back.formula.Value(), 6);
  EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST(RecordStream, ToleratesUnknownNamesAndOtherKinds) {
  AllKinds r;
  Bytes bytes;
  // clang-format off
  bytes.I32(5)
      .Str("PF_Unknown").U8(3).I32(5)
      .Str("pf_count").U8(3).I32(42)       // case is ignored
      .Str("PF_Hidden").U8(1).Str("x")     // not stored: read and dropped
      .Str("PF_Len").U8(1).Str("3,5")      // another kind: applied as text
      .Str("PF_Typ").U8(8).I32(9);         // kind 8 reads as int32
  // clang-format on
  TObjectStream s = StreamOf(bytes);
  r.record.ReadFromStream(s);
  EXPECT_EQ(r.count.Value(), 42);
  EXPECT_EQ(r.hidden.Value(), "h");
  EXPECT_EQ(r.len.Value(), 3.5);
  EXPECT_EQ(r.typ.Value(), 9);
  EXPECT_EQ(r.name.Value(), "Жb");
  EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST(RecordStream, BadInputRaises) {
  const auto code = [](const Bytes& bytes) {
    AllKinds r;
    TObjectStream s = StreamOf(bytes);
    try {
      r.record.ReadFromStream(s);
    } catch (const EObjectStream& e) {
      return e.Code();
    }
    return 0;
  };
  // An unknown kind byte must not be read on as if it had no value.
  EXPECT_EQ(code(Bytes().I32(2).Str("PF_Len").U8(13).Str("PF_Count").U8(3).I32(1)), -6);
  EXPECT_EQ(code(Bytes().I32(1).Str("PF_Unknown").U8(2).I32(1)), -6);
  EXPECT_EQ(code(Bytes().I32(1000000).Str("PF_Len").U8(7).F64(1)), -8);
  EXPECT_EQ(code(Bytes().I32(-1)), -8);
  EXPECT_EQ(code(Bytes().I32(2).Str("PF_Len").U8(7).F64(1).Str("PF_Count").U8(3).I16(1)), -3);
}

TEST(RecordStream, PropertyFieldsWriteTheLinkedObject) {
  TZqDBRecord record;
  TPropertyFloatField len;
  len.Name = "PF_Length";
  len.SetValueProperty("Length");
  record.AddField(len);
  TTestItem item;
  record.LinkObject(&item);
  TObjectStream s = StreamOf(Bytes().I32(1).Str("PF_Length").U8(7).F64(1.5));
  record.ReadFromStream(s);
  EXPECT_EQ(item.Length(), 1.5);
}

TEST(RecordSettings, ExactKeysAndRoundTrip) {
  AllKinds r;
  TMemorySettings store;
  r.record.WriteSettings("Calc\\Dlg", store);
  std::vector<std::string> keys;
  for (const auto& [key, value] : store.Values()) keys.push_back(key);
  const std::vector<std::string> expected = {
      "CALC\\DLG\\R_CALC\\PF_CALC\\F", "CALC\\DLG\\R_CALC\\PF_COUNT\\V",
      "CALC\\DLG\\R_CALC\\PF_DN\\V",   "CALC\\DLG\\R_CALC\\PF_EXT\\F",
      "CALC\\DLG\\R_CALC\\PF_FOR\\V",  "CALC\\DLG\\R_CALC\\PF_LEN\\V",
      "CALC\\DLG\\R_CALC\\PF_NAME\\F", "CALC\\DLG\\R_CALC\\PF_ON\\V",
      "CALC\\DLG\\R_CALC\\PF_TYP\\V"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(store.ReadText("Calc\\Dlg\\R_Calc\\PF_Name", "F", ""), "Жb");
  EXPECT_EQ(store.ReadFloat("Calc\\Dlg\\R_Calc\\PF_Len", "V", 0), 2.5);
  EXPECT_EQ(store.ReadInt("Calc\\Dlg\\R_Calc\\PF_Dn", "V", 0), 65534);
  EXPECT_EQ(store.ReadBool("Calc\\Dlg\\R_Calc\\PF_On", "V", false), true);
  EXPECT_EQ(store.ReadText("Calc\\Dlg\\R_Calc\\PF_Ext", "F", "x"), "");
  // The value types are the fields' own.
  EXPECT_TRUE(std::holds_alternative<int64_t>(store.Values().at("CALC\\DLG\\R_CALC\\PF_TYP\\V")));
  EXPECT_TRUE(std::holds_alternative<double>(store.Values().at("CALC\\DLG\\R_CALC\\PF_LEN\\V")));

  AllKinds back;
  back.name.SetValue("");
  back.count.SetValue(0);
  back.on.SetValue(false);
  back.ext.SetState(1);
  back.record.ReadSettings("Calc\\Dlg", store);
  EXPECT_EQ(back.name.Value(), "Жb");
  EXPECT_EQ(back.count.Value(), -2);
  EXPECT_TRUE(back.on.Value());
  EXPECT_EQ(back.ext.State(), -1);
  // Missing values keep the current ones.
  back.record.ReadSettings("Other", store);
  EXPECT_EQ(back.count.Value(), -2);

  // A blank section: the record name alone; the selector picks the settings object.
  r.record.WriteSettings("", ssUser);
  EXPECT_EQ(Settings(ssUser).ReadFloat("R_Calc\\PF_Len", "V", 0), 2.5);
  Settings(ssUser).DeleteSection("R_Calc");
}

TEST(Record, LinkCompareAndCheck) {
  MessageRecorder messages;
  TZqDBRecord record;
  int links = 0;
  record.OnLinkObject = [&](TZqDBRecord&, int kind) { links += 1 + kind * 10; };
  TPropertyFloatField len;
  len.Name = "PF_Length";
  len.SetValueProperty("Length");
  TPropertyStringField symbol;
  symbol.Name = "PF_Symbol";
  symbol.SetValueProperty("Symbol");
  record.AddField(len);
  record.AddField(symbol);
  TPropertyStringField duplicate;
  duplicate.Name = "pf_length";
  EXPECT_FALSE(record.AddField(duplicate));
  EXPECT_EQ(messages.LastText(), "Поле 'pf_length' уже присоединено.");
  EXPECT_EQ(record.FieldCount(), 2);

  TTestItem a, b, c;
  a.SetLength(1);
  b.SetLength(2);
  a.SetSymbol("b");
  b.SetSymbol("a");
  TRecordingControl control(len);
  record.LinkObject(&c, 1);
  EXPECT_EQ(links, 11);
  EXPECT_EQ(control.refreshes, 1);
  EXPECT_EQ(record.CompareObjects(&a, &b, 0), -1);
  EXPECT_EQ(record.CompareObjects(&b, &a, 0), 1);
  EXPECT_EQ(record.CompareObjects(&a, &b, 1), 1);
  a.SetSymbol("bb");
  symbol.CompareByLength = true;
  EXPECT_EQ(record.CompareObjects(&a, &b, 1), 1);
  b.SetSymbol("ccc");
  EXPECT_EQ(record.CompareObjects(&a, &b, 1), -1);
  EXPECT_EQ(record.CompareObjects(&a, &a, 5), 0);
  EXPECT_EQ(record.LinkedObject(), &c);  // restored, without refreshing the controls
  EXPECT_EQ(control.refreshes, 1);

  // CheckAll stops at the first control that fails; caption labels are not checked.
  len.MinValue = 0;
  len.MaxValue = 10;
  TRecordingControl label(len, true);
  label.text = "abc";
  TRecordingControl bad(symbol);
  TRecordingControl later(symbol);
  control.text = "5";
  EXPECT_TRUE(record.CheckAll(true));
  control.text = "50";
  messages.Clear();
  EXPECT_FALSE(record.CheckAll(true));
  EXPECT_EQ(label.checks, 0);
  EXPECT_EQ(bad.checks, 1);
  EXPECT_EQ(later.checks, 1);
  EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST(Record, ReadOnlyFormulasAndGroups) {
  AllKinds r;
  r.record.SetReadOnly(true);
  EXPECT_TRUE(r.len.ReadOnly());
  EXPECT_FALSE(r.calc.ReadOnly());
  {
    TZqDBRecordsGroup group;
    TZqDBRecord other;
    TDataStringField extra;
    extra.Name = "PF_Extra";
    other.AddField(extra);
    group.AddRecord(r.record);
    group.AddRecord(other);
    EXPECT_EQ(group.FieldCount(), 11);
    EXPECT_EQ(group.FindField("pf_extra"), &extra);
    EXPECT_EQ(extra.Record(), &other);
    TTestItem item;
    group.LinkObject(&item);
    EXPECT_EQ(r.record.LinkedObject(), &item);
  }  // the group goes first here; records may also go first
  auto member = std::make_unique<TZqDBRecord>();
  TZqDBRecordsGroup group;
  group.AddRecord(*member);
  member.reset();
  EXPECT_TRUE(group.Records().empty());
}

TEST(Record, FieldsLeaveTheirRecord) {
  TZqDBRecord record;
  auto& owned = record.NewField<TDataFloatField>("PF_Owned");
  EXPECT_EQ(owned.Record(), &record);
  {
    TDataStringField temporary;
    temporary.Name = "PF_Temp";
    record.AddField(temporary);
    EXPECT_EQ(record.FieldCount(), 2);
  }
  EXPECT_EQ(record.FieldCount(), 1);
  auto outlived = std::make_unique<TDataStringField>();
  {
    TZqDBRecord short_lived;
    short_lived.AddField(*outlived);
  }
  EXPECT_EQ(outlived->Record(), nullptr);
}

}  // namespace
}  // namespace hx
