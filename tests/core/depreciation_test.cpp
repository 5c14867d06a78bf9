#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cell_lines.h"
#include "common/core/numeric_text.h"
#include "common/core/row_collector.h"
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"

using namespace tsubame;
using MdlCommon::DepreciationRate;

constexpr std::int16_t SL = StraightLine, DB = DecliningBalance;

namespace {

struct DepreciationRun {
  std::vector<DepreciationRow> rows;
  std::vector<std::string> lines;  // "year depreciation book-value"
  bool failed = false;
};

DepreciationRun RunDepreciation(double amount, std::int16_t years, std::int16_t method) {
  RowCollector<DepreciationRow> collector(kDepreciationGridYears);
  DepreciationRun run;
  try {
    ComputeDepreciationSchedule(amount, years, method, DepreciationRate(method, years),
                                std::ref(collector));
  } catch (const Failure&) {
    run.failed = true;
  }
  run.rows = collector.rows();
  for (const DepreciationRow& row : run.rows) {
    run.lines.push_back(Line(DepreciationCells(row)));
  }
  return run;
}

}  // namespace

TEST(Depreciation, RateAndLabel) {
  struct Case {
    std::int16_t method, years;
    std::u16string plain, label;
  };
  // method, life, rate as plain text, label
  const std::vector<Case> cases = {{SL, 0, u"0", u"0.000"},          {DB, 0, u"0", u"0.000"},
                                   {2, 5, u"0", u"0.000"},           {SL, 5, u"0.18", u"0.180"},
                                   {SL, 10, u"0.09", u"0.090"},      {SL, -5, u"-0.18", u"-0.180"},
                                   {SL, 8, u"0.1125", u"0.113"},     {SL, 24, u"0.0375", u"0.038"},
                                   {SL, 40, u"0.0225", u"0.023"},    {SL, 72, u"0.0125", u"0.013"},
                                   {SL, 1, u"0.9", u"0.900"},        {DB, 1, u"0.9", u"0.900"},
                                   {SL, 20000, u"4.5E-05", u"0.000"}};
  for (const Case& c : cases) {
    const double rate = DepreciationRate(c.method, c.years);
    EXPECT_EQ(PlainText(rate), c.plain) << c.method << " " << c.years;
    EXPECT_EQ(RateLabelText(rate), c.label) << c.method << " " << c.years;
  }
  EXPECT_EQ(PlainText(DepreciationRate(DB, 5)), u"0.369042655519807");
  EXPECT_EQ(RateLabelText(DepreciationRate(DB, 5)), u"0.369");
  EXPECT_EQ(RateLabelText(DepreciationRate(DB, 10)), u"0.206");
}

// Worked examples for 1,000,000; `lines` are found in the run by their year.
TEST(Depreciation, Schedules) {
  struct Case {
    std::int16_t method, years;
    std::size_t rows;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {SL,
       5,
       6,
       {"1 180,000 820,000", "2 180,000 640,000", "3 180,000 460,000", "4 180,000 280,000",
        "5 180,000 100,000", "6 50,000 50,000"}},
      {DB,
       5,
       7,
       {"1 369,043 630,957", "2 232,850 398,107", "3 146,919 251,189", "4 92,699 158,489",
        "5 58,489 100,000", "6 36,904 63,096", "7 13,096 50,000"}},
      {SL, 1, 2, {"1 900,000 100,000", "2 50,000 50,000"}},
      {DB, 1, 2, {"1 900,000 100,000", "2 50,000 50,000"}},
      {SL, 18, 19, {"19 50,000 50,000"}},  // reaching 5 % exactly ends the second phase
      {SL, 36, 38, {"37 25,000 75,000", "38 25,000 50,000"}},
      {DB, 10, 14, {"10 25,893 100,000", "13 12,977 50,119", "14 119 50,000"}}};
  for (const Case& c : cases) {
    const DepreciationRun run = RunDepreciation(1000000, c.years, c.method);
    EXPECT_FALSE(run.failed);
    ASSERT_EQ(run.lines.size(), c.rows) << c.method << " " << c.years;
    for (const std::string& line : c.lines) {
      EXPECT_EQ(run.lines[std::stoi(line) - 1], line);
    }
  }
}

TEST(Depreciation, ZeroAmountGivesLifePlusOneZeroRows) {
  for (std::int16_t method : {SL, DB}) {
    for (std::int16_t years = 0; years <= 298; ++years) {
      const DepreciationRun run = RunDepreciation(0, years, method);
      ASSERT_FALSE(run.failed) << method << " " << years;
      ASSERT_EQ(run.lines.size(), years + 1u) << method << " " << years;
      for (std::size_t i = 0; i < run.lines.size(); ++i) {
        ASSERT_EQ(run.lines[i], std::to_string(i + 1) + " 0 0") << method << " " << years;
      }
    }
  }
}

TEST(Depreciation, GridLimit) {
  struct Case {
    std::int16_t method, years;
    std::size_t rows;
    bool failed;
  };
  const std::vector<Case> cases = {
      // method, life, rows, failed
      {SL, 0, 299, true},   {DB, 0, 299, true},    {SL, 283, 299, false},
      {SL, 284, 299, true}, {DB, 229, 298, false}, {DB, 230, 299, true},
      {SL, -1, 299, true},  {DB, -3, 299, true},   {2, 5, 0, false}};
  for (const Case& c : cases) {
    const DepreciationRun run = RunDepreciation(1000000, c.years, c.method);
    EXPECT_EQ(run.lines.size(), c.rows) << c.method << " " << c.years;
    EXPECT_EQ(run.failed, c.failed) << c.method << " " << c.years;
  }
  // Life 0: a rate of 0, so nothing is written off while the grid fills.
  const DepreciationRun run = RunDepreciation(1000000, 0, SL);
  EXPECT_EQ(run.lines.front(), "1 0 1,000,000");
  EXPECT_EQ(run.lines.back(), "299 0 1,000,000");
}

TEST(Depreciation, AmountEntersUnrounded) {
  const DepreciationRun run = RunDepreciation(1234.5, 5, SL);
  ASSERT_FALSE(run.rows.empty());
  EXPECT_EQ(run.rows.front().BookValue, 1234.5 - 1234.5 * DepreciationRate(SL, 5));
  EXPECT_EQ(run.rows.back().BookValue, 1234.5 * 0.05);
}
