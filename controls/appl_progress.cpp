#include "controls/appl_progress.h"

#include <algorithm>
#include <cmath>

#include "base/string_table.h"
#include "records/number_format.h"

namespace hx {

TApplProgress& ApplProgress() {
  static TApplProgress progress;
  return progress;
}

TApplPosLine& ApplPosLine() {
  static TApplPosLine line;
  return line;
}

void TApplProgress::Begin(std::string_view text) {
  if (Off()) return;
  running_ = true;
  from_ = 0;
  to_ = 100;
  bar_ = 0;
  total_ = 0;
  amount_ = 0;
  if (!view_) return;
  view_->ShowProgress(true);
  view_->SetBarPosition(0);
  view_->SetCaption(" " + std::string(text));
  view_->ShowStatusText(false);
}

void TApplProgress::Begin(int string_id) {
  Begin(LoadStr(string_id));
}

void TApplProgress::SetSubRange(double from, double to) {
  if (Off()) return;
  from_ = from;
  to_ = to;
}

void TApplProgress::SetPosition(double p) {
  if (Off() || !std::isfinite(p)) return;
  bar_ = std::clamp(from_ + p * (to_ - from_) / 100.0, 0.0, 100.0);
  if (!view_) return;
  view_->SetBarPosition(static_cast<int>(std::lround(bar_)));
  if (view_->HasPercentLabel()) view_->SetPercentText(FormatNumber(bar_, 5, 1) + "%");
}

double TApplProgress::GetPosition() const {
  if (!view_ || !view_->HasBar() || to_ == from_) return -1;
  return (bar_ - from_) * 100.0 / (to_ - from_);
}

void TApplProgress::SetTotal(double total) {
  if (Off()) return;
  total_ = total;
  amount_ = 0;
}

void TApplProgress::SetAmount(double amount) {
  if (Off()) return;
  amount_ = amount;
  if (total_ > 0) SetPosition(std::min(100.0, amount_ / total_ * 100.0));
}

void TApplProgress::End() {
  if (Off()) return;
  running_ = false;
  if (!view_) return;
  view_->ShowProgress(false);
  view_->SetCaption({});
  view_->ShowStatusText(true);
}

void TApplPosLine::SetText(std::string_view text) {
  text_ = std::string(text);
  if (!view_) return;
  view_->SetPosLineText(text_);
  view_->ShowPosLine(!text_.empty());
}

}  // namespace hx
