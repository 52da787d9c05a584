// The two concrete items every catalog may hold: the replacement item (an invisible entry that
// carries a number) and the material item, which adds a pipe symbol to its symbol text and may
// stand for another item.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogs/cat_item.h"

namespace hx {

class TCatReplaceItem : public TSDPCatItem {
  HX_STREAMABLE(TCatReplaceItem, 387)

 public:
  int32_t Value() const { return value_; }
  void SetValue(int32_t value) { value_ = value; }
  void ShowInfo(TOwnerWindow owner) override {}

  // The variant-0 record then int32 value; the item is made invisible on reading.
  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;

 private:
  int32_t value_ = 0;
};

// The symbol text of a material item holds the symbol, optionally a TAB and the display
// symbol, optionally a "|" and the pipe symbol. Linked to another item, it shows that item's
// symbol, display symbol, description, producer and pipe symbol.
class TMatCatItem : public TSDPCatItem {
  HX_STREAMABLE(TMatCatItem, 338)
  HX_PUBLISHED()

 public:
  std::string Symbol() const override;
  std::string DisplaySymbol() const override;
  std::string Description() const override;
  std::string Producer() const override;
  std::string PipeSymbol() const override;
  void SetPipeSymbol(std::string_view text);

  // The linked item (not owned), or none.
  TCatItem* Link() const { return link_; }
  void SetLink(TCatItem* item) { link_ = item; }

  // The link is ignored for the write: the item's own values are stored.
  void ReadSymbolText(TObjectStream& s) override;
  void WriteSymbolText(TObjectStream& s) const override;

 private:
  std::string pipe_symbol_;
  TCatItem* link_ = nullptr;
};

// Splits a material symbol text: the TAB separates the display symbol, and a "|" in the symbol
// (or, when the symbol has none, in the display symbol) the pipe symbol.
void SplitMaterialSymbolText(std::string_view text, std::string& symbol, std::string& display,
                             std::string& pipe);

}  // namespace hx
