// Fakes the control model tests share: a view that records what a model asks of its window, a
// pop-up host that keeps the last list it was asked to open, a catalog of a few symbols.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "base/text.h"
#include "controls/control_model.h"
#include "records/lookup.h"

namespace hx::test {

class TRecordingView : public IControlView {
 public:
  void ModelChanged(unsigned changes) override { this->changes |= changes; }
  void Beep() override { ++beeps; }
  ItemRect ScreenRect() const override { return {100, 100, 200, 121}; }
  bool PressDefaultButton() override {
    ++default_presses;
    return has_default_button;
  }
  void PassEnterToParent() override { ++enters_passed; }
  void TakeFocus() override { ++focus_taken; }

  unsigned changes = 0;
  int beeps = 0;
  int default_presses = 0;
  bool has_default_button = true;
  int enters_passed = 0;
  int focus_taken = 0;
};

class TFakePopUpHost : public ILookUpPopUpHost {
 public:
  TFakePopUpHost() { SetLookUpPopUpHost(this); }
  ~TFakePopUpHost() override { SetLookUpPopUpHost(nullptr); }

  void PopUpAt(TCustomLookUp& lookup, int x, int y, int height, int width, TReturnStr mode,
               LookUpTextCallback callback) override {
    PopUpUnder(lookup, nullptr, mode, std::move(callback));
  }
  void PopUpUnder(TCustomLookUp& lookup, LookUpControl control, TReturnStr mode,
                  LookUpTextCallback callback) override {
    ++opened;
    this->lookup = &lookup;
    this->mode = mode;
    this->callback = std::move(callback);
  }
  // Chooses item index of the open list as the pop-up list does.
  void Choose(int index) {
    const TCustomLookUpItem* item = lookup->Items(index);
    callback(ReturnText(*item, mode));
  }

  int opened = 0;
  TCustomLookUp* lookup = nullptr;
  TReturnStr mode = rsCaption;
  LookUpTextCallback callback;
};

class TFakeCatalog : public ICatalogLookup {
 public:
  TFakeCatalog(std::initializer_list<const char*> symbols) {
    for (const char* s : symbols) symbols_.insert(UpperCase(s));
  }
  bool HasSymbol(std::string_view symbol) const override {
    return symbols_.count(UpperCase(symbol)) > 0;
  }
  std::string Caption() const override { return "Грзейники"; }

 private:
  std::set<std::string> symbols_;
};

}  // namespace hx::test
