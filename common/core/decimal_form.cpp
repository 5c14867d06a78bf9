#include "common/core/decimal_form.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tsubame {
namespace {

// Splits "d.ddde+XX" into its digits (no point) and exponent.
void Split(std::string_view text, DecimalForm& form) {
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') {
      form.digits += c;
    }
  }
  std::string_view exp = text.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') {
    exp.remove_prefix(1);
  }
  std::from_chars(exp.data(), exp.data() + exp.size(), form.exponent);
}

void DropTrailingZeros(std::string& digits) {
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }
}

// Exact binary-to-decimal rounding to 15 significant digits (slow path).
void Rounded15(double magnitude, DecimalForm& form) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  form.digits.clear();
  Split(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)), form);
}

// Exact rounding to 15 significant digits with integer arithmetic: the
// double is m x 2^e, so m x 2^e x 10^q is a fraction A / B of 128-bit
// integers for every amount a schedule shows. Returns false when A or B
// would not fit; the caller then takes the slow way.
__extension__ using u128 = unsigned __int128;  // a GCC and clang type: tell -Wpedantic

const std::array<u128, 39> kPow10 = [] {
  std::array<u128, 39> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) {
    p[i] = p[i - 1] * 10;
  }
  return p;
}();

// The 15 digits as an integer n in [10^14, 10^15) and the exponent k, so
// that the rounded value is n x 10^(k - 14).
bool Quick15(double magnitude, std::uint64_t& digits, int& exponent) {
  if (!(magnitude >= DBL_MIN)) {
    return false;  // subnormals carry fewer than 15 digits: the exact way
  }
  // A normal double is (2^52 + fraction bits) x 2^(exponent bits - 1075).
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = static_cast<int>(bits >> 52) - 1075;
  const int e2 = e + 53;
  // floor(log10(magnitude)), give or take one: magnitude is in [2^(e2-1), 2^e2).
  int k = ((e2 - 1) * 78913) >> 18;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int q = 14 - k;
    // Bits the numerator needs: 10^q takes 3.33 bits a power, 2^e one. The
    // divisor then needs fewer: wherever the numerator fits, it does too.
    const int a_bits = 53 + (q > 0 ? q * 10 / 3 + 1 : 0) + (e > 0 ? e : 0);
    if (a_bits > 126) {
      return false;
    }
    u128 a = u128{m} * kPow10[static_cast<std::size_t>(q > 0 ? q : 0)];
    u128 n = 0;
    u128 r = 0;
    u128 b = 0;
    if (q >= 0 && e <= 0) {
      // Dividing by a power of two: a shift. The common case.
      n = a >> -e;
      r = a - (n << -e);
      b = u128{1} << -e;
    } else {
      b = kPow10[static_cast<std::size_t>(q < 0 ? -q : 0)];
      if (e > 0) {
        a <<= e;
      } else {
        b <<= -e;
      }
      n = a / b;
      r = a % b;
    }
    if (n >= 1000000000000000ULL) {
      ++k;  // the estimate was one too low
      continue;
    }
    if (n < 100000000000000ULL) {
      --k;  // one too high
      continue;
    }
    // Halves to even, as exact decimal conversion rounds.
    if (2 * r > b || (2 * r == b && (n & 1) != 0)) {
      ++n;
    }
    if (n == 1000000000000000ULL) {
      n /= 10;
      ++k;
    }
    digits = static_cast<std::uint64_t>(n);
    exponent = k;
    return true;
  }
  return false;
}

}  // namespace

bool QuickDecimalForm(double magnitude, DecimalForm& form) {
  std::uint64_t n = 0;
  if (!Quick15(magnitude, n, form.exponent)) {
    return false;
  }
  char digits[15];
  for (int i = 14; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  form.digits.assign(digits, 15);
  return true;
}

DecimalForm ToDecimalForm(double value) {
  DecimalForm form;
  if (value == 0.0 || !std::isfinite(value)) {
    form.digits.assign(1, '0');
    return form;
  }
  form.negative = value < 0;
  const double magnitude = std::fabs(value);
  if (!QuickDecimalForm(magnitude, form)) {
    Rounded15(magnitude, form);
  }
  DropTrailingZeros(form.digits);
  return form;
}

std::u16string FormatFixed(const DecimalForm& form, int decimals, bool group_thousands) {
  // The digits of value x 10^decimals before its point, rounded on the first
  // digit dropped. Doubles need at most 309 + decimals of them.
  char n[400];
  const long kept = static_cast<long>(form.exponent) + decimals + 1;
  const long count = static_cast<long>(form.digits.size());
  std::size_t len = 0;
  bool round_up = false;
  if (kept >= 1) {
    const long copied = std::min(kept, count);
    std::copy_n(form.digits.data(), copied, n);
    std::fill_n(n + copied, kept - copied, '0');
    len = static_cast<std::size_t>(kept);
    round_up = kept < count && form.digits[static_cast<std::size_t>(kept)] >= '5';
  } else if (kept == 0) {
    round_up = form.digits[0] >= '5';
  }
  // One spare place in front for a carry out of the first digit.
  char* first = n;
  if (round_up) {
    std::size_t i = len;
    while (i > 0 && n[i - 1] == '9') {
      n[--i] = '0';
    }
    if (i == 0) {
      std::copy_backward(n, n + len, n + len + 1);
      n[0] = '1';
      ++len;
    } else {
      ++n[i - 1];
    }
  }
  std::size_t skip = 0;
  while (skip < len && first[skip] == '0') {
    ++skip;
  }
  const bool zero = skip == len;
  first += skip;
  len -= skip;
  const std::size_t dec = static_cast<std::size_t>(decimals);
  const std::size_t int_len = len > dec ? len - dec : 0;

  std::u16string out;
  out.reserve(int_len + int_len / 3 + dec + 3);
  if (form.negative && !zero) {
    out += u'-';
  }
  if (int_len == 0) {
    out += u'0';
  }
  for (std::size_t i = 0; i < int_len; ++i) {
    if (group_thousands && i > 0 && (int_len - i) % 3 == 0) {
      out += u',';
    }
    out += static_cast<char16_t>(first[i]);
  }
  if (decimals > 0) {
    out += u'.';
    for (std::size_t i = len; i < dec; ++i) {
      out += u'0';  // leading zeros of the fraction
    }
    for (std::size_t i = int_len; i < len; ++i) {
      out += static_cast<char16_t>(first[i]);
    }
  }
  return out;
}

std::u16string FormatWholeUnits(double value, bool group_thousands) {
  std::uint64_t n = 0;
  int k = 0;
  const double magnitude = std::fabs(value);
  if (!std::isfinite(value) || !Quick15(magnitude, n, k) || k >= 15) {
    return FormatFixed(ToDecimalForm(value), 0, group_thousands);
  }
  // The common case, straight from the 15 digits: whole units, halves up.
  std::uint64_t units = 0;
  if (k >= 0) {
    const auto scale = static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(14 - k)]);
    units = n / scale;
    if ((n % scale) * 2 >= scale) {
      ++units;
    }
  } else if (k == -1 && n >= 500000000000000ULL) {
    units = 1;
  }
  char16_t buf[32];
  char16_t* p = buf + std::size(buf);
  int count = 0;
  do {
    if (group_thousands && count > 0 && count % 3 == 0) {
      *--p = u',';
    }
    *--p = static_cast<char16_t>(u'0' + units % 10);
    units /= 10;
    ++count;
  } while (units != 0);
  if (value < 0 && !(count == 1 && *p == u'0')) {
    *--p = u'-';
  }
  return std::u16string(p, buf + std::size(buf));
}

}  // namespace tsubame
