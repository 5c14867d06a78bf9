#pragma once

namespace tsubame {

// One useful life's row of the law's rate tables, as printed: rates in
// thousandths, 保証率 in hundred-thousandths, 0 where the table has none.
struct TaxRateRow {
  int life;
  int straight;         // 別表第八: 定額法 from 2007-04
  int db250;            // 別表第九: 250 % 定率法, 2007-04 to 2012-03
  int db250_revised;    //   改定償却率
  int db250_guarantee;  //   保証率
  int db200;            // 別表第十: 200 % 定率法 from 2012-04
  int db200_revised;
  int db200_guarantee;
  int old_straight;   // 別表第七: 旧定額法, before 2007-04
  int old_declining;  //   旧定率法
};

inline constexpr int kTaxMinLife = 2;
inline constexpr int kTaxMaxLife = 100;

// The row of a life from kTaxMinLife to kTaxMaxLife; throws Failure for any other.
const TaxRateRow& TaxRatesOf(int life);

}  // namespace tsubame
