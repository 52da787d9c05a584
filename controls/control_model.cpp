#include "controls/control_model.h"

namespace hx {
namespace {
bool g_design_mode = false;
}  // namespace

bool DesignMode() {
  return g_design_mode;
}
void SetDesignMode(bool design) {
  g_design_mode = design;
}

void TControlModel::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(vcState);
}

void TControlModel::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(vcState);
}

void TControlModel::SetHint(std::string hint) {
  hint_ = std::move(hint);
  Notify(vcState);
}

void TControlModel::SetColor(int32_t color) {
  color_ = color;
  Notify(vcState);
}

void TControlModel::SetFontColor(int32_t color) {
  font_color_ = color;
  Notify(vcState);
}

TZqBoundControl::~TZqBoundControl() {
  if (field_) field_->RemoveControl(*this);
}

void TZqBoundControl::SetZqField(TZqField* field) {
  if (field_ == field) return;
  if (field_) field_->RemoveControl(*this);
  field_ = field;
  if (field_) field_->AddControl(*this);
  FieldRefresh();
}

void TZqBoundControl::FieldDestroyed(TZqField& field) {
  if (field_ != &field) return;
  field_ = nullptr;
  FieldRefresh();
}

}  // namespace hx
