// Catalog items: the item base with its type, state, display symbol and the link to its
// catalog, and the item classes that add a symbol, a description, a producer and the picture
// and block symbols. Concrete catalogs derive their item classes from these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "objects/streamable.h"
#include "records/published.h"

namespace hx {

class TCustomCat;

// State bits of an item (stored in variant 0).
inline constexpr int32_t kStateVisible = 1;
inline constexpr int32_t kStateNeedOrder = 2;  // on order
inline constexpr int32_t kStateRemoved = 4;
inline constexpr int32_t kStatePredefinied = 8;

// Runtime flag: the symbol was changed by RenameItem in this run (never stored).
inline constexpr int32_t kRuntimeRenamed = 4;

// The type id that marks an alias: the item names its target by its producer text.
inline constexpr int32_t kAliasTyp = 255;

// The platform window an operation is shown over (none: the active window).
using TOwnerWindow = void*;

// The producer catalog as every item sees it: the producer's display symbol and its
// information window. The producer data module installs itself; without it items use their
// producer text.
class IProducerCatalog {
 public:
  // The producer's item, or none.
  virtual class TCatItem* FindProducer(std::string_view symbol) = 0;
  // Shows the producer's information; false when there is none.
  virtual bool ShowProducerInfo(TOwnerWindow owner, std::string_view symbol) = 0;

 protected:
  ~IProducerCatalog() = default;
};
void SetProducerCatalog(IProducerCatalog* catalog);
IProducerCatalog* ProducerCatalog();

// The item base. The text getters and setters are virtual so that each item class keeps only
// what it has; every text given to a setter is trimmed.
class TCatItem : public TLinesItem, public PublishedObject {
  HX_PUBLISHED()

 public:
  TCatItem() = default;
  ~TCatItem() override;
  TCatItem(const TCatItem&) = delete;
  TCatItem& operator=(const TCatItem&) = delete;

  // The display symbol when one is set, else the symbol.
  virtual std::string DisplaySymbol() const;
  virtual std::string Symbol() const { return {}; }
  // The text a list shows.
  virtual std::string ListSymbol() const { return DisplaySymbol(); }
  virtual std::string Description() const { return {}; }
  virtual std::string ListDescription() const { return Description(); }
  // The display symbol of the producer found in the producer catalog, else the producer.
  virtual std::string DisplayProducer() const;
  virtual std::string Producer() const { return {}; }
  virtual std::string PipeSymbol() const { return {}; }
  // 0..65534, or NoInt for the stored 65535.
  virtual int32_t Typ() const;

  // A display symbol equal to the symbol is not kept; an item without a symbol takes the text
  // as its symbol.
  virtual void SetDisplaySymbol(std::string_view text);
  virtual void SetSymbol(std::string_view text) {}
  virtual void SetDescription(std::string_view text) {}
  virtual void SetProducer(std::string_view text) {}
  // Called on every item of a catalog after RenameItem changed item's symbol.
  virtual void SymbolChanged(TCatItem& item, const std::string& new_symbol) {}
  virtual bool Series() const { return false; }
  virtual bool AddToMat() const { return true; }
  virtual std::string PictureSymbol() const { return {}; }
  virtual std::string BlockForDiagramSymbol() const { return {}; }
  virtual std::string BlockForPlanSymbol() const { return {}; }
  virtual void SetPictureSymbol(std::string_view text) {}
  virtual void SetBlockForDiagramSymbol(std::string_view text) {}
  virtual void SetBlockForPlanSymbol(std::string_view text) {}
  // Message 20131 with the symbol.
  virtual void ShowInfo(TOwnerWindow owner);
  // Asks the producer catalog to show the producer; message 20130 when it cannot.
  virtual void ShowProducerInfo(TOwnerWindow form);
  // The editing list deletes an entry only while its item allows it.
  virtual bool CanDelete() const { return true; }
  virtual void SetCat(TCustomCat* cat) { cat_ = cat; }
  virtual void AfterCatLoad(TCustomCat& cat) {}

  // A value outside 0..65534 stores 65535.
  void SetTyp(int32_t typ);
  int32_t State() const { return state_; }
  void SetState(int32_t state) { state_ = state; }
  bool Visible() const { return state_ & kStateVisible; }
  bool NeedOrder() const { return state_ & kStateNeedOrder; }
  bool Removed() const { return state_ & kStateRemoved; }
  bool Predefinied() const { return state_ & kStatePredefinied; }
  void SetVisible(bool on) { SetStateBit(kStateVisible, on); }
  void SetNeedOrder(bool on) { SetStateBit(kStateNeedOrder, on); }
  void SetRemoved(bool on) { SetStateBit(kStateRemoved, on); }
  void SetPredefinied(bool on) { SetStateBit(kStatePredefinied, on); }

  int32_t RuntimeFlags() const { return runtime_flags_; }
  void SetRuntimeFlags(int32_t flags) { runtime_flags_ = flags; }
  // File position of the item's type id; -1 when it was not read from a file.
  int64_t StreamPosition() const { return stream_position_; }
  void SetStreamPosition(int64_t position) { stream_position_ = position; }
  // The catalog the item belongs to (not owned).
  TCustomCat* Cat() const { return cat_; }
  // The display symbol as kept (empty when none is set).
  const std::string& OwnDisplaySymbol() const { return display_symbol_; }

  // Variant 0: int16 Typ, int32 state; variant 1: int16 Typ (visible unless an alias).
  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

  // Copies through a memory stream, then the fields a stream does not carry.
  void CopyTo(TStreamableObject& target) const override;

 protected:
  // Sets the kept display symbol without comparing it with the symbol (readers).
  void KeepDisplaySymbol(std::string text) { display_symbol_ = std::move(text); }

 private:
  void SetStateBit(int32_t bit, bool on) { state_ = on ? state_ | bit : state_ & ~bit; }

  uint16_t typ_ = 0;
  int32_t state_ = kStateVisible;
  int32_t runtime_flags_ = 0;
  int64_t stream_position_ = -1;
  TCustomCat* cat_ = nullptr;
  std::string display_symbol_;
};

// Splits a stored symbol text at its first TAB into the symbol and the display symbol (both
// trimmed).
void SplitSymbolText(std::string_view text, std::string& symbol, std::string& display);
// The stored symbol text: the symbol, and a TAB and the display symbol when one is set.
std::string JoinSymbolText(std::string_view symbol, std::string_view display);

// An item with a symbol. Both variants store "SYMBOL" or "SYMBOL<TAB>DISPLAY".
class TSCatItem : public TCatItem {
 public:
  std::string Symbol() const override { return symbol_; }
  void SetSymbol(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

 protected:
  // Reads and writes the symbol text with the display symbol; material items add their pipe
  // symbol to it.
  virtual void ReadSymbolText(TObjectStream& s);
  virtual void WriteSymbolText(TObjectStream& s) const;

 private:
  std::string symbol_;
};

// Adds a description.
class TSDCatItem : public TSCatItem {
 public:
  std::string Description() const override { return description_; }
  void SetDescription(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

 private:
  std::string description_;
};

// Adds a producer, followed in both variants by the filler units. In variant 1 a producer
// beginning with "~" sets NeedOrder and one beginning with "-" sets Removed (the character is
// removed); writing variant 1 puts the mark back.
class TSDPCatItem : public TSDCatItem {
 public:
  std::string Producer() const override { return producer_; }
  void SetProducer(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Load1(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  void Store1(TObjectStream& s) const override;

 private:
  std::string producer_;
};

// The legacy prefix rule of variant-1 producers: applies a leading "~" or "-" of producer to
// item's state and returns the producer without it.
std::string ApplyLegacyProducerPrefix(TCatItem& item, std::string_view producer);

// Adds a picture symbol (variant 0 only).
class TSDPPicCatItem : public TSDPCatItem {
 public:
  std::string PictureSymbol() const override { return picture_; }
  void SetPictureSymbol(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;

 private:
  std::string picture_;
};

// Adds the block symbols for diagrams and plans (variant 0 only).
class TSDPPicBloCatItem : public TSDPCatItem {
 public:
  std::string BlockForDiagramSymbol() const override { return block_diagram_; }
  std::string BlockForPlanSymbol() const override { return block_plan_; }
  void SetBlockForDiagramSymbol(std::string_view text) override;
  void SetBlockForPlanSymbol(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;

 private:
  std::string block_diagram_;
  std::string block_plan_;
};

// Adds a picture symbol after the block symbols (variant 0 only).
class TSDPPicPicBloCatItem : public TSDPPicBloCatItem {
 public:
  std::string PictureSymbol() const override { return picture_; }
  void SetPictureSymbol(std::string_view text) override;

  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;

 private:
  std::string picture_;
};

}  // namespace hx
