// The look-ups filled from what the system has installed: font families, font styles and
// sizes, printers, and a printer's paper sizes and sources. The platform answers through the
// font enumerator and printer info interfaces; without them the lists stay empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/lookup.h"

namespace hx {

// ---- the platform's answers

enum TFontDevice : uint8_t { fdScreen, fdPrinter };

struct FontFamilyInfo {
  std::string name;
  int charset = 0;  // 2 = the symbol character set
  bool true_type = false;
  bool fixed_pitch = false;
};

class IFontEnumerator {
 public:
  virtual ~IFontEnumerator() = default;
  // The font families of the device (the current printer for fdPrinter) that offer the
  // character set. May raise; a failure leaves the list empty.
  virtual std::vector<FontFamilyInfo> FontFamilies(TFontDevice device, int charset) = 0;
};
void SetFontEnumerator(IFontEnumerator* fonts);

class IPrinterInfo {
 public:
  virtual ~IPrinterInfo() = default;
  // The installed printers by name.
  virtual std::vector<std::string> PrinterNames() = 0;
  // The paper names and the driver's numbers of printer index (-1 the default printer); false
  // when the driver cannot be asked. May raise.
  virtual bool PaperSizes(int printer, std::vector<std::string>& names,
                          std::vector<int32_t>& numbers) = 0;
  // The same for the paper sources (bins).
  virtual bool PaperSources(int printer, std::vector<std::string>& names,
                            std::vector<int32_t>& numbers) = 0;
};
void SetPrinterInfo(IPrinterInfo* printers);

// The program-wide flag that no printer is installed; the printer look-up sets it.
bool NoPrinterInstalled();
void SetNoPrinterInstalled(bool none);

// ---- fonts

// The base of the font look-ups: an optional by-layer entry first (id -1, caption 10227, image
// 94); pictures from the shared image list unless the look-up has its own.
class TFontLookUp0 : public TLookUp0 {
 public:
  TFontLookUp0() { DisplayStyle = dsCaption; }

  bool AddByLayer() const { return add_by_layer_; }
  void SetAddByLayer(bool v);
  const IImageList* Images() const override;
  // Fills the items again (also to be called once the look-up is loaded).
  void Refill();

 protected:
  virtual void FillEntries() = 0;

 private:
  bool add_by_layer_ = false;
};

enum TFontOption : unsigned {
  fdAnsiOnly = 1,        // no symbol fonts
  fdTrueTypeOnly = 2,    // TrueType fonts only
  fdFixedPitchOnly = 4,  // fixed-pitch fonts only
};

// One item per font family offering the Cyrillic character set (204) on the screen or the
// current printer, sorted ignoring case and without duplicates: caption the family name, id its
// position among the families, image 107.
class TFontLookUp : public TFontLookUp0 {
 public:
  static constexpr int kCharset = 204;

  TFontLookUp() { Refill(); }
  TFontDevice FontDevice() const { return device_; }
  void SetFontDevice(TFontDevice device);
  unsigned FontOptions() const { return options_; }
  void SetFontOptions(unsigned options);

 protected:
  void FillEntries() override;

 private:
  TFontDevice device_ = fdScreen;
  unsigned options_ = 0;
};

// Ids 0..7, captions 10218..10225, images 263..270.
class TFontStyleLookUp : public TFontLookUp0 {
 public:
  TFontStyleLookUp() { Refill(); }

 protected:
  void FillEntries() override;
};

// The point sizes 8 .. 72 as ids and captions, without glyphs.
class TFontSizeLookUp : public TFontLookUp0 {
 public:
  static const int kSizes[16];
  TFontSizeLookUp() { Refill(); }

 protected:
  void FillEntries() override;
};

// ---- printers

// 10255 "Принтер по умолчанию" (id -1, image 10), then the installed printers (id = position).
// Without printers only 10338 "Нет принтера" (id -1), and the no-printer flag is set. A failure
// of the printer info leaves the list empty.
class TPrinterLookUp : public TLookUp0 {
 public:
  TPrinterLookUp() {
    DisplayStyle = dsCaption;
    Refill();
  }
  const IImageList* Images() const override;
  void Refill();
};

// The paper sizes or sources of one printer: caption the name, id the driver's number, image
// 51 (paper) or 102 (source). Empty without printers, when the driver's names and numbers do
// not agree in count, or on any failure. An index that names no printer asks the default one.
class TPaperLookUp : public TLookUp0 {
 public:
  const IImageList* Images() const override;
  int PrinterIndex() const { return printer_; }
  // Selects the printer and fills the list.
  void SetPrinterIndex(int index);
  void Refill();

 protected:
  explicit TPaperLookUp(bool sources);

 private:
  bool sources_;
  int printer_ = -1;
};

class TPaperSizeLookUp : public TPaperLookUp {
 public:
  TPaperSizeLookUp() : TPaperLookUp(false) {}
};

class TPaperSourceLookUp : public TPaperLookUp {
 public:
  TPaperSourceLookUp() : TPaperLookUp(true) {}
};

}  // namespace hx
