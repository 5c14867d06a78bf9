// What the tax-law window shows of a schedule: the rule and its rates as the
// tables print them, the guarantee amount exactly, the grid's cells.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/core/failure.h"
#include "depreciation/core/tax_texts.h"

namespace tsubame {
namespace {

std::u16string Shown(std::int64_t cost, TaxMethod method, int life, int year, int month) {
  const TaxTerms t = TaxTermsOf({cost, year, month, 1, method, life, TaxRounding::kTruncate});
  return TaxRuleName(t.rule) + u'|' + TaxRateText(t.rate) + u'|' + TaxRateText(t.revised_rate) +
         u'|' + TaxGuaranteeRateText(t.guarantee_rate) + u'|' + TaxGuaranteeText(t);
}

// 適用, 償却率, 改定償却率, 保証率, 償却保証額: empty where the rule has none.
TEST(TaxTexts, WhatApplies) {
  constexpr auto kLine = TaxMethod::kStraightLine;
  constexpr auto kDeclining = TaxMethod::kDecliningBalance;
  const std::tuple<std::int64_t, TaxMethod, int, int, int, std::u16string> cases[] = {
      {1000000, kLine, 10, 2007, 3, u"旧定額法|0.100|||"},
      {1000000, kDeclining, 10, 2007, 3, u"旧定率法|0.206|||"},
      {1000000, kLine, 6, 2007, 4, u"定額法|0.167|||"},
      {1234567, kDeclining, 10, 2012, 3, u"250%定率法|0.250|0.334|0.04448|54,913.54016"},
      {1000000, kDeclining, 10, 2012, 4, u"200%定率法|0.200|0.250|0.06552|65,520"},
      {10, kDeclining, 10, 2025, 1, u"200%定率法|0.200|0.250|0.06552|0.6552"},
      {1000000, kDeclining, 2, 2025, 1, u"200%定率法|1.000|||"},
      {1, kDeclining, 100, 2025, 1, u"200%定率法|0.020|0.020|0.00742|0.00742"},
  };
  for (const auto& [cost, method, life, year, month, shown] : cases) {
    EXPECT_EQ(Shown(cost, method, life, year, month), shown) << life << ' ' << year;
  }
}

TEST(TaxTexts, RowCells) {
  using Cells = std::array<std::u16string, kTaxColumns>;
  EXPECT_EQ(TaxRowCells({2024, 1, 1234567, 25721, 1208846, false}),
            (Cells{u"2024年度", u"1/12", u"1,234,567", u"25,721", u"1,208,846"}));
  EXPECT_EQ(TaxRowCells({2031, 12, 262144, 65536, 196608, true}),
            (Cells{u"2031年度（改定）", u"12/12", u"262,144", u"65,536", u"196,608"}));
  EXPECT_EQ(TaxRowFigures({2031, 12, 262144, 65536, 196608, true}),
            (std::array<double, kTaxColumns>{2031, 12, 262144, 65536, 196608}));
}

// A cost is read digit for digit up to 15 digits; beyond, it is a failure.
TEST(TaxTexts, CostLimits) {
  EXPECT_EQ(TaxCostYen(1), 1);
  EXPECT_EQ(TaxCostYen(999'999'999'999'999.0), INT64_C(999'999'999'999'999));
  EXPECT_EQ(TaxRowCells({2025, 12, INT64_C(999'999'999'999'999), 0, 1, false})[2],
            u"999,999,999,999,999");
  EXPECT_THROW(TaxCostYen(1e15), Failure);
  EXPECT_THROW(TaxCostYen(0), Failure);
}

}  // namespace
}  // namespace tsubame
