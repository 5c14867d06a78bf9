#pragma once

#include <cstdint>

// Arithmetic that never passes an infinity or a NaN on: every operation whose
// result is not a finite double (overflow, division by zero, 0/0, a failed
// logarithm or exponential) and every 16-bit overflow throws tsubame::Failure.
// Each call is exactly one IEEE operation, so the caller fixes the order.
namespace tsubame::checked {

double Add(double a, double b);
double Sub(double a, double b);
double Mul(double a, double b);
double Div(double a, double b);
double Log(double x);
double Exp(double x);

std::int16_t Add16(std::int32_t a, std::int32_t b);
std::int16_t Sub16(std::int32_t a, std::int32_t b);
std::int16_t Mul16(std::int32_t a, std::int32_t b);
std::int16_t To16(std::int64_t v);

}  // namespace tsubame::checked
