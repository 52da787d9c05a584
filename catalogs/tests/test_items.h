// Item classes of the catalog tests: concrete classes over the item bases, with test type ids.
#pragma once

#include "catalogs/cat_item.h"

namespace hx::test {

class TTestSdpItem : public TSDPCatItem {
  HX_STREAMABLE(TTestSdpItem, 990)
};

class TTestPicItem : public TSDPPicCatItem {
  HX_STREAMABLE(TTestPicItem, 991)
};

class TTestPicBloItem : public TSDPPicPicBloCatItem {
  HX_STREAMABLE(TTestPicBloItem, 992)
};

// An item that may not be deleted from the editing list.
class TTestFixedItem : public TSDPCatItem {
  HX_STREAMABLE(TTestFixedItem, 993)

 public:
  bool CanDelete() const override { return false; }
};

inline std::unique_ptr<TTestSdpItem> SdpItem(const std::string& symbol, int32_t typ = 0,
                                             const std::string& producer = "",
                                             const std::string& description = "") {
  auto item = std::make_unique<TTestSdpItem>();
  item->SetSymbol(symbol);
  item->SetTyp(typ);
  item->SetProducer(producer);
  item->SetDescription(description);
  return item;
}

}  // namespace hx::test
