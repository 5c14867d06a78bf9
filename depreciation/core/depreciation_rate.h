#pragma once

#include <cstdint>
#include <string>

namespace tsubame {

enum DepreciationMethod : std::int16_t {
  StraightLine = 0,      // 定額
  DecliningBalance = 1,  // 定率
};

// The rate label's text: the rate's plain text of 15 significant digits, then
// FormatRate of that text (0.1125 shows as 0.113).
std::u16string RateLabelText(double rate);

}  // namespace tsubame

namespace MdlCommon {

// The annual rate that leaves 10 % of the amount after `years` years:
// ((1 / n) x 9) / 10 straight line, 1 - e^((1 / n) x ln(1 / 10)) declining
// balance; 0 for a life of 0 or an unknown method. Throws Failure on a fault.
double DepreciationRate(std::int16_t method, std::int16_t years);

}  // namespace MdlCommon
