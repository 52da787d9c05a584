// Symbols kept in lists: a plain symbol, and the member of a series, which links the catalog
// item of its symbol.
#pragma once

#include <string>
#include <string_view>

#include "objects/streamable.h"

namespace hx {

class TCatItem;

class TSymbol : public TLinesItem {
  HX_STREAMABLE(TSymbol, 356)

 public:
  const std::string& Symbol() const { return symbol_; }
  // Trimmed.
  virtual void SetSymbol(std::string_view text);
  bool IsEmpty() const override { return symbol_.empty(); }

  // The symbol as a string in both variants.
  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

 protected:
  void KeepSymbol(std::string text) { symbol_ = std::move(text); }

 private:
  std::string symbol_;
};

// A member of a series: setting its symbol links the item of that symbol in the series'
// catalog. The owning series and the linked item are not owned.
class TSeriesItem : public TSymbol {
  HX_STREAMABLE(TSeriesItem, 304)

 public:
  TCatItem* Series() const { return series_; }
  // Links the member's item again in the new series' catalog.
  void SetSeries(TCatItem* series);
  TCatItem* Item() const { return item_; }
  void SetSymbol(std::string_view text) override;

  // "%P", the symbol padded to 6 characters and a blank.
  void GetLine(int index, int options, std::string& text) const override;

 private:
  void Relink();

  TCatItem* series_ = nullptr;
  TCatItem* item_ = nullptr;
};

}  // namespace hx
