#include "catalogs/cat_item.h"

#include "base/constants.h"
#include "base/text.h"
#include "catalogs/cat.h"
#include "objects/data_kind.h"
#include "objects/object_stream.h"
#include "records/messages.h"

namespace hx {
namespace {

IProducerCatalog* g_producers = nullptr;

}  // namespace

void SetProducerCatalog(IProducerCatalog* catalog) {
  g_producers = catalog;
}
IProducerCatalog* ProducerCatalog() {
  return g_producers;
}

// ---- TCatItem

HX_PROPERTIES(TCatItem, PublishedObject,
              Property("Symbol", &TCatItem::Symbol, &TCatItem::SetSymbol),
              Property("DisplaySymbol", &TCatItem::DisplaySymbol, &TCatItem::SetDisplaySymbol),
              Property("Typ", &TCatItem::Typ, &TCatItem::SetTyp),
              Property("Description", &TCatItem::Description, &TCatItem::SetDescription),
              Property("Producer", &TCatItem::Producer, &TCatItem::SetProducer),
              ReadOnlyProperty("DisplayProducer", &TCatItem::DisplayProducer),
              ReadOnlyProperty("PipeSymbol", &TCatItem::PipeSymbol),
              Property("PictureSymbol", &TCatItem::PictureSymbol, &TCatItem::SetPictureSymbol),
              Property("BlockForDiagramSymbol", &TCatItem::BlockForDiagramSymbol,
                       &TCatItem::SetBlockForDiagramSymbol),
              Property("BlockForPlanSymbol", &TCatItem::BlockForPlanSymbol,
                       &TCatItem::SetBlockForPlanSymbol),
              Property("Visible", &TCatItem::Visible, &TCatItem::SetVisible),
              Property("Predefinied", &TCatItem::Predefinied, &TCatItem::SetPredefinied),
              Property("NeedOrder", &TCatItem::NeedOrder, &TCatItem::SetNeedOrder),
              Property("Removed", &TCatItem::Removed, &TCatItem::SetRemoved),
              ReadOnlyProperty("AddToMat", &TCatItem::AddToMat),
              ReadOnlyProperty("Series", &TCatItem::Series))

TCatItem::~TCatItem() = default;

std::string TCatItem::DisplaySymbol() const {
  return display_symbol_.empty() ? Symbol() : display_symbol_;
}

std::string TCatItem::DisplayProducer() const {
  const std::string producer = Producer();
  if (IProducerCatalog* producers = ProducerCatalog(); producers && !Trim(producer).empty()) {
    if (TCatItem* item = producers->FindProducer(producer)) return item->DisplaySymbol();
  }
  return producer;
}

int32_t TCatItem::Typ() const {
  return typ_ == 65535 ? NoInt : typ_;
}

void TCatItem::SetTyp(int32_t typ) {
  typ_ = typ >= 0 && typ <= 65534 ? static_cast<uint16_t>(typ) : 65535;
}

void TCatItem::SetDisplaySymbol(std::string_view text) {
  std::string display = Trim(text);
  // A display symbol stands for a symbol: an item that has none yet takes it as its symbol
  // (a new item edited through a form that shows display symbols).
  if (!display.empty() && Trim(Symbol()).empty()) {
    SetSymbol(display);
    if (!Trim(Symbol()).empty()) {
      display_symbol_.clear();
      return;
    }
  }
  display_symbol_ = display == Symbol() ? std::string() : std::move(display);
}

void TCatItem::ShowInfo(TOwnerWindow owner) {
  ShowInfoMsg(20131, {Symbol()});
}

void TCatItem::ShowProducerInfo(TOwnerWindow form) {
  const std::string producer = Trim(Producer());
  IProducerCatalog* producers = ProducerCatalog();
  if (!producers || !producers->ShowProducerInfo(form, producer)) ShowInfoMsg(20130, {producer});
}

void TCatItem::Load0(TObjectStream& s) {
  typ_ = s.ReadWord();
  state_ = s.ReadInt32();
}

void TCatItem::Load1(TObjectStream& s) {
  typ_ = s.ReadWord();
  state_ = typ_ == kAliasTyp ? 0 : kStateVisible;
}

void TCatItem::Store0(TObjectStream& s) const {
  s.WriteWord(typ_);
  s.WriteInt32(state_);
}

void TCatItem::Store1(TObjectStream& s) const {
  s.WriteWord(typ_);
}

void TCatItem::CopyTo(TStreamableObject& target) const {
  TStreamableObject::CopyTo(target);
  if (auto* item = dynamic_cast<TCatItem*>(&target)) {
    item->cat_ = cat_;
    item->runtime_flags_ = runtime_flags_;
    item->stream_position_ = stream_position_;
  }
}

// ---- symbols

void SplitSymbolText(std::string_view text, std::string& symbol, std::string& display) {
  const size_t tab = text.find('\t');
  symbol = Trim(text.substr(0, tab));
  display = tab == std::string_view::npos ? std::string() : Trim(text.substr(tab + 1));
}

std::string JoinSymbolText(std::string_view symbol, std::string_view display) {
  std::string text(symbol);
  if (!display.empty()) {
    text += '\t';
    text += display;
  }
  return text;
}

void TSCatItem::SetSymbol(std::string_view text) {
  symbol_ = Trim(text);
}

void TSCatItem::ReadSymbolText(TObjectStream& s) {
  std::string display;
  SplitSymbolText(s.ReadStr(), symbol_, display);
  KeepDisplaySymbol(display == symbol_ ? std::string() : display);
}

void TSCatItem::WriteSymbolText(TObjectStream& s) const {
  s.WriteStr(JoinSymbolText(symbol_, OwnDisplaySymbol()));
}

void TSCatItem::Load0(TObjectStream& s) {
  TCatItem::Load0(s);
  ReadSymbolText(s);
}

void TSCatItem::Load1(TObjectStream& s) {
  TCatItem::Load1(s);
  ReadSymbolText(s);
}

void TSCatItem::Store0(TObjectStream& s) const {
  TCatItem::Store0(s);
  WriteSymbolText(s);
}

void TSCatItem::Store1(TObjectStream& s) const {
  TCatItem::Store1(s);
  WriteSymbolText(s);
}

// ---- descriptions and producers

void TSDCatItem::SetDescription(std::string_view text) {
  description_ = Trim(text);
}

void TSDCatItem::Load0(TObjectStream& s) {
  TSCatItem::Load0(s);
  description_ = s.ReadStr();
}

void TSDCatItem::Load1(TObjectStream& s) {
  TSCatItem::Load1(s);
  description_ = s.ReadStr();
}

void TSDCatItem::Store0(TObjectStream& s) const {
  TSCatItem::Store0(s);
  s.WriteStr(description_);
}

void TSDCatItem::Store1(TObjectStream& s) const {
  TSCatItem::Store1(s);
  s.WriteStr(description_);
}

std::string ApplyLegacyProducerPrefix(TCatItem& item, std::string_view producer) {
  if (!producer.empty() && producer[0] == '~') {
    item.SetNeedOrder(true);
    producer.remove_prefix(1);
  } else if (!producer.empty() && producer[0] == '-') {
    item.SetRemoved(true);
    producer.remove_prefix(1);
  }
  return std::string(producer);
}

void TSDPCatItem::SetProducer(std::string_view text) {
  producer_ = Trim(text);
}

void TSDPCatItem::Load0(TObjectStream& s) {
  TSDCatItem::Load0(s);
  producer_ = s.ReadStr();
  SkipFiller(s, 0);
}

void TSDPCatItem::Load1(TObjectStream& s) {
  TSDCatItem::Load1(s);
  producer_ = ApplyLegacyProducerPrefix(*this, s.ReadStr());
  SkipFiller(s, 1);
}

void TSDPCatItem::Store0(TObjectStream& s) const {
  TSDCatItem::Store0(s);
  s.WriteStr(producer_);
  WriteFiller(s, 0);
}

void TSDPCatItem::Store1(TObjectStream& s) const {
  TSDCatItem::Store1(s);
  s.WriteStr(NeedOrder() ? "~" + producer_ : Removed() ? "-" + producer_ : producer_);
  WriteFiller(s, 1);
}

// ---- pictures and blocks

void TSDPPicCatItem::SetPictureSymbol(std::string_view text) {
  picture_ = Trim(text);
}

void TSDPPicCatItem::Load0(TObjectStream& s) {
  TSDPCatItem::Load0(s);
  picture_ = s.ReadStr();
}

void TSDPPicCatItem::Store0(TObjectStream& s) const {
  TSDPCatItem::Store0(s);
  s.WriteStr(picture_);
}

void TSDPPicBloCatItem::SetBlockForDiagramSymbol(std::string_view text) {
  block_diagram_ = Trim(text);
}

void TSDPPicBloCatItem::SetBlockForPlanSymbol(std::string_view text) {
  block_plan_ = Trim(text);
}

void TSDPPicBloCatItem::Load0(TObjectStream& s) {
  TSDPCatItem::Load0(s);
  block_diagram_ = s.ReadStr();
  block_plan_ = s.ReadStr();
}

void TSDPPicBloCatItem::Store0(TObjectStream& s) const {
  TSDPCatItem::Store0(s);
  s.WriteStr(block_diagram_);
  s.WriteStr(block_plan_);
}

void TSDPPicPicBloCatItem::SetPictureSymbol(std::string_view text) {
  picture_ = Trim(text);
}

void TSDPPicPicBloCatItem::Load0(TObjectStream& s) {
  TSDPPicBloCatItem::Load0(s);
  picture_ = s.ReadStr();
}

void TSDPPicPicBloCatItem::Store0(TObjectStream& s) const {
  TSDPPicBloCatItem::Store0(s);
  s.WriteStr(picture_);
}

}  // namespace hx
