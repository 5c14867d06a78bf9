#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tsubame {

enum RepaymentMethod : std::int16_t {
  EqualPrincipal = 0,   // 元金均等
  EqualInstalment = 1,  // 元利均等
};

// The loan grid: a heading row and 449 months.
inline constexpr int kRepaymentGridRows = 450;
inline constexpr int kRepaymentGridMonths = kRepaymentGridRows - 1;

struct RepaymentRow {
  std::int16_t Month = 0;
  double Principal = 0;
  double Interest = 0;
  double Payment = 0;
  double Balance = 0;
};

struct RepaymentTotals {
  double TotalInterest = 0;
  double TotalPaid = 0;
};

// The field texts other than the amount. Each is converted when a step first
// needs its value, so a bad text stops the run at that step.
struct LoanFieldTexts {
  std::u16string term_years;   // TxtKikan
  std::u16string annual_rate;  // TxtNenri, percent
  std::u16string defer_years;  // TxtSueoki
  std::u16string step_years;   // TxtDankaiKikan
  std::u16string step_rate;    // TxtDankaiNenri, percent
};

// Takes each row before the next is computed; may throw Failure (grid full).
using RepaymentReceiver = std::function<void(const RepaymentRow&)>;

// Throws Failure; the rows handed over before the failure stay handed over.
RepaymentTotals ComputeRepaymentSchedule(double amount, std::int16_t method,
                                         const LoanFieldTexts& texts,
                                         const RepaymentReceiver& receiver);

// The monthly instalment repaying `balance` over `years` at `annualRate` %.
double LevelInstalment(double balance, double annualRate, std::int16_t years);

// The texts a grid row shows: month, principal, interest, payment, balance.
std::array<std::u16string, 5> RepaymentCells(const RepaymentRow& row);
// The exact figures behind those texts, in the same order.
std::array<double, 5> RepaymentFigures(const RepaymentRow& row);

}  // namespace tsubame
