#include "records/lookup.h"

#include <gtest/gtest.h>

#include "objects/object_stream.h"
#include "records/tests/lookup_test_util.h"

namespace hx {
namespace {

using test::CountingUser;
using test::FakeImages;

LookUpItemData Item(std::string caption, std::string hint, std::string id_str, int32_t id) {
  LookUpItemData d;
  d.caption = std::move(caption);
  d.hint = std::move(hint);
  d.id_str = std::move(id_str);
  d.id = id;
  return d;
}

TEST(LookUpItem, HintGlyphAndChangeRules) {
  TLookUp lookup;
  FakeImages images(5);
  lookup.SetImages(&images);
  TLookUpItem& item = lookup.Add(Item("Red", "", "", 1));
  CountingUser user;
  lookup.AddUser(&user);

  // A hint equal to the caption is not kept; reading an empty hint gives the caption.
  item.SetHint("  Red ");
  EXPECT_EQ(item.Data().hint, "");
  EXPECT_EQ(item.Hint(), "Red");
  item.SetHint("Strong red");
  EXPECT_EQ(item.Hint(), "Strong red");

  // Setting the same value does not notify; a different one does.
  const int before = user.changed;
  item.SetCaption("Red");
  item.SetEnabled(true);
  item.SetImageIndex(-1);
  item.SetIdStr("");
  EXPECT_EQ(user.changed, before);
  item.SetCaption(" Crimson ");
  EXPECT_EQ(item.Caption(), "Crimson");
  EXPECT_EQ(user.changed, before + 1);

  // The image index gives a picture of the list's size on a transparent background.
  item.SetImageIndex(3);
  ASSERT_NE(item.Glyph(), nullptr);
  EXPECT_EQ(item.Glyph()->width, 16);
  EXPECT_EQ(item.Glyph()->Pixel(0, 0), 103u);
  item.SetImageIndex(5);  // beyond the list
  EXPECT_EQ(item.Glyph(), nullptr);

  // An own glyph wins and resets the index; an index drops the glyph.
  auto own = std::make_shared<TGlyph>(8, 8, kColorWhite);
  item.SetGlyph(own);
  EXPECT_EQ(item.ImageIndex(), -1);
  EXPECT_EQ(item.Glyph(), own);
  item.SetImageIndex(2);
  EXPECT_EQ(item.Glyph()->Pixel(0, 0), 102u);
  lookup.RemoveUser(&user);
}

class LookUpSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    lookup.Add(Item("Czerwony|Kolor czerwony", "Red|Long red", "R", 10));
    lookup.Add(Item("Zielony", "", "G", 20));
    lookup.Add(Item("Żółty", "Yellow", "Y", 30));
    lookup.Add(Item("zebra", "", "z", 40));
  }
  TLookUp lookup;
};

TEST_F(LookUpSearch, Searches) {
  EXPECT_EQ(lookup.IndexOfCaption("ZIELONY"), 1);
  EXPECT_EQ(lookup.IndexOfCaption("czerwony|kolor czerwony"), 0);
  // One character: the first caption that begins with it, ignoring case (Cyrillic and Latin
  // letters of several bytes count as one character).
  EXPECT_EQ(lookup.IndexOfCaption("z"), 1);
  EXPECT_EQ(lookup.IndexOfCaption("ż"), 2);
  EXPECT_EQ(lookup.IndexOfCaption("x"), -1);
  EXPECT_EQ(lookup.IndexOfCaption("Zi"), -1);

  EXPECT_EQ(lookup.IndexOfHint("yellow"), 2);
  EXPECT_EQ(lookup.IndexOfHint("zielony"), 1);  // an empty hint reads as the caption
  EXPECT_EQ(lookup.IndexOfHint("nothing"), NoInt);

  EXPECT_EQ(lookup.IndexOfIdStr("z"), 3);
  EXPECT_EQ(lookup.IndexOfIdStr("r"), -1);  // exact
  EXPECT_EQ(lookup.IndexOfId(30), 2);
  EXPECT_EQ(lookup.IndexOfId(31), -1);
  EXPECT_EQ(lookup.ItemById(20)->Caption(), "Zielony");
  EXPECT_EQ(lookup.ItemById(21), nullptr);
}

TEST_F(LookUpSearch, ReturnTextsFindTheirItemAgain) {
  struct Case {
    TReturnStr mode;
    const char* texts[4];
  };
  const Case cases[] = {
      {rsCaption, {"Czerwony", "Zielony", "Żółty", "zebra"}},
      {rsHint, {"Long red", "Zielony", "Yellow", "zebra"}},
      {rsId, {"10", "20", "30", "40"}},
      {rsIdStr, {"R", "G", "Y", "z"}},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(ReturnText(*lookup.Items(i), c.mode), c.texts[i]) << c.mode << " " << i;
      EXPECT_EQ(lookup.IndexOfText(c.texts[i], c.mode), i) << c.mode << " " << c.texts[i];
    }
  }
  // The full caption and hint are found as well; unknown texts give -1 in every mode.
  EXPECT_EQ(lookup.IndexOfText("Czerwony|Kolor czerwony", rsCaption), 0);
  EXPECT_EQ(lookup.IndexOfText("Red|Long red", rsHint), 0);
  EXPECT_EQ(lookup.IndexOfText("x", rsCaption), -1);
  EXPECT_EQ(lookup.IndexOfText("x", rsHint), -1);
  EXPECT_EQ(lookup.IndexOfText("x", rsId), -1);
  EXPECT_EQ(lookup.IndexOfText("11", rsId), -1);
  // A blank long part of a hint is returned as empty; NoInt as id gives an empty text.
  TLookUp other;
  other.Add(Item("A", "Short|  ", "", NoInt));
  EXPECT_EQ(ReturnText(*other.Items(0), rsHint), "");
  EXPECT_EQ(ReturnText(*other.Items(0), rsId), "");
}

TEST(LookUp, UsersUpdatesAndDestruction) {
  CountingUser a, b;
  int updates = 0;
  {
    TLookUp lookup;
    lookup.OnUpdateItems = [&](TCustomLookUp&) { ++updates; };
    lookup.AddUser(&a);
    lookup.AddUser(&b);
    lookup.AddUser(&a);  // once only
    lookup.Add(Item("One", "", "", 1));
    EXPECT_EQ(a.changed, 1);
    EXPECT_EQ(updates, 1);

    // Inside an update the users are told once, at its end.
    lookup.BeginUpdate();
    lookup.Add(Item("Two", "", "", 2));
    lookup.Item(0).SetCaption("Uno");
    EXPECT_EQ(a.changed, 1);
    lookup.EndUpdate();
    EXPECT_EQ(a.changed, 2);
    EXPECT_EQ(b.changed, 2);
    EXPECT_EQ(updates, 2);
    lookup.EndUpdate();  // without a BeginUpdate nothing happens
    EXPECT_EQ(a.changed, 2);

    lookup.RemoveUser(&b);
    lookup.Delete(0);
    EXPECT_EQ(a.changed, 3);
    EXPECT_EQ(b.changed, 2);
  }
  EXPECT_EQ(a.destroyed, 1);
  EXPECT_EQ(b.destroyed, 0);
}

TEST(LookUp, PopUpGoesThroughTheHost) {
  struct Host : ILookUpPopUpHost {
    void PopUpAt(TCustomLookUp&, int x, int y, int h, int w, TReturnStr mode,
                 LookUpTextCallback cb) override {
      calls.push_back("at " + std::to_string(x) + "," + std::to_string(y));
      cb("chosen");
    }
    void PopUpUnder(TCustomLookUp&, LookUpControl, TReturnStr, LookUpTextCallback) override {
      calls.push_back("under");
    }
    std::vector<std::string> calls;
  } host;
  TLookUp lookup;
  CountingUser user;
  lookup.AddUser(&user);
  std::string got;
  lookup.PopUpAt(
      5, 6, [&](const std::string& t) { got = t; }, rsCaption);
  EXPECT_TRUE(host.calls.empty());  // no host: nothing pops up
  EXPECT_EQ(user.changed, 1);       // but the look-up refreshes first
  SetLookUpPopUpHost(&host);
  lookup.PopUpAt(
      5, 6, [&](const std::string& t) { got = t; }, rsCaption);
  lookup.PopUpUnder(nullptr, rsHint, {});
  SetLookUpPopUpHost(nullptr);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"at 5,6", "under"}));
  EXPECT_EQ(got, "chosen");
  lookup.RemoveUser(&user);
}

TEST(LookUpTexts, IntegersAndAccelerators) {
  int32_t v = 0;
  EXPECT_TRUE(ParseLookUpInteger(" -12 ", v));
  EXPECT_EQ(v, -12);
  EXPECT_TRUE(ParseLookUpInteger("+7", v));
  EXPECT_EQ(v, 7);
  for (const char* bad : {"", "1.5", "12a", "+-1", "2147483648", "--1", "1 2"}) {
    EXPECT_FALSE(ParseLookUpInteger(bad, v)) << bad;
  }
  EXPECT_EQ(StripAccelerators("&Plik && dane&"), "Plik & dane");
}

TEST(LookUpStandardDrawing, ByDisplayStyle) {
  TLookUp lookup;
  auto glyph = std::make_shared<TGlyph>(10, 8);
  LookUpItemData d = Item("&Open", "", "O", 7);
  d.glyph = glyph;
  d.enabled = false;
  lookup.Add(d);
  const ItemRect rect{0, 0, 100, 20};
  struct Case {
    TDisplayStyle style;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {dsCaption, {"text 3,3 Open grey"}},
      {dsGlyph, {"glyph 1,6 10x8 grey"}},
      {dsCaptionGlyph, {"glyph 1,6 10x8 grey", "text 22,3 Open grey"}},
      {dsIdStr, {"text 3,3 O grey"}},
      {dsIdGlyph, {"glyph 1,6 10x8 grey", "text 22,3 7 grey"}},
  };
  for (const Case& c : cases) {
    test::FakeCanvas canvas;
    lookup.DrawItem(canvas, rect, 0, 19, 0, c.style);
    EXPECT_EQ(canvas.log, c.log) << c.style;
  }
}

// One item, caption "Ab", hint "H", id string "", id 5, enabled, image 2, no glyph.
const uint8_t kOneItem[] = {1, 0, 0, 0, 2, 0, 'A', 'b', 1, 0, 'H', 0,
                            0, 5, 0, 0, 0, 1, 2,   0,   0, 0, 0};

TEST(LookUpItems, RecordBytesAndRoundTrip) {
  TObjectStream in;
  in.WriteBytes(kOneItem, sizeof kOneItem);
  in.SetPosition(0);
  TLookUp lookup;
  lookup.ReadItems(in);
  ASSERT_EQ(lookup.Count(), 1);
  EXPECT_EQ(lookup.Items(0)->Caption(), "Ab");
  EXPECT_EQ(lookup.Items(0)->Hint(), "H");
  EXPECT_EQ(lookup.Items(0)->Id(), 5);
  EXPECT_EQ(lookup.Items(0)->ImageIndex(), 2);

  TObjectStream out;
  lookup.WriteItems(out);
  EXPECT_EQ(out.MemoryData(), std::vector<uint8_t>(std::begin(kOneItem), std::end(kOneItem)));

  // With a glyph and Cyrillic texts.
  LookUpItemData d = Item("Красный", "Цвет", "К", -3);
  d.enabled = false;
  auto glyph = std::make_shared<TGlyph>(3, 2, kColorWhite);
  glyph->FillRect(0, 0, 1, 1, 0x123456);
  d.glyph = glyph;
  lookup.Add(d);
  TObjectStream s;
  lookup.WriteItems(s);
  s.SetPosition(0);
  TLookUp copy;
  copy.ReadItems(s);
  ASSERT_EQ(copy.Count(), 2);
  const TCustomLookUpItem& back = *copy.Items(1);
  EXPECT_EQ(back.Caption(), "Красный");
  EXPECT_EQ(back.Hint(), "Цвет");
  EXPECT_EQ(back.IdStr(), "К");
  EXPECT_EQ(back.Id(), -3);
  EXPECT_FALSE(back.Enabled());
  ASSERT_NE(back.Glyph(), nullptr);
  EXPECT_EQ(back.Glyph()->pixels, glyph->pixels);
}

TEST(LookUpItems, BadRecordsRaiseAndKeepTheItems) {
  TLookUp lookup;
  lookup.Add(Item("Kept", "", "", 1));
  const auto read = [&](std::vector<uint8_t> bytes) {
    TObjectStream s;
    s.WriteBytes(bytes.data(), bytes.size());
    s.SetPosition(0);
    lookup.ReadItems(s);
  };
  std::vector<uint8_t> huge_count = {0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_THROW(read(huge_count), EObjectStream);
  std::vector<uint8_t> negative = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_THROW(read(negative), EObjectStream);
  std::vector<uint8_t> truncated(kOneItem, kOneItem + sizeof kOneItem - 3);
  EXPECT_THROW(read(truncated), EObjectStream);
  // A glyph size beyond the data.
  std::vector<uint8_t> glyph(kOneItem, kOneItem + sizeof kOneItem);
  glyph.back() = 1;
  for (uint8_t b : {0x10, 0, 0, 0}) glyph.push_back(b);
  EXPECT_THROW(read(glyph), EObjectStream);
  ASSERT_EQ(lookup.Count(), 1);
  EXPECT_EQ(lookup.Items(0)->Caption(), "Kept");

  // Glyph data that is not a bitmap drops the glyph and keeps the item.
  std::vector<uint8_t> junk(kOneItem, kOneItem + sizeof kOneItem);
  junk.back() = 1;
  for (uint8_t b : {3, 0, 0, 0, 120, 121, 122}) junk.push_back(b);
  read(junk);
  ASSERT_EQ(lookup.Count(), 1);
  EXPECT_EQ(lookup.Items(0)->Caption(), "Ab");
  EXPECT_EQ(lookup.Item(0).Data().glyph, nullptr);
}

TEST(GlyphBitmap, ReadsPaletteBitmapsAndRefusesBadOnes) {
  // A 2 x 2 bitmap of 1 bit a pixel, rows from the bottom: bottom row (white, black), top row
  // (black, white); palette black, white.
  const uint8_t one_bit[] = {
      'B',  'M', 70, 0, 0,    0,   0,   0, 0, 0, 62, 0, 0, 0,                    // file header
      40,   0,   0,  0, 2,    0,   0,   0, 2, 0, 0,  0, 1, 0, 1, 0, 0, 0, 0, 0,  // size .. bits
      8,    0,   0,  0, 0,    0,   0,   0, 0, 0, 0,  0, 2, 0, 0, 0, 0, 0, 0, 0,  // .. colours
      0,    0,   0,  0, 255,  255, 255, 0,                                       // palette
      0x80, 0,   0,  0, 0x40, 0,   0,   0};                                      // rows
  const TGlyphPtr g = DecodeGlyphBitmap(one_bit, sizeof one_bit);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Pixel(0, 0), kColorBlack);
  EXPECT_EQ(g->Pixel(1, 0), kColorWhite);
  EXPECT_EQ(g->Pixel(0, 1), kColorWhite);
  EXPECT_EQ(g->Pixel(1, 1), kColorBlack);
  EXPECT_EQ(g->transparent_color, kColorWhite);  // the bottom left pixel

  std::vector<uint8_t> bad(one_bit, one_bit + sizeof one_bit);
  bad.resize(bad.size() - 1);  // rows cut short
  EXPECT_EQ(DecodeGlyphBitmap(bad.data(), bad.size()), nullptr);
  std::vector<uint8_t> wide(one_bit, one_bit + sizeof one_bit);
  wide[18] = 0xFF;
  wide[19] = 0xFF;  // 65535 pixels wide
  EXPECT_EQ(DecodeGlyphBitmap(wide.data(), wide.size()), nullptr);
  std::vector<uint8_t> rle(one_bit, one_bit + sizeof one_bit);
  rle[30] = 1;
  EXPECT_EQ(DecodeGlyphBitmap(rle.data(), rle.size()), nullptr);
}

}  // namespace
}  // namespace hx
