// DataKind: 7 while the server's own catalog files are read and written, 1 for data exchanged
// with the client (and before start-up completes). It selects how many filler units some
// catalog item records carry.
#pragma once

#include <cstdint>
#include <functional>

namespace hx {

class TObjectStream;

uint8_t GetDataKind();
void SetDataKind(uint8_t kind);

// Sets DataKind for a scope and restores the previous value after it.
class DataKindScope {
 public:
  explicit DataKindScope(uint8_t kind) : saved_(GetDataKind()) { SetDataKind(kind); }
  ~DataKindScope() { SetDataKind(saved_); }
  DataKindScope(const DataKindScope&) = delete;
  DataKindScope& operator=(const DataKindScope&) = delete;

 private:
  uint8_t saved_;
};

// 4 filler units when DataKind is 7, otherwise 0.
int FillerUnitCount();

// Writes the filler units (bytes in variant 0, 16-bit words in variant 1) with random values
// 0..254; SkipFiller reads past them.
void WriteFiller(TObjectStream& s, int variant);
void SkipFiller(TObjectStream& s, int variant);

// The random source of the filler (tests install a fixed one). An empty function restores the
// default generator.
void SetFillerRandom(std::function<uint8_t()> source);

}  // namespace hx
