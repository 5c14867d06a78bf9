// The calculation core: numeric text, display formats, field rules, coded
// messages, both schedules as their grids show them, and the chart figures.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/core/checked.h"
#include "common/core/coded_message.h"
#include "common/core/decimal_form.h"
#include "common/core/failure.h"
#include "common/core/field_rules.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"
#include "loan/core/repayment_schedule.h"
#include "schedule/core/chart_data.h"

using namespace MdlCommon;
using namespace tsubame;
using testing::PrintToString;
using Texts = std::pair<std::u16string, std::u16string>;
template <class In, class Out>
using Table = std::vector<std::pair<In, Out>>;

// Every input of `cases` gives its output through `f`.
template <class In, class Out, class F>
void ExpectAll(const Table<In, Out>& cases, const F& f) {
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(f(in), out) << PrintToString(in);
  }
}

TEST(NumericText, Grammar) {
  // clang-format off
  ExpectAll(Table<std::u16string, std::optional<double>>{
      {u" \t-1.5e+2\t ", -150}, {u"+0.1", 0.1}, {u"5.", 5}, {u".5", 0.5}, {u"1E-3", 0.001},
      {u"1,234,567.25", 1234567.25}, {u"1,2345", 12345}, {u"12,3", 123}, {u"1e-400", 0},
      {u"", {}}, {u".", {}}, {u"--1", {}}, {u"1.2.3", {}}, {u"1 2", {}}, {u"\n1", {}}, {u"1e+", {}},
      {u",1", {}}, {u"1,", {}}, {u"1,,2", {}}, {u"1.5,0", {}}, {u" \t ", {}},
      {u"inf", {}}, {u"nan", {}}, {u"0x1p3", {}}, {u"１２", {}}, {u"1e400", {}}}, ParseNumber);
  // clang-format on
  // A view is read to its end, whatever follows it.
  EXPECT_EQ(ParseNumber(std::u16string_view(u"5e3").substr(0, 1)), 5);
  EXPECT_EQ(ParseNumber(std::u16string_view(u"1e55").substr(0, 3)), 1e5);
}

TEST(NumericText, TextToInt16HalvesToEvenWithinRange) {
  // clang-format off
  ExpectAll(Table<std::u16string, int>{{u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2},
      {u"2.5000001", 3}, {u"-32768.5", -32768}}, TextToInt16);
  // clang-format on
  for (const char16_t* text : {u"32767.5", u"-32768.6", u"x"}) {
    EXPECT_THROW(TextToInt16(text), Failure) << PrintToString(std::u16string(text));
  }
}

// 0.1125 and 4.5E-05 are among the depreciation rates below.
TEST(Formats, PlainTextAndAmount) {
  // clang-format off
  ExpectAll(Table<double, Texts>{  // value, {PlainText, FormatAmount}
      {2.5, {u"2.5", u"3"}}, {-2.5, {u"-2.5", u"-3"}}, {1234567.5, {u"1234567.5", u"1,234,568"}},
      {5481.499999999999, {u"5481.5", u"5,482"}}, {-0.4, {u"-0.4", u"0"}},
      {-1.2345678901234567e-10, {u"-1.23456789012346E-10", u"0"}}, {0.0001, {u"0.0001", u"0"}},
      {999999999999999, {u"999999999999999", u"999,999,999,999,999"}},
      {100000000000000.5, {u"100000000000000", u"100,000,000,000,000"}},  // ties at the 16th digit go
      {100000000000001.5, {u"100000000000002", u"100,000,000,000,002"}},  // to even, then to whole units
      {1e15, {u"1E+15", u"1,000,000,000,000,000"}},
      {1234567890123456789.0, {u"1.23456789012346E+18", u"1,234,567,890,123,460,000"}}},
      [](double value) { return Texts(PlainText(value), FormatAmount(value)); });
  // clang-format on
}

// Against exact conversion (std::to_chars): the quick way wherever it
// answers and over the whole range it must answer (1e-6 to 1e37), at the edges of each power of ten
// and on random bits; ToDecimalForm and FormatAmount everywhere.
TEST(Formats, DecimalFormIsExact) {
  std::mt19937_64 gen(15);
  std::vector<double> values;
  for (int p = -7; p <= 37; ++p) {
    const double ten = std::pow(10.0, p);
    values.insert(values.end(), {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e300)});
    values.push_back(ten * 9.999999999999995);  // rounds up into the next power
  }
  for (int i = 0; i < 100000; ++i) {
    const double magnitude = std::pow(10.0, -6.0 + 43.0 * std::ldexp(double(gen() >> 11), -53));
    values.push_back(i % 2 ? magnitude : std::bit_cast<double>(gen() >> 1));
  }
  for (const double v : values) {
    if (!std::isfinite(v) || v == 0) {
      continue;  // no digits to compare
    }
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
    const std::string text(buf, end);
    std::string digits = text.substr(0, 1) + text.substr(2, 14);  // of d.dddddddddddddde±xx
    const int exponent = std::stoi(text.substr(17));              // after the point and the "e"
    DecimalForm quick;
    const bool quick_done = QuickDecimalForm(v, quick);
    ASSERT_TRUE(quick_done || v < 1e-6 || v >= 1e37) << text;
    ASSERT_TRUE(!quick_done || (quick.digits == digits && quick.exponent == exponent)) << text;
    digits.erase(digits.find_last_not_of('0') + 1);
    const DecimalForm form = ToDecimalForm(-v);
    ASSERT_EQ(form.digits + " " + std::to_string(form.exponent) + (form.negative ? "-" : ""),
              (digits.empty() ? "0" : digits) + " " + std::to_string(exponent) + "-");
    if (v < 1e25) {
      ASSERT_EQ(FormatAmount(v), FormatFixed(ToDecimalForm(v), 0, true)) << text;
    }
  }
}

TEST(Formats, RateAndWhole) {
  // clang-format off
  ExpectAll(Table<std::u16string, Texts>{  // text, {FormatRate, FormatWhole}
      {u"0.0375", {u"0.038", u"0"}}, {u"0.1125", {u"0.113", u"0"}}, {u"0.0225", {u"0.023", u"0"}},
      {u"0.0125", {u"0.013", u"0"}}, {u"7.5", {u"7.500", u"8"}}, {u"0.5", {u"0.500", u"1"}},
      {u"1,234", {u"1234.000", u"1234"}}, {u"-0.0004", {u"0.000", u"0"}}, {u"x", {u"x", u"x"}}},
      [](const std::u16string& text) { return Texts(FormatRate(text), FormatWhole(text)); });
  // clang-format on
}

TEST(FieldRules, ValidateNumericField) {
  using enum FieldCheck;
  // clang-format off
  ExpectAll(Table<Texts, std::pair<FieldCheck, std::u16string>>{  // {box, text}, {outcome, fill}
      {{u"TxtKikan", u""}, {kFilled, u"1"}}, {{u"TxtNenri", u""}, {kFilled, u"0"}},
      {{u"txtkikan", u""}, {kFilled, u"0"}}, {{u"TxtKikan", u"0"}, {kRefused, u""}},
      {{u"TxtKikan", u"0.0"}, {kRefused, u""}}, {{u"TxtKikan", u"0.4"}, {kAccepted, u""}},
      {{u"TxtSueoki", u"0"}, {kAccepted, u""}}, {{u"TxtNenri", u"1.2a"}, {kRefused, u""}}},
      [](auto in) { const FieldCheckResult r = std::apply(ValidateNumericFieldOutcome, in);
                    return std::pair(r.outcome, r.text); });
  // clang-format on
}

TEST(FieldRules, GroupThousands) {
  // clang-format off
  ExpectAll(Table<std::u16string, std::pair<bool, std::u16string>>{  // typed, {refused, shown}
      {u"1234567", {false, u"1,234,567"}}, {u"1,2345", {false, u"12,345"}}, {u"", {false, u""}},
      {u"0012", {false, u"12"}}, {u"1234.", {false, u"1,234."}}, {u"-1234", {false, u"-1,234"}},
      {u"-123", {false, u"-123"}}, {u"-0.5", {false, u"-0.5"}}, {u".5", {false, u".5"}},
      {u"1e5", {false, u"100,000"}}, {u"-1.5E3", {false, u"-1.5E3"}}, {u"1e-3", {false, u"0.001"}},
      {u"1e-5", {false, u"1e-5"}}, {u"1e15", {false, u"1e15"}}, {u"12a", {true, u"12"}},
      {u"10000000110000002E-13", {false, u"10000000110000002E-13"}},
      {u".", {true, u""}}, {u"-", {true, u""}},  // a lone sign is no number
      {u"1000000000000000", {false, u"1000000000000000"}}, {u"12\U0001F600", {true, u"12"}},
      {u"1\U00010000", {true, u"1"}}, {u"\U0010FFFF", {true, u""}},  // the surrogates' ends
      {u"1\xD83D" u"x", {true, u"1\xD83D"}},  // a lone high surrogate is a character of its own
      {u"999999999999999", {false, u"999,999,999,999,999"}},
      {u"1234.123456789012345678901", {false, u"1,234.12345678901234567890"}}},
      [](const auto& typed) { auto r = GroupThousandsText(typed); return std::pair(r.refused, r.text); });
  // clang-format on
  const std::u16string huge =
      std::u16string(400, u'9') + u".5e-400";  // a number; its integer part is not
  const GroupedText kept = GroupThousandsText(huge);
  EXPECT_TRUE(!kept.refused && kept.text == huge);
  // A view is read no further than its end, whatever follows it.
  EXPECT_EQ(
      GroupThousandsText(std::u16string_view(u"1\U0001F600\xFFFF\xFFFF\xFFFF").substr(0, 3)).text,
      u"1");
}

TEST(CodedMessage, StyleAndText) {
  // clang-format off
  ExpectAll(Table<std::u16string_view, int>{  // coded, style value
      {MsgInvalidInput, 4112}, {MsgProcessingError, 4144}, {u"411x", 4096 + 4 + 32 + 256},
      {u"533x", 4096 + 5 + 64 + 768}, {u"644x", 4096}, {u"999x", 4096}, {u"4", 4096 + 4}},
      [](std::u16string_view coded) {
        const MessageStyle s = MessageStyleOf(coded);  // as one number, system-modal 4096 included
        return 4096 + s.buttons + s.icon + s.default_button * 256;
      });
  // clang-format on
  const std::u16string a99(99, u'あ');
  EXPECT_EQ(MessageText(u"", u"", MsgProcessingError), u"処理中、異常が発生しました。\r");
  EXPECT_EQ(MessageText(u"前", u"後", MsgInvalidInput), u"前入力データが正しくありません。\r後");
  EXPECT_EQ(MessageText(u"", u"", u"000" + a99 + u"いう"), a99 + u"い\r");  // 100 characters
}

constexpr int P = EqualPrincipal, I = EqualInstalment, SL = StraightLine, DB = DecliningBalance;
const LoanFieldTexts kExampleA{u"1", u"12", u"0", u"0", u"0"};
const LoanFieldTexts kExampleB{u"3", u"12", u"1", u"2", u"6"};

// Displayed texts are ASCII: narrowing keeps expected values short plain strings.
static std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

// What a grid of `limit` rows shows after `compute` has filled it: each row's
// cells joined by blanks, then the text `compute` returned, or "failed".
template <class Row, class Cells, class Compute>
std::vector<std::string> FillGrid(std::size_t limit, Cells (*cells)(const Row&),
                                  const Compute& compute) {
  std::vector<std::string> lines;
  try {
    std::string end = compute([&](const Row& row) {
      if (lines.size() == limit) {
        throw Failure("the grid is full");
      }
      std::string line;
      for (const std::u16string& cell : cells(row)) {
        line += line.empty() ? "" : " ";  // not " " + cell: GCC 12 -Wrestrict misfires on that
        line += Narrow(cell);
      }
      lines.push_back(line);
    });
    lines.push_back(end);
  } catch (const Failure&) {
    lines.emplace_back("failed");
  }
  return lines;
}

// The months of 1,200,000, then the totals or "failed".
static std::vector<std::string> RunLoan(std::int16_t method, const LoanFieldTexts& texts) {
  return FillGrid(kRepaymentGridMonths, RepaymentCells, [&](const RepaymentReceiver& grid) {
    const RepaymentTotals t = ComputeRepaymentSchedule(1200000, method, texts, grid);
    return Narrow(FormatAmount(t.TotalInterest)) + " " + Narrow(FormatAmount(t.TotalPaid));
  });
}

// The row of `run` whose number `line` starts with; "" for an empty `line`.
static std::string RowLike(const std::vector<std::string>& run, const std::string& line) {
  return line.empty() ? "" : run.at(std::stoul(line) - 1);
}

TEST(Repayment, ExampleABothMethods) {
  // clang-format off
  const std::vector<std::array<std::string, 2>> rows = {  // equal principal, equal instalment; months 1-3, 10-12
      {"1 100,000 12,000 112,000 1,100,000", "1 94,619 12,000 106,619 1,105,381"},
      {"2 100,000 11,000 111,000 1,000,000", "2 95,565 11,054 106,619 1,009,817"},
      {"11 100,000 2,000 102,000 100,000",   "11 104,518 2,101 106,619 105,563"},
      {"12 100,000 1,000 101,000 0",         "12 105,563 1,056 106,619 0"},
  };
  // clang-format on
  const std::vector<std::string> p = RunLoan(P, kExampleA), i = RunLoan(I, kExampleA);
  ASSERT_EQ(p.size() + i.size(), 2 * 13u);
  for (const auto& row : rows) {
    EXPECT_EQ((std::array{RowLike(p, row[0]), RowLike(i, row[1])}), row);
  }
  // The displayed interests add to 79,424: the totals add the unrounded values.
  EXPECT_EQ(p.back() + " / " + i.back(), "78,000 1,278,000 / 79,423 1,279,423");
}

// Example B, and how far a run gets: the grid's 449 months, and each field
// text read only when a step first needs it.
TEST(Repayment, Runs) {
  // clang-format off
  const std::vector<std::tuple<std::int16_t, LoanFieldTexts, unsigned, std::string, std::string>> cases = {
      // method, {term, rate, deferment, stepped years, stepped rate}, months, a month, totals
      {I, kExampleB, 36, "12 0 6,000 6,000 1,200,000", "169,066 1,369,066"},
      {I, kExampleB, 36, "13 47,185 6,000 53,185 1,152,815", "169,066 1,369,066"},
      {I, kExampleB, 36, "25 48,725 6,179 54,904 569,225", "169,066 1,369,066"},
      {I, kExampleB, 36, "36 54,360 544 54,904 0", "169,066 1,369,066"},
      {P, {u"37", u"2.5", u"0", u"0", u"0"}, 444, "444 2,703 6 2,708 0", "556,250 1,756,250"},
      {I, {u"37", u"2.5", u"0", u"0", u"0"}, 444, "444 4,137 9 4,145 0", "640,531 1,840,531"},
      {P, {u"38", u"2.5", u"0", u"0", u"0"}, 449, "449 2,632 44 2,675 18,421", "failed"},
      {P, {u"2", u"12", u"2", u"0", u"0"}, 24, "24 0 12,000 12,000 1,200,000", "failed"},
      {I, {u"1", u"12", u"2", u"0", u"0"}, 24, "24 0 12,000 12,000 1,200,000", "288,000 288,000"},
      {2, kExampleA, 0, "", "0 0"}, {-1, kExampleA, 0, "", "0 0"},
      {P, {u"1", u"12", u"0", u"0", u"abc"}, 12, "12 100,000 1,000 101,000 0", "78,000 1,278,000"},
      {I, {u"1", u"abc", u"0", u"1", u"12"}, 12, "12 105,563 1,056 106,619 0", "79,423 1,279,423"},
      {I, {u"1", u"12", u"0", u"0", u"abc"}, 0, "", "failed"},
      {P, {u"2", u"abc", u"1", u"1", u"6"}, 12, "12 0 6,000 6,000 1,200,000", "failed"},
      {P, {u"40000", u"12", u"0", u"0", u"0"}, 0, "", "failed"}};
  // clang-format on
  for (const auto& [method, texts, months, row, totals] : cases) {
    const std::vector<std::string> run = RunLoan(method, texts);
    EXPECT_EQ(run.size(), months + 1) << row << " " << totals;
    EXPECT_EQ(RowLike(run, row) + " / " + run.back(), row + " / " + totals);
  }
}

TEST(Repayment, LevelInstalment) {
  EXPECT_NEAR(LevelInstalment(1200000, 12, 1), 106618.546414, 1e-6);
  EXPECT_THROW(LevelInstalment(1200000, 12, 0), Failure);
  EXPECT_THROW(LevelInstalment(1200000, -1200, 1), Failure);   // log(0)
  EXPECT_THROW(LevelInstalment(1200000, 1e6, 1000), Failure);  // e^x overflows
}

TEST(Checked, SixteenBitLimits) {
  EXPECT_EQ(checked::Add16(32766, 1) + checked::Sub16(-32767, 1), 32767 - 32768);
  EXPECT_THROW(checked::Add16(32767, 1), Failure);
  EXPECT_THROW(checked::Sub16(-32768, 1), Failure);
}

TEST(Depreciation, RateAndLabel) {
  // clang-format off
  ExpectAll(Table<std::pair<std::int16_t, std::int16_t>, Texts>{  // {method, life}, {rate, label}
      {{SL, 8}, {u"0.1125", u"0.113"}}, {{SL, 24}, {u"0.0375", u"0.038"}},
      {{SL, 40}, {u"0.0225", u"0.023"}}, {{SL, 72}, {u"0.0125", u"0.013"}},
      {{SL, -5}, {u"-0.18", u"-0.180"}}, {{SL, 0}, {u"0", u"0.000"}}, {{2, 5}, {u"0", u"0.000"}},
      {{SL, 20000}, {u"4.5E-05", u"0.000"}}, {{DB, 5}, {u"0.369042655519807", u"0.369"}},
      {{DB, 10}, {u"0.205671765275719", u"0.206"}}},
      [](auto in) { const double rate = std::apply(DepreciationRate, in);
                    return Texts(PlainText(rate), RateLabelText(rate)); });
  // clang-format on
}

// Runs of `amount` over `life`: the worked example of 1,000,000 over 5 years,
// other lives, the grid's 299 years, and an amount of 0.
TEST(Depreciation, Runs) {
  // clang-format off
  const std::vector<std::tuple<double, std::int16_t, std::int16_t, unsigned, std::string, bool>> cases = {
      // amount, method, life, years, a year, failed
      {1e6, SL, 5, 6, "1 180,000 820,000", false}, {1e6, SL, 5, 6, "5 180,000 100,000", false},
      {1e6, SL, 5, 6, "6 50,000 50,000", false},   {1e6, DB, 5, 7, "1 369,043 630,957", false},
      {1e6, DB, 5, 7, "5 58,489 100,000", false},  {1e6, DB, 5, 7, "6 36,904 63,096", false},
      {1e6, DB, 5, 7, "7 13,096 50,000", false},   {1e6, SL, 1, 2, "2 50,000 50,000", false},
      {1e6, SL, 18, 19, "19 50,000 50,000", false},  // reaching 5 % exactly ends the second phase
      {1e6, SL, 36, 38, "38 25,000 50,000", false}, {1e6, DB, 10, 14, "10 25,893 100,000", false},
      {1e6, DB, 10, 14, "14 119 50,000", false},     {1e6, 2, 5, 0, "", false},
      {1e6, SL, 283, 299, "299 2,297 50,000", false}, {1e6, SL, 284, 299, "299 3,169 52,465", true},
      {1e6, DB, 229, 298, "298 473 50,000", false}, {1e6, DB, 230, 299, "299 504 50,119", true},
      {1e6, SL, 0, 299, "299 0 1,000,000", true}, {1e6, DB, 0, 299, "299 0 1,000,000", true},
      {0, SL, 0, 1, "1 0 0", false}, {0, DB, 1, 2, "2 0 0", false}, {0, SL, 5, 6, "6 0 0", false},
      {0, DB, 298, 299, "299 0 0", false}};
  // clang-format on
  for (const auto& [amount, method, life, years, row, failed] : cases) {
    const std::vector<std::string> run = FillGrid(
        kDepreciationGridYears, DepreciationCells,
        [amount = amount, method = method, life = life](const DepreciationReceiver& grid) {
          ComputeDepreciationSchedule(amount, life, method, DepreciationRate(method, life), grid);
          return std::string("done");
        });
    EXPECT_EQ(run.size(), years + 1) << row;
    EXPECT_EQ(RowLike(run, row) + " / " + run.back(), row + (failed ? " / failed" : " / done"));
  }
}

using Rows = std::vector<std::vector<std::optional<double>>>;

// Grid rows from 1 on, as their cells' figures.
static ChartData Read(ChartKind kind, const Rows& rows) {
  return ReadChart(kind, static_cast<int>(rows.size()),
                   [&rows](int row, int col) { return rows.at(row - 1).at(col); });
}

// What the windows cannot make: a cell without a figure, a sum beyond the doubles.
TEST(ChartData, UnreadableCellsFail) {
  EXPECT_THROW(Read(ChartKind::kDepreciation, {{1, std::nullopt, 0}}), Failure);
  EXPECT_THROW(Read(ChartKind::kRepayment, {{1, 1e308, 1e308, 0, 0}}), Failure);
}

// A year's amounts are summed exactly and rounded once: twelve months of
// 83,333.33 make 1,000,000, not 999,996, and the years add up to the loan.
TEST(ChartData, YearlyFiguresAddUp) {
  Rows rows;
  ComputeRepaymentSchedule(10000000, P, {u"10", u"2.5", u"0", u"0", u"0"},
                           [&rows](const RepaymentRow& row) {
                             const auto f = RepaymentFigures(row);
                             rows.emplace_back(f.begin(), f.end());
                           });
  const auto table = ChartTable(Read(ChartKind::kRepayment, rows));
  ASSERT_EQ(table.size(), 11U);
  EXPECT_EQ(table[0], (std::vector<std::u16string>{u"年数", u"元金", u"利息", u"残高"}));
  EXPECT_EQ(table[1], (std::vector<std::u16string>{u"1", u"1,000,000", u"238,542", u"9,000,000"}));
  EXPECT_EQ(table[10], (std::vector<std::u16string>{u"10", u"1,000,000", u"13,542", u"0"}));
  for (std::size_t y = 1; y < table.size(); ++y) {
    EXPECT_EQ(table[y][1], u"1,000,000") << y;
  }
  EXPECT_EQ(
      ChartTable(Read(ChartKind::kDepreciation, {{1, 100.4, 899.6}, {2, 100, 799.6}})),
      (std::vector<std::vector<std::u16string>>{
          {u"年数", u"減価償却費", u"現存価格"}, {u"1", u"100", u"900"}, {u"2", u"100", u"800"}}));
  // Drawn as shown: a balance a hair below zero is no bar below the axis.
  const ChartYear y = Read(ChartKind::kRepayment, {{1, 0.4, 0.5, 0.9, -1e-7}}).years.at(0);
  EXPECT_EQ(std::tuple(y.lower, y.upper, y.balance, std::signbit(y.balance)),
            std::tuple(0.0, 1.0, 0.0, false));
}

// The tax schedule's chart: years named by fiscal year (column 0), 償却費 and 期末帳簿価額.
TEST(ChartData, TaxScheduleByFiscalYear) {
  const ChartData data = Read(ChartKind::kTaxDepreciation,
                              {{2025, 6, 1000, 100.4, 899.6}, {2026, 12, 899.6, 899.6, 0}});
  EXPECT_EQ(ChartTable(data)[1], (std::vector<std::u16string>{u"2025年度", u"100", u"900"}));
  EXPECT_EQ(ChartSummary(data),
            u"期末帳簿価額は2025年度末の900円から2026年度末の0円へ減り、"
            u"2026年度末に2025年度末の半分以下になります。");
}

// The sentences the window tests do not reach.
TEST(ChartData, Summary) {
  const std::pair<std::vector<double>, std::u16string> cases[] = {
      {{1000, 900}, u"残高は1年目末の1,000円から2年目末の900円へ減ります。"},
      {{1000, 500},
       u"残高は1年目末の1,000円から2年目末の500円へ減り、2年目末に1年目末の半分以下になります。"},
      {{1000, 1200}, u"残高は1年目末の1,000円から2年目末の1,200円へ増えます。"},
      {{1000, 1000.4}, u"残高は1年目末から2年目末まで1,000円のままです。"},
      {{0, -100}, u"残高は1年目末の0円から2年目末の-100円へ減ります。"},
  };
  for (const auto& [balances, text] : cases) {
    ChartData data{ChartKind::kRepayment, {}};
    for (const double b : balances) {
      data.years.push_back({static_cast<int>(data.years.size()) + 1, 0, 0, b});
    }
    EXPECT_EQ(ChartSummary(data), text);
  }
}

// Low and high values, most ticks wanted -> low, high, step; unit; the top label.
TEST(ChartData, Axis) {
  using Axis = std::tuple<double, double, double, std::u16string, std::u16string>;
  const std::pair<std::tuple<double, double, int>, Axis> cases[] = {
      {{0, 1'238'000, 7}, {0, 1'400'000, 200'000, u"万円", u"140"}},
      {{-300'000, 100'000, 4}, {-300'000, 100'000, 100'000, u"円", u"100,000"}},
      {{0, 3e9, 3}, {0, 3e9, 1e9, u"百万円", u"3,000"}},
      {{0, 0, 5}, {0, 1, 1, u"円", u"1"}},
      {{0, 7, 3}, {0, 10, 5, u"円", u"10"}},
      {{0, 7, 1}, {0, 10, 10, u"円", u"10"}},
      {{0, 1e6, 5}, {0, 1e6, 2e5, u"万円", u"100"}},
  };
  for (const auto& [in, out] : cases) {
    const ChartAxis a = std::apply(ChooseAxis, in);
    EXPECT_EQ(Axis(a.low, a.high, a.step, a.unit_name, AxisLabel(a, a.high)), out);
  }
}

// The core's number rules never depend on the user's locale: the tests run
// once more under a locale whose decimal point is ",".
TEST(Locale, TakenFromTheEnvironment) {
  if (std::getenv("TSUBAME_EXPECT_COMMA_LOCALE") != nullptr) {
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
  }
}

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");  // as the program does through Qt
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
