#include "controls/db_labels.h"

#include "base/text.h"
#include "records/lookup.h"

namespace hx {

void TZqDBLabel::FieldRefresh() {
  const TZqField* f = ZqField();
  caption_ = f ? FieldText(*f) : std::string();
  if (caption_.empty() && DesignMode()) caption_ = "??";
  Notify(vcText);
  FieldUpdate();
}

void TZqDBLabel::FieldUpdate() {
  const TZqField* f = ZqField();
  if (!f) return;
  SetVisible(f->Visible());
  SetEnabled(f->Enabled());
  SetHint(f->Hint);
}

std::string TZqDBTextLabel::FieldText(const TZqField& field) const {
  const TCustomLookUpItem* item = field.LookUp() ? field.LookUpItem() : nullptr;
  if (item && DisplayStyle != dsCaption) return StripAccelerators(DisplayText(*item, DisplayStyle));
  return TrimRight(field.DisplayText());
}

void TZqDBTextLabel::FieldRefresh() {
  const TZqField* f = ZqField();
  if (f && FieldDisplayStyle) DisplayStyle = f->DisplayStyle;
  glyph_ = f && ShowsGlyph(DisplayStyle) ? f->Glyph() : nullptr;
  TZqDBLabel::FieldRefresh();
}

void TZqDBTextLabel::FieldUpdate() {
  const TZqField* f = ZqField();
  if (!f) return;
  if (FieldDisplayStyle) DisplayStyle = f->DisplayStyle;
  if (FieldAlignment) set_alignment(f->Alignment);
  TZqDBLabel::FieldUpdate();
}

}  // namespace hx
