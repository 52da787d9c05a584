// The actions look-up: its items are the actions held by its action containers, so that a
// pop-up list or an embedded list offers a set of commands. The actions themselves come from
// the program's action lists through a small interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "records/lookup.h"

namespace hx {

// What the look-up needs of an action.
class ILookUpAction {
 public:
  virtual ~ILookUpAction() = default;
  // Brings the enabled state (and caption, hint) up to date.
  virtual void Update() = 0;
  virtual std::string Caption() const = 0;
  virtual std::string Hint() const = 0;
  virtual bool Enabled() const = 0;
  // The action's image in its action list's images, or -1.
  virtual int ImageIndex() const = 0;
  // The images of the action's list, or none.
  virtual const IImageList* Images() const = 0;
  virtual void Execute() = 0;
};

// Holds one action (not owned).
struct TActionContainer {
  ILookUpAction* Action = nullptr;
};

class TActionsLookUp : public TCustomLookUp2 {
 public:
  TActionsLookUp() { DisplayStyle = dsCaptionGlyph; }

  // The containers in order; containers without an action give empty items.
  std::vector<TActionContainer>& Containers() { return containers_; }
  void AddAction(ILookUpAction* action);
  int Count() const override { return static_cast<int>(containers_.size()); }
  // The first action's images.
  const IImageList* Images() const override;
  // Executes the chosen action.
  void ItemChosen(int index) override;

 protected:
  // The action's update runs first; caption, hint, enabled state and image from the action.
  void FillItem(int index, LookUpItemData& data) const override;

 private:
  std::vector<TActionContainer> containers_;
};

}  // namespace hx
