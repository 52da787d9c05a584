#include "records/lookup_devices.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "records/tests/lookup_test_util.h"

namespace hx {
namespace {

std::vector<std::string> Captions(TCustomLookUp& lookup) {
  std::vector<std::string> out;
  for (int i = 0; i < lookup.Count(); ++i) out.push_back(lookup.Items(i)->Caption());
  return out;
}

struct FakeFonts : IFontEnumerator {
  std::vector<FontFamilyInfo> FontFamilies(TFontDevice device, int charset) override {
    asked.push_back({device, charset});
    if (fail) throw std::runtime_error("no device");
    return {{"Verdana", 204, true, false},  {"Courier New", 204, true, true},
            {"Symbol", 2, true, false},     {"verdana", 204, true, false},
            {"Fixedsys", 204, false, true}, {"Arial", 204, true, false}};
  }
  std::vector<std::pair<TFontDevice, int>> asked;
  bool fail = false;
};

TEST(FontLookUp, FamiliesFilteredSortedAndUnique) {
  FakeFonts fonts;
  SetFontEnumerator(&fonts);
  test::FakeImages shared(300);
  SetSharedImages(&shared);
  TFontLookUp lookup;
  EXPECT_EQ(Captions(lookup),
            (std::vector<std::string>{"Arial", "Courier New", "Fixedsys", "Symbol", "Verdana"}));
  EXPECT_EQ(fonts.asked.back(), std::make_pair(fdScreen, 204));
  EXPECT_EQ(lookup.Items(1)->Id(), 1);
  EXPECT_EQ(lookup.Items(1)->Glyph()->Pixel(0, 0), 100u + kImageFont);

  struct Case {
    unsigned options;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {fdAnsiOnly, {"Arial", "Courier New", "Fixedsys", "Verdana"}},
      {fdTrueTypeOnly, {"Arial", "Courier New", "Symbol", "Verdana"}},
      {fdFixedPitchOnly, {"Courier New", "Fixedsys"}},
      {fdTrueTypeOnly | fdFixedPitchOnly, {"Courier New"}},
  };
  for (const Case& c : cases) {
    lookup.SetFontOptions(c.options);
    EXPECT_EQ(Captions(lookup), c.names) << c.options;
  }
  lookup.SetFontDevice(fdPrinter);
  EXPECT_EQ(fonts.asked.back().first, fdPrinter);
  lookup.SetAddByLayer(true);
  EXPECT_EQ(Captions(lookup), (std::vector<std::string>{"Как слой", "Courier New"}));
  EXPECT_EQ(lookup.Items(0)->Id(), -1);

  // A failing enumeration leaves only the by-layer entry.
  fonts.fail = true;
  lookup.Refill();
  EXPECT_EQ(Captions(lookup), (std::vector<std::string>{"Как слой"}));
  SetFontEnumerator(nullptr);
  SetSharedImages(nullptr);
}

TEST(FontLookUp, StylesAndSizes) {
  TFontStyleLookUp styles;
  ASSERT_EQ(styles.Count(), 8);
  EXPECT_EQ(styles.Items(3)->Caption(), "Полужирный курсив");
  EXPECT_EQ(styles.Items(7)->Caption(), "Полужирный курсив");
  EXPECT_EQ(styles.Items(7)->Id(), 7);
  EXPECT_EQ(styles.Items(7)->ImageIndex(), 270);
  TFontSizeLookUp sizes;
  EXPECT_EQ(Captions(sizes).front(), "8");
  EXPECT_EQ(Captions(sizes).back(), "72");
  EXPECT_EQ(sizes.IndexOfId(36), 13);
  EXPECT_EQ(sizes.Items(0)->Glyph(), nullptr);
  sizes.SetAddByLayer(true);
  EXPECT_EQ(sizes.Count(), 17);
  EXPECT_EQ(sizes.IndexOfId(-1), 0);
}

struct FakePrinters : IPrinterInfo {
  std::vector<std::string> PrinterNames() override {
    if (fail) throw std::runtime_error("spooler");
    return names;
  }
  bool PaperSizes(int printer, std::vector<std::string>& n, std::vector<int32_t>& k) override {
    asked.push_back(printer);
    n = {"A4", "A3 "};
    k = {9, 8};
    if (mismatch) k.pop_back();
    return true;
  }
  bool PaperSources(int printer, std::vector<std::string>& n, std::vector<int32_t>& k) override {
    asked.push_back(printer);
    n = {"Tray 1"};
    k = {15};
    return !refuse;
  }
  std::vector<std::string> names = {"Laser", "Plotter"};
  std::vector<int> asked;
  bool fail = false, mismatch = false, refuse = false;
};

TEST(PrinterLookUps, PrintersPapersAndSources) {
  FakePrinters printers;
  SetPrinterInfo(&printers);
  TPrinterLookUp lookup;
  EXPECT_EQ(Captions(lookup),
            (std::vector<std::string>{"Принтер по умолчанию", "Laser", "Plotter"}));
  EXPECT_EQ(lookup.Items(0)->Id(), -1);
  EXPECT_EQ(lookup.Items(0)->ImageIndex(), kImagePrinter);
  EXPECT_EQ(lookup.Items(2)->Id(), 1);
  EXPECT_FALSE(NoPrinterInstalled());

  TPaperSizeLookUp sizes;
  EXPECT_EQ(Captions(sizes), (std::vector<std::string>{"A4", "A3"}));
  EXPECT_EQ(sizes.Items(1)->Id(), 8);
  EXPECT_EQ(sizes.Items(1)->ImageIndex(), kImagePaper);
  sizes.SetPrinterIndex(1);
  sizes.SetPrinterIndex(7);  // no such printer: the default one
  EXPECT_EQ(printers.asked, (std::vector<int>{-1, 1, -1}));
  printers.mismatch = true;
  sizes.Refill();
  EXPECT_EQ(sizes.Count(), 0);

  TPaperSourceLookUp sources;
  EXPECT_EQ(Captions(sources), (std::vector<std::string>{"Tray 1"}));
  EXPECT_EQ(sources.Items(0)->ImageIndex(), kImagePaperSource);
  printers.refuse = true;
  sources.Refill();
  EXPECT_EQ(sources.Count(), 0);

  // No printer: one entry, the flag, and empty paper lists.
  printers.names.clear();
  printers.refuse = printers.mismatch = false;
  lookup.Refill();
  EXPECT_EQ(Captions(lookup), (std::vector<std::string>{"Нет принтера"}));
  EXPECT_TRUE(NoPrinterInstalled());
  sources.Refill();
  EXPECT_EQ(sources.Count(), 0);

  // A failure of the printer info leaves the list empty.
  printers.fail = true;
  lookup.Refill();
  EXPECT_EQ(lookup.Count(), 0);
  SetNoPrinterInstalled(false);
  SetPrinterInfo(nullptr);
}

}  // namespace
}  // namespace hx
