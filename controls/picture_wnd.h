// The picture window bound to a symbol field (TZqDBPictureWnd): it shows the picture of the
// catalog item the field's text names, and can hide itself while it shows nothing.
#pragma once

#include <cstdint>

#include "controls/control_model.h"
#include "records/lookup_glyph.h"

namespace hx {

class TZqDBPictureWnd : public TControlModel, public TZqBoundControl {
 public:
  double Scale = 1;
  bool Grayed = false;
  int32_t BorderColor = clDefaultColor;
  // Visible as the field is.
  bool VisibleAsField = true;
  // Hidden while there is no picture.
  bool HideIfEmpty = false;

  // The picture shown, or none.
  TGlyphPtr Picture() const { return picture_; }

  // A blank text (or no catalog) shows nothing; otherwise the catalog's picture of the item.
  void FieldRefresh() override;
  void FieldUpdate() override;

 private:
  TGlyphPtr picture_;
};

}  // namespace hx
