#include "depreciation/core/tax_texts.h"

#include <string>

#include "common/core/failure.h"
#include "common/core/formats.h"

namespace tsubame {
namespace {

constexpr std::int64_t kE5 = 100'000;

// `value` as `width` digits, zeros in front.
std::u16string Digits(std::int64_t value, std::size_t width) {
  const std::string digits = std::to_string(value);
  std::u16string out(width > digits.size() ? width - digits.size() : 0, u'0');
  out.append(digits.begin(), digits.end());
  return out;
}

// `value` / 10^`width` as the tables print it: "0.200", "1.000".
std::u16string Fixed(int value, std::size_t width, int scale) {
  if (value == 0) {
    return {};
  }
  return Digits(value / scale, 1) + u'.' + Digits(value % scale, width);
}

}  // namespace

std::int64_t TaxCostYen(double cost) {
  if (!(cost >= 1 && cost <= kTaxMaxCost)) {
    throw Failure("a cost that does not fit");
  }
  return static_cast<std::int64_t>(cost);
}

std::u16string TaxRuleName(TaxRule rule) {
  switch (rule) {
    case TaxRule::kStraightLine:
      return u"定額法";
    case TaxRule::kDeclining200:
      return u"200%定率法";
    case TaxRule::kDeclining250:
      return u"250%定率法";
    case TaxRule::kOldStraightLine:
      return u"旧定額法";
    case TaxRule::kOldDeclining:
      return u"旧定率法";
  }
  return {};
}

std::u16string TaxRateText(int thousandths) { return Fixed(thousandths, 3, 1000); }

std::u16string TaxGuaranteeRateText(int hundred_thousandths) {
  return Fixed(hundred_thousandths, 5, kE5);
}

std::u16string TaxGuaranteeText(const TaxTerms& terms) {
  if (terms.guarantee_rate == 0) {
    return {};
  }
  const std::int64_t yen = terms.guarantee_e5 / kE5;  // whole yen; the fraction follows
  std::u16string text = MdlCommon::FormatAmount(static_cast<double>(yen));
  std::u16string fraction = Digits(terms.guarantee_e5 % kE5, 5);
  while (!fraction.empty() && fraction.back() == u'0') {
    fraction.pop_back();
  }
  return fraction.empty() ? text : text + u'.' + fraction;
}

std::array<std::u16string, kTaxColumns> TaxRowCells(const TaxRow& row) {
  std::u16string year = MdlCommon::FormatCount(row.fiscal_year) + u"年度";
  if (row.revised) {
    year += kTaxRevisedMark;
  }
  const auto amount = [](std::int64_t yen) {
    return MdlCommon::FormatAmount(static_cast<double>(yen));
  };
  return {year, MdlCommon::FormatCount(row.months) + u"/12", amount(row.opening),
          amount(row.amount), amount(row.closing)};
}

std::array<double, kTaxColumns> TaxRowFigures(const TaxRow& row) {
  return {static_cast<double>(row.fiscal_year), static_cast<double>(row.months),
          static_cast<double>(row.opening), static_cast<double>(row.amount),
          static_cast<double>(row.closing)};
}

}  // namespace tsubame
