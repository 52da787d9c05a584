// The look-ups that fill their items themselves from a rule: numbers, lines of text, the named
// colours, the 256 colours of the drawing colour index, pen widths and pen styles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/lookup.h"

namespace hx {

// ---- numbers

// Items are the numbers MinValue + i x Increment, formatted with DisplayLength and NumFp.
class TNumLookUp : public TCustomLookUp3 {
 public:
  TNumLookUp() { DisplayStyle = dsCaption; }

  double MinValue() const { return min_value_; }
  double MaxValue() const { return max_value_; }
  double Increment() const { return increment_; }
  int DisplayLength() const { return display_length_; }
  int NumFp() const { return num_fp_; }
  void SetMinValue(double v);
  void SetMaxValue(double v);
  // A magnitude below 1e-9 stores 1e-9 with the sign of v (+ for 0).
  void SetIncrement(double v);
  // Below 0 stores 0.
  void SetDisplayLength(int v);
  void SetNumFp(int v);

  // trunc((|MaxValue - MinValue| + 1e-12) / |Increment|) + 1, and 0 when that exceeds 100.
  int Count() const override;

 protected:
  // Caption: CaptionMask applied to the formatted number; hint: HintMask applied to the
  // caption; id string: the formatted number (empty when blank). The id is i + MinValue when
  // MinValue is whole and Increment is exactly 1, else i.
  void FillItem(int index, LookUpItemData& data) const override;

 private:
  double min_value_ = 0;
  double max_value_ = 10;
  double increment_ = 1;
  int display_length_ = 0;
  int num_fp_ = 0;
};

// ---- lines of text

// One item per line: caption CaptionMask applied to the line, id string the line (empty when
// blank), id the line's position, hint HintMask applied to the caption.
class TStringsLookUp : public TCustomLookUp3 {
 public:
  TStringsLookUp() { DisplayStyle = dsCaption; }

  const std::vector<std::string>& ItemsStr() const { return lines_; }
  void SetItemsStr(std::vector<std::string> lines);
  int Count() const override { return static_cast<int>(lines_.size()); }
  void Clear() override { SetItemsStr({}); }

 protected:
  void FillItem(int index, LookUpItemData& data) const override;

 private:
  std::vector<std::string> lines_;
};

// ---- drawing attributes

// The base of the look-ups of colours and pens: an optional first entry "by layer" (id -1,
// caption 10227, image 94 of the shared image list). Without an own image list the shared one
// is used.
class TCustomGDILookUp : public TCustomLookUp2 {
 public:
  bool AddByLayer() const { return add_by_layer_; }
  void SetAddByLayer(bool v);
  const IImageList* Images() const override;
  void SetImages(const IImageList* images) override;

 protected:
  int ByLayerCount() const { return add_by_layer_ ? 1 : 0; }
  static void FillByLayer(LookUpItemData& data);

 private:
  bool add_by_layer_ = false;
  const IImageList* images_ = nullptr;
};

enum TLookUpGlyphShape : uint8_t { lgs_Square, lgs_Line };

// A 16 x 16 glyph: a square with a black outline (or a line) in the colour, on a transparent
// background (white for the transparent colour itself).
TGlyphPtr ColorGlyph(uint32_t color, TLookUpGlyphShape shape);

// The 16 named colours, optionally after the by-layer entry and before the custom colour.
class TColorLookUp : public TCustomGDILookUp {
 public:
  static constexpr int kNamedColors = 16;
  static const uint32_t kColors[kNamedColors];  // the ids; captions are 10228 + position

  TColorLookUp() { DisplayStyle = dsCaptionGlyph; }

  TLookUpGlyphShape GlyphShape() const { return shape_; }
  void SetGlyphShape(TLookUpGlyphShape shape);
  // Adds the custom colour as the last entry.
  bool RGBColors() const { return rgb_colors_; }
  void SetRGBColors(bool v);
  int32_t CustomColor() const { return custom_color_; }
  void SetCustomColor(int32_t color);

  int Count() const override { return kNamedColors + ByLayerCount() + (rgb_colors_ ? 1 : 0); }
  bool HasCustomEntry() const override { return rgb_colors_; }
  // A listed colour's position (-1 finds the by-layer entry). Any other colour becomes the
  // custom colour and gives the last position; without a custom entry it gives -1.
  int IndexOfId(int32_t id) override;
  // The custom entry shows 10244 "Нестандартный" without a glyph in a pop-up list.
  TCustomLookUpItem* PopUpItem(int index) const override;

 protected:
  // Hint: 10226 "Цвет" followed by the caption; the custom colour's caption is its value.
  void FillItem(int index, LookUpItemData& data) const override;

 private:
  TLookUpGlyphShape shape_ = lgs_Square;
  bool rgb_colors_ = false;
  int32_t custom_color_ = 0;
};

// The colour of entry 0..255 of the drawing colour index (0x00BBGGRR): 0..9 fixed colours;
// 10..249 24 hues in steps of 15 degrees from red, ten entries each alternating full and half
// saturation at the brightness factors 1, 0.65, 0.5, 0.3, 0.15; 250..255 greys.
uint32_t DwgColor(int index);

// The 256 numbers of the drawing colour index.
class TDWGColorLookUp : public TColorLookUp {
 public:
  int Count() const override { return 256 + ByLayerCount(); }
  bool HasCustomEntry() const override { return false; }
  // id (+1 with the by-layer entry); -1 outside 0..255 (and for -1 without by-layer entry).
  int IndexOfId(int32_t id) override;
  TCustomLookUpItem* PopUpItem(int index) const override { return Items(index); }

 protected:
  // Caption and id the number, hint "Цвет" and the caption, a 16 x 11 glyph.
  void FillItem(int index, LookUpItemData& data) const override;
};

// Makes the small pictures with a number that the pen look-ups show as glyphs; the platform
// installs one. Without it the pen items have no glyph.
class ITextGlyphMaker {
 public:
  virtual ~ITextGlyphMaker() = default;
  // The text centred in a picture of that size, in the named font of that point size.
  virtual TGlyphPtr MakeTextGlyph(std::string_view text, int width, int height,
                                  std::string_view font, int points) = 0;
};
void SetTextGlyphMaker(ITextGlyphMaker* maker);

// Pen widths 0..16 and pen styles 0..4: caption and id the number; they draw a line of that
// width or style in their list entries.
class TPenLookUp : public TCustomGDILookUp {
 public:
  void MeasureItem(ILookUpCanvas& canvas, int& glyph_width, int& height, int& width, int index,
                   TDisplayStyle style) override;
  void DrawItem(ILookUpCanvas& canvas, const ItemRect& rect, unsigned state, int glyph_width,
                int index, TDisplayStyle style) override;

 protected:
  TPenLookUp();
  // The pen value of entry index, or -1 for the by-layer entry.
  int PenValue(int index) const { return index - ByLayerCount(); }
  void FillPenItem(int index, LookUpItemData& data, bool hint) const;
  virtual int PenWidth(int value) const = 0;
  virtual int PenStyle(int value) const = 0;
};

class TPenWidthLookUp : public TPenLookUp {
 public:
  int Count() const override { return 17 + ByLayerCount(); }

 protected:
  void FillItem(int index, LookUpItemData& data) const override { FillPenItem(index, data, true); }
  int PenWidth(int value) const override { return value; }
  int PenStyle(int value) const override { return 0; }
};

class TPenStyleLookUp : public TPenLookUp {
 public:
  int Count() const override { return 5 + ByLayerCount(); }

 protected:
  void FillItem(int index, LookUpItemData& data) const override { FillPenItem(index, data, false); }
  int PenWidth(int value) const override { return 1; }
  int PenStyle(int value) const override { return value; }
};

}  // namespace hx
