// The user's number format: the decimal separator of the locale. The platform sets it at
// start-up from the system locale; tests set it directly.
#pragma once

namespace hx {

char DecimalSeparator();
void SetDecimalSeparator(char separator);

}  // namespace hx
