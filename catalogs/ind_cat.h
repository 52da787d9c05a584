// Index catalogs over catalog files: each entry keeps only the header of its item (type,
// state, symbol, producer) and its file position; the description is read from the file when
// asked, and the full item of its real class is loaded on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "catalogs/cat.h"
#include "objects/object_stream.h"

namespace hx {

class TIndCat;

// An index entry. Its type id is the one of the item's real class; it is never stored itself.
class TIndCatItem : public TCatItem {
 public:
  TIndCatItem() = default;
  explicit TIndCatItem(int32_t real_type_id) : real_type_id_(real_type_id) {}

  int32_t TypeId() const override { return real_type_id_; }
  const char* ClassName() const override { return "TIndCatItem"; }
  std::unique_ptr<TStreamableObject> NewInstance() const override {
    return std::make_unique<TIndCatItem>(real_type_id_);
  }

  std::string Symbol() const override { return symbol_; }
  std::string Producer() const override { return producer_; }
  // Read from the file of the item's index catalog at the first request.
  std::string Description() const override;
  void SetSymbol(std::string_view text) override;
  void SetProducer(std::string_view text) override;
  void SetDescription(std::string_view text) override;
  // Loads the full item, shows its information and frees it.
  void ShowInfo(TOwnerWindow owner) override;
  // Copies the entry's fields (an entry has no stored form of its own).
  void CopyTo(TStreamableObject& target) const override;

  // Reads the entry at the item's position: variant 0 skips a 4-byte type id, reads Typ and
  // state, the symbol text, skips the description and reads the producer (an alias becomes
  // invisible); variant 1 skips a 2-byte type id, reads Typ, the symbol text, skips the
  // description and reads the producer with the legacy prefix rule.
  void ReadEntry(TObjectStream& s, int variant);

 private:
  int32_t real_type_id_ = 0;
  std::string symbol_;
  std::string producer_;
  mutable std::optional<std::string> description_;
};

class TIndCatCollection : public TCatCollection {
 public:
  explicit TIndCatCollection(int capacity = 100) : TCatCollection(capacity) {}
};

class TIndCat : public TCustomCat {
 public:
  TIndCat();

  // The file stays open after reading while set; otherwise it is reopened on demand.
  bool KeepStreamOpen = false;

  void Clear() override;

  // The description of an entry, read from the file (seek to its position + 10 in variant 0,
  // + 4 in variant 1, read the symbol text and then the description); empty when the file
  // cannot be read.
  std::string ReadDescription(const TIndCatItem& item);
  // The full item of the entry's real class, read at its position in the catalog's variant
  // (the caller owns it); none when the file cannot be read, with the reason in error.
  std::unique_ptr<TCatItem> FullItem(const TCatItem& item, std::string* error = nullptr);

 protected:
  std::unique_ptr<TCatItem> ReadListItem(TObjectStream& s, int variant, int64_t start) override;
  void KeepStream(std::unique_ptr<TObjectStream> stream, TFileVerInfo& signature) override;

 private:
  // The open file, reopened when needed and when it still has the size it had when read.
  TObjectStream* Stream(std::string* error);
  void ReleaseStream();

  std::unique_ptr<TObjectStream> stream_;
  std::string file_name_;
  TFileVerInfo signature_;
  int64_t file_size_ = -1;
};

}  // namespace hx
