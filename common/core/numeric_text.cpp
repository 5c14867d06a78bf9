#include "common/core/numeric_text.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "common/core/decimal_form.h"
#include "common/core/failure.h"

namespace tsubame {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The conversion runs in the C locale whatever the program's locale is.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Checks the grammar and copies the number's characters, without blanks and
// commas, into `out`. Our own grammar, so strtod never sees "inf", "nan",
// hex floats or other forms it would accept.
bool Scan(std::u16string_view t, std::string& out) {
  std::size_t i = 0;
  std::size_t n = t.size();
  while (i < n && IsBlank(t[i])) {
    ++i;
  }
  while (n > i && IsBlank(t[n - 1])) {
    --n;
  }
  out.reserve(n - i);
  if (i < n && (t[i] == u'+' || t[i] == u'-')) {
    out += static_cast<char>(t[i++]);
  }
  std::size_t mantissa_digits = 0;
  while (i < n) {
    if (IsDigit(t[i])) {
      out += static_cast<char>(t[i++]);
      ++mantissa_digits;
    } else if (t[i] == u',' && mantissa_digits > 0 && i + 1 < n && IsDigit(t[i + 1])) {
      // Only between digits: what came just before is a digit, as each comma is followed by one.
      ++i;
    } else {
      break;
    }
  }
  if (i < n && t[i] == u'.') {
    out += '.';
    ++i;
    while (i < n && IsDigit(t[i])) {
      out += static_cast<char>(t[i++]);
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) {
    return false;
  }
  if (i < n && (t[i] == u'e' || t[i] == u'E')) {
    out += 'e';
    ++i;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
      out += static_cast<char>(t[i++]);
    }
    const std::size_t exponent_start = i;
    while (i < n && IsDigit(t[i])) {
      out += static_cast<char>(t[i++]);
    }
    if (i == exponent_start) {
      return false;  // no exponent digits
    }
  }
  return i == n;
}

}  // namespace

std::optional<double> ParseNumber(std::u16string_view text) {
  std::string clean;
  if (!Scan(text, clean)) {
    return std::nullopt;
  }
  // ERANGE is ignored on purpose: underflow to a subnormal or to zero is a
  // value; only an infinite result (overflow) makes the text non-numeric.
  double v = strtod_l(clean.c_str(), nullptr, CLocale());
  if (!std::isfinite(v)) {
    return std::nullopt;
  }
  return v;
}

bool IsNumeric(std::u16string_view text) { return ParseNumber(text).has_value(); }

double TextToDouble(std::u16string_view text) {
  std::optional<double> v = ParseNumber(text);
  if (!v) {
    throw Failure("not a number");
  }
  return *v;
}

std::optional<double> WholeNumberIn(std::u16string_view text, double low, double high) {
  const std::optional<double> v = ParseNumber(text);
  if (!v || std::floor(*v) != *v || *v < low || *v > high) {
    return std::nullopt;
  }
  return v;
}

std::int16_t RoundToInt16(double value) {
  // value - floor(value) is exact for every double, so the tie test is exact.
  double whole = std::floor(value);
  double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += 1.0;
  }
  if (!(whole >= -32768.0 && whole <= 32767.0)) {
    throw Failure("16-bit overflow");
  }
  return static_cast<std::int16_t>(whole);
}

std::int16_t TextToInt16(std::u16string_view text) { return RoundToInt16(TextToDouble(text)); }

std::u16string PlainText(double value) {
  DecimalForm f = ToDecimalForm(value);
  std::string out;
  if (f.negative) {
    out += '-';
  }
  const int e = f.exponent;
  const std::string& d = f.digits;
  if (f.digits != "0" && (e >= 15 || e < -4)) {
    out += d[0];
    if (d.size() > 1) {
      out += '.';
      out.append(d, 1);
    }
    out += e < 0 ? "E-" : "E+";
    int a = std::abs(e);
    if (a < 10) {
      out += '0';
    }
    out += std::to_string(a);
  } else if (e >= 0) {
    std::size_t int_digits = static_cast<std::size_t>(e) + 1;
    if (d.size() <= int_digits) {
      out += d;
      out.append(int_digits - d.size(), '0');
    } else {
      out.append(d, 0, int_digits);
      out += '.';
      out.append(d, int_digits);
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-e - 1), '0');
    out += d;
  }
  return std::u16string(out.begin(), out.end());
}

}  // namespace tsubame
