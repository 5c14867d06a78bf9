#include "common/core/checked.h"

#include <cmath>

#include "common/core/failure.h"

namespace tsubame::checked {
namespace {

double Finite(double v) {
  if (!std::isfinite(v)) {
    throw Failure("arithmetic fault");
  }
  return v;
}

}  // namespace

double Add(double a, double b) { return Finite(a + b); }
double Sub(double a, double b) { return Finite(a - b); }
double Mul(double a, double b) { return Finite(a * b); }
double Div(double a, double b) { return Finite(a / b); }
double Log(double x) { return Finite(std::log(x)); }
double Exp(double x) { return Finite(std::exp(x)); }

std::int16_t To16(std::int64_t v) {
  if (v < INT16_MIN || v > INT16_MAX) {
    throw Failure("16-bit overflow");
  }
  return static_cast<std::int16_t>(v);
}

std::int16_t Add16(std::int32_t a, std::int32_t b) { return To16(std::int64_t{a} + b); }
std::int16_t Sub16(std::int32_t a, std::int32_t b) { return To16(std::int64_t{a} - b); }
std::int16_t Mul16(std::int32_t a, std::int32_t b) { return To16(std::int64_t{a} * b); }

}  // namespace tsubame::checked
