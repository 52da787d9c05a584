// The sub-look-up: a subset of another look-up's items, chosen by id or by position and kept
// as a 256-bit set.
#pragma once

#include <bitset>
#include <cstdint>

#include "records/lookup.h"

namespace hx {

class TObjectStream;

enum TSubSetType : uint8_t { ss_IdSubset, ss_OrdSubset };

// The members 0..255; stored as the property "SubSet" in 32 bytes, member m in bit m % 8 of
// byte m / 8.
using TSubSetItems = std::bitset<256>;

class TSubLookUp : public TCustomLookUp, private ILookUpUser {
 public:
  static constexpr int kSubSetBytes = 32;

  TSubLookUp() = default;
  ~TSubLookUp() override;

  // The base look-up (not owned). The sub-look-up follows its changes: members that no longer
  // name an item are removed, and the sub-look-up's own users are told.
  TCustomLookUp* LookUp() const { return base_; }
  void SetLookUp(TCustomLookUp* base);
  TSubSetType SubSetType() const { return type_; }
  void SetSubSetType(TSubSetType type);
  const TSubSetItems& ItemsSubSet() const { return set_; }
  void SetItemsSubSet(const TSubSetItems& set);
  // Members outside 0..255 are ignored.
  void Include(int member);
  void Exclude(int member);
  // Empties the set.
  void Clear() override;

  // The number of members (0 without a base); item k is the k-th member in ascending order:
  // the base item whose id is the member, or the base item at that position.
  int Count() const override;
  TCustomLookUpItem* Items(int index) const override;
  const IImageList* Images() const override { return base_ ? base_->Images() : nullptr; }
  void ItemChosen(int index) override;

  void ReadSubSet(TObjectStream& s);
  void WriteSubSet(TObjectStream& s) const;

 private:
  void LookUpChanged(TCustomLookUp& lookup) override;
  void LookUpDestroyed(TCustomLookUp& lookup) override;
  // The member of the k-th item, or -1.
  int Member(int index) const;
  // The base position of a member, or -1.
  int BaseIndex(int member) const;
  // Removes the members the base no longer has; true when any was removed.
  bool Prune();

  TCustomLookUp* base_ = nullptr;
  TSubSetType type_ = ss_IdSubset;
  TSubSetItems set_;
};

}  // namespace hx
