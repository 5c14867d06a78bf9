#include "common/core/field_rules.h"

#include <algorithm>
#include <cmath>

#include "common/core/numeric_text.h"

namespace tsubame {
namespace {

constexpr std::u16string_view kTermBox = u"TxtKikan";
constexpr std::size_t kMaxFractionChars = 20;

std::u16string WithoutLastChar(std::u16string_view text) {
  std::size_t cut = 1;
  if (text.size() >= 2 && text.back() >= 0xDC00 && text.back() <= 0xDFFF &&
      text[text.size() - 2] >= 0xD800 && text[text.size() - 2] <= 0xDBFF) {
    cut = 2;  // one character outside the BMP
  }
  return std::u16string(text.substr(0, text.size() - cut));
}

}  // namespace

FieldCheckResult ValidateNumericFieldOutcome(std::u16string_view control_name,
                                             std::u16string_view text) {
  const bool term = control_name == kTermBox;
  if (text.empty()) {
    return {FieldCheck::kFilled, term ? u"1" : u"0"};
  }
  std::optional<double> v = ParseNumber(text);
  if (!v || (term && *v == 0.0)) {
    return {FieldCheck::kRefused, {}};
  }
  return {FieldCheck::kAccepted, {}};
}

GroupedText GroupThousandsText(std::u16string_view text) {
  if (text.empty()) {
    return {false, {}};
  }
  if (!IsNumeric(text)) {
    return {true, WithoutLastChar(text)};
  }
  const std::size_t point = text.find(u'.');
  const std::u16string_view before = text.substr(0, point);
  const std::size_t first = before.find_first_not_of(u" \t");
  const bool negative = first != std::u16string_view::npos && before[first] == u'-';
  if (before.find_first_of(u"0123456789") == std::u16string_view::npos) {
    return {false, std::u16string(text)};  // .5, -.5: nothing to group
  }
  // An integer part beyond a double (999…9.5e-400 is a number as a whole)
  // cannot be read at all.
  const std::optional<double> integer = ParseNumber(before);
  if (!integer) {
    return {false, std::u16string(text)};
  }
  // Without a point the text may carry an exponent: 1e5 becomes 100000 and
  // 1e-3 becomes 0.001, whose integer digits alone are grouped.
  const std::u16string plain = PlainText(std::fabs(*integer));
  if (plain.find(u'E') != std::u16string::npos || ParseNumber(plain) != std::fabs(*integer)) {
    return {false, std::u16string(text)};  // 1E+15 and up, 1E-05, or beyond 15 digits
  }
  const std::size_t digits = std::min(plain.find(u'.'), plain.size());
  std::u16string out;
  out.reserve(text.size() + digits / 3 + 2);
  if (negative) {
    out += u'-';
  }
  for (std::size_t i = 0; i < digits; ++i) {
    if (i > 0 && (digits - i) % 3 == 0) {
      out += u',';
    }
    out += plain[i];
  }
  out.append(plain, digits);
  if (point != std::u16string_view::npos) {
    out += u'.';
    out += text.substr(point + 1, kMaxFractionChars);
  }
  return {false, std::move(out)};
}

}  // namespace tsubame
