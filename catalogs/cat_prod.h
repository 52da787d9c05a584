// The producer item: a manufacturer or distributor with its contact data. Its producer is its
// own symbol and its type is always 1.
#pragma once

#include <string>
#include <string_view>

#include "catalogs/cat_item.h"

namespace hx {

class TCatProdItem : public TSDPPicCatItem {
  HX_STREAMABLE(TCatProdItem, 308)
  HX_PUBLISHED()

 public:
  static constexpr int32_t kProducerTyp = 1;
  static constexpr int32_t kHelpContext = 62140;

  TCatProdItem() { SetTyp(kProducerTyp); }

  int32_t Typ() const override { return kProducerTyp; }
  std::string Producer() const override { return Symbol(); }
  std::string DisplayProducer() const override { return DisplaySymbol(); }
  // The stored producer text stays empty.
  void SetProducer(std::string_view text) override {}

  const std::string& WWW() const { return www_; }
  const std::string& Email() const { return email_; }
  const std::string& Phone() const { return phone_; }
  const std::string& Fax() const { return fax_; }
  const std::string& Address() const { return address_; }
  // Trimmed.
  void SetWWW(std::string_view text);
  void SetEmail(std::string_view text);
  void SetPhone(std::string_view text);
  void SetFax(std::string_view text);
  void SetAddress(std::string_view text);

  // The information window with the producer form (message 20131 when the item has no
  // catalog to show it).
  void ShowInfo(TOwnerWindow owner) override;
  void ShowProducerInfo(TOwnerWindow form) override { ShowInfo(form); }

  // Variant 0: the picture item's record, then WWW, Email, Phone, Fax, Address.
  void Load0(TObjectStream& s) override;
  void Store0(TObjectStream& s) const override;
  // Variant 1: Typ, symbol, description, an unused string, "phone|web", "fax|mail", address;
  // the phone and fax strings are split at their first "|". No filler units.
  void Load1(TObjectStream& s) override;
  void Store1(TObjectStream& s) const override;

 private:
  std::string www_;
  std::string email_;
  std::string phone_;
  std::string fax_;
  std::string address_;
};

// Splits "text|rest" at the first "|": text before, rest after (both trimmed; rest empty
// without a "|").
void SplitAtBar(std::string_view text, std::string& before, std::string& after);

}  // namespace hx
