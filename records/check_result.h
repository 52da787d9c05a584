// The check result: the one shared record of why the last check of a text or value failed,
// which callers turn into a message, and the range checks that fill it.
#pragma once

#include <string>

#include "base/constants.h"

namespace hx {

// Field kind codes, as written in the field value records of streams and settings.
enum FieldKind : int {
  fkField = 0,
  fkString = 1,
  fkSymbol = 2,  // a text that must be a catalog symbol
  fkInteger = 3,
  fkWord = 4,
  fkByte = 5,
  fkBoolean = 6,
  fkFloat = 7,
  fkCalculated = 10,
  fkLookUp = 11,
  fkBooleanExt = 12,
};

// Check result kinds.
enum CheckKind : int {
  ckOk = 0,
  ckEmpty = 1,
  ckNotInCatalog = 2,
  ckNotUsableHere = 3,
  ckNotSymbol = 4,
  ckWrongValue = 5,
  ckOutOfRange = 6,
  ckUnknownVariable = 7,
  ckMessage = 8,
  ckVariableWithoutValue = 9,
  ckNotInList = 10,
  ckOwnText = 11,
};

class TCheckResult {
 public:
  int kind = ckOk;
  int field_kind = fkField;
  std::string text;         // the entered text
  std::string cat_caption;  // the catalog's caption (kind 2)
  std::string units;
  double value = NoFloat;
  double min_value = NoFloat;
  double max_value = NoFloat;
  std::string message;   // the free message text (kind 8)
  std::string own_text;  // kind 11

  void Clear() { *this = TCheckResult(); }
  // Records a free message (kind 8).
  void SetMessage(std::string text);
  // The message of the current kind (empty for kind 0).
  std::string Message() const;
  // Shows Message() as an error, when there is one.
  void ShowError() const;
};

// The shared instance.
TCheckResult& CheckResult();

// Accepts value when it is NoFloat, lies in [min_value, max_value] or min_value > max_value.
// Otherwise the check result becomes kind 6 and message 20046 (msg_id 0) or msg_id is shown
// with value, minimum and maximum; a negative msg_id shows nothing.
bool CheckRange(double value, double min_value, double max_value, int msg_id = 0);
// As CheckRange, but NoFloat fails as kind 1 with message 20039.
bool CheckRangeRequired(double value, double min_value, double max_value, int msg_id = 0);

}  // namespace hx
