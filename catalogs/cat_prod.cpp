#include "catalogs/cat_prod.h"

#include "base/text.h"
#include "catalogs/cat.h"
#include "catalogs/cat_item_info.h"
#include "objects/object_stream.h"

namespace hx {

HX_PROPERTIES(TCatProdItem, TCatItem, Property("WWW", &TCatProdItem::WWW, &TCatProdItem::SetWWW),
              Property("Email", &TCatProdItem::Email, &TCatProdItem::SetEmail),
              Property("Phone", &TCatProdItem::Phone, &TCatProdItem::SetPhone),
              Property("Fax", &TCatProdItem::Fax, &TCatProdItem::SetFax),
              Property("Address", &TCatProdItem::Address, &TCatProdItem::SetAddress))

void SplitAtBar(std::string_view text, std::string& before, std::string& after) {
  const size_t bar = text.find('|');
  before = Trim(text.substr(0, bar));
  after = bar == std::string_view::npos ? std::string() : Trim(text.substr(bar + 1));
}

void TCatProdItem::SetWWW(std::string_view text) {
  www_ = Trim(text);
}
void TCatProdItem::SetEmail(std::string_view text) {
  email_ = Trim(text);
}
void TCatProdItem::SetPhone(std::string_view text) {
  phone_ = Trim(text);
}
void TCatProdItem::SetFax(std::string_view text) {
  fax_ = Trim(text);
}
void TCatProdItem::SetAddress(std::string_view text) {
  address_ = Trim(text);
}

void TCatProdItem::ShowInfo(TOwnerWindow owner) {
  if (!Cat() || !ShowCatItemInfo(*Cat(), *this, owner, kHelpContext)) TCatItem::ShowInfo(owner);
}

void TCatProdItem::Load0(TObjectStream& s) {
  TSDPPicCatItem::Load0(s);
  www_ = s.ReadStr();
  email_ = s.ReadStr();
  phone_ = s.ReadStr();
  fax_ = s.ReadStr();
  address_ = s.ReadStr();
  SetTyp(kProducerTyp);
}

void TCatProdItem::Store0(TObjectStream& s) const {
  TSDPPicCatItem::Store0(s);
  s.WriteStr(www_);
  s.WriteStr(email_);
  s.WriteStr(phone_);
  s.WriteStr(fax_);
  s.WriteStr(address_);
}

void TCatProdItem::Load1(TObjectStream& s) {
  TCatItem::Load1(s);
  ReadSymbolText(s);
  SetDescription(s.ReadStr());
  s.ReadStr();
  SplitAtBar(s.ReadStr(), phone_, www_);
  SplitAtBar(s.ReadStr(), fax_, email_);
  address_ = s.ReadStr();
  SetTyp(kProducerTyp);
  SetVisible(true);
}

void TCatProdItem::Store1(TObjectStream& s) const {
  TCatItem::Store1(s);
  WriteSymbolText(s);
  s.WriteStr(Description());
  s.WriteStr("");
  s.WriteStr(www_.empty() ? phone_ : phone_ + "|" + www_);
  s.WriteStr(email_.empty() ? fax_ : fax_ + "|" + email_);
  s.WriteStr(address_);
}

}  // namespace hx
