#include "catalogs/cat_symbol.h"

#include "base/text.h"
#include "base/utf8.h"
#include "catalogs/cat.h"
#include "catalogs/cat_item.h"
#include "objects/object_stream.h"

namespace hx {

void TSymbol::SetSymbol(std::string_view text) {
  symbol_ = Trim(text);
}

void TSymbol::Load0(TObjectStream& s) {
  symbol_ = s.ReadStr();
}
void TSymbol::Load1(TObjectStream& s) {
  symbol_ = s.ReadStr();
}
void TSymbol::Store0(TObjectStream& s) const {
  s.WriteStr(symbol_);
}
void TSymbol::Store1(TObjectStream& s) const {
  s.WriteStr(symbol_);
}

void TSeriesItem::SetSeries(TCatItem* series) {
  series_ = series;
  Relink();
}

void TSeriesItem::SetSymbol(std::string_view text) {
  TSymbol::SetSymbol(text);
  Relink();
}

void TSeriesItem::Relink() {
  TCustomCat* cat = series_ ? series_->Cat() : nullptr;
  item_ = cat && !Symbol().empty() ? cat->FindBySymbol(Symbol()) : nullptr;
}

void TSeriesItem::GetLine(int index, int options, std::string& text) const {
  std::string padded = Symbol();
  size_t chars = 0;
  for (size_t pos = 0; pos < padded.size(); ++chars) NextCodePoint(padded, pos);
  if (chars < 6) padded.append(6 - chars, ' ');
  text = "%P" + padded + " ";
}

}  // namespace hx
