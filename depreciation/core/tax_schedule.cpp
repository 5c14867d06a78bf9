#include "depreciation/core/tax_schedule.h"

#include <algorithm>

#include "common/core/failure.h"
#include "depreciation/core/tax_rates.h"

namespace tsubame {
namespace {

using Yen = std::int64_t;

constexpr int kMonthsPerYear = 12;
constexpr std::int64_t kPerYear = std::int64_t{1000} * kMonthsPerYear;  // thousandths x months
// Months counted from the year 0, so that (year, month) compare as one number.
constexpr int MonthIndex(int year, int month) { return year * kMonthsPerYear + month; }
constexpr int kRules2007 = MonthIndex(2007, 4);
constexpr int kRules2012 = MonthIndex(2012, 4);

std::int64_t Times(std::int64_t a, std::int64_t b) {
  std::int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    throw Failure("a depreciation figure does not fit");
  }
  return product;
}

// num / den (both positive) made whole yen the chosen way.
Yen Whole(std::int64_t num, std::int64_t den, TaxRounding rounding) {
  return num / den + (rounding == TaxRounding::kRoundUp && num % den != 0 ? 1 : 0);
}

// `rate` thousandths of `base` for `months` of a year, whole yen.
Yen Share(Yen base, int rate, int months, TaxRounding rounding) {
  return Whole(Times(Times(base, rate), months), kPerYear, rounding);
}

bool IsOld(TaxRule rule) {
  return rule == TaxRule::kOldStraightLine || rule == TaxRule::kOldDeclining;
}

}  // namespace

TaxTerms TaxTermsOf(const TaxAsset& asset) {
  const TaxRateRow& r = TaxRatesOf(asset.life);
  const bool straight = asset.method == TaxMethod::kStraightLine;
  const int first_use = MonthIndex(asset.first_year, asset.first_month);
  TaxTerms t;
  if (first_use < kRules2007) {
    t = straight ? TaxTerms{TaxRule::kOldStraightLine, r.old_straight}
                 : TaxTerms{TaxRule::kOldDeclining, r.old_declining};
  } else if (straight) {
    t = {TaxRule::kStraightLine, r.straight};
  } else if (first_use < kRules2012) {
    t = {TaxRule::kDeclining250, r.db250, r.db250_revised, r.db250_guarantee};
  } else {
    t = {TaxRule::kDeclining200, r.db200, r.db200_revised, r.db200_guarantee};
  }
  t.guarantee_e5 = Times(asset.cost, t.guarantee_rate);
  return t;
}

void ComputeTaxSchedule(const TaxAsset& asset, const TaxReceiver& receiver) {
  const TaxTerms t = TaxTermsOf(asset);
  const TaxRounding rounding = asset.rounding;
  const int start = asset.fiscal_start_month;
  // The fiscal year of first use, and its months from the month of first use on.
  int year = asset.first_month >= start ? asset.first_year : asset.first_year - 1;
  int months = (start - 1 - asset.first_month + 2 * kMonthsPerYear) % kMonthsPerYear + 1;
  // The old law stops at 5 % of the cost, rounded up, then runs out over five years.
  const Yen floor_value =
      IsOld(t.rule) ? Whole(Times(asset.cost, 5), 100, TaxRounding::kRoundUp) : 1;
  Yen book = asset.cost;
  Yen revised_base = 0;
  for (int n = 0; n == 0 || book > 1; ++n) {
    if (n == kTaxMaxYears) {
      throw Failure("the schedule does not end");
    }
    const Yen opening = book;
    Yen amount = 0;
    switch (t.rule) {
      case TaxRule::kStraightLine:
        amount = Share(asset.cost, t.rate, months, rounding);
        break;
      case TaxRule::kDeclining200:
      case TaxRule::kDeclining250:
        // The switch compares the full year's unadjusted amount with the
        // guarantee, both in hundred-thousandths of a yen.
        if (revised_base == 0 && Times(Times(opening, t.rate), 100) < t.guarantee_e5) {
          revised_base = opening;
        }
        amount = revised_base != 0 ? Share(revised_base, t.revised_rate, months, rounding)
                                   : Share(opening, t.rate, months, rounding);
        break;
      case TaxRule::kOldStraightLine:
        // 90 % of the cost at the rate: cost x 9 x rate x months / (10 x 1000 x 12).
        amount = Whole(Times(Times(Times(asset.cost, 9), t.rate), months), 10 * kPerYear, rounding);
        break;
      case TaxRule::kOldDeclining:
        amount = Share(opening, t.rate, months, rounding);
        break;
    }
    if (IsOld(t.rule)) {
      if (opening > floor_value) {
        amount = std::min(amount, opening - floor_value);
      } else if (MonthIndex(year, start) < kRules2007) {
        amount = 0;  // the run-out waits for a fiscal year from 2007-04
      } else {
        amount = Whole(floor_value - 1, 5, rounding);
      }
    }
    amount = std::min(amount, opening - 1);
    book = opening - amount;
    receiver({year, months, opening, amount, book, revised_base != 0});
    ++year;
    months = kMonthsPerYear;
  }
}

}  // namespace tsubame
