#include "platform/ui/status_indicators.h"

namespace hx {

TStatusIndicators::TStatusIndicators(TStatusBar& status, TProgressBar* bar, TLabel* percent)
    : status_(status), bar_(bar), percent_(percent) {
  status_.SetPanels({240, 160, -1});
  ShowProgress(false);
}

TStatusIndicators::~TStatusIndicators() {
  if (!installed_) return;
  ApplProgress().SetView(nullptr);
  ApplPosLine().SetView(nullptr);
}

void TStatusIndicators::Install() {
  ApplProgress().SetView(this);
  ApplPosLine().SetView(this);
  installed_ = true;
}

void TStatusIndicators::ShowProgress(bool visible) {
  if (bar_) bar_->SetVisible(visible);
  if (percent_) percent_->SetVisible(visible);
}

void TStatusIndicators::SetBarPosition(int position) {
  if (bar_) bar_->SetPosition(position);
}

void TStatusIndicators::SetCaption(const std::string& caption) {
  status_.SetPanelText(2, caption);
}

void TStatusIndicators::SetPercentText(const std::string& text) {
  if (percent_) percent_->SetText(text);
}

void TStatusIndicators::ShowStatusText(bool visible) {
  status_.SetPanelText(0, visible ? status_text_ : std::string());
}

void TStatusIndicators::SetPosLineText(const std::string& text) {
  status_.SetPanelText(1, text);
}

void TStatusIndicators::ShowPosLine(bool visible) {
  if (!visible) status_.SetPanelText(1, {});
}

void TStatusIndicators::SetStatusText(const std::string& text) {
  status_text_ = text;
  if (!ApplProgress().Running()) status_.SetPanelText(0, text);
}

}  // namespace hx
