#include "schedule/core/chart_data.h"

#include <algorithm>
#include <cmath>

#include "common/core/decimal_form.h"
#include "common/core/failure.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"

namespace tsubame {
namespace {

constexpr int kMonthsPerYear = 12;

double Amount(const CellFigure& figure, int row, int col) {
  const std::optional<double> value = figure(row, col);
  if (!value) {
    throw Failure("a grid cell holds no figure");
  }
  return *value;
}

double Add(double sum, double value) {
  sum += value;
  if (!std::isfinite(sum)) {
    throw Failure("yearly sum overflows");
  }
  return sum;
}

// A figure rounded once, as its text shows it: the chart draws what the
// table says (an exact balance of -0.000001 is 0, not a bar below the axis).
double Rounded(double value) { return ParseNumber(FormatWholeUnits(value, false)).value_or(value); }

std::u16string Yen(double value) { return MdlCommon::FormatAmount(value) + u"円"; }

// The end of a chart's year as the summary names it: "3年目末", "2027年度末".
std::u16string YearEnd(ChartKind kind, int year) {
  return MdlCommon::FormatCount(year) +
         (kind == ChartKind::kTaxDepreciation ? u"年度末" : u"年目末");
}

}  // namespace

ChartData ReadChart(ChartKind kind, int rows, const CellFigure& figure) {
  ChartData data{kind, {}};
  if (kind != ChartKind::kRepayment) {
    const bool tax = kind == ChartKind::kTaxDepreciation;
    const int amount = tax ? 3 : 1;
    for (int row = 1; row <= rows; ++row) {
      const int year = tax ? static_cast<int>(Amount(figure, row, 0)) : row;
      data.years.push_back(
          {year, Rounded(Amount(figure, row, amount + 1)), Rounded(Amount(figure, row, amount))});
      Add(data.years.back().lower, data.years.back().upper);  // the bar's top
    }
    return data;
  }
  for (int first = 1; first <= rows; first += kMonthsPerYear) {
    ChartYear year{static_cast<int>(data.years.size()) + 1, 0, 0, 0};
    const int last = std::min(rows, first + kMonthsPerYear - 1);
    for (int row = first; row <= last; ++row) {
      year.lower = Add(year.lower, Amount(figure, row, 1));
      year.upper = Add(year.upper, Amount(figure, row, 2));
    }
    year.lower = Rounded(year.lower);
    year.upper = Rounded(year.upper);
    Add(year.lower, year.upper);  // the bar's top
    year.balance = Rounded(Amount(figure, last, 4));
    data.years.push_back(year);
  }
  return data;
}

std::vector<std::u16string> ChartSeriesNames(ChartKind kind) {
  switch (kind) {
    case ChartKind::kRepayment:
      break;
    case ChartKind::kDepreciation:
      return {u"現存価格", u"減価償却費"};
    case ChartKind::kTaxDepreciation:
      return {u"期末帳簿価額", u"償却費"};
  }
  return {u"元金", u"利息", u"残高"};
}

std::vector<std::vector<std::u16string>> ChartTable(const ChartData& data) {
  const bool loan = data.kind == ChartKind::kRepayment;
  std::vector<std::vector<std::u16string>> table;
  table.reserve(data.years.size() + 1);
  const bool tax = data.kind == ChartKind::kTaxDepreciation;
  const std::vector<std::u16string> names = ChartSeriesNames(data.kind);
  if (loan) {
    table.push_back({u"年数", names[0], names[1], names[2]});
  } else {
    table.push_back({tax ? u"年度" : u"年数", names[1], names[0]});
  }
  for (const ChartYear& y : data.years) {
    const auto amount = MdlCommon::FormatAmount;
    const std::u16string year = MdlCommon::FormatCount(y.year) + (tax ? u"年度" : u"");
    if (loan) {
      table.push_back({year, amount(y.lower), amount(y.upper), amount(y.balance)});
    } else {
      table.push_back({year, amount(y.upper), amount(y.lower)});
    }
  }
  return table;
}

std::u16string ChartSummary(const ChartData& data) {
  const bool loan = data.kind == ChartKind::kRepayment;
  const std::u16string subject = ChartSeriesNames(data.kind)[loan ? 2 : 0] + u"は";
  if (data.years.empty()) {
    return subject + u"まだありません。";
  }
  const auto end_value = [loan](const ChartYear& y) { return loan ? y.balance : y.lower; };
  const double first = end_value(data.years.front());
  const double last = end_value(data.years.back());
  const auto year_end = [&data](const ChartYear& y) { return YearEnd(data.kind, y.year); };
  const std::u16string first_end = year_end(data.years.front());
  if (data.years.size() == 1) {
    return subject + first_end + u"に" + Yen(first) + u"です。";
  }
  // Compared as shown: what the reader sees is what the sentence says.
  if (MdlCommon::FormatAmount(first) == MdlCommon::FormatAmount(last)) {
    return subject + first_end + u"から" + year_end(data.years.back()) + u"まで" + Yen(first) +
           u"のままです。";
  }
  std::u16string text = subject + first_end + u"の" + Yen(first) + u"から" +
                        year_end(data.years.back()) + u"の" + Yen(last);
  if (last > first) {
    return text + u"へ増えます。";
  }
  for (const ChartYear& y : data.years) {
    if (first > 0 && end_value(y) <= first / 2) {
      return text + u"へ減り、" + year_end(y) + u"に" + first_end + u"の半分以下になります。";
    }
  }
  return text + u"へ減ります。";
}

ChartAxis ChooseAxis(double low, double high, int max_ticks) {
  low = std::min(low, 0.0);
  high = std::max(high, 0.0);
  const double largest = std::max(-low, high);
  ChartAxis axis;
  if (largest >= 1e9) {
    axis.unit = 1e6;
    axis.unit_name = u"百万円";
  } else if (largest >= 1e6) {
    axis.unit = 1e4;
    axis.unit_name = u"万円";
  } else {
    axis.unit = 1;
    axis.unit_name = u"円";
  }
  const double wanted = (high - low) / axis.unit / std::max(1, max_ticks);
  double step = 1;
  if (wanted > 1) {
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
      if (factor * power >= wanted) {
        step = factor * power;
        break;
      }
    }
  }
  axis.step = step * axis.unit;
  axis.low = std::floor(low / axis.step) * axis.step;
  axis.high = std::ceil(high / axis.step) * axis.step;
  if (axis.high <= axis.low) {
    axis.high = axis.low + axis.step;
  }
  return axis;
}

std::u16string AxisLabel(const ChartAxis& axis, double value) {
  return MdlCommon::FormatAmount(value / axis.unit);
}

}  // namespace tsubame
