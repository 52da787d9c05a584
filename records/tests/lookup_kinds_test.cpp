#include "records/lookup_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/locale_settings.h"
#include "records/tests/lookup_test_util.h"

namespace hx {
namespace {

std::vector<std::string> Captions(TCustomLookUp& lookup) {
  std::vector<std::string> out;
  for (int i = 0; i < lookup.Count(); ++i) out.push_back(lookup.Items(i)->Caption());
  return out;
}
std::vector<int32_t> Ids(TCustomLookUp& lookup) {
  std::vector<int32_t> out;
  for (int i = 0; i < lookup.Count(); ++i) out.push_back(lookup.Items(i)->Id());
  return out;
}

TEST(NumLookUp, CountsIdsAndTexts) {
  SetDecimalSeparator('.');
  struct Case {
    double min, max, inc;
    int num_fp;
    std::vector<std::string> captions;
    std::vector<int32_t> ids;
  };
  const Case cases[] = {
      {0, 3, 1, 0, {"0", "1", "2", "3"}, {0, 1, 2, 3}},
      {5, 7, 1, 0, {"5", "6", "7"}, {5, 6, 7}},            // whole start, step 1: ids are values
      {0.5, 2.5, 1, 1, {"0.5", "1.5", "2.5"}, {0, 1, 2}},  // else positions
      {0.5, 0.8, 0.1, 1, {"0.5", "0.6", "0.7", "0.8"}, {0, 1, 2, 3}},
      // A negative step counts down instead of giving a negative count.
      {3, 1, -1, 0, {"3", "2", "1"}, {0, 1, 2}},
      {2, 2, 1, 0, {"2"}, {2}},
  };
  for (const Case& c : cases) {
    TNumLookUp lookup;
    lookup.SetMinValue(c.min);
    lookup.SetMaxValue(c.max);
    lookup.SetIncrement(c.inc);
    lookup.SetNumFp(c.num_fp);
    EXPECT_EQ(Captions(lookup), c.captions) << c.min << ".." << c.max << " by " << c.inc;
    EXPECT_EQ(Ids(lookup), c.ids) << c.min << ".." << c.max << " by " << c.inc;
  }

  TNumLookUp lookup;  // 0 .. 10 by 1
  EXPECT_EQ(lookup.Count(), 11);
  EXPECT_EQ(lookup.Items(10)->Id(), 10);
  lookup.SetMinValue(0.5);
  lookup.SetMaxValue(1.5);
  lookup.SetIncrement(0.1);
  EXPECT_EQ(lookup.Count(), 11);
  EXPECT_EQ(lookup.Items(10)->Id(), 10);
  lookup.SetMinValue(0);
  lookup.SetMaxValue(99);
  lookup.SetIncrement(1);
  EXPECT_EQ(lookup.Count(), 100);
  lookup.SetMaxValue(100);  // 101 items: none
  EXPECT_EQ(lookup.Count(), 0);
  lookup.SetMaxValue(-100);
  EXPECT_EQ(lookup.Count(), 0);
  lookup.SetMaxValue(std::nan(""));
  EXPECT_EQ(lookup.Count(), 0);
  lookup.SetIncrement(0);  // becomes 1e-9: far too many
  EXPECT_EQ(lookup.Increment(), 1e-9);
  lookup.SetIncrement(-1e-12);
  EXPECT_EQ(lookup.Increment(), -1e-9);
  lookup.SetDisplayLength(-4);
  EXPECT_EQ(lookup.DisplayLength(), 0);
}

TEST(NumLookUp, MasksWidthAndSeparator) {
  SetDecimalSeparator(',');
  TNumLookUp lookup;
  lookup.SetMaxValue(1);
  lookup.SetIncrement(0.5);
  lookup.SetNumFp(1);
  lookup.SetDisplayLength(4);
  lookup.CaptionMask = "%s mm";
  lookup.HintMask = "Średnica %s";
  const TCustomLookUpItem& item = *lookup.Items(1);
  EXPECT_EQ(item.IdStr(), " 0,5");
  EXPECT_EQ(item.Caption(), " 0,5 mm");
  EXPECT_EQ(item.Hint(), "Średnica  0,5 mm");
  EXPECT_EQ(lookup.IndexOfIdStr(" 1,0"), 2);
  SetDecimalSeparator('.');
}

TEST(StringsLookUp, ItemsFromLines) {
  TStringsLookUp lookup;
  test::CountingUser user;
  lookup.AddUser(&user);
  lookup.SetItemsStr({"Alfa", "  ", "Gamma"});
  EXPECT_EQ(user.changed, 1);
  lookup.SetItemsStr({"Alfa", "  ", "Gamma"});  // the same lines
  EXPECT_EQ(user.changed, 1);
  EXPECT_EQ(Ids(lookup), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(lookup.Items(1)->IdStr(), "");
  EXPECT_EQ(lookup.Items(2)->IdStr(), "Gamma");
  lookup.CaptionMask = "<%s>";
  lookup.HintMask = "%s!";
  EXPECT_EQ(lookup.Items(0)->Caption(), "<Alfa>");
  EXPECT_EQ(lookup.Items(0)->Hint(), "<Alfa>!");
  EXPECT_EQ(lookup.IndexOfCaption("<gamma>"), 2);
  lookup.RemoveUser(&user);
}

TEST(ColorLookUp, EntriesSearchesAndCustomColour) {
  test::FakeImages shared(100);
  SetSharedImages(&shared);
  TColorLookUp lookup;
  EXPECT_EQ(lookup.Count(), 16);
  EXPECT_EQ(lookup.Items(0)->Caption(), "Черный");
  EXPECT_EQ(lookup.Items(5)->Id(), 255);
  EXPECT_EQ(lookup.Items(5)->Hint(), "ЦветКрасный");
  EXPECT_EQ(lookup.Items(15)->Caption(), "Серый");
  EXPECT_EQ(lookup.Items(15)->Id(), 12632256);
  EXPECT_EQ(lookup.IndexOfId(65280), 3);
  // Without a custom entry an unlisted colour is not in the list.
  EXPECT_EQ(lookup.IndexOfId(0x123456), -1);
  EXPECT_EQ(lookup.IndexOfId(-1), -1);

  lookup.SetAddByLayer(true);
  lookup.SetRGBColors(true);
  ASSERT_EQ(lookup.Count(), 18);
  const TCustomLookUpItem& by_layer = *lookup.Items(0);
  EXPECT_EQ(by_layer.Caption(), "Как слой");
  EXPECT_EQ(by_layer.Id(), -1);
  ASSERT_NE(by_layer.Glyph(), nullptr);
  EXPECT_EQ(by_layer.Glyph()->Pixel(0, 0), 100u + kImageByLayer);
  EXPECT_EQ(lookup.IndexOfId(-1), 0);
  EXPECT_EQ(lookup.IndexOfId(65280), 4);
  EXPECT_TRUE(lookup.HasCustomEntry());

  // An unlisted colour becomes the custom entry, shown by its value and colour.
  EXPECT_EQ(lookup.IndexOfId(0x123456), 17);
  const TCustomLookUpItem& custom = *lookup.Items(17);
  EXPECT_EQ(custom.Id(), 0x123456);
  EXPECT_EQ(custom.Caption(), std::to_string(0x123456));
  EXPECT_EQ(custom.Glyph()->Pixel(8, 8), 0x123456u);
  // A pop-up list shows it as the custom entry without a glyph.
  const TCustomLookUpItem& shown = *lookup.PopUpItem(17);
  EXPECT_EQ(shown.Caption(), "Нестандартный");
  EXPECT_EQ(shown.Glyph(), nullptr);
  EXPECT_EQ(lookup.PopUpItem(5)->Caption(), lookup.Items(5)->Caption());
  EXPECT_EQ(lookup.IndexOfId(NoInt), -1);
  SetSharedImages(nullptr);
}

TEST(ColorLookUp, Glyphs) {
  const TGlyphPtr square = ColorGlyph(255, lgs_Square);
  EXPECT_EQ(square->width, 16);
  EXPECT_EQ(square->height, 16);
  EXPECT_EQ(square->Pixel(0, 0), kColorTransparent);
  EXPECT_EQ(square->Pixel(1, 1), kColorBlack);
  EXPECT_EQ(square->Pixel(8, 8), 255u);
  const TGlyphPtr line = ColorGlyph(255, lgs_Line);
  EXPECT_EQ(line->Pixel(8, 8), 255u);
  EXPECT_EQ(line->Pixel(8, 2), kColorTransparent);
  // Magenta is drawn on white, which is then the transparent colour.
  const TGlyphPtr magenta = ColorGlyph(kColorTransparent, lgs_Square);
  EXPECT_EQ(magenta->Pixel(0, 0), kColorWhite);
  EXPECT_EQ(magenta->transparent_color, kColorWhite);
  EXPECT_EQ(magenta->Pixel(8, 8), kColorTransparent);
}

// The colour of a hue (degrees), saturation and value by the usual conversion, each component
// rounded to the nearest integer with halves to even.
uint32_t HsvColor(double hue, double saturation, double value) {
  uint32_t out = 0;
  const int shifts[3] = {0, 8, 16};
  const double n[3] = {5, 3, 1};
  for (int k = 0; k < 3; ++k) {
    const double h = std::fmod(n[k] + hue / 60, 6);
    const double c = value - value * saturation * std::max(0.0, std::min({h, 4 - h, 1.0}));
    out |= static_cast<uint32_t>(std::nearbyint(255 * c)) << shifts[k];
  }
  return out;
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

TEST(DwgColor, AllEntriesByTheRule) {
  const uint32_t fixed[10] = {
      Rgb(0, 0, 0),   Rgb(255, 0, 0),   Rgb(255, 255, 0),   Rgb(0, 255, 0),     Rgb(0, 255, 255),
      Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(255, 255, 255), Rgb(152, 152, 152), Rgb(192, 192, 192)};
  const uint32_t greys[6] = {84, 118, 152, 187, 221, 255};
  const double brightness[5] = {1, 0.65, 0.5, 0.3, 0.15};
  for (int i = 0; i < 256; ++i) {
    uint32_t expected;
    if (i < 10) {
      expected = fixed[i];
    } else if (i >= 250) {
      expected = Rgb(greys[i - 250], greys[i - 250], greys[i - 250]);
    } else {
      const int step = (i - 10) % 10;
      // Half saturation moves each component half way to full intensity.
      expected = HsvColor((i - 10) / 10 * 15.0, step % 2 ? 0.5 : 1, brightness[step / 2]);
    }
    EXPECT_EQ(DwgColor(i), expected) << i;
  }
  // The examples of the colour index.
  const std::pair<int, uint32_t> examples[] = {
      {10, Rgb(255, 0, 0)},    {11, Rgb(255, 128, 128)}, {12, Rgb(166, 0, 0)},
      {13, Rgb(166, 83, 83)},  {14, Rgb(128, 0, 0)},     {15, Rgb(128, 64, 64)},
      {16, Rgb(76, 0, 0)},     {17, Rgb(76, 38, 38)},    {18, Rgb(38, 0, 0)},
      {19, Rgb(38, 19, 19)},   {20, Rgb(255, 64, 0)},    {21, Rgb(255, 159, 128)},
      {23, Rgb(166, 104, 83)}, {40, Rgb(255, 191, 0)},   {42, Rgb(166, 124, 0)},
      {43, Rgb(166, 145, 83)}, {240, Rgb(255, 0, 64)},
  };
  for (const auto& [i, color] : examples) EXPECT_EQ(DwgColor(i), color) << i;
}

TEST(DwgColorLookUp, EntriesAndSearch) {
  TDWGColorLookUp lookup;
  ASSERT_EQ(lookup.Count(), 256);
  const TCustomLookUpItem& item = *lookup.Items(21);
  EXPECT_EQ(item.Caption(), "21");
  EXPECT_EQ(item.Id(), 21);
  EXPECT_EQ(item.Hint(), "Цвет21");
  ASSERT_NE(item.Glyph(), nullptr);
  EXPECT_EQ(item.Glyph()->width, 16);
  EXPECT_EQ(item.Glyph()->height, 11);
  EXPECT_EQ(item.Glyph()->Pixel(5, 5), DwgColor(21));
  EXPECT_EQ(item.Glyph()->Pixel(0, 0), kColorBlack);
  EXPECT_EQ(lookup.IndexOfId(255), 255);
  EXPECT_EQ(lookup.IndexOfId(256), -1);
  EXPECT_EQ(lookup.IndexOfId(-1), -1);
  EXPECT_FALSE(lookup.HasCustomEntry());
  lookup.SetAddByLayer(true);
  EXPECT_EQ(lookup.Count(), 257);
  EXPECT_EQ(lookup.IndexOfId(-1), 0);
  EXPECT_EQ(lookup.IndexOfId(7), 8);
  EXPECT_EQ(lookup.Items(8)->Id(), 7);
}

TEST(PenLookUps, EntriesAndOwnDrawing) {
  struct Maker : ITextGlyphMaker {
    TGlyphPtr MakeTextGlyph(std::string_view text, int w, int h, std::string_view font,
                            int points) override {
      asked.push_back(std::string(text) + " " + std::string(font) + " " + std::to_string(points));
      return std::make_shared<TGlyph>(w, h);
    }
    std::vector<std::string> asked;
  } maker;
  SetTextGlyphMaker(&maker);
  TPenWidthLookUp widths;
  TPenStyleLookUp styles;
  EXPECT_EQ(widths.DrawStyle, ldsLookUpDraw);
  EXPECT_EQ(Ids(widths).size(), 17u);
  EXPECT_EQ(Ids(widths).back(), 16);
  EXPECT_EQ(Captions(styles), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  ASSERT_NE(widths.Items(3)->Glyph(), nullptr);
  EXPECT_EQ(widths.Items(3)->Glyph()->width, 16);
  EXPECT_EQ(maker.asked.back(), "3 Arial 10");
  SetTextGlyphMaker(nullptr);
  EXPECT_EQ(widths.Items(3)->Glyph(), nullptr);

  widths.SetAddByLayer(true);
  EXPECT_EQ(widths.Count(), 18);
  EXPECT_EQ(widths.Items(0)->Caption(), "Как слой");
  EXPECT_EQ(widths.IndexOfId(16), 17);

  test::FakeCanvas canvas;
  int glyph = 0, height = 17, width = 20;
  widths.MeasureItem(canvas, glyph, height, width, 17, dsCaption);  // width 16
  EXPECT_EQ(height, 22);
  EXPECT_GE(width, 60);
  widths.DrawItem(canvas, {0, 0, 80, 22}, 0, 0, 17, dsCaption);
  styles.DrawItem(canvas, {0, 0, 80, 20}, kItemDisabled, 0, 3, dsCaption);
  EXPECT_EQ(canvas.log, (std::vector<std::string>{"text 3,4 16", "line 23-76,11 w16 s0",
                                                  "text 3,3 3 grey", "line 23-76,10 w1 s3"}));
  // The by-layer entry is drawn as text.
  canvas.log.clear();
  widths.DrawItem(canvas, {0, 0, 80, 20}, 0, 0, 0, dsCaption);
  EXPECT_EQ(canvas.log, (std::vector<std::string>{"text 3,3 Как слой"}));
}

}  // namespace
}  // namespace hx
