#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "depreciation/core/tax_schedule.h"

// What the tax-law window shows of a schedule: the rule's name, its rates
// as the tables print them, the guarantee amount, and each row's cells.
namespace tsubame {

// The largest cost read as typed: up to 15 digits a double holds a whole
// number exactly and FormatAmount shows it digit for digit (any cost larger
// overflows the schedule anyway).
inline constexpr double kTaxMaxCost = 999'999'999'999'999.0;

// A typed cost (a whole number of at least 1) in yen; throws Failure beyond kTaxMaxCost.
std::int64_t TaxCostYen(double cost);

// 定額法, 200%定率法, 250%定率法, 旧定額法 or 旧定率法.
std::u16string TaxRuleName(TaxRule rule);

// Thousandths as "0.200", hundred-thousandths as "0.06552"; empty for 0
// (the rule has no such rate).
std::u16string TaxRateText(int thousandths);
std::u16string TaxGuaranteeRateText(int hundred_thousandths);

// 償却保証額 from hundred-thousandths of a yen, exactly: "65,520",
// "80,888.82984"; empty where the rule has no 保証率.
std::u16string TaxGuaranteeText(const TaxTerms& terms);

// The grid's columns: 年度, 償却期間, 期首帳簿価額, 償却費, 期末帳簿価額.
inline constexpr int kTaxColumns = 5;
// The 年度 of a year at the revised rate ends with this mark.
inline constexpr std::u16string_view kTaxRevisedMark = u"（改定）";

// "2025年度" (with the mark in revised years), "6/12", then the amounts.
std::array<std::u16string, kTaxColumns> TaxRowCells(const TaxRow& row);
// The figures behind them: the fiscal year, the months, the amounts.
std::array<double, kTaxColumns> TaxRowFigures(const TaxRow& row);

}  // namespace tsubame
