// The program-wide indicators: TApplProgress, the progress of a long operation (a panel with a
// caption, a bar and an optional percentage label, shown in place of the status text), and
// TApplPosLine, the status-line text of cursor coordinates and object hints. The logic lives
// here; the platform shows them through the view interfaces.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace hx {

class IProgressView {
 public:
  // Shows or hides the panel and the bar.
  virtual void ShowProgress(bool visible) = 0;
  virtual void SetBarPosition(int position) = 0;  // 0-100
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetPercentText(const std::string& text) = 0;
  virtual void ShowStatusText(bool visible) = 0;
  virtual bool HasBar() const = 0;
  virtual bool HasPercentLabel() const = 0;

 protected:
  ~IProgressView() = default;
};

class TApplProgress {
 public:
  void SetView(IProgressView* view) { view_ = view; }
  // Nothing happens while this answers true (the application is terminating).
  std::function<bool()> Terminating;

  // Resets the sub-range to 0-100, shows the panel and the bar at 0, puts a blank and the
  // text into the caption and hides the status text.
  void Begin(std::string_view text);
  void Begin(int string_id);
  // Later positions 0-100 map into [from, to] of the bar.
  void SetSubRange(double from, double to);
  // Maps p (0-100) into the sub-range, clamps it to 0-100 and shows it on the bar and, with a
  // percentage label, as a number 5 characters wide with one decimal followed by "%".
  void SetPosition(double p);
  // The position mapped back into 0-100 of the sub-range; -1 without a bar or with an empty
  // sub-range.
  double GetPosition() const;
  // A total and a running amount drive the position: amount / total x 100, at most 100.
  void SetTotal(double total);
  void SetAmount(double amount);
  void AddAmount(double amount) { SetAmount(amount_ + amount); }
  // Hides panel and bar, clears the caption and shows the status text again.
  void End();

  bool Running() const { return running_; }
  // The bar's position, 0-100.
  double BarPosition() const { return bar_; }

 private:
  bool Off() const { return Terminating && Terminating(); }

  IProgressView* view_ = nullptr;
  bool running_ = false;
  double from_ = 0;
  double to_ = 100;
  double bar_ = 0;
  double total_ = 0;
  double amount_ = 0;
};

TApplProgress& ApplProgress();

class IPosLineView {
 public:
  virtual void SetPosLineText(const std::string& text) = 0;
  virtual void ShowPosLine(bool visible) = 0;

 protected:
  ~IPosLineView() = default;
};

class TApplPosLine {
 public:
  void SetView(IPosLineView* view) { view_ = view; }
  const std::string& Text() const { return text_; }
  // An empty text hides the control.
  void SetText(std::string_view text);

 private:
  IPosLineView* view_ = nullptr;
  std::string text_;
};

TApplPosLine& ApplPosLine();

}  // namespace hx
