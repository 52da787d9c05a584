// Registers the stream classes of the catalog framework, the producer and the variable
// catalogs (TCatReplaceItem, TMatCatItem, TSymbol, TSeriesItem, TCatProdItem, TVarItem).
#pragma once

namespace hx {

void RegisterCatalogStreamables();

}  // namespace hx
