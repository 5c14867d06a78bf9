#include "common/core/decimal_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tsubame {

DecimalForm ToDecimalForm(double value) {
  DecimalForm form;
  if (value == 0.0 || !std::isfinite(value)) {
    form.digits.assign(1, '0');
    return form;
  }
  // d.dddddddddddddde+XX: exact binary-to-decimal rounding, locale-free.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  std::string_view text(buf, res.ptr - buf);
  std::size_t e = text.find('e');
  form.negative = value < 0;
  form.digits.reserve(15);
  for (char c : text.substr(0, e)) {
    if (c != '.') {
      form.digits += c;
    }
  }
  while (form.digits.size() > 1 && form.digits.back() == '0') {
    form.digits.pop_back();
  }
  std::string_view exp = text.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') {
    exp.remove_prefix(1);
  }
  std::from_chars(exp.data(), exp.data() + exp.size(), form.exponent);
  return form;
}

namespace {

std::string Grouped(const std::string& digits) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  std::size_t lead = digits.size() % 3;
  if (lead == 0) {
    lead = 3;
  }
  out.append(digits, 0, lead);
  for (std::size_t i = lead; i < digits.size(); i += 3) {
    out += ',';
    out.append(digits, i, 3);
  }
  return out;
}

}  // namespace

std::string FormatFixed(const DecimalForm& form, int decimals, bool group_thousands) {
  // The digits of value x 10^decimals that sit before its point, rounded on
  // the first digit dropped.
  const long kept = static_cast<long>(form.exponent) + decimals + 1;
  const long count = static_cast<long>(form.digits.size());
  std::string n;
  bool round_up = false;
  if (kept >= 1) {
    n.reserve(static_cast<std::size_t>(kept) + 1);
    n.append(form.digits, 0, static_cast<std::size_t>(std::min(kept, count)));
    n.append(static_cast<std::size_t>(std::max(0L, kept - count)), '0');
    round_up = kept < count && form.digits[static_cast<std::size_t>(kept)] >= '5';
  } else if (kept == 0) {
    round_up = form.digits[0] >= '5';
  }
  if (round_up) {
    std::size_t i = n.size();
    while (i > 0 && n[i - 1] == '9') {
      n[--i] = '0';
    }
    if (i == 0) {
      n.insert(n.begin(), '1');
    } else {
      ++n[i - 1];
    }
  }
  std::size_t nz = n.find_first_not_of('0');
  bool zero = nz == std::string::npos;
  n = zero ? std::string() : n.substr(nz);
  if (n.size() < static_cast<std::size_t>(decimals) + 1) {
    n.insert(0, static_cast<std::size_t>(decimals) + 1 - n.size(), '0');
  }
  std::string int_part = n.substr(0, n.size() - static_cast<std::size_t>(decimals));
  std::string out;
  if (form.negative && !zero) {
    out += '-';
  }
  out += group_thousands ? Grouped(int_part) : int_part;
  if (decimals > 0) {
    out += '.';
    out.append(n, n.size() - static_cast<std::size_t>(decimals));
  }
  return out;
}

}  // namespace tsubame
