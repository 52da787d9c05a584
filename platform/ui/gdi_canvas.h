// GDI for the component layer: the fonts of forms and menus, the colour values of the models
// turned into COLORREFs, and the canvas that look-up items are measured and drawn on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "records/lookup_canvas.h"

namespace hx {

// The font of forms and their controls (the system's message font), created once.
HFONT FormFont();
// The menu font of pop-up lists, created once.
HFONT MenuFont();

// A colour of the models (0x00BBGGRR, clDefaultColor for the system colour sys_color).
COLORREF ColorRefOf(int32_t color, int sys_color);

// Draws a glyph with its top left corner at (x, y); transparent pixels are left alone, a
// disabled glyph is drawn greyed.
void DrawGlyphAt(HDC dc, int x, int y, const TGlyph& glyph, bool disabled);

// The look-up canvas over a device context with the font selected into it. Texts are drawn
// transparently in the text colour (the highlight text colour for a selected entry, the grey
// text colour when disabled).
class TGdiCanvas : public ILookUpCanvas {
 public:
  TGdiCanvas(HDC dc, HFONT font);
  ~TGdiCanvas() override;
  TGdiCanvas(const TGdiCanvas&) = delete;
  TGdiCanvas& operator=(const TGdiCanvas&) = delete;

  HDC Dc() const { return dc_; }
  // The colour of enabled texts and pen lines from now on.
  void SetTextColor(COLORREF color) { text_color_ = color; }

  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void DrawText(int x, int y, std::string_view text, bool disabled) override;
  void DrawGlyph(int x, int y, const TGlyph& glyph, bool disabled) override;
  void DrawPenLine(int x1, int x2, int y, int width, int style) override;

 private:
  HDC dc_;
  HGDIOBJ old_font_;
  COLORREF text_color_;
};

}  // namespace hx
