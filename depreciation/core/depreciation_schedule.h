#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tsubame {

// The depreciation grid: a heading row and 299 years.
inline constexpr int kDepreciationGridRows = 300;
inline constexpr int kDepreciationGridYears = kDepreciationGridRows - 1;

struct DepreciationRow {
  std::int16_t Year = 0;
  double Depreciation = 0;
  double BookValue = 0;
};

// Takes each row before the next is computed; may throw Failure (grid full).
using DepreciationReceiver = std::function<void(const DepreciationRow&)>;

// Writes the amount down over `years` years to 10 %, then on to 5 %, at
// `rate` (from DepreciationRate). Throws Failure; rows handed over stay.
void ComputeDepreciationSchedule(double amount, std::int16_t years, std::int16_t method,
                                 double rate, const DepreciationReceiver& receiver);

// The texts a grid row shows: year, depreciation, book value.
std::array<std::u16string, 3> DepreciationCells(const DepreciationRow& row);
// The exact figures behind those texts, in the same order.
std::array<double, 3> DepreciationFigures(const DepreciationRow& row);

}  // namespace tsubame
