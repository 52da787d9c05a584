// The conversions of a look-up field between its integer value and its text, and the check of
// an entered text, over the field's look-up. The look-up field kinds call these with their
// ValueMode, LookUpReturnStr and AcceptNotLookUpValues.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/lookup.h"
#include "records/lookup_types.h"

namespace hx {

struct LookUpFieldMode {
  TValueMode value_mode = vmItemId;  // vmDefault counts as vmItemId
  TReturnStr return_str = rsCaption;
  bool accept_other_values = false;  // AcceptNotLookUpValues
};

// Text to value. Without a look-up: the text as an integer, NoInt when it is not one. With
// one: a blank text gives NoInt; otherwise the trimmed text is found by the return mode
// (IndexOfText); a position in the list gives the item's id (vmItemId) or the position itself
// (vmItemIndex); a text that names no item gives the text as an integer when other values are
// accepted and it is one, else NoInt.
int32_t LookUpTextToValue(TCustomLookUp* lookup, std::string_view text,
                          const LookUpFieldMode& mode);

// Value to text. NoInt gives the empty text; without a look-up the value in decimal. With one,
// the item at the value (vmItemIndex) or with the value as id (vmItemId) gives the text a
// choice of the return mode gives (ReturnText); a value that names no item gives its decimal
// text when other values are accepted, else the empty text.
std::string LookUpValueToText(TCustomLookUp* lookup, int32_t value, const LookUpFieldMode& mode);

// The item that a value names, or none.
TCustomLookUpItem* LookUpItemOfValue(TCustomLookUp* lookup, int32_t value,
                                     const LookUpFieldMode& mode);

// Checks an entered text and returns the check kind (0 when accepted). A blank text passes
// (emptiness is the Required check). A text that names no item passes when other values are
// accepted and it is an integer; else the check result becomes kind 10 with the trimmed text
// and the look-up's caption (kind 5 without a look-up), and its message (20042) is shown when
// show_error is set.
int LookUpCheckText(TCustomLookUp* lookup, std::string_view text, const LookUpFieldMode& mode,
                    bool show_error);

}  // namespace hx
