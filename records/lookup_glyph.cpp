#include "records/lookup_glyph.h"

#include <algorithm>

namespace hx {

TGlyph::TGlyph(int w, int h, uint32_t fill)
    : width(std::max(0, w)),
      height(std::max(0, h)),
      pixels(static_cast<size_t>(width) * height, fill) {}

void TGlyph::FillRect(int left, int top, int right, int bottom, uint32_t color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width);
  bottom = std::min(bottom, height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) pixels[static_cast<size_t>(y) * width + x] = color;
  }
}

void TGlyph::FrameRect(int left, int top, int right, int bottom, uint32_t color) {
  if (right <= left || bottom <= top) return;
  FillRect(left, top, right, top + 1, color);
  FillRect(left, bottom - 1, right, bottom, color);
  FillRect(left, top, left + 1, bottom, color);
  FillRect(right - 1, top, right, bottom, color);
}

TGlyphPtr RenderImage(const IImageList* images, int index) {
  if (!images || index < 0 || index >= images->Count()) return nullptr;
  const int w = images->Width();
  const int h = images->Height();
  if (w <= 0 || h <= 0 || w > kMaxGlyphSide || h > kMaxGlyphSide) return nullptr;
  auto glyph = std::make_shared<TGlyph>(w, h, kColorTransparent);
  images->Draw(index, *glyph);
  return glyph;
}

namespace {

const IImageList* g_shared_images = nullptr;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
uint32_t Get16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
  return Get16(p) | (Get16(p + 2) << 16);
}

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

uint32_t FromBgr(const uint8_t* p) {
  return (p[0] << 16) | (p[1] << 8) | p[2];
}

}  // namespace

const IImageList* SharedImages() {
  return g_shared_images;
}
void SetSharedImages(const IImageList* images) {
  g_shared_images = images;
}

std::vector<uint8_t> EncodeGlyphBitmap(const TGlyph& glyph) {
  const uint32_t stride = (static_cast<uint32_t>(glyph.width) * 3 + 3) & ~3u;
  const uint32_t image_size = stride * glyph.height;
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out;
  out.reserve(offset + image_size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_size);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, kInfoHeaderSize);
  Put32(out, glyph.width);
  Put32(out, glyph.height);
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits a pixel
  Put32(out, 0);   // no compression
  Put32(out, image_size);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = glyph.height - 1; y >= 0; --y) {
    for (int x = 0; x < glyph.width; ++x) {
      const uint32_t c = glyph.Pixel(x, y);
      out.push_back(static_cast<uint8_t>(c >> 16));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c));
    }
    for (uint32_t pad = glyph.width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

TGlyphPtr DecodeGlyphBitmap(const uint8_t* data, size_t size) {
  if (!data || size < kFileHeaderSize + kInfoHeaderSize) return nullptr;
  if (data[0] != 'B' || data[1] != 'M') return nullptr;
  const uint32_t offset = Get32(data + 10);
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t header_size = Get32(info);
  const int32_t width = static_cast<int32_t>(Get32(info + 4));
  const int32_t raw_height = static_cast<int32_t>(Get32(info + 8));
  const uint32_t bits = Get16(info + 14);
  const uint32_t compression = Get32(info + 16);
  uint32_t colors_used = Get32(info + 32);
  if (header_size < kInfoHeaderSize || header_size > size - kFileHeaderSize) return nullptr;
  if (compression != 0) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  const bool top_down = raw_height < 0;
  const int64_t height = top_down ? -static_cast<int64_t>(raw_height) : raw_height;
  if (width <= 0 || height <= 0 || width > kMaxGlyphSide || height > kMaxGlyphSide) return nullptr;

  const uint8_t* palette = info + header_size;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (colors_used == 0 || colors_used > full) colors_used = full;
    if (static_cast<size_t>(palette - data) + colors_used * 4 > size) return nullptr;
  } else {
    colors_used = 0;
  }
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  if (offset > size || stride * height > size - offset) return nullptr;

  auto glyph = std::make_shared<TGlyph>(width, static_cast<int>(height), 0);
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t* src = data + offset + row * stride;
    const int y = static_cast<int>(top_down ? row : height - 1 - row);
    for (int x = 0; x < width; ++x) {
      uint32_t color;
      if (bits >= 24) {
        color = FromBgr(src + x * (bits / 8));
      } else {
        const uint32_t bit = static_cast<uint32_t>(x) * bits;
        const uint32_t index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        color = index < colors_used ? FromBgr(palette + index * 4) : kColorBlack;
      }
      glyph->pixels[static_cast<size_t>(y) * width + x] = color;
    }
  }
  glyph->transparent_color = glyph->Pixel(0, glyph->height - 1);
  return glyph;
}

}  // namespace hx
