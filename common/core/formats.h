#pragma once

#include <string>
#include <string_view>

// The program's three display formats. Each rounds the number's decimal form
// of at most 15 significant digits, halves away from zero; never the double
// itself (0.0225 shows as 0.023), and never shows "-0".
namespace MdlCommon {

// "#,###,###,##0": whole units, grouped by thousands.
std::u16string FormatAmount(double value);

// "0.000": a numeric text with three decimals; other text comes back unchanged.
std::u16string FormatRate(std::u16string_view text);

// "0": a numeric text as a whole number; other text comes back unchanged.
std::u16string FormatWhole(std::u16string_view text);

// A count (a month, a year) as plain digits.
std::u16string FormatCount(int value);

}  // namespace MdlCommon
