#include "records/lookup_devices.h"

#include <algorithm>
#include <exception>

#include "base/string_table.h"
#include "base/text.h"

namespace hx {
namespace {

IFontEnumerator* g_fonts = nullptr;
IPrinterInfo* g_printers = nullptr;
bool g_no_printer = false;

constexpr int kSymbolCharset = 2;

LookUpItemData Entry(std::string caption, int32_t id, int32_t image) {
  LookUpItemData d;
  d.caption = std::move(caption);
  d.id = id;
  d.image_index = image;
  return d;
}

}  // namespace

void SetFontEnumerator(IFontEnumerator* fonts) {
  g_fonts = fonts;
}
void SetPrinterInfo(IPrinterInfo* printers) {
  g_printers = printers;
}
bool NoPrinterInstalled() {
  return g_no_printer;
}
void SetNoPrinterInstalled(bool none) {
  g_no_printer = none;
}

// ---- fonts

void TFontLookUp0::SetAddByLayer(bool v) {
  if (v == add_by_layer_) return;
  add_by_layer_ = v;
  Refill();
}

const IImageList* TFontLookUp0::Images() const {
  const IImageList* own = TLookUp0::Images();
  return own ? own : SharedImages();
}

void TFontLookUp0::Refill() {
  BeginUpdate();
  TLookUp0::Clear();
  if (add_by_layer_) Add(Entry(std::string(LoadStr(10227)), -1, kImageByLayer));
  FillEntries();
  EndUpdate();
}

void TFontLookUp::SetFontDevice(TFontDevice device) {
  if (device == device_) return;
  device_ = device;
  Refill();
}

void TFontLookUp::SetFontOptions(unsigned options) {
  if (options == options_) return;
  options_ = options;
  Refill();
}

void TFontLookUp::FillEntries() {
  if (!g_fonts) return;
  std::vector<std::string> names;
  try {
    for (const FontFamilyInfo& f : g_fonts->FontFamilies(device_, kCharset)) {
      if ((options_ & fdAnsiOnly) && f.charset == kSymbolCharset) continue;
      if ((options_ & fdTrueTypeOnly) && !f.true_type) continue;
      if ((options_ & fdFixedPitchOnly) && !f.fixed_pitch) continue;
      std::string name = Trim(f.name);
      if (!name.empty()) names.push_back(std::move(name));
    }
  } catch (const std::exception&) {
    return;  // an enumeration failure leaves the families out, silently
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  names.erase(
      std::unique(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return SameText(a, b); }),
      names.end());
  for (size_t i = 0; i < names.size(); ++i) {
    Add(Entry(std::move(names[i]), static_cast<int32_t>(i), kImageFont));
  }
}

void TFontStyleLookUp::FillEntries() {
  for (int i = 0; i < 8; ++i) Add(Entry(std::string(LoadStr(10218 + i)), i, kImageFontStyle + i));
}

const int TFontSizeLookUp::kSizes[16] = {8,  9,  10, 11, 12, 14, 16, 18,
                                         20, 22, 24, 26, 28, 36, 48, 72};

void TFontSizeLookUp::FillEntries() {
  for (const int size : kSizes) Add(Entry(std::to_string(size), size, -1));
}

// ---- printers

const IImageList* TPrinterLookUp::Images() const {
  const IImageList* own = TLookUp0::Images();
  return own ? own : SharedImages();
}

void TPrinterLookUp::Refill() {
  BeginUpdate();
  Clear();
  if (g_printers) {
    try {
      const std::vector<std::string> names = g_printers->PrinterNames();
      SetNoPrinterInstalled(names.empty());
      if (names.empty()) {
        Add(Entry(std::string(LoadStr(10338)), -1, -1));
      } else {
        Add(Entry(std::string(LoadStr(10255)), -1, kImagePrinter));
        for (size_t i = 0; i < names.size(); ++i) {
          Add(Entry(names[i], static_cast<int32_t>(i), -1));
        }
      }
    } catch (const std::exception&) {
      Clear();
    }
  }
  EndUpdate();
}

TPaperLookUp::TPaperLookUp(bool sources) : sources_(sources) {
  DisplayStyle = dsCaption;
  Refill();
}

const IImageList* TPaperLookUp::Images() const {
  const IImageList* own = TLookUp0::Images();
  return own ? own : SharedImages();
}

void TPaperLookUp::SetPrinterIndex(int index) {
  printer_ = index;
  Refill();
}

void TPaperLookUp::Refill() {
  BeginUpdate();
  Clear();
  if (g_printers && !NoPrinterInstalled()) {
    try {
      const size_t printers = g_printers->PrinterNames().size();
      const int printer = printer_ >= 0 && static_cast<size_t>(printer_) < printers ? printer_ : -1;
      std::vector<std::string> names;
      std::vector<int32_t> numbers;
      const bool ok = sources_ ? g_printers->PaperSources(printer, names, numbers)
                               : g_printers->PaperSizes(printer, names, numbers);
      if (ok && printers > 0 && !names.empty() && names.size() == numbers.size()) {
        const int32_t image = sources_ ? kImagePaperSource : kImagePaper;
        for (size_t i = 0; i < names.size(); ++i) Add(Entry(Trim(names[i]), numbers[i], image));
      }
    } catch (const std::exception&) {
      Clear();
    }
  }
  EndUpdate();
}

}  // namespace hx
