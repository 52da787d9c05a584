// Glyphs of look-up items: small pictures held in memory, the image lists they may come from
// (drawn by the platform), and the bitmap data a glyph is stored as in form descriptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace hx {

// Colour values are 0x00BBGGRR, red in the low byte.
inline constexpr uint32_t kColorBlack = 0x000000;
inline constexpr uint32_t kColorWhite = 0xFFFFFF;
// Magenta, the colour that marks the transparent part of a glyph.
inline constexpr uint32_t kColorTransparent = 16711935;

// A picture of width x height pixels, rows from the top. Pixels of transparent_color are not
// drawn.
struct TGlyph {
  TGlyph() = default;
  TGlyph(int w, int h, uint32_t fill = kColorTransparent);

  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t transparent_color = kColorTransparent;

  uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Both ignore the parts outside the picture; right and bottom are exclusive.
  void FillRect(int left, int top, int right, int bottom, uint32_t color);
  void FrameRect(int left, int top, int right, int bottom, uint32_t color);
};

using TGlyphPtr = std::shared_ptr<const TGlyph>;

// The largest glyph read from stored data (stored bitmaps are untrusted).
inline constexpr int kMaxGlyphSide = 1024;

// An image list: images of one size, drawn by the platform.
class IImageList {
 public:
  virtual ~IImageList() = default;
  virtual int Count() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws image index into target at its top left corner; transparent parts of the image
  // leave target as it is.
  virtual void Draw(int index, TGlyph& target) const = 0;
};

// Image index rendered on a transparent background of the list's image size; none when there
// is no list or the index is not one of its images.
TGlyphPtr RenderImage(const IImageList* images, int index);

// The program-wide image list that the self-filling look-ups take their pictures from
// (installed by the platform; none in tests unless a test installs one; not owned).
const IImageList* SharedImages();
void SetSharedImages(const IImageList* images);

// Positions in the shared image list.
inline constexpr int kImagePrinter = 10;
inline constexpr int kImagePaper = 51;
inline constexpr int kImageByLayer = 94;
inline constexpr int kImageEditEntry = 96;
inline constexpr int kImagePaperSource = 102;
inline constexpr int kImageFont = 107;
inline constexpr int kImageFontStyle = 263;  // 263..270, one per font style entry

// A glyph as a device-independent bitmap file (24 bits a pixel, rows from the bottom).
std::vector<uint8_t> EncodeGlyphBitmap(const TGlyph& glyph);
// Reads bitmap file data of 1, 4, 8, 24 or 32 bits a pixel without compression. The pixel at
// the bottom left gives the transparent colour. Data that is not such a bitmap, or one larger
// than kMaxGlyphSide, gives none.
TGlyphPtr DecodeGlyphBitmap(const uint8_t* data, size_t size);

}  // namespace hx
