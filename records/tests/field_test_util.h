// Objects with published properties and a bound control that records what its field asks of
// it, shared by the field and record tests.
#pragma once

#include <string>
#include <string_view>

#include "base/constants.h"
#include "records/field.h"
#include "records/published.h"

namespace hx::test {

class TTestItem : public PublishedObject {
  HX_PUBLISHED()

 public:
  const std::string& Symbol() const { return symbol_; }
  void SetSymbol(std::string_view s) {
    symbol_ = std::string(s);
    ++writes;
  }
  double Length() const { return length_; }
  void SetLength(double v) {
    length_ = v;
    ++writes;
  }
  std::string for_length;
  int32_t count = NoInt;
  uint16_t dn = 65535;
  uint8_t typ = 255;
  bool active = false;
  int8_t state = -1;
  int writes = 0;

 private:
  std::string symbol_;
  double length_ = NoFloat;
};

inline HX_PROPERTIES(TTestItem, PublishedObject,
                     Property("Symbol", &TTestItem::Symbol, &TTestItem::SetSymbol),
                     Property("Length", &TTestItem::Length, &TTestItem::SetLength),
                     Property("ForLength", &TTestItem::for_length),
                     Property("Count", &TTestItem::count), Property("Dn", &TTestItem::dn),
                     Property("Typ", &TTestItem::typ), Property("Active", &TTestItem::active),
                     Property("State", &TTestItem::state))

    class TRecordingControl : public IFieldControl {
 public:
  explicit TRecordingControl(TZqField& field, bool caption_label = false)
      : field_(&field), caption_label_(caption_label) {
    field.AddControl(*this);
  }
  ~TRecordingControl() {
    if (field_) field_->RemoveControl(*this);
  }
  void FieldRefresh() override {
    ++refreshes;
    shown = field_->DisplayText();
  }
  void FieldUpdate() override { ++updates; }
  bool FieldCheck(bool show_error) override {
    ++checks;
    return field_->CheckText(text, show_error) == 0;
  }
  bool IsCaptionLabel() const override { return caption_label_; }
  void FieldDestroyed(TZqField&) override { field_ = nullptr; }

  TZqField* Field() const { return field_; }

  std::string text;  // what the user typed
  std::string shown;
  int refreshes = 0;
  int updates = 0;
  int checks = 0;

 private:
  TZqField* field_;
  bool caption_label_;
};

}  // namespace hx::test
