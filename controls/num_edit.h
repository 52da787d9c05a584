// The numeric edit model: a value read from the text by the number reader (expressions
// allowed), a formula that the edit keeps while it shows the formula's value, a range, and the
// spin steps on an increment grid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/constants.h"
#include "controls/zq_edit.h"

namespace hx {

// What a numeric edit answers without a range of its own.
inline constexpr double kNoRangeMin = -1.1e17;
inline constexpr double kNoRangeMax = 1.7e38;

class TCustomNumEdit0 : public TCustomZqEdit {};

class TCustomNumEdit : public TCustomNumEdit0 {
 public:
  TCustomNumEdit() = default;

  int EditKind() const override { return fkFloat; }

  // ---- value
  // The text (the formula when there is one) read by the number reader; NoFloat when blank
  // or unreadable.
  double Value() const;
  // No value gives an empty text; integer kinds round first; the text is the number
  // formatter's with NumLength and NumFp. Leaves the error state and drops the formula.
  void SetValue(double value);
  // NoInt without a value, 2147483647 above, -2147483646 below, else rounded.
  int32_t IntValue() const;
  // 255 without a value, 254 above, 0 below, else rounded.
  uint8_t ByteValue() const;

  // ---- formula
  const std::string& Formula() const { return formula_; }
  // Sets the formula; when not focused the formula's value is shown.
  void SetFormula(std::string_view formula);
  virtual bool FormulaEnabled() const { return formula_enabled_; }
  void SetFormulaEnabled(bool enabled) { formula_enabled_ = enabled; }
  // What the edit shows for the formula while it is not focused: text kinds and look-ups the
  // formula itself, boolean kinds the matching truth text (or the formula), numeric kinds the
  // formula's value formatted; then padded to NumLength by Alignment.
  std::string ShownText(std::string_view formula) const;

  // ---- range, format and steps
  // The range; without one (maximum below minimum) the edit answers kNoRangeMin/kNoRangeMax.
  virtual bool HasRange() const { return ValMax >= ValMin; }
  virtual double Minimum() const { return HasRange() ? ValMin : kNoRangeMin; }
  virtual double Maximum() const { return HasRange() ? ValMax : kNoRangeMax; }
  virtual int NumLength() const { return NumLen; }
  virtual int NumDecimals() const { return NumFP; }
  virtual double StepIncrement() const { return Increment; }

  double ValMin = 0;
  double ValMax = -1;
  int NumLen = 0;
  int NumFP = 2;
  double Increment = 1;

  // With a value and a usable increment: the next grid point above (below) the value, held at
  // the maximum (minimum) with a beep; without a value the minimum, or 0 without a range.
  // Read-only edits beep; OnUpClick (OnDownClick) replaces the step.
  void StepUp() override;
  void StepDown() override;

  // Shows the formula when there is one, then as every edit.
  void Enter() override;
  // Keeps the text as the formula, checks it (by kind, then as a number in the range); with
  // formulas off the formula is dropped and an accepted number is shown formatted.
  void Exit() override;

 protected:
  // The numeric check of leaving; false with the error state entered.
  bool CheckNumberOnExit();
  // The hint of a number outside the range: ErrorMsg or 20046, formatted with the value,
  // minimum and maximum.
  std::string RangeHint(double value) const;
  // Shows the formula's value while not focused.
  void ShowFormula();
  void set_formula(std::string formula) { formula_ = std::move(formula); }

 private:
  void Step(bool up);

  std::string formula_;
  bool formula_enabled_ = false;
};

// The numeric edit of forms; it starts with the text "0".
class TNumEdit : public TCustomNumEdit {
 public:
  TNumEdit() { SetText("0"); }
};

}  // namespace hx
