// Labels bound to a field: its caption (TZqDBCaptionLabel), its units (TZqDBUnitsLabel) or its
// display text by display style (TZqDBTextLabel). They show and hand nothing back; in design
// mode an empty label shows "??".
#pragma once

#include <string>

#include "controls/control_model.h"
#include "records/lookup_glyph.h"

namespace hx {

class TZqDBLabel : public TControlModel, public TZqBoundControl {
 public:
  // The text the label shows.
  const std::string& Caption() const { return caption_; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment) { alignment_ = alignment; }

  void FieldRefresh() override;
  // Visible, enabled and hint follow the field.
  void FieldUpdate() override;

 protected:
  // The label's text for the bound field.
  virtual std::string FieldText(const TZqField& field) const = 0;
  void set_alignment(TAlignment alignment) { alignment_ = alignment; }

 private:
  std::string caption_;
  TAlignment alignment_ = taLeftJustify;
};

class TZqDBCaptionLabel : public TZqDBLabel {
 public:
  bool IsCaptionLabel() const override { return true; }

 protected:
  std::string FieldText(const TZqField& field) const override { return field.Caption; }
};

class TZqDBUnitsLabel : public TZqDBLabel {
 protected:
  std::string FieldText(const TZqField& field) const override { return field.Units; }
};

class TZqDBTextLabel : public TZqDBLabel {
 public:
  TDisplayStyle DisplayStyle = dsCaption;
  bool FieldAlignment = true;
  bool FieldDisplayStyle = true;

  // The glyph shown beside the text when the display style shows glyphs.
  TGlyphPtr Glyph() const { return glyph_; }
  void FieldRefresh() override;
  void FieldUpdate() override;

 protected:
  // The item the value names shown by the display style; without one the display text.
  std::string FieldText(const TZqField& field) const override;

 private:
  TGlyphPtr glyph_;
};

}  // namespace hx
