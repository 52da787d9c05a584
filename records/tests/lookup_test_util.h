// Fakes shared by the look-up tests: an image list, a canvas that records what is drawn, and
// a user that counts notifications.
#pragma once

#include <string>
#include <vector>

#include "records/lookup.h"

namespace hx::test {

// Images of 16 x 16 (or the given size) filled with the colour 100 + index.
class FakeImages : public IImageList {
 public:
  explicit FakeImages(int count, int w = 16, int h = 16) : count_(count), w_(w), h_(h) {}
  int Count() const override { return count_; }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void Draw(int index, TGlyph& target) const override {
    target.FillRect(0, 0, w_, h_, 100 + index);
  }

 private:
  int count_, w_, h_;
};

// Text is 7 pixels a byte wide and 13 high; draws are recorded as lines of text.
class FakeCanvas : public ILookUpCanvas {
 public:
  int TextWidth(std::string_view text) override { return 7 * static_cast<int>(text.size()); }
  int TextHeight(std::string_view) override { return 13; }
  void DrawText(int x, int y, std::string_view text, bool disabled) override {
    log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(text) +
                  (disabled ? " grey" : ""));
  }
  void DrawGlyph(int x, int y, const TGlyph& glyph, bool disabled) override {
    log.push_back("glyph " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(glyph.width) + "x" + std::to_string(glyph.height) +
                  (disabled ? " grey" : ""));
  }
  void DrawPenLine(int x1, int x2, int y, int width, int style) override {
    log.push_back("line " + std::to_string(x1) + "-" + std::to_string(x2) + "," +
                  std::to_string(y) + " w" + std::to_string(width) + " s" + std::to_string(style));
  }
  std::vector<std::string> log;
};

class CountingUser : public ILookUpUser {
 public:
  void LookUpChanged(TCustomLookUp&) override { ++changed; }
  void LookUpDestroyed(TCustomLookUp&) override { ++destroyed; }
  int changed = 0;
  int destroyed = 0;
};

}  // namespace hx::test
