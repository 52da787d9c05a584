// Feeds arbitrary bytes to the object-stream reader. The first byte chooses the format variant
// (bits 0-1) and whether a file header comes first (bit 2); the rest is the stream. Every
// failure must be an exception of the frameworks: no crash, hang or unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/object_stream.h"
#include "objects/sorted_collection.h"
#include "objects/shared_buffer.h"

namespace {

// A sorted collection ordered by the items' type ids, so that the sorted insertion, the
// duplicates rule and the re-sort run on fuzzed input as well.
class TFuzzSorted : public hx::TCustomSortedCollection {
  HX_STREAMABLE(TFuzzSorted, 902)

 public:
  int Compare(hx::CollKey a, hx::CollKey b) const override {
    const int x = static_cast<const hx::TStreamableObject*>(a)->TypeId();
    const int y = static_cast<const hx::TStreamableObject*>(b)->TypeId();
    return x < y ? -1 : x > y ? 1 : 0;
  }
};

class TFuzzBuffer : public hx::TSharedBufferWithNameTimeDate {
  HX_STREAMABLE(TFuzzBuffer, 903)
};

bool Init() {
  hx::RegisterObjectStreamables();
  hx::RegisterStreamable<TFuzzSorted>();
  hx::RegisterStreamable<TFuzzBuffer>();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool init = Init();
  (void)init;
  if (size < 1) return 0;
  const int variant = data[0] % 3;
  const bool header = data[0] & 4;
  hx::TObjectStream s(
      std::make_unique<hx::TMemoryStream>(std::vector<uint8_t>(data + 1, data + size)));
  try {
    if (header) s.ReadHeader(hx::SigCatProd());
    for (int i = 0; i < 64; ++i) {
      auto obj = s.GetObject(variant);
      if (auto* sorted = dynamic_cast<TFuzzSorted*>(obj.get())) sorted->SetDuplicates(false);
      hx::TObjectStream out;
      out.PutObject(*obj, variant);
    }
  } catch (const hx::EHXError&) {
  } catch (const hx::EListError&) {
  }
  return 0;
}
