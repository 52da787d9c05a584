// The surface that look-up items are measured and drawn on: the platform implements it over a
// device context with the list's font; tests implement it with a recorder.
#pragma once

#include <string_view>

#include "records/lookup_glyph.h"

namespace hx {

// A rectangle in pixels; right and bottom are exclusive.
struct ItemRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const ItemRect&) const = default;
};

// Item drawing states.
enum ItemStateFlags : unsigned {
  kItemSelected = 1,
  kItemDisabled = 2,
};

class ILookUpCanvas {
 public:
  virtual ~ILookUpCanvas() = default;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // Text with its top left corner at (x, y), in the grey text colour when disabled.
  virtual void DrawText(int x, int y, std::string_view text, bool disabled) = 0;
  virtual void DrawGlyph(int x, int y, const TGlyph& glyph, bool disabled) = 0;
  // A horizontal line from x1 to x2 at y in the text colour, with a pen of that width and
  // style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot).
  virtual void DrawPenLine(int x1, int x2, int y, int width, int style) = 0;
};

}  // namespace hx
