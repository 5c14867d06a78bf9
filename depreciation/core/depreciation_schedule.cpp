#include "depreciation/core/depreciation_schedule.h"

#include "common/core/checked.h"
#include "common/core/formats.h"
#include "depreciation/core/depreciation_rate.h"

namespace tsubame {

void ComputeDepreciationSchedule(double amount, std::int16_t years, std::int16_t method,
                                 double rate, const DepreciationReceiver& receiver) {
  using namespace checked;
  double book = amount;
  double dep = 0;
  std::int16_t k = 0;
  std::int16_t emitted = 0;
  auto emit = [&] {
    emitted = Add16(emitted, 1);
    receiver(DepreciationRow{emitted, dep, book});
  };
  auto floorValue = [&] { return Mul(amount, 0.05); };

  if (method == StraightLine) {
    dep = Mul(book, rate);
    while (k != years) {
      book = Sub(book, dep);
      emit();
      k = Add16(k, 1);
    }
    while (Sub(book, dep) > floorValue()) {
      book = Sub(book, dep);
      emit();
    }
  } else if (method == DecliningBalance) {
    while (k != years) {
      dep = Mul(book, rate);
      book = Sub(book, dep);
      emit();
      k = Add16(k, 1);
    }
    for (;;) {
      dep = Mul(book, rate);
      if (!(Sub(book, dep) > floorValue())) {
        break;  // this year's depreciation is discarded
      }
      book = Sub(book, dep);
      emit();
    }
  } else {
    return;
  }
  // The closing year brings the value to exactly 5 %.
  dep = Sub(book, floorValue());
  book = floorValue();
  emit();
}

std::array<std::u16string, 3> DepreciationCells(const DepreciationRow& row) {
  return {MdlCommon::FormatCount(row.Year), MdlCommon::FormatAmount(row.Depreciation),
          MdlCommon::FormatAmount(row.BookValue)};
}

std::array<double, 3> DepreciationFigures(const DepreciationRow& row) {
  return {static_cast<double>(row.Year), row.Depreciation, row.BookValue};
}

}  // namespace tsubame
