#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one rule by which a typed text counts as a number and is read as one,
// independent of the user's locale: blanks around, one leading sign, digits
// with "," between integer digits, one ".", an optional exponent.
namespace tsubame {

// The value of a numeric text, or nothing when the text is not numeric
// (including a value too large for a double).
std::optional<double> ParseNumber(std::u16string_view text);

bool IsNumeric(std::u16string_view text);

// Throw Failure when the text is not numeric.
double TextToDouble(std::u16string_view text);
std::int16_t TextToInt16(std::u16string_view text);

// The value of a numeric text that is a whole number from `low` to `high`;
// nothing for any other text.
std::optional<double> WholeNumberIn(std::u16string_view text, double low, double high);

// Rounds halves to even, then checks -32768..32767.
std::int16_t RoundToInt16(double value);

// At most 15 significant digits, no grouping, no plus sign; exponent form
// from 10^15 up and below 10^-4 (1E+15, 4.5E-05).
std::u16string PlainText(double value);

}  // namespace tsubame
