#include "records/lookup_sub.h"

#include "objects/object_stream.h"

namespace hx {

TSubLookUp::~TSubLookUp() {
  if (base_) base_->RemoveUser(this);
}

void TSubLookUp::SetLookUp(TCustomLookUp* base) {
  if (base == base_ || base == this) return;
  if (base_) base_->RemoveUser(this);
  base_ = base;
  if (base_) base_->AddUser(this);
  Changed();
}

void TSubLookUp::SetSubSetType(TSubSetType type) {
  if (type == type_) return;
  type_ = type;
  Changed();
}

void TSubLookUp::SetItemsSubSet(const TSubSetItems& set) {
  if (set == set_) return;
  set_ = set;
  Changed();
}

void TSubLookUp::Include(int member) {
  if (member < 0 || member > 255 || set_.test(member)) return;
  set_.set(member);
  Changed();
}

void TSubLookUp::Exclude(int member) {
  if (member < 0 || member > 255 || !set_.test(member)) return;
  set_.reset(member);
  Changed();
}

void TSubLookUp::Clear() {
  if (set_.none()) return;
  set_.reset();
  Changed();
}

int TSubLookUp::Count() const {
  return base_ ? static_cast<int>(set_.count()) : 0;
}

int TSubLookUp::Member(int index) const {
  if (index < 0) return -1;
  for (int m = 0; m < 256; ++m) {
    if (set_.test(m) && index-- == 0) return m;
  }
  return -1;
}

int TSubLookUp::BaseIndex(int member) const {
  if (!base_ || member < 0) return -1;
  const int n = base_->Count();
  if (type_ == ss_OrdSubset) return member < n ? member : -1;
  // A plain scan: IndexOfId of some kinds takes an unknown id over as their custom value.
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = base_->Items(i);
    if (item && item->Id() == member) return i;
  }
  return -1;
}

TCustomLookUpItem* TSubLookUp::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const int base_index = BaseIndex(Member(index));
  return base_index >= 0 ? base_->Items(base_index) : nullptr;
}

void TSubLookUp::ItemChosen(int index) {
  if (index < 0 || index >= Count()) return;
  const int base_index = BaseIndex(Member(index));
  if (base_index >= 0) base_->ItemChosen(base_index);
}

bool TSubLookUp::Prune() {
  bool removed = false;
  for (int m = 0; m < 256; ++m) {
    if (set_.test(m) && BaseIndex(m) < 0) {
      set_.reset(m);
      removed = true;
    }
  }
  return removed;
}

void TSubLookUp::LookUpChanged(TCustomLookUp& lookup) {
  Prune();
  Changed();
}

void TSubLookUp::LookUpDestroyed(TCustomLookUp& lookup) {
  base_ = nullptr;
  Changed();
}

void TSubLookUp::ReadSubSet(TObjectStream& s) {
  uint8_t bytes[kSubSetBytes];
  s.ReadBytes(bytes, sizeof bytes);
  TSubSetItems set;
  for (int m = 0; m < 256; ++m) {
    if (bytes[m / 8] & (1u << (m % 8))) set.set(m);
  }
  SetItemsSubSet(set);
}

void TSubLookUp::WriteSubSet(TObjectStream& s) const {
  uint8_t bytes[kSubSetBytes] = {};
  for (int m = 0; m < 256; ++m) {
    if (set_.test(m)) bytes[m / 8] |= static_cast<uint8_t>(1u << (m % 8));
  }
  s.WriteBytes(bytes, sizeof bytes);
}

}  // namespace hx
