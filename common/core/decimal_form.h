#pragma once

#include <string>

namespace tsubame {

// A double as the decimal number of at most 15 significant digits that the
// display works from: value = 0.d1d2d3... x 10^(exponent + 1), that is
// d1.d2d3... x 10^exponent. Zero has digits "0" and exponent 0.
struct DecimalForm {
  bool negative = false;
  std::string digits;  // no trailing zeros; "0" for zero
  int exponent = 0;
};

DecimalForm ToDecimalForm(double value);

// The same for a magnitude by 128-bit integer arithmetic alone (trailing
// zeros kept), which covers at least 1e-6 up to 1e37; false where it cannot,
// and ToDecimalForm then converts the exact slow way.
bool QuickDecimalForm(double magnitude, DecimalForm& form);

// Rounds to `decimals` places, halves away from zero, on the decimal form.
// A negative value that rounds to zero is written without its sign.
std::u16string FormatFixed(const DecimalForm& form, int decimals, bool group_thousands);

// FormatFixed(ToDecimalForm(value), 0, group_thousands), the quick way.
std::u16string FormatWholeUnits(double value, bool group_thousands);

}  // namespace tsubame
