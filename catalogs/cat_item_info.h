// The information window of one catalog item (TF_CatItemInfo): it hosts the item's form, as
// the catalog's OnGetFormEx gives it for the view mode, above a row with the help and close
// buttons.
#pragma once

#include <cstdint>
#include <string>

#include "catalogs/cat.h"
#include "catalogs/cat_dialogs.h"

namespace hx {

class TCatItemInfoModel {
 public:
  TCatItemInfoModel(TCustomCat& cat, TCatItem& item, TCatItemForm& form, int32_t help_context)
      : cat_(cat), item_(item), form_(form), help_context_(help_context) {}

  // The caption of the hosted form.
  std::string Caption() const { return form_.Caption(); }
  static constexpr const char* kHelpButton = "&Справка";
  static constexpr const char* kCloseButton = "&Закрой";
  int32_t HelpContext() const { return help_context_; }
  // The window takes the catalog's icon.
  const IImageList* Images() const { return cat_.Images; }
  int32_t ImageIndex() const { return cat_.ImageIndex; }
  TCatItemForm& Form() const { return form_; }
  TCatItem& Item() const { return item_; }
  TCustomCat& Cat() const { return cat_; }

 private:
  TCustomCat& cat_;
  TCatItem& item_;
  TCatItemForm& form_;
  int32_t help_context_;
};

// Shows item in the information window over cat: ViewEx is set for the duration, the
// catalog's current item is cleared, OnGetFormEx gives the form of the view mode and, when it
// does, the item is made current and the window shown modally. Afterwards ViewEx is restored
// and the current item cleared. False when the catalog gave no form.
bool ShowCatItemInfo(TCustomCat& cat, TCatItem& item, TOwnerWindow owner, int32_t help_context);

}  // namespace hx
