// Today's tax law: worked examples from the tax agency's and a tax
// publisher's published tables, the switch years, the run to 1 yen; the
// rates and cells as the window shows them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "common/core/failure.h"
#include "depreciation/core/tax_schedule.h"
#include "depreciation/core/tax_texts.h"

namespace tsubame {
namespace {

using Amounts = std::vector<std::int64_t>;
constexpr auto kLine = TaxMethod::kStraightLine;
constexpr auto kDeclining = TaxMethod::kDecliningBalance;

TaxAsset Asset(std::int64_t cost, TaxMethod method, int life, int year = 2025, int month = 1,
               int fiscal_start = 1, TaxRounding rounding = TaxRounding::kTruncate) {
  return {cost, year, month, fiscal_start, method, life, rounding};
}

std::vector<TaxRow> Rows(const TaxAsset& asset) {
  std::vector<TaxRow> rows;
  ComputeTaxSchedule(asset, [&rows](const TaxRow& row) { rows.push_back(row); });
  return rows;
}

// Each year's amount, then the last closing value.
Amounts Schedule(const TaxAsset& asset) {
  Amounts out;
  for (const TaxRow& row : Rows(asset)) {
    out.push_back(row.amount);
  }
  out.push_back(Rows(asset).back().closing);
  return out;
}

Amounts Repeat(std::int64_t amount, int times, Amounts then) {
  Amounts out(static_cast<std::size_t>(times), amount);
  out.insert(out.end(), then.begin(), then.end());
  return out;
}

TEST(TaxSchedule, WorkedExamples) {
  const std::pair<TaxAsset, Amounts> cases[] = {
      {Asset(1000000, kLine, 10), Repeat(100000, 9, {99999, 1})},
      // 200 %: from year 7 on 65,536 (262,144 x 0.250), as 52,428.8 < 65,520
      {Asset(1000000, kDeclining, 10),
       {200000, 160000, 128000, 102400, 81920, 65536, 65536, 65536, 65536, 65535, 1}},
      // 2007 rules, first use in July, a calendar year: 6/12 first
      {Asset(1000000, kLine, 6, 2008, 7), Repeat(83500, 1, Repeat(167000, 5, {81499, 1}))},
      // The old law to 5 %, nothing in fiscal years before 2007-04, then
      // (50,000 - 1) / 5 a year until 1 yen is left.
      {Asset(1000000, kLine, 5, 2000),
       Repeat(180000, 5, {50000, 0, 0, 9999, 9999, 9999, 9999, 9999, 4, 1})},
      // L - 1 = 50,000 a fifth of which is whole: five years of 10,000 to 1 yen.
      {Asset(1000020, kLine, 5, 2000),
       Repeat(180003, 5, {50004, 0, 0, 10000, 10000, 10000, 10000, 10000, 1})},
      // 旧定率法 at 0.369 of the book, rounded up, stopped at 50,000 in 2006
      {Asset(1000000, kDeclining, 5, 2000, 1, 1, TaxRounding::kRoundUp),
       {369000, 232839, 146922, 92708, 58498, 36913, 13120, 0, 10000, 10000, 10000, 10000, 9999,
        1}},
  };
  for (const auto& [asset, amounts] : cases) {
    EXPECT_EQ(Schedule(asset), amounts) << asset.life;
  }
}

// First use, fiscal year's first month -> the first row's year and months.
TEST(TaxSchedule, FirstYearMonths) {
  const std::tuple<int, int, int, int> cases[] = {
      {7, 1, 2025, 6},  {3, 4, 2024, 1}, {4, 4, 2025, 12},
      {12, 1, 2025, 1}, {1, 2, 2024, 1}, {2, 2, 2025, 12},
  };
  for (const auto& [month, start, year, months] : cases) {
    const TaxRow first = Rows(Asset(1200000, kLine, 10, 2025, month, start)).front();
    EXPECT_EQ(std::pair(first.fiscal_year, first.months), std::pair(year, months))
        << month << '/' << start;
  }
}

// Rounded up, every full-first-year 200 % and 250 % schedule ends in year n;
// truncated, a few yen may be left for year n + 1.
TEST(TaxSchedule, DecliningBalanceEndsInYearN) {
  for (int n = 3; n <= 100; ++n) {
    for (const int year : {2010, 2025}) {
      const std::vector<TaxRow> rows =
          Rows(Asset(1000000, kDeclining, n, year, 1, 1, TaxRounding::kRoundUp));
      EXPECT_EQ(rows.size(), static_cast<std::size_t>(n)) << n << ' ' << year;
    }
  }
  const std::vector<TaxRow> rows = Rows(Asset(1000000, kDeclining, 11, 2010));
  EXPECT_EQ(std::pair(rows.size(), rows.at(11).amount),
            std::pair(std::size_t{12}, std::int64_t{2}));
}

TEST(TaxSchedule, SwitchYears) {
  const std::pair<int, int> cases[] = {{3, 3},  {5, 4},   {6, 4},   {8, 6},
                                       {10, 7}, {20, 12}, {50, 27}, {100, 51}};
  for (const auto& [n, year] : cases) {
    const std::vector<TaxRow> rows = Rows(Asset(1000000, kDeclining, n));
    int first = 0;
    while (!rows.at(static_cast<std::size_t>(first)).revised) {
      ++first;
    }
    EXPECT_EQ(first + 1, year) << n;
  }
}

TEST(TaxSchedule, Failures) {
  EXPECT_THROW(TaxTermsOf(Asset(1000000, kLine, 1)), Failure);
  EXPECT_THROW(TaxTermsOf(Asset(1000000, kLine, 101)), Failure);
  EXPECT_EQ(Schedule(Asset(999999999999, kLine, 2)), (Amounts{499999999999, 499999999999, 1}));
  EXPECT_THROW(Rows(Asset(INT64_C(999999999999999999), kLine, 2)), Failure);
  EXPECT_THROW(Rows(Asset(40, kLine, 100)), Failure);        // 0.4 yen a year never ends
  EXPECT_EQ(Schedule(Asset(1, kLine, 2)), (Amounts{0, 1}));  // 1 yen: one row, nothing to write off
  // A typed cost is read digit for digit up to 15 digits; beyond, it is a failure.
  EXPECT_EQ(TaxCostYen(1) + TaxCostYen(999'999'999'999'999.0), INT64_C(1'000'000'000'000'000));
  EXPECT_EQ(TaxRowCells({2025, 12, INT64_C(999'999'999'999'999), 0, 1, false})[2],
            u"999,999,999,999,999");
  EXPECT_THROW(TaxCostYen(1e15), Failure);
  EXPECT_THROW(TaxCostYen(0), Failure);
}

// 適用, 償却率, 改定償却率, 保証率, 償却保証額 as shown, empty where the rule has none: the
// rule follows the month of first use.
std::u16string Shown(std::int64_t cost, TaxMethod method, int life, int year, int month) {
  const TaxTerms t = TaxTermsOf(Asset(cost, method, life, year, month));
  return TaxRuleName(t.rule) + u'|' + TaxRateText(t.rate) + u'|' + TaxRateText(t.revised_rate) +
         u'|' + TaxGuaranteeRateText(t.guarantee_rate) + u'|' + TaxGuaranteeText(t);
}

TEST(TaxTexts, WhatApplies) {
  const std::tuple<std::int64_t, TaxMethod, int, int, int, std::u16string> cases[] = {
      {1000000, kLine, 10, 2007, 3, u"旧定額法|0.100|||"},
      {1000000, kDeclining, 10, 2007, 3, u"旧定率法|0.206|||"},
      {1000000, kLine, 6, 2007, 4, u"定額法|0.167|||"},
      {1000000, kDeclining, 5, 2007, 4, u"250%定率法|0.500|1.000|0.06249|62,490"},
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

}  // namespace
}  // namespace tsubame
