// The yearly chart figures as read from a schedule grid's texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/core/chart_data.h"
#include "common/core/failure.h"

using namespace tsubame;
using Rows = std::vector<std::vector<std::u16string>>;

namespace {

// Grid rows from 1 on, as their cells read.
ChartData Read(ChartKind kind, const Rows& rows) {
  return ReadChart(kind, static_cast<int>(rows.size()),
                   [&rows](int row, int col) { return rows.at(row - 1).at(col); });
}

// 14 months: a full year and a year of 2 months; amounts as displayed.
Rows LoanRows() {
  Rows rows;
  for (int m = 1; m <= 14; ++m) {
    const std::string digits = std::to_string(m);
    const std::u16string month(digits.begin(), digits.end());
    rows.push_back({month, u"1,000", m == 14 ? u"-1" : u"250", u"", m == 14 ? u"-12" : u"9"});
  }
  return rows;
}

}  // namespace

TEST(ChartData, YearlySumsAsTable) {
  const struct {
    ChartKind kind;
    Rows rows;
    Rows table;
  } cases[] = {
      {ChartKind::Repayment,
       LoanRows(),
       {{u"年数", u"元金", u"利息", u"残高"},
        {u"1", u"12,000", u"3,000", u"9"},
        {u"2", u"2,000", u"249", u"-12"}}},
      {ChartKind::Depreciation,
       {{u"1", u"369,043", u"630,957"},
        {u"2", u"232,850", u"398,107"},
        {u"3", u"13,096", u"50,000"}},
       {{u"年数", u"減価償却費", u"現存価格"},
        {u"1", u"369,043", u"630,957"},
        {u"2", u"232,850", u"398,107"},
        {u"3", u"13,096", u"50,000"}}},
      {ChartKind::Repayment, {}, {{u"年数", u"元金", u"利息", u"残高"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChartTable(Read(c.kind, c.rows)), c.table);
  }
  EXPECT_THROW(Read(ChartKind::Depreciation, {{u"1", u"12a", u"0"}}), Failure);
  EXPECT_THROW(Read(ChartKind::Repayment, {{u"1", u"1E+308", u"1E+308", u"", u"0"}}), Failure);
}

TEST(ChartData, Summary) {
  // Year-end balances, or book values.
  const auto chart = [](ChartKind kind, std::vector<double> ends) {
    ChartData data{kind, {}};
    for (const double v : ends) {
      const int year = static_cast<int>(data.years.size()) + 1;
      data.years.push_back(kind == ChartKind::Repayment ? ChartYear{year, 0, 0, v}
                                                        : ChartYear{year, v, 0, 0});
    }
    return data;
  };
  const auto loan = [&chart](std::vector<double> ends) {
    return chart(ChartKind::Repayment, ends);
  };
  const struct {
    ChartData data;
    std::u16string text;
  } cases[] = {
      {loan({9e6, 6e6, 4.5e6, 0}),
       u"残高は1年目末の9,000,000円から4年目末の0円へ減り、3年目末に1年目末の半分以下になります。"},
      {loan({1000, 900}), u"残高は1年目末の1,000円から2年目末の900円へ減ります。"},
      {loan({1000, 1200}), u"残高は1年目末の1,000円から2年目末の1,200円へ増えます。"},
      {loan({1000, 1000.4}), u"残高は1年目末から2年目末まで1,000円のままです。"},
      {loan({5}), u"残高は1年目末に5円です。"},
      {loan({}), u"残高はまだありません。"},
      {chart(ChartKind::Depreciation, {800, 400}),
       u"現存価格は1年目末の800円から2年目末の400円へ減り、2年目末に1年目末の半分以下になります。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChartSummary(c.data), c.text);
  }
}

TEST(ChartData, Axis) {
  const struct {
    double low, high;
    int ticks;
    double axis_low, axis_high, step;
    std::u16string unit, top_label;
  } cases[] = {
      {0, 1'238'000, 7, 0, 1'400'000, 200'000, u"万円", u"140"},
      {0, 9'000'000, 9, 0, 9'000'000, 1'000'000, u"万円", u"900"},
      {0, 50'000, 5, 0, 50'000, 10'000, u"円", u"50,000"},
      {-300'000, 100'000, 4, -300'000, 100'000, 100'000, u"円", u"100,000"},
      {0, 3e9, 3, 0, 3e9, 1e9, u"百万円", u"3,000"},
      {0, 0, 5, 0, 1, 1, u"円", u"1"},
      {0, 7, 20, 0, 7, 1, u"円", u"7"},
      {0, 7, 3, 0, 10, 5, u"円", u"10"},
  };
  for (const auto& c : cases) {
    const ChartAxis axis = ChooseAxis(c.low, c.high, c.ticks);
    EXPECT_EQ(axis.low, c.axis_low) << c.high;
    EXPECT_EQ(axis.high, c.axis_high) << c.high;
    EXPECT_EQ(axis.step, c.step) << c.high;
    EXPECT_EQ(axis.unit_name, c.unit) << c.high;
    EXPECT_EQ(AxisLabel(axis, axis.high), c.top_label) << c.high;
  }
}
