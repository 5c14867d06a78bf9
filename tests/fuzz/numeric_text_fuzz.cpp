// The numeric text rule and both conversions.
#include "common/core/decimal_form.h"
#include "fuzz_input.h"

using namespace tsubame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::u16string text = in.Text();
  const std::optional<double> value = ParseNumber(text);
  fuzz::Require(IsNumeric(text) == value.has_value());
  if (!value) {
    try {
      TextToDouble(text);
      fuzz::Require(false);
    } catch (const Failure&) {
    }
    return 0;
  }
  fuzz::Require(std::isfinite(*value));
  try {
    const std::int16_t whole = TextToInt16(text);
    fuzz::Require(std::fabs(*value - whole) <= 0.5);
  } catch (const Failure&) {
    fuzz::Require(*value <= -32768.5 || *value >= 32767.5);
  }
  // The plain text reads back as the same 15 significant digits.
  const std::u16string plain = PlainText(*value);
  const std::optional<double> back = ParseNumber(plain);
  fuzz::Require(back.has_value());
  fuzz::Require(ToDecimalForm(*back).digits == ToDecimalForm(*value).digits);
  return 0;
}
