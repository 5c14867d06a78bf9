#pragma once

#include <cstdint>
#include <functional>

// Depreciation as today's tax law computes it: the rules of 2007 and 2012
// (定額法 to a memorandum value of 1 yen, 250 % and 200 % 定率法 with the
// switch to the revised rate) and the old law before 2007-04, a first year of
// the months in use, whole yen each year. Exact integer arithmetic throughout.
namespace tsubame {

enum class TaxMethod { kStraightLine, kDecliningBalance };  // 定額法, 定率法
enum class TaxRounding { kTruncate, kRoundUp };             // 切捨て, 切上げ
// What applies: 定額法, 200%定率法, 250%定率法, 旧定額法, 旧定率法.
enum class TaxRule { kStraightLine, kDeclining200, kDeclining250, kOldStraightLine, kOldDeclining };

struct TaxAsset {
  std::int64_t cost = 0;       // 取得価額 in yen
  int first_year = 0;          // 供用開始年, western
  int first_month = 1;         // 供用開始月, 1 to 12
  int fiscal_start_month = 1;  // 期首月, 1 to 12 (1: a calendar year)
  TaxMethod method = TaxMethod::kStraightLine;
  int life = 0;  // 耐用年数, kTaxMinLife to kTaxMaxLife
  TaxRounding rounding = TaxRounding::kTruncate;
};

// The rule that applies and its rates: in thousandths, 保証率 in
// hundred-thousandths, 0 where the rule has none; 償却保証額 (cost x 保証率)
// in hundred-thousandths of a yen.
struct TaxTerms {
  TaxRule rule = TaxRule::kStraightLine;
  int rate = 0;
  int revised_rate = 0;
  int guarantee_rate = 0;
  std::int64_t guarantee_e5 = 0;
};

// Throws Failure for a life without rates or a figure that does not fit.
TaxTerms TaxTermsOf(const TaxAsset& asset);

struct TaxRow {
  int fiscal_year = 0;  // the calendar year in which the fiscal year starts
  int months = 0;       // of 12 in use
  std::int64_t opening = 0;
  std::int64_t amount = 0;
  std::int64_t closing = 0;
  bool revised = false;  // the revised rate applies: the switch year and after
};

// Takes each row before the next is computed; may throw Failure.
using TaxReceiver = std::function<void(const TaxRow&)>;

// A schedule never runs longer than this many fiscal years.
inline constexpr int kTaxMaxYears = 200;

// One row per fiscal year from the year of first use until the closing book
// value is 1 yen. Throws Failure, the rows before handed over, for a figure
// that does not fit or a schedule that would not end within kTaxMaxYears.
void ComputeTaxSchedule(const TaxAsset& asset, const TaxReceiver& receiver);

}  // namespace tsubame
