#include "records/lookup_actions.h"

namespace hx {

void TActionsLookUp::AddAction(ILookUpAction* action) {
  containers_.push_back({action});
  Changed();
}

const IImageList* TActionsLookUp::Images() const {
  for (const TActionContainer& c : containers_) {
    if (c.Action && c.Action->Images()) return c.Action->Images();
  }
  return nullptr;
}

void TActionsLookUp::ItemChosen(int index) {
  if (index < 0 || index >= Count()) return;
  ILookUpAction* action = containers_[index].Action;
  if (!action) return;
  action->Update();
  if (action->Enabled()) action->Execute();
}

void TActionsLookUp::FillItem(int index, LookUpItemData& data) const {
  ILookUpAction* action = containers_[index].Action;
  if (!action) return;
  action->Update();
  data.caption = action->Caption();
  data.hint = action->Hint();
  data.enabled = action->Enabled();
  data.id = index;
  if (action->ImageIndex() >= 0) data.glyph = RenderImage(action->Images(), action->ImageIndex());
}

}  // namespace hx
