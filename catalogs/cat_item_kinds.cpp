#include "catalogs/cat_item_kinds.h"

#include "base/text.h"
#include "objects/object_stream.h"

namespace hx {

void TCatReplaceItem::Load0(TObjectStream& s) {
  TSDPCatItem::Load0(s);
  value_ = s.ReadInt32();
  SetVisible(false);
}

void TCatReplaceItem::Store0(TObjectStream& s) const {
  TSDPCatItem::Store0(s);
  s.WriteInt32(value_);
}

// ---- TMatCatItem

HX_PROPERTIES(TMatCatItem, TCatItem,
              Property("PipeSymbol", &TMatCatItem::PipeSymbol, &TMatCatItem::SetPipeSymbol))

void SplitMaterialSymbolText(std::string_view text, std::string& symbol, std::string& display,
                             std::string& pipe) {
  const size_t tab = text.find('\t');
  std::string_view sym = text.substr(0, tab);
  std::string_view disp = tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
  pipe.clear();
  if (const size_t bar = sym.find('|'); bar != std::string_view::npos) {
    pipe = Trim(sym.substr(bar + 1));
    sym = sym.substr(0, bar);
  } else if (const size_t bar2 = disp.find('|'); bar2 != std::string_view::npos) {
    pipe = Trim(disp.substr(bar2 + 1));
    disp = disp.substr(0, bar2);
  }
  symbol = Trim(sym);
  display = Trim(disp);
}

std::string TMatCatItem::Symbol() const {
  return link_ ? link_->Symbol() : TSDPCatItem::Symbol();
}

std::string TMatCatItem::DisplaySymbol() const {
  return link_ ? link_->DisplaySymbol() : TSDPCatItem::DisplaySymbol();
}

std::string TMatCatItem::Description() const {
  return link_ ? link_->Description() : TSDPCatItem::Description();
}

std::string TMatCatItem::Producer() const {
  return link_ ? link_->Producer() : TSDPCatItem::Producer();
}

std::string TMatCatItem::PipeSymbol() const {
  return link_ ? link_->PipeSymbol() : pipe_symbol_;
}

void TMatCatItem::SetPipeSymbol(std::string_view text) {
  pipe_symbol_ = Trim(text);
}

void TMatCatItem::ReadSymbolText(TObjectStream& s) {
  std::string symbol, display;
  SplitMaterialSymbolText(s.ReadStr(), symbol, display, pipe_symbol_);
  SetSymbol(symbol);
  KeepDisplaySymbol(display == symbol ? std::string() : display);
}

void TMatCatItem::WriteSymbolText(TObjectStream& s) const {
  std::string text = JoinSymbolText(TSDPCatItem::Symbol(), OwnDisplaySymbol());
  if (!pipe_symbol_.empty()) text += "|" + pipe_symbol_;
  s.WriteStr(text);
}

}  // namespace hx
