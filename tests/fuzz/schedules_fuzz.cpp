// Both schedules fed arbitrary field texts, with the grids' limits: every
// failure is ours, and every cell and total shows a finite number.
#include "common/core/formats.h"
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"
#include "fuzz_input.h"
#include "loan/core/repayment_schedule.h"

using namespace tsubame;

namespace {

// Every cell after the row's number shows its value.
template <std::size_t N, std::size_t M>
void RequireCells(const std::array<std::u16string, N>& cells, const std::array<double, M>& values) {
  for (std::size_t i = 1; i < N; ++i) {
    fuzz::RequireShows(cells[i], values[i - 1], 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::int16_t method = static_cast<std::int16_t>(in.Byte() % 4) - 1;
  const std::u16string amount = in.Text();
  LoanFieldTexts texts{in.Text(), in.Text(), in.Text(), in.Text(), in.Text()};
  std::size_t months = 0;  // a grid's worth, as the window holds
  try {
    const RepaymentTotals totals = ComputeRepaymentSchedule(
        TextToDouble(amount), method, texts, [&months](const RepaymentRow& row) {
          if (++months > kRepaymentGridMonths) {
            throw Failure("the grid is full");
          }
          RequireCells(RepaymentCells(row),
                       std::array{row.Principal, row.Interest, row.Payment, row.Balance});
        });
    fuzz::RequireShows(MdlCommon::FormatAmount(totals.TotalPaid), totals.TotalPaid, 1);
    fuzz::RequireShows(MdlCommon::FormatAmount(totals.TotalInterest), totals.TotalInterest, 1);
  } catch (const Failure&) {
  }
  std::size_t years = 0;
  try {
    const std::int16_t life = TextToInt16(texts.term_years);
    const double rate = MdlCommon::DepreciationRate(method, life);
    fuzz::RequireShows(RateLabelText(rate), rate, 0.001);
    ComputeDepreciationSchedule(
        TextToDouble(amount), life, method, rate, [&years](const DepreciationRow& row) {
          if (++years > kDepreciationGridYears) {
            throw Failure("the grid is full");
          }
          RequireCells(DepreciationCells(row), std::array{row.Depreciation, row.BookValue});
        });
  } catch (const Failure&) {
  }
  return 0;
}
