#include "records/lookup_kinds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/string_table.h"
#include "base/text.h"
#include "records/number_format.h"

namespace hx {

// ---- numbers

void TNumLookUp::SetMinValue(double v) {
  if (v == min_value_) return;
  min_value_ = v;
  Changed();
}

void TNumLookUp::SetMaxValue(double v) {
  if (v == max_value_) return;
  max_value_ = v;
  Changed();
}

void TNumLookUp::SetIncrement(double v) {
  if (!(std::fabs(v) >= 1e-9)) v = std::signbit(v) && v != 0 ? -1e-9 : 1e-9;
  if (v == increment_) return;
  increment_ = v;
  Changed();
}

void TNumLookUp::SetDisplayLength(int v) {
  if (v < 0) v = 0;
  if (v == display_length_) return;
  display_length_ = v;
  Changed();
}

void TNumLookUp::SetNumFp(int v) {
  if (v == num_fp_) return;
  num_fp_ = v;
  Changed();
}

int TNumLookUp::Count() const {
  // The magnitude of the increment, so that a negative step counts down instead of giving a
  // negative count, and the rounding allowance added to the range's magnitude, so that it
  // helps a range that runs down as well; NaN and infinite ranges give no items.
  const double steps = (std::fabs(max_value_ - min_value_) + 1e-12) / std::fabs(increment_);
  if (!(steps < 100)) return 0;
  return static_cast<int>(std::trunc(steps)) + 1;
}

void TNumLookUp::FillItem(int index, LookUpItemData& data) const {
  const double value = min_value_ + index * increment_;
  const std::string text = FormatNumber(value, display_length_, num_fp_);
  data.id_str = Trim(text).empty() ? std::string() : text;
  data.caption = ApplyMask(CaptionMask, text);
  data.hint = ApplyMask(HintMask, data.caption);
  const bool whole = std::fabs(min_value_) < 1e9 && min_value_ == std::trunc(min_value_);
  data.id = whole && increment_ == 1 ? index + static_cast<int32_t>(min_value_) : index;
}

// ---- lines of text

void TStringsLookUp::SetItemsStr(std::vector<std::string> lines) {
  if (lines == lines_) return;
  lines_ = std::move(lines);
  Changed();
}

void TStringsLookUp::FillItem(int index, LookUpItemData& data) const {
  const std::string& line = lines_[index];
  data.caption = ApplyMask(CaptionMask, line);
  data.id_str = Trim(line).empty() ? std::string() : line;
  data.id = index;
  data.hint = ApplyMask(HintMask, data.caption);
}

// ---- drawing attributes

void TCustomGDILookUp::SetAddByLayer(bool v) {
  if (v == add_by_layer_) return;
  add_by_layer_ = v;
  Changed();
}

const IImageList* TCustomGDILookUp::Images() const {
  return images_ ? images_ : SharedImages();
}

void TCustomGDILookUp::SetImages(const IImageList* images) {
  if (images == images_) return;
  images_ = images;
  Changed();
}

void TCustomGDILookUp::FillByLayer(LookUpItemData& data) {
  data.caption = std::string(LoadStr(10227));
  data.id = -1;
  data.image_index = kImageByLayer;
}

TGlyphPtr ColorGlyph(uint32_t color, TLookUpGlyphShape shape) {
  // The transparent colour cannot be drawn on itself: that one goes on white.
  const uint32_t background = color == kColorTransparent ? kColorWhite : kColorTransparent;
  auto glyph = std::make_shared<TGlyph>(16, 16, background);
  glyph->transparent_color = background;
  if (shape == lgs_Line) {
    glyph->FillRect(0, 6, 16, 10, color);
  } else {
    glyph->FillRect(1, 1, 15, 15, color);
    glyph->FrameRect(1, 1, 15, 15, kColorBlack);
  }
  return glyph;
}

const uint32_t TColorLookUp::kColors[kNamedColors] = {
    0,       16711680, 16776960, 65280,   16711935, 255,   65535,   16777215,
    8388608, 8421376,  32768,    8388736, 128,      32896, 8421504, 12632256,
};

void TColorLookUp::SetGlyphShape(TLookUpGlyphShape shape) {
  if (shape == shape_) return;
  shape_ = shape;
  Changed();
}

void TColorLookUp::SetRGBColors(bool v) {
  if (v == rgb_colors_) return;
  rgb_colors_ = v;
  Changed();
}

void TColorLookUp::SetCustomColor(int32_t color) {
  if (color == custom_color_) return;
  custom_color_ = color;
  Changed();
}

int TColorLookUp::IndexOfId(int32_t id) {
  if (id == -1) return AddByLayer() ? 0 : -1;
  for (int k = 0; k < kNamedColors; ++k) {
    if (static_cast<int32_t>(kColors[k]) == id) return k + ByLayerCount();
  }
  if (!rgb_colors_ || id == NoInt) return -1;
  // Taking the colour over is how a look-up shows a value it does not list; the users are not
  // told, since they ask for positions while they refresh.
  custom_color_ = id;
  return Count() - 1;
}

void TColorLookUp::FillItem(int index, LookUpItemData& data) const {
  if (index < ByLayerCount()) {
    FillByLayer(data);
    return;
  }
  const int k = index - ByLayerCount();
  const uint32_t color = k < kNamedColors ? kColors[k] : static_cast<uint32_t>(custom_color_);
  data.id = static_cast<int32_t>(color);
  data.caption = k < kNamedColors ? std::string(LoadStr(10228 + k)) : std::to_string(custom_color_);
  data.hint = std::string(LoadStr(10226)) + data.caption;
  data.glyph = ColorGlyph(color, shape_);
}

TCustomLookUpItem* TColorLookUp::PopUpItem(int index) const {
  if (!rgb_colors_ || index != Count() - 1) return Items(index);
  LookUpItemData data;
  data.id = custom_color_;
  data.caption = std::string(LoadStr(10244));
  data.hint = std::string(LoadStr(10226)) + data.caption;
  return Scratch(std::move(data));
}

namespace {

// c = 255 x m x f / 800 rounded to the nearest integer, halves to even, computed exactly:
// m is a component in eighths of full intensity, f the brightness in hundredths.
uint32_t Component(int m, int f) {
  const int num = 255 * m * f;
  const int den = 800;
  int q = num / den;
  const int r2 = 2 * (num % den);
  if (r2 > den || (r2 == den && (q & 1))) ++q;
  return static_cast<uint32_t>(q);
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

}  // namespace

uint32_t DwgColor(int index) {
  static const uint32_t kFixed[10] = {
      Rgb(0, 0, 0),   Rgb(255, 0, 0),   Rgb(255, 255, 0),   Rgb(0, 255, 0),     Rgb(0, 255, 255),
      Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(255, 255, 255), Rgb(152, 152, 152), Rgb(192, 192, 192)};
  static const uint32_t kGreys[6] = {84, 118, 152, 187, 221, 255};
  if (index < 0 || index > 255) return kColorBlack;
  if (index < 10) return kFixed[index];
  if (index >= 250) {
    const uint32_t g = kGreys[index - 250];
    return Rgb(g, g, g);
  }
  // The hue in quarters of a 60 degree sector: components of full saturation in quarters of
  // full intensity.
  const int hue = (index - 10) / 10;
  const int sector = hue / 4;
  const int pos = hue % 4;
  int q[3];  // red, green, blue in quarters
  switch (sector) {
    case 0:
      q[0] = 4, q[1] = pos, q[2] = 0;
      break;
    case 1:
      q[0] = 4 - pos, q[1] = 4, q[2] = 0;
      break;
    case 2:
      q[0] = 0, q[1] = 4, q[2] = pos;
      break;
    case 3:
      q[0] = 0, q[1] = 4 - pos, q[2] = 4;
      break;
    case 4:
      q[0] = pos, q[1] = 0, q[2] = 4;
      break;
    default:
      q[0] = 4, q[1] = 0, q[2] = 4 - pos;
      break;
  }
  static const int kBrightness[5] = {100, 65, 50, 30, 15};
  const int step = (index - 10) % 10;
  const bool half = step % 2 == 1;
  const int f = kBrightness[step / 2];
  uint32_t c[3];
  for (int k = 0; k < 3; ++k) {
    // In eighths: full saturation 2q; half saturation (q/4 + 1) / 2 = (q + 4) / 8.
    const int m = half ? q[k] + 4 : 2 * q[k];
    c[k] = Component(m, f);
  }
  return Rgb(c[0], c[1], c[2]);
}

int TDWGColorLookUp::IndexOfId(int32_t id) {
  if (id == -1) return AddByLayer() ? 0 : -1;
  if (id < 0 || id > 255) return -1;
  return id + ByLayerCount();
}

void TDWGColorLookUp::FillItem(int index, LookUpItemData& data) const {
  if (index < ByLayerCount()) {
    FillByLayer(data);
    return;
  }
  const int number = index - ByLayerCount();
  data.id = number;
  data.caption = std::to_string(number);
  data.hint = std::string(LoadStr(10226)) + data.caption;
  const uint32_t color = DwgColor(number);
  const uint32_t background = color == kColorTransparent ? kColorWhite : kColorTransparent;
  auto glyph = std::make_shared<TGlyph>(16, 11, background);
  glyph->transparent_color = background;
  if (GlyphShape() == lgs_Line) {
    glyph->FillRect(0, 1, 12, 9, color);
    glyph->FrameRect(0, 1, 12, 9, kColorBlack);
  } else {
    glyph->FillRect(0, 0, 15, 10, color);
    glyph->FrameRect(0, 0, 15, 10, kColorBlack);
  }
  data.glyph = std::move(glyph);
}

// ---- pens

namespace {
ITextGlyphMaker* g_text_glyphs = nullptr;
}  // namespace

void SetTextGlyphMaker(ITextGlyphMaker* maker) {
  g_text_glyphs = maker;
}

TPenLookUp::TPenLookUp() {
  DisplayStyle = dsCaption;
  DrawStyle = ldsLookUpDraw;
}

void TPenLookUp::FillPenItem(int index, LookUpItemData& data, bool hint) const {
  if (index < ByLayerCount()) {
    FillByLayer(data);
    return;
  }
  const int value = PenValue(index);
  data.id = value;
  data.caption = std::to_string(value);
  if (hint) data.hint = data.caption;
  if (g_text_glyphs) data.glyph = g_text_glyphs->MakeTextGlyph(data.caption, 16, 16, "Arial", 10);
}

// Entries hold a sample line 40 pixels long beside the caption, as tall as the widest pen
// needs.
void TPenLookUp::MeasureItem(ILookUpCanvas& canvas, int& glyph_width, int& height, int& width,
                             int index, TDisplayStyle style) {
  TCustomGDILookUp::MeasureItem(canvas, glyph_width, height, width, index, style);
  const int value = PenValue(index);
  if (value < 0) return;
  height = std::max(height, PenWidth(value) + 6);
  width = std::max(width, glyph_width + canvas.TextWidth("16") + 6 + 46);
}

void TPenLookUp::DrawItem(ILookUpCanvas& canvas, const ItemRect& rect, unsigned state,
                          int glyph_width, int index, TDisplayStyle style) {
  const TCustomLookUpItem* item = Items(index);
  if (!item) return;
  const int value = PenValue(index);
  if (value < 0 || OnDrawItem) {
    TCustomGDILookUp::DrawItem(canvas, rect, state, glyph_width, index, style);
    return;
  }
  const bool disabled = (state & kItemDisabled) || !item->Enabled();
  const int text_width = canvas.TextWidth("16");
  const int text_height = canvas.TextHeight(item->Caption());
  const int x = rect.left + glyph_width + 3;
  canvas.DrawText(x, rect.top + (rect.Height() - text_height) / 2, item->Caption(), disabled);
  const int line_left = x + text_width + 6;
  const int line_right = std::max(line_left, rect.right - 4);
  canvas.DrawPenLine(line_left, line_right, rect.top + rect.Height() / 2, PenWidth(value),
                     PenStyle(value));
}

}  // namespace hx
