// The Win32 view of the program-wide indicators: TApplProgress in a status bar panel with a
// progress bar over it (and an optional percentage label), TApplPosLine in a panel of its own.
#pragma once

#include <string>

#include "controls/appl_progress.h"
#include "platform/ui/controls.h"

namespace hx {

// Panels of the status bar: 0 the status text, 1 the position line, 2 the progress caption.
class TStatusIndicators : public IProgressView, public IPosLineView {
 public:
  TStatusIndicators(TStatusBar& status, TProgressBar* bar, TLabel* percent = nullptr);
  ~TStatusIndicators();
  // Makes ApplProgress() and ApplPosLine() show here.
  void Install();

  void ShowProgress(bool visible) override;
  void SetBarPosition(int position) override;
  void SetCaption(const std::string& caption) override;
  void SetPercentText(const std::string& text) override;
  void ShowStatusText(bool visible) override;
  bool HasBar() const override { return bar_ != nullptr; }
  bool HasPercentLabel() const override { return percent_ != nullptr; }
  void SetPosLineText(const std::string& text) override;
  void ShowPosLine(bool visible) override;

  // The status text shown while no progress runs.
  void SetStatusText(const std::string& text);

 private:
  TStatusBar& status_;
  TProgressBar* bar_;
  TLabel* percent_;
  std::string status_text_;
  bool installed_ = false;
};

}  // namespace hx
