#include "objects/data_kind.h"

#include <random>

#include "objects/object_stream.h"

namespace hx {
namespace {

uint8_t g_data_kind = 1;
std::function<uint8_t()> g_random;

uint8_t NextFiller() {
  if (g_random) return g_random();
  static std::minstd_rand engine{std::random_device{}()};
  return static_cast<uint8_t>(engine() % 255);
}

}  // namespace

uint8_t GetDataKind() { return g_data_kind; }
void SetDataKind(uint8_t kind) { g_data_kind = kind; }

int FillerUnitCount() { return g_data_kind == 7 ? 4 : 0; }

void WriteFiller(TObjectStream& s, int variant) {
  for (int i = 0; i < FillerUnitCount(); ++i) {
    const uint8_t v = NextFiller();
    if (variant == 1) {
      s.WriteWord(v);
    } else {
      s.WriteByte(v);
    }
  }
}

void SkipFiller(TObjectStream& s, int variant) {
  for (int i = 0; i < FillerUnitCount(); ++i) {
    if (variant == 1) {
      s.ReadWord();
    } else {
      s.ReadByte();
    }
  }
}

void SetFillerRandom(std::function<uint8_t()> source) { g_random = std::move(source); }

}  // namespace hx
