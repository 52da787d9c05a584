// Variable catalogs: catalogs of named numbers with a description each, kept in the order the
// variables were added.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogs/cat.h"
#include "catalogs/cat_item.h"

namespace hx {

class TVarItem : public TSDCatItem {
  HX_STREAMABLE(TVarItem, 329)
  HX_PUBLISHED()

 public:
  const std::string& ValueText() const { return value_text_; }
  // Changes the text only when it differs.
  void SetValueText(std::string_view text);
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }
  // Two flags kept and stored unchanged.
  uint8_t Flag1() const { return flag1_; }
  uint8_t Flag2() const { return flag2_; }
  void SetFlag1(uint8_t v) { flag1_ = v; }
  void SetFlag2(uint8_t v) { flag2_ = v; }

  // Value text, symbol and description are all blank.
  bool IsEmpty() const override;

  // After the base record: the value text (a string in variant 0, a short string in variant
  // 1), the value as an 8-byte float and the two flag bytes.
  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

 private:
  std::string value_text_;
  double value_ = 0;
  uint8_t flag1_ = 0;
  uint8_t flag2_ = 0;
};

// Created with capacity 10 and unsorted: items keep their insertion order.
class TVarCat : public TCat {
 public:
  TVarCat();

  uint8_t MaxSymbolSize = 8;
  double MinValue = 0;
  double MaxValue = 0;
  uint8_t NumFp = 2;
};

}  // namespace hx
