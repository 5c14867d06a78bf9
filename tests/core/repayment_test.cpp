#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cell_lines.h"
#include "common/core/formats.h"
#include "common/core/row_collector.h"
#include "loan/core/repayment_schedule.h"

using namespace tsubame;

namespace {

std::string Amount(double v) {
  return Narrow(MdlCommon::FormatAmount(v));
}

struct LoanRun {
  std::vector<std::string> lines;  // "month principal interest payment balance"
  std::string totals;              // "interest paid", or "failed"
};

LoanRun RunLoan(double amount, std::int16_t method, const LoanFieldTexts& texts) {
  RowCollector<RepaymentRow> collector(kRepaymentGridMonths);
  LoanRun run{{}, "failed"};
  try {
    RepaymentTotals t = ComputeRepaymentSchedule(amount, method, texts, std::ref(collector));
    run.totals = Amount(t.TotalInterest) + " " + Amount(t.TotalPaid);
  } catch (const Failure&) {
  }
  for (const RepaymentRow& row : collector.rows()) {
    run.lines.push_back(Line(RepaymentCells(row)));
  }
  return run;
}

const LoanFieldTexts kExampleA{u"1", u"12", u"0", u"0", u"0"};

}  // namespace

TEST(Repayment, EqualPrincipalExampleA) {
  const LoanRun run = RunLoan(1200000, EqualPrincipal, kExampleA);
  ASSERT_EQ(run.lines.size(), 12u);
  for (int m = 1; m <= 12; ++m) {
    const int interest = 12000 - 1000 * (m - 1);
    EXPECT_EQ(run.lines[m - 1], std::to_string(m) + " 100,000 " + Amount(interest) + " " +
                                    Amount(100000 + interest) + " " + Amount(1200000 - 100000 * m));
  }
  EXPECT_EQ(run.totals, "78,000 1,278,000");
}

TEST(Repayment, EqualInstalmentExampleA) {
  const std::vector<std::string> expected = {
      "1 94,619 12,000 106,619 1,105,381", "2 95,565 11,054 106,619 1,009,817",
      "3 96,520 10,098 106,619 913,296",   "4 97,486 9,133 106,619 815,811",
      "5 98,460 8,158 106,619 717,350",    "6 99,445 7,174 106,619 617,905",
      "7 100,439 6,179 106,619 517,466",   "8 101,444 5,175 106,619 416,022",
      "9 102,458 4,160 106,619 313,564",   "10 103,483 3,136 106,619 210,081",
      "11 104,518 2,101 106,619 105,563",  "12 105,563 1,056 106,619 0"};
  const LoanRun run = RunLoan(1200000, EqualInstalment, kExampleA);
  EXPECT_EQ(run.lines, expected);
  // The displayed interests add to 79,424: totals add the unrounded values.
  EXPECT_EQ(run.totals, "79,423 1,279,423");
}

TEST(Repayment, DefermentThenSteppedRate) {
  const LoanRun run = RunLoan(1200000, EqualInstalment, {u"3", u"12", u"1", u"2", u"6"});
  ASSERT_EQ(run.lines.size(), 36u);
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(run.lines[m - 1], std::to_string(m) + " 0 6,000 6,000 1,200,000");
  }
  EXPECT_EQ(run.lines[12], "13 47,185 6,000 53,185 1,152,815");
  EXPECT_TRUE(run.lines[23].ends_with(" 617,950")) << run.lines[23];
  EXPECT_EQ(run.lines[24], "25 48,725 6,179 54,904 569,225");
  EXPECT_TRUE(run.lines[35].ends_with(" 0")) << run.lines[35];
  EXPECT_EQ(run.totals, "169,066 1,369,066");
}

TEST(Repayment, ZeroAmountAndZeroRate) {
  for (std::int16_t method : {EqualPrincipal, EqualInstalment}) {
    const LoanRun fresh = RunLoan(0, method, {u"1", u"0", u"0", u"0", u"0"});
    ASSERT_EQ(fresh.lines.size(), 12u);
    for (int m = 1; m <= 12; ++m) {
      EXPECT_EQ(fresh.lines[m - 1], std::to_string(m) + " 0 0 0 0");
    }
    EXPECT_EQ(fresh.totals, "0 0");
  }
  const LoanRun run = RunLoan(1200000, EqualInstalment, {u"2", u"0", u"0", u"0", u"0"});
  ASSERT_EQ(run.lines.size(), 24u);
  for (int m = 1; m <= 24; ++m) {
    EXPECT_EQ(run.lines[m - 1],
              std::to_string(m) + " 50,000 0 50,000 " + Amount(1200000 - 50000 * m));
  }
  EXPECT_EQ(run.totals, "0 1,200,000");
}

// How far a run gets before it ends or fails: grid limits and lazy conversion.
TEST(Repayment, RunLengthAndFailures) {
  struct Case {
    std::int16_t method;
    LoanFieldTexts texts;  // term, rate, deferment, stepped years, stepped rate
    std::size_t rows;
    std::string totals;  // "*" for any totals
  };
  constexpr std::int16_t P = EqualPrincipal, I = EqualInstalment;
  const std::vector<Case> cases = {
      {P, {u"37", u"2.5", u"0", u"0", u"0"}, 444, "*"},
      {I, {u"37", u"2.5", u"0", u"0", u"0"}, 444, "*"},
      {P, {u"38", u"2.5", u"0", u"0", u"0"}, 449, "failed"},
      {I, {u"38", u"2.5", u"0", u"0", u"0"}, 449, "failed"},
      {P, {u"39", u"2.5", u"38", u"0", u"0"}, 449, "failed"},
      {P, {u"2", u"12", u"2", u"0", u"0"}, 24, "failed"},  // deferment = term
      {I, {u"2", u"12", u"2", u"0", u"0"}, 24, "failed"},
      {P, {u"1", u"12", u"2", u"0", u"0"}, 24, "288,000 288,000"},  // deferment > term
      {I, {u"1", u"12", u"2", u"0", u"0"}, 24, "288,000 288,000"},
      {2, kExampleA, 0, "0 0"},
      {-1, kExampleA, 0, "0 0"},
      {P, {u"1", u"12", u"0", u"0", u"abc"}, 12, "78,000 1,278,000"},  // stepped rate unread
      {I, {u"1", u"abc", u"0", u"1", u"12"}, 12, "79,423 1,279,423"},  // annual rate unread
      {I, {u"1", u"12", u"0", u"0", u"abc"}, 0, "failed"},  // instalment at stepped rate first
      {P, {u"2", u"abc", u"1", u"1", u"6"}, 12, "failed"},
      {P, {u"40000", u"12", u"0", u"0", u"0"}, 0, "failed"},
      {I, {u"2", u"12", u"40000", u"0", u"0"}, 0, "failed"}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const LoanRun run = RunLoan(1200000, c.method, c.texts);
    EXPECT_EQ(run.lines.size(), c.rows) << "case " << i;
    if (c.totals == "*") {
      EXPECT_NE(run.totals, "failed") << "case " << i;
    } else {
      EXPECT_EQ(run.totals, c.totals) << "case " << i;
    }
  }
}

TEST(Repayment, LevelInstalment) {
  EXPECT_NEAR(LevelInstalment(1200000, 12, 1), 106618.546414, 1e-6);
  EXPECT_EQ(LevelInstalment(1200000, 0, 2), 50000);
  EXPECT_THROW(LevelInstalment(1200000, 12, 0), Failure);
  EXPECT_THROW(LevelInstalment(1200000, -1200, 1), Failure);   // log(0)
  EXPECT_THROW(LevelInstalment(1200000, 1e6, 1000), Failure);  // e^x overflows
}

TEST(Repayment, LongScheduleEndsAtZeroNotMinusZero) {
  const LoanRun run = RunLoan(10000000, EqualPrincipal, {u"35", u"2.5", u"0", u"0", u"0"});
  ASSERT_EQ(run.lines.size(), 420u);
  EXPECT_EQ(run.lines.back(), "420 23,810 50 23,859 0");
}
