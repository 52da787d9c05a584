#include "platform/ui/gdi_canvas.h"

#include "base/utf8.h"
#include "records/field.h"

namespace hx {
namespace {

HFONT CreateSystemFont(bool menu) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW font = {};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font = menu ? metrics.lfMenuFont : metrics.lfMessageFont;
  } else {
    font.lfHeight = -11;
    lstrcpyW(font.lfFaceName, L"Tahoma");
  }
  // Any character set the face has: the texts are Russian and Polish.
  font.lfCharSet = DEFAULT_CHARSET;
  return CreateFontIndirectW(&font);
}

}  // namespace

HFONT FormFont() {
  static const HFONT font = CreateSystemFont(false);
  return font;
}

HFONT MenuFont() {
  static const HFONT font = CreateSystemFont(true);
  return font;
}

COLORREF ColorRefOf(int32_t color, int sys_color) {
  if (color == clDefaultColor || color < 0) return GetSysColor(sys_color);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

void DrawGlyphAt(HDC dc, int x, int y, const TGlyph& glyph, bool disabled) {
  if (glyph.width <= 0 || glyph.height <= 0 ||
      glyph.pixels.size() < static_cast<size_t>(glyph.width) * glyph.height) {
    return;
  }
  for (int row = 0; row < glyph.height; ++row) {
    for (int col = 0; col < glyph.width; ++col) {
      const uint32_t p = glyph.Pixel(col, row);
      if (p == glyph.transparent_color) continue;
      COLORREF c = p & 0x00FFFFFF;
      if (disabled) {
        // A light grey of the pixel's brightness.
        const int grey = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
        const int light = 128 + grey / 2;
        c = RGB(light, light, light);
      }
      SetPixelV(dc, x + col, y + row, c);
    }
  }
}

TGdiCanvas::TGdiCanvas(HDC dc, HFONT font)
    : dc_(dc), old_font_(SelectObject(dc, font)), text_color_(GetSysColor(COLOR_WINDOWTEXT)) {
  SetBkMode(dc_, TRANSPARENT);
}

TGdiCanvas::~TGdiCanvas() {
  SelectObject(dc_, old_font_);
}

int TGdiCanvas::TextWidth(std::string_view text) {
  const std::wstring w = Widen(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

int TGdiCanvas::TextHeight(std::string_view text) {
  const std::wstring w = Widen(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cy;
}

void TGdiCanvas::DrawText(int x, int y, std::string_view text, bool disabled) {
  const std::wstring w = Widen(text);
  ::SetTextColor(dc_, disabled ? GetSysColor(COLOR_GRAYTEXT) : text_color_);
  TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

void TGdiCanvas::DrawGlyph(int x, int y, const TGlyph& glyph, bool disabled) {
  DrawGlyphAt(dc_, x, y, glyph, disabled);
}

void TGdiCanvas::DrawPenLine(int x1, int x2, int y, int width, int style) {
  static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  const int pen_style = style >= 0 && style < 5 ? kStyles[style] : PS_SOLID;
  const HPEN pen = CreatePen(pen_style, width, text_color_);
  const HGDIOBJ old = SelectObject(dc_, pen);
  MoveToEx(dc_, x1, y, nullptr);
  LineTo(dc_, x2, y);
  SelectObject(dc_, old);
  DeleteObject(pen);
}

}  // namespace hx
