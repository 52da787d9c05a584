#include "catalogs/cat_item_info.h"

#include <memory>

namespace hx {

bool ShowCatItemInfo(TCustomCat& cat, TCatItem& item, TOwnerWindow owner, int32_t help_context) {
  const bool view_ex = cat.ViewEx;
  cat.ViewEx = true;
  cat.SetCurrentItem(nullptr);
  std::unique_ptr<TCatItemForm> form;
  const bool shown = cat.GetFormEx(cdmViewItems, form, &item);
  if (shown) {
    cat.ItemSelChange(&item);
    form->ItemChanged(&item);
    TCatItemInfoModel model(cat, item, *form, help_context);
    if (ICatDialogHost* host = CatDialogHost()) host->RunItemInfo(model);
    // The data module unlinks its record before the form goes.
    if (cat.OnItemSelChange) cat.OnItemSelChange(cat, nullptr, false);
  }
  cat.ViewEx = view_ex;
  form.reset();
  cat.SetCurrentItem(nullptr);
  return shown;
}

}  // namespace hx
