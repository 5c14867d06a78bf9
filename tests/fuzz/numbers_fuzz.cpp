// One field text and one double: the numeric text rule, both conversions,
// the field rules' decisions and the three display formats.
#include "common/core/decimal_form.h"
#include "common/core/field_rules.h"
#include "common/core/formats.h"
#include "fuzz_input.h"

using namespace tsubame;

namespace {

void CheckText(const std::u16string& text, bool term) {
  const std::optional<double> value = ParseNumber(text);
  const auto check = ValidateNumericFieldOutcome(term ? u"TxtKikan" : u"TxtNenri", text);
  const GroupedText grouped = GroupThousandsText(text);
  if (text.empty()) {
    fuzz::Require(check.outcome == FieldCheck::kFilled && check.text == (term ? u"1" : u"0"));
    fuzz::Require(!grouped.refused && grouped.text.empty());
    return;
  }
  fuzz::Require((check.outcome == FieldCheck::kRefused) == (!value || (term && *value == 0)));
  if (!value) {
    fuzz::Require(grouped.refused && grouped.text.size() < text.size());
    fuzz::Require(MdlCommon::FormatRate(text) == text && MdlCommon::FormatWhole(text) == text);
    return;
  }
  fuzz::Require(std::isfinite(*value));
  try {
    fuzz::Require(std::fabs(*value - TextToInt16(text)) <= 0.5);
  } catch (const Failure&) {
    fuzz::Require(*value <= -32768.5 || *value >= 32767.5);
  }
  // The plain text reads back as the same 15 significant digits.
  const std::optional<double> back = ParseNumber(PlainText(*value));
  fuzz::Require(back.has_value() && ToDecimalForm(*back).digits == ToDecimalForm(*value).digits);
  // Regrouping keeps the number (fractions of up to 20 characters).
  const std::size_t point = text.find(u'.');
  if (point == std::u16string::npos || text.size() - point - 1 <= 20) {
    const std::optional<double> after = ParseNumber(grouped.text);
    fuzz::Require(!grouped.refused && after.has_value() && *after == *value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::u16string text = in.Text();
  CheckText(text, (in.Byte() & 1) != 0);
  const double value = in.Double();
  if (std::isfinite(value)) {
    fuzz::RequireShows(MdlCommon::FormatAmount(value), value, 1);
    const std::u16string plain = PlainText(value);
    fuzz::RequireShows(MdlCommon::FormatRate(plain), value, 0.001);
    fuzz::RequireShows(MdlCommon::FormatWhole(plain), value, 1);
    fuzz::Require(MdlCommon::FormatAmount(value) != u"-0");
  }
  return 0;
}
