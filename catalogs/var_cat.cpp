#include "catalogs/var_cat.h"

#include "base/text.h"
#include "objects/object_stream.h"

namespace hx {

HX_PROPERTIES(TVarItem, TCatItem,
              Property("ValueText", &TVarItem::ValueText, &TVarItem::SetValueText),
              Property("Value", &TVarItem::Value, &TVarItem::SetValue),
              Property("Flag1", &TVarItem::Flag1, &TVarItem::SetFlag1),
              Property("Flag2", &TVarItem::Flag2, &TVarItem::SetFlag2))

void TVarItem::SetValueText(std::string_view text) {
  if (text != value_text_) value_text_ = text;
}

bool TVarItem::IsEmpty() const {
  return Trim(value_text_).empty() && Trim(Symbol()).empty() && Trim(Description()).empty();
}

void TVarItem::Load0(TObjectStream& s) {
  TSDCatItem::Load0(s);
  value_text_ = s.ReadStr();
  value_ = s.ReadDouble();
  flag1_ = s.ReadByte();
  flag2_ = s.ReadByte();
}

void TVarItem::Load1(TObjectStream& s) {
  TSDCatItem::Load1(s);
  value_text_ = s.ReadShortStr();
  value_ = s.ReadDouble();
  flag1_ = s.ReadByte();
  flag2_ = s.ReadByte();
}

void TVarItem::Store0(TObjectStream& s) const {
  TSDCatItem::Store0(s);
  s.WriteStr(value_text_);
  s.WriteDouble(value_);
  s.WriteByte(flag1_);
  s.WriteByte(flag2_);
}

void TVarItem::Store1(TObjectStream& s) const {
  TSDCatItem::Store1(s);
  s.WriteShortStr(value_text_);
  s.WriteDouble(value_);
  s.WriteByte(flag1_);
  s.WriteByte(flag2_);
}

TVarCat::TVarCat() : TCat(10) {
  Collection().SetSorted(false);
}

}  // namespace hx
