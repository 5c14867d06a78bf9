#include "depreciation/core/tax_rates.h"

#include <iterator>

#include "common/core/failure.h"

namespace tsubame {
namespace {

// Generated from data/depreciation-rates.csv when the build is configured.
constexpr TaxRateRow kRows[] = {
#include "tax_rate_rows.inc"
};

constexpr bool OneRowALife() {
  for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
    if (kRows[i].life != kTaxMinLife + i) {
      return false;
    }
  }
  return std::size(kRows) == kTaxMaxLife - kTaxMinLife + 1;
}
static_assert(OneRowALife(), "the rate table has one row for each life, in order");

}  // namespace

const TaxRateRow& TaxRatesOf(int life) {
  if (life < kTaxMinLife || life > kTaxMaxLife) {
    throw Failure("no rates for that useful life");
  }
  return kRows[life - kTaxMinLife];
}

}  // namespace tsubame
