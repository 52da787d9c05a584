#include "catalogs/ind_cat.h"

#include "base/text.h"
#include "records/messages.h"

namespace hx {

// ---- TIndCatItem

void TIndCatItem::SetSymbol(std::string_view text) {
  symbol_ = Trim(text);
}
void TIndCatItem::SetProducer(std::string_view text) {
  producer_ = Trim(text);
}
void TIndCatItem::SetDescription(std::string_view text) {
  description_ = Trim(text);
}

std::string TIndCatItem::Description() const {
  if (!description_) {
    auto* cat = dynamic_cast<TIndCat*>(Cat());
    if (!cat) return {};
    description_ = cat->ReadDescription(*this);
  }
  return *description_;
}

void TIndCatItem::ShowInfo(TOwnerWindow owner) {
  auto* cat = dynamic_cast<TIndCat*>(Cat());
  std::unique_ptr<TCatItem> full = cat ? cat->FullItem(*this) : nullptr;
  if (!full) {
    TCatItem::ShowInfo(owner);
    return;
  }
  full->SetCat(cat);
  full->ShowInfo(owner);
}

void TIndCatItem::CopyTo(TStreamableObject& target) const {
  auto* entry = dynamic_cast<TIndCatItem*>(&target);
  if (!entry) return;
  entry->real_type_id_ = real_type_id_;
  entry->symbol_ = symbol_;
  entry->producer_ = producer_;
  entry->description_ = description_;
  entry->KeepDisplaySymbol(OwnDisplaySymbol());
  entry->SetTyp(Typ());
  entry->SetState(State());
  entry->SetRuntimeFlags(RuntimeFlags());
  entry->SetStreamPosition(StreamPosition());
  entry->SetCat(Cat());
}

void TIndCatItem::ReadEntry(TObjectStream& s, int variant) {
  if (variant == 1) {
    real_type_id_ = s.ReadInt16();
    if (real_type_id_ == 330) real_type_id_ = 357;
    TCatItem::Load1(s);
  } else {
    real_type_id_ = s.ReadInt32();
    TCatItem::Load0(s);
  }
  std::string display;
  SplitSymbolText(s.ReadStr(), symbol_, display);
  KeepDisplaySymbol(display == symbol_ ? std::string() : display);
  const uint16_t description_length = s.ReadWord();
  s.CheckAvailable(description_length);
  s.SetPosition(s.GetPosition() + description_length);
  const std::string producer = s.ReadStr();
  if (variant == 1) {
    producer_ = Trim(ApplyLegacyProducerPrefix(*this, producer));
  } else {
    producer_ = Trim(producer);
    if (Typ() == kAliasTyp) SetVisible(false);
  }
}

// ---- TIndCat

TIndCat::TIndCat() : TCustomCat(std::make_unique<TIndCatCollection>()) {}

void TIndCat::Clear() {
  TCustomCat::Clear();
  ReleaseStream();
  file_name_.clear();
  file_size_ = -1;
}

void TIndCat::ReleaseStream() {
  stream_.reset();
}

std::unique_ptr<TCatItem> TIndCat::ReadListItem(TObjectStream& s, int variant, int64_t start) {
  auto entry = std::make_unique<TIndCatItem>();
  entry->ReadEntry(s, variant);
  return entry;
}

void TIndCat::KeepStream(std::unique_ptr<TObjectStream> stream, TFileVerInfo& signature) {
  file_name_ = stream->FileName();
  signature_ = signature;
  file_size_ = stream->GetSize();
  if (KeepStreamOpen) stream_ = std::move(stream);
}

TObjectStream* TIndCat::Stream(std::string* error) {
  try {
    if (!stream_) {
      if (file_name_.empty()) throw EObjectStream(-2, {Caption()});
      stream_ = std::make_unique<TObjectStream>(file_name_, FileMode::Read, signature_);
    }
    // Entries keep their positions only while the file is the one they were read from.
    if (stream_->GetSize() != file_size_) {
      ReleaseStream();
      throw EObjectStream(-12);
    }
    return stream_.get();
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return nullptr;
  }
}

std::string TIndCat::ReadDescription(const TIndCatItem& item) {
  std::string description;
  if (TObjectStream* s = Stream(nullptr); s && item.StreamPosition() >= 0) {
    try {
      const int64_t at = item.StreamPosition() + (UsesVariant1() ? 4 : 10);
      if (at > s->GetSize()) throw EObjectStream(-12);
      s->SetPosition(at);
      s->ReadStr();
      description = Trim(s->ReadStr());
    } catch (const std::exception&) {
      description.clear();
    }
  }
  if (!KeepStreamOpen) ReleaseStream();
  return description;
}

std::unique_ptr<TCatItem> TIndCat::FullItem(const TCatItem& item, std::string* error) {
  std::unique_ptr<TCatItem> full;
  if (TObjectStream* s = Stream(error)) {
    try {
      if (item.StreamPosition() < 0 || item.StreamPosition() >= s->GetSize()) {
        throw EObjectStream(-12);
      }
      s->SetPosition(item.StreamPosition());
      full = TCustomCat::ReadListItem(*s, UsesVariant1() ? 1 : 0, item.StreamPosition());
      full->SetStreamPosition(item.StreamPosition());
    } catch (const std::exception& e) {
      if (error) *error = e.what();
      full.reset();
    }
  }
  if (!KeepStreamOpen) ReleaseStream();
  return full;
}

}  // namespace hx
