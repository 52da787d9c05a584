#include "records/popup_layout.h"

#include <gtest/gtest.h>

#include "records/lookup_kinds.h"
#include "records/tests/lookup_test_util.h"

namespace hx {
namespace {

const ItemRect kScreen{0, 0, 1024, 768};

TEST(PlacePopUp, BelowAboveBesideAndWithinTheScreen) {
  struct Case {
    ItemRect anchor;
    int w, h;
    bool under_control;
    ItemRect expected;
  };
  const Case cases[] = {
      // Below; a wider list starts at the control's left edge, a narrower one ends at its right.
      {{100, 100, 200, 120}, 150, 200, true, {100, 120, 250, 320}},
      {{100, 100, 200, 120}, 50, 200, true, {150, 120, 200, 320}},
      {{100, 100, 200, 120}, 50, 200, false, {100, 120, 150, 320}},  // at a rectangle
      // Near the bottom of the screen: above.
      {{100, 700, 200, 720}, 150, 200, true, {100, 500, 250, 700}},
      // Fits neither way: top of the screen, right of the control.
      {{100, 300, 200, 320}, 150, 700, true, {200, 0, 350, 700}},
      // Beyond the right edge: moved left; wider than the screen: at its left edge.
      {{1000, 100, 1020, 120}, 150, 200, true, {874, 120, 1024, 320}},
      {{10, 100, 20, 120}, 2000, 200, false, {0, 120, 2000, 320}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacePopUp(c.anchor, c.w, c.h, kScreen, c.under_control), c.expected)
        << c.anchor.left << "," << c.anchor.top << " " << c.w << "x" << c.h;
  }
  // A screen that does not start at 0 (a second monitor).
  const ItemRect second{1024, 0, 2048, 768};
  EXPECT_EQ(PlacePopUp({1030, 700, 1040, 720}, 300, 200, second, false),
            (ItemRect{1030, 500, 1330, 700}));
}

LookUpItemData Item(std::string caption, bool glyph = false, bool enabled = true) {
  LookUpItemData d;
  d.caption = std::move(caption);
  d.hint = d.caption + "|long " + d.caption;
  d.id_str = "s" + d.caption;
  d.enabled = enabled;
  if (glyph) d.glyph = std::make_shared<TGlyph>(16, 12);
  return d;
}

std::string Numbered(int i) {
  std::string name = "E";
  name += std::to_string(i);
  return name;
}

// Records what the look-up is told.
class ProbeLookUp : public TLookUp {
 public:
  void ItemChosen(int index) override { chosen.push_back(index); }
  std::vector<int> chosen;
};

TEST(PopUpListLayout, CellsByDisplayStyleAndLook) {
  ProbeLookUp lookup;
  lookup.Add(Item("One", true));
  lookup.Add(Item("Three"));
  test::FakeCanvas canvas;  // 7 pixels a byte, 13 high
  struct Case {
    TDisplayStyle style;
    bool slim, flat, every_item;
    int glyph, row, cell;
  };
  const Case cases[] = {
      {dsCaptionGlyph, false, false, false, 19, 17, 19 + 35 + 6},
      {dsCaptionGlyph, true, false, false, 19, 13, 19 + 35 + 6},
      {dsCaption, false, false, false, 0, 17, 35 + 6},
      {dsGlyph, false, false, false, 19, 15, 19},
      {dsIdStr, false, false, false, 0, 17, 42 + 6},
      {dsCaptionGlyph, false, true, false, 22, 21, 19 + 35 + 6 + 3},
      {dsGlyph, false, true, false, 23, 19, 23},
      {dsCaption, false, false, true, 0, 20, 35 + 6},
  };
  for (const Case& c : cases) {
    lookup.SlimRows = c.slim;
    PopUpListModel list(&lookup);
    list.DisplayStyle = c.style;
    list.Style = c.flat ? TLookUpListStyle::lsFlat : TLookUpListStyle::lsStandsrd;
    if (c.every_item) list.BorderStyle = TLookUpBorderStyle::bsEveryItem;
    list.Measure(canvas);
    EXPECT_EQ(list.GlyphWidth(), c.glyph) << c.style;
    EXPECT_EQ(list.RowHeight(), c.row) << c.style;
    EXPECT_EQ(list.CellWidth(), c.cell) << c.style;
  }
  lookup.SlimRows = false;

  // No glyph at all: a glyph column of 19 and rows of 16 + 3.
  TLookUp plain;
  plain.Add(Item("A"));
  PopUpListModel list(&plain);
  list.DisplayStyle = dsGlyph;
  list.Measure(canvas);
  EXPECT_EQ(list.GlyphWidth(), 19);
  EXPECT_EQ(list.RowHeight(), 19);
  // The default look follows the command bars.
  SetFlatCommandBars(true);
  list.Measure(canvas);
  EXPECT_EQ(list.RowHeight(), 23);
  SetFlatCommandBars(false);

  // The edit entry takes part with its caption.
  plain.AddEditItem = true;
  PopUpListModel with_edit(&plain);
  with_edit.DisplayStyle = dsCaption;
  ASSERT_EQ(with_edit.EntryCount(), 2);
  EXPECT_EQ(with_edit.Entry(1)->Caption(), "Правка");
  with_edit.Measure(canvas);
  EXPECT_EQ(with_edit.CellWidth(), 7 * 12 + 6);  // "Правка" is 12 bytes
}

TEST(PopUpListLayout, SelfMeasuringLookUps) {
  TPenWidthLookUp pens;
  test::FakeCanvas canvas;
  PopUpListModel list(&pens);
  list.Measure(canvas);
  EXPECT_EQ(list.RowHeight(), 16 + 6);  // the widest pen
  TLookUp lookup;
  lookup.Add(Item("A"));
  lookup.OnMeasureItem = [](TCustomLookUp&, ILookUpCanvas&, int& g, int& h, int& w, int,
                            TDisplayStyle) { w = 200; };
  PopUpListModel measured(&lookup);
  measured.Measure(canvas);
  EXPECT_EQ(measured.CellWidth(), 200);
}

TEST(PopUpListLayout, ColumnsRowsAndCells) {
  TLookUp lookup;
  for (int i = 0; i < 30; ++i) lookup.Add(Item(Numbered(i)));
  test::FakeCanvas canvas;
  PopUpListModel list(&lookup);
  list.DisplayStyle = dsCaption;
  list.Measure(canvas);
  ASSERT_EQ(list.RowHeight(), 17);

  list.Arrange({0, 80, 100, 100}, kScreen);  // room below for all
  EXPECT_EQ(list.ColumnCount(), 1);
  EXPECT_EQ(list.RowCount(), 30);
  // Little room below, more above: the rows are reckoned for the space above.
  list.Arrange({0, 700, 100, 720}, kScreen);
  EXPECT_EQ(list.ColumnCount(), 1);
  // Little room either way: columns.
  list.Arrange({0, 100, 100, 668}, kScreen);  // 96 below: 5 rows
  EXPECT_EQ(list.ColumnCount(), 6);
  EXPECT_EQ(list.RowCount(), 5);
  EXPECT_EQ(list.Width(), 6 * list.CellWidth() + 2);
  EXPECT_EQ(list.Height(), 5 * 17 + 2);
  // Entries run down the columns.
  EXPECT_EQ(list.CellRect(7),
            (ItemRect{1 + list.CellWidth(), 1 + 2 * 17, 1 + 2 * list.CellWidth(), 1 + 3 * 17}));
  EXPECT_EQ(list.EntryAt(1 + list.CellWidth() + 3, 1 + 2 * 17 + 3), 7);
  EXPECT_EQ(list.EntryAt(0, 0), -1);  // the border
  EXPECT_EQ(list.EntryAt(list.Width() + 5, 5), -1);
  // Wider than the screen: rows for the whole screen height.
  const ItemRect narrow{0, 0, 100, 768};
  list.Arrange({0, 100, 50, 668}, narrow);
  EXPECT_EQ(list.ColumnCount(), 1);  // 764 / 17 = 44 rows
  list.Columns = 4;
  list.Arrange({0, 100, 50, 668}, kScreen);
  EXPECT_EQ(list.ColumnCount(), 4);
  EXPECT_EQ(list.RowCount(), 8);
  list.Columns = 0;
  list.Embedded = true;
  list.Arrange({0, 100, 50, 668}, kScreen);
  EXPECT_EQ(list.ColumnCount(), 1);
}

TEST(PopUpListKeys, Navigation) {
  TLookUp lookup;
  for (int i = 0; i < 7; ++i) lookup.Add(Item(Numbered(i), false, i != 3));
  PopUpListModel list(&lookup);
  test::FakeCanvas canvas;
  list.Measure(canvas);
  list.Columns = 3;
  list.Arrange({}, kScreen);  // 3 rows
  struct Step {
    PopUpKey key;
    PopUpAction action;
    int selected;
  };
  const Step steps[] = {
      {PopUpKey::Down, PopUpAction::Select, 0},      {PopUpKey::Up, PopUpAction::None, 0},
      {PopUpKey::Right, PopUpAction::Select, 3},     {PopUpKey::Right, PopUpAction::Select, 6},
      {PopUpKey::Right, PopUpAction::None, 6},       {PopUpKey::Down, PopUpAction::None, 6},
      {PopUpKey::Tab, PopUpAction::Select, 0},       {PopUpKey::Left, PopUpAction::None, 0},
      {PopUpKey::Right, PopUpAction::Select, 3},     {PopUpKey::Enter, PopUpAction::Select, 0},
      {PopUpKey::Character, PopUpAction::PassOn, 0}, {PopUpKey::Function, PopUpAction::PassOn, 0},
      {PopUpKey::Escape, PopUpAction::Close, 0},     {PopUpKey::Other, PopUpAction::Close, 0},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(list.KeyDown(s.key), s.action) << static_cast<int>(s.key);
    EXPECT_EQ(list.Selected(), s.selected) << static_cast<int>(s.key);
  }
  std::string chosen;
  list.OnSetText = [&](const std::string& t) { chosen = t; };
  list.Select(4);
  EXPECT_EQ(list.KeyDown(PopUpKey::Enter), PopUpAction::Chosen);
  EXPECT_EQ(chosen, "E4");

  PopUpListModel empty(nullptr);
  EXPECT_EQ(empty.KeyDown(PopUpKey::Down), PopUpAction::None);
  EXPECT_EQ(empty.KeyDown(PopUpKey::Enter), PopUpAction::None);
}

TEST(PopUpListChoice, TextsEditEntryAndCustomColour) {
  ProbeLookUp lookup;
  lookup.Add(Item("Jeden"));
  lookup.Add(Item("Dwa", false, false));
  lookup.AddEditItem = true;
  std::vector<std::string> edits;
  lookup.OnEditItems = [&](TCustomLookUp&, LookUpControl, const std::string& text,
                           const LookUpTextCallback& cb) {
    edits.push_back(text);
    if (cb) cb("edited");
  };
  std::vector<std::string> texts;
  PopUpListModel list(&lookup);
  list.OnSetText = [&](const std::string& t) { texts.push_back(t); };
  list.OwnerHint = "Pole|Wybierz kolor";
  test::FakeCanvas canvas;
  list.Measure(canvas);
  list.Arrange({}, kScreen);

  // The text of each return mode; rsHint hands back only the long part.
  for (TReturnStr mode : {rsCaption, rsHint, rsIdStr}) {
    list.ReturnStr = mode;
    EXPECT_EQ(list.Choose(0), PopUpAction::Chosen);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Jeden", "long Jeden", "sJeden"}));
  EXPECT_EQ(lookup.chosen, (std::vector<int>{0, 0, 0}));
  // A disabled entry is not chosen, neither by the mouse.
  EXPECT_EQ(list.Choose(1), PopUpAction::None);
  const ItemRect cell = list.CellRect(1);
  EXPECT_EQ(list.MouseUp(cell.left + 2, cell.top + 2), PopUpAction::None);
  // The edit entry runs the look-up's edit with the long part of the owner's hint.
  texts.clear();
  EXPECT_EQ(list.Choose(2), PopUpAction::Chosen);
  EXPECT_EQ(edits, (std::vector<std::string>{"Wybierz kolor"}));
  EXPECT_EQ(texts, (std::vector<std::string>{"edited"}));

  // The custom colour is edited, not chosen.
  TColorLookUp colors;
  colors.SetRGBColors(true);
  int color_edits = 0;
  colors.OnEditItems = [&](TCustomLookUp&, LookUpControl, const std::string&,
                           const LookUpTextCallback&) { ++color_edits; };
  PopUpListModel color_list(&colors);
  color_list.OnSetText = [&](const std::string& t) { texts.push_back(t); };
  texts.clear();
  EXPECT_EQ(color_list.Choose(16), PopUpAction::Chosen);
  EXPECT_EQ(color_edits, 1);
  EXPECT_TRUE(texts.empty());
  EXPECT_EQ(color_list.Entry(16)->Caption(), "Нестандартный");
  EXPECT_EQ(color_list.Choose(5), PopUpAction::Chosen);
  EXPECT_EQ(texts, (std::vector<std::string>{"Красный"}));
}

TEST(PopUpListMouse, SelectionHintsAndDrawing) {
  TLookUp lookup;
  lookup.Add(Item("Jeden"));
  lookup.Add(Item("Dwa", false, false));
  PopUpListModel list(&lookup);
  list.DisplayStyle = dsIdStr;
  test::FakeCanvas canvas;
  list.Measure(canvas);
  list.Arrange({}, kScreen);
  const ItemRect second = list.CellRect(1);
  EXPECT_EQ(list.MouseMove(second.left + 1, second.top + 1), PopUpAction::Select);
  EXPECT_EQ(list.MouseMove(second.left + 2, second.top + 2), PopUpAction::None);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.EntryHint(1), "Dwa|long Dwa");
  EXPECT_EQ(list.MouseLeave(), PopUpAction::Select);
  EXPECT_EQ(list.Selected(), -1);
  list.DisplayStyle = dsCaptionGlyph;  // captions make hints superfluous
  EXPECT_EQ(list.EntryHint(1), "");

  list.DrawEntry(canvas, 1);
  ASSERT_EQ(canvas.log.size(), 1u);
  EXPECT_EQ(canvas.log[0], "text " + std::to_string(second.left + list.GlyphWidth() + 3) + "," +
                               std::to_string(second.top + 2) + " Dwa grey");
}

}  // namespace
}  // namespace hx
