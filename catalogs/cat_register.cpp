#include "catalogs/cat_register.h"

#include "catalogs/cat_item_kinds.h"
#include "catalogs/cat_prod.h"
#include "catalogs/cat_symbol.h"
#include "catalogs/var_cat.h"

namespace hx {

void RegisterCatalogStreamables() {
  RegisterObjectStreamables();
  RegisterStreamable<TSeriesItem>();
  RegisterStreamable<TCatProdItem>();
  RegisterStreamable<TVarItem>();
  RegisterStreamable<TMatCatItem>();
  RegisterStreamable<TSymbol>();
  RegisterStreamable<TCatReplaceItem>();
}

}  // namespace hx
