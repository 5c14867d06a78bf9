#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "common/core/formats.h"
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"
#include "depreciation/core/tax_texts.h"
#include "loan/core/repayment_schedule.h"

using namespace tsubame;

namespace {

// Per-row figures: the counter divided by the time gives rows per second;
// its inverse, as shown, is the time per row.
void CountRows(benchmark::State& state, std::size_t rows) {
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["per_row"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * rows));
}

// As the window does: every row is formatted into grid cells as it arrives.
void Repayment(benchmark::State& state, std::int16_t method, const LoanFieldTexts& texts) {
  std::vector<std::array<std::u16string, 5>> grid;
  grid.reserve(kRepaymentGridMonths);
  for (auto _ : state) {
    grid.clear();
    RepaymentTotals totals = ComputeRepaymentSchedule(
        30000000, method, texts,
        [&](const RepaymentRow& row) { grid.push_back(RepaymentCells(row)); });
    std::u16string shown =
        MdlCommon::FormatAmount(totals.TotalInterest) + MdlCommon::FormatAmount(totals.TotalPaid);
    benchmark::DoNotOptimize(shown);
    benchmark::DoNotOptimize(grid.data());
  }
  CountRows(state, grid.size());
}

void BM_RepaymentEqualPrincipal444(benchmark::State& state) {
  Repayment(state, EqualPrincipal, {u"37", u"2.5", u"0", u"0", u"0"});
}
void BM_RepaymentEqualInstalment444(benchmark::State& state) {
  Repayment(state, EqualInstalment, {u"37", u"2.5", u"0", u"0", u"0"});
}
void BM_RepaymentDeferredStepped444(benchmark::State& state) {
  Repayment(state, EqualInstalment, {u"37", u"2.5", u"3", u"10", u"1.2"});
}

// The same schedule with the cells left unformatted: the share of the
// arithmetic in the figures above.
void BM_RepaymentComputeOnly444(benchmark::State& state) {
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = 0;
    ComputeRepaymentSchedule(30000000, EqualInstalment, {u"37", u"2.5", u"0", u"0", u"0"},
                             [&](const RepaymentRow& row) {
                               // A copy the benchmark may treat as written to: a row
                               // is too large for the const overload's register.
                               RepaymentRow kept = row;
                               benchmark::DoNotOptimize(kept);
                               ++rows;
                             });
  }
  CountRows(state, rows);
}

void BM_DepreciationStraightLine299(benchmark::State& state) {
  std::vector<std::array<std::u16string, 3>> grid;
  grid.reserve(kDepreciationGridYears);
  for (auto _ : state) {
    grid.clear();
    const double rate = MdlCommon::DepreciationRate(StraightLine, 283);
    std::u16string label = RateLabelText(rate);
    ComputeDepreciationSchedule(
        123456789, 283, StraightLine, rate,
        [&](const DepreciationRow& row) { grid.push_back(DepreciationCells(row)); });
    benchmark::DoNotOptimize(label);
    benchmark::DoNotOptimize(grid.data());
  }
  CountRows(state, grid.size());
}

// The tax-law schedule of 100 years (200 % 定率法, 切上げ) with its cells.
void BM_TaxDeclining100(benchmark::State& state) {
  std::vector<std::array<std::u16string, kTaxColumns>> grid;
  for (auto _ : state) {
    grid.clear();
    ComputeTaxSchedule(
        {123456789, 2025, 1, 1, TaxMethod::kDecliningBalance, 100, TaxRounding::kRoundUp},
        [&](const TaxRow& row) { grid.push_back(TaxRowCells(row)); });
    benchmark::DoNotOptimize(grid.data());
  }
  CountRows(state, grid.size());
}

// Values from 0 to about 4 x 10^11 with fractions, both signs.
void BM_FormatAmount(benchmark::State& state) {
  std::vector<double> values;
  for (int i = 0; i < 1000; ++i) {
    double v = 0.37 * i * i * i * i + i * 0.5;
    values.push_back(i % 2 ? -v : v);
  }
  for (auto _ : state) {
    for (double v : values) {
      std::u16string text = MdlCommon::FormatAmount(v);
      benchmark::DoNotOptimize(text);
    }
  }
  state.counters["per_value"] = benchmark::Counter(
      static_cast<double>(values.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

}  // namespace

BENCHMARK(BM_TaxDeclining100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaymentEqualPrincipal444)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaymentEqualInstalment444)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaymentDeferredStepped444)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaymentComputeOnly444)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DepreciationStraightLine299)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatAmount)->Unit(benchmark::kMicrosecond);
