// The yearly chart figures as read from a schedule grid's texts.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
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

}  // namespace

TEST(ChartData, YearlySumsAsTable) {
  // 14 months, amounts as displayed: a full year and a year of 2 months.
  Rows rows;
  for (int m = 1; m <= 14; ++m) {
    rows.push_back({u"", u"1,000", m == 14 ? u"-1" : u"250", u"", m == 14 ? u"-12" : u"9"});
  }
  EXPECT_EQ(ChartTable(Read(ChartKind::Repayment, rows)),
            (Rows{{u"年数", u"元金", u"利息", u"残高"},
                  {u"1", u"12,000", u"3,000", u"9"},
                  {u"2", u"2,000", u"249", u"-12"}}));
  EXPECT_THROW(Read(ChartKind::Depreciation, {{u"1", u"12a", u"0"}}), Failure);
  EXPECT_THROW(Read(ChartKind::Repayment, {{u"1", u"1E+308", u"1E+308", u"", u"0"}}), Failure);
}

// The sentences the window tests do not reach.
TEST(ChartData, Summary) {
  const std::pair<std::vector<double>, std::u16string> cases[] = {
      {{1000, 900}, u"残高は1年目末の1,000円から2年目末の900円へ減ります。"},
      {{1000, 1200}, u"残高は1年目末の1,000円から2年目末の1,200円へ増えます。"},
      {{1000, 1000.4}, u"残高は1年目末から2年目末まで1,000円のままです。"},
      {{}, u"残高はまだありません。"},
  };
  for (const auto& [balances, text] : cases) {
    ChartData data{ChartKind::Repayment, {}};
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
  };
  for (const auto& [in, out] : cases) {
    const ChartAxis a = std::apply(ChooseAxis, in);
    EXPECT_EQ(Axis(a.low, a.high, a.step, a.unit_name, AxisLabel(a, a.high)), out);
  }
}
