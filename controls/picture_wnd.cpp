#include "controls/picture_wnd.h"

#include "base/text.h"

namespace hx {

void TZqDBPictureWnd::FieldRefresh() {
  const TZqField* f = ZqField();
  picture_.reset();
  if (f && f->Cat()) {
    const std::string symbol = UpperCase(Trim(f->Text()));
    if (!symbol.empty()) picture_ = f->Cat()->Glyph(symbol);
  }
  Notify(vcText);
  FieldUpdate();
}

void TZqDBPictureWnd::FieldUpdate() {
  const TZqField* f = ZqField();
  const bool as_field = !VisibleAsField || !f || f->Visible();
  SetVisible(HideIfEmpty ? picture_ != nullptr && as_field : as_field);
  if (f) SetEnabled(f->Enabled());
}

}  // namespace hx
