// GroupThousands' text transformation and ValidateNumericField's decision.
#include "common/core/field_rules.h"
#include "fuzz_input.h"

using namespace tsubame;
using tsubame::FieldCheck;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::u16string text = in.Text();
  const bool term = in.Byte() & 1;

  const auto check = ValidateNumericFieldOutcome(term ? u"TxtKikan" : u"TxtNenri", text);
  const std::optional<double> value = ParseNumber(text);
  if (text.empty()) {
    fuzz::Require(check.outcome == FieldCheck::kFilled && check.text == (term ? u"1" : u"0"));
  } else {
    fuzz::Require((check.outcome == FieldCheck::kRefused) == (!value || (term && *value == 0)));
  }

  const GroupedText grouped = GroupThousandsText(text);
  if (text.empty()) {
    fuzz::Require(!grouped.refused && grouped.text.empty());
  } else if (!value) {
    fuzz::Require(grouped.refused && grouped.text.size() < text.size());
  } else {
    // Regrouping keeps the number (fractions of up to 20 characters).
    const std::size_t point = text.find(u'.');
    if (point == std::u16string::npos || text.size() - point - 1 <= 20) {
      const std::optional<double> after = ParseNumber(grouped.text);
      fuzz::Require(!grouped.refused && after.has_value() && *after == *value);
    }
  }
  return 0;
}
