#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A schedule's yearly picture, read from the exact figures behind its grid's
// cells: each year's amounts summed exactly and rounded once where shown, as
// the totals are; never a computation of its own.
namespace tsubame {

enum class ChartKind {
  kRepayment,     // months: 12 rows a year, principal and interest, balance
  kDepreciation,  // years: depreciation and book value
  // fiscal years (年度, 償却期間, 期首帳簿価額, 償却費, 期末帳簿価額): the
  // tax-law schedule, its years named by the year in which each starts
  kTaxDepreciation,
};

struct ChartYear {
  int year = 0;        // 1 for the first, or the fiscal year (2025)
  double lower = 0;    // 元金 of the year, or 現存価格 at its end
  double upper = 0;    // 利息 of the year, or 減価償却費; stacked on `lower`
  double balance = 0;  // 残高 at the year's end (repayment only)
};

struct ChartData {
  ChartKind kind = ChartKind::kRepayment;
  std::vector<ChartYear> years;
};

// The exact figure behind grid cell (row, col), if it holds one; row 1 is
// the first schedule row.
using CellFigure = std::function<std::optional<double>(int row, int col)>;

// Reads rows 1..`rows` of a schedule grid. A repayment year is 12 months, the
// last one may be shorter. Throws Failure for a cell without a figure and
// for a sum beyond the doubles.
ChartData ReadChart(ChartKind kind, int rows, const CellFigure& figure);

// The bars' legend, bottom part first, then the line (repayment).
std::vector<std::u16string> ChartSeriesNames(ChartKind kind);

// The table of yearly figures, headings first; amounts as the grid shows them.
std::vector<std::vector<std::u16string>> ChartTable(const ChartData& data);

// One Japanese sentence on how the balance or the book value develops.
std::u16string ChartSummary(const ChartData& data);

// A value axis from `low` to `high` in whole steps of 1, 2 or 5 times a power
// of ten, in 円, 万円 or 百万円, with at most `max_ticks` steps.
struct ChartAxis {
  double low = 0;
  double high = 1;
  double step = 1;
  double unit = 1;
  std::u16string unit_name;
};
ChartAxis ChooseAxis(double low, double high, int max_ticks);

// A tick's label in the axis' unit, grouped like the grid's amounts.
std::u16string AxisLabel(const ChartAxis& axis, double value);

}  // namespace tsubame
