#include "common/core/formats.h"

#include "common/core/decimal_form.h"
#include "common/core/numeric_text.h"

namespace MdlCommon {
namespace {

std::u16string FormatText(std::u16string_view text, int decimals) {
  std::optional<double> v = tsubame::ParseNumber(text);
  if (!v) {
    return std::u16string(text);
  }
  return tsubame::FormatFixed(tsubame::ToDecimalForm(*v), decimals, false);
}

}  // namespace

std::u16string FormatAmount(double value) { return tsubame::FormatWholeUnits(value, true); }

std::u16string FormatRate(std::u16string_view text) { return FormatText(text, 3); }

std::u16string FormatWhole(std::u16string_view text) { return FormatText(text, 0); }

std::u16string FormatCount(int value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace MdlCommon
