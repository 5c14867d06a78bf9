#include "loan/core/repayment_schedule.h"

#include <optional>

#include "common/core/checked.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"

namespace tsubame {
namespace {

using namespace checked;

// A field text read on first use and remembered for the rest of the run. The
// order of first uses is the order of conversion, and so decides which bad
// field fails the run and how many rows are written before it: the
// deferment first, then each other field where the schedule first needs it.
template <class T, T (*Convert)(std::u16string_view)>
class LazyField {
 public:
  explicit LazyField(const std::u16string& text) : m_text(text) {}
  T operator()() {
    if (!m_value) {
      m_value = Convert(m_text);
    }
    return *m_value;
  }

 private:
  const std::u16string& m_text;
  std::optional<T> m_value;
};

using Years = LazyField<std::int16_t, TextToInt16>;
using Rate = LazyField<double, TextToDouble>;

class Run {
 public:
  Run(double amount, const LoanFieldTexts& t, const RepaymentReceiver& receiver)
      : m_balance(amount),
        m_term(t.term_years),
        m_annualRate(t.annual_rate),
        m_defer(t.defer_years),
        m_stepYears(t.step_years),
        m_stepRate(t.step_rate),
        m_receiver(receiver) {}

  RepaymentTotals Compute(std::int16_t method) {
    if (method != EqualPrincipal && method != EqualInstalment) {
      return m_totals;
    }
    // Deferment: interest only, at the stepped rate while it lasts.
    while (m_year < m_defer()) {
      for (std::int16_t m = 1; m <= 12; m = Add16(m, 1)) {
        double rate = m_year < m_stepYears() ? m_stepRate() : m_annualRate();
        Emit(m, Interest(rate));
      }
      m_year = Add16(m_year, 1);
    }
    if (method == EqualPrincipal) {
      std::int16_t years = Sub16(m_term(), m_defer());
      m_principal = Div(Div(m_balance, years), 12);
      RepayPrincipal(m_stepYears, m_stepRate);
      RepayPrincipal(m_term, m_annualRate);
    } else {
      double stepRate = m_stepRate();
      m_instalment = LevelInstalment(m_balance, stepRate, Sub16(m_term(), m_defer()));
      RepayInstalment(m_stepYears, m_stepRate);
      if (m_stepYears() < m_defer()) {
        double annualRate = m_annualRate();
        m_instalment = LevelInstalment(m_balance, annualRate, Sub16(m_term(), m_defer()));
      } else if (m_term() == m_stepYears()) {
        m_instalment = 0;
      } else {
        double annualRate = m_annualRate();
        m_instalment = LevelInstalment(m_balance, annualRate, Sub16(m_term(), m_stepYears()));
      }
      RepayInstalment(m_term, m_annualRate);
    }
    return m_totals;
  }

 private:
  // (R x B) / 1200, in that order.
  double Interest(double rate) const { return Div(Mul(rate, m_balance), 1200); }

  void RepayPrincipal(Years& until, Rate& rate) {
    while (m_year < until()) {
      for (std::int16_t m = 1; m <= 12; m = Add16(m, 1)) {
        double interest = Interest(rate());
        m_balance = Sub(m_balance, m_principal);
        Emit(m, interest);
      }
      m_year = Add16(m_year, 1);
    }
  }

  void RepayInstalment(Years& until, Rate& rate) {
    while (m_year < until()) {
      for (std::int16_t m = 1; m <= 12; m = Add16(m, 1)) {
        double interest = Interest(rate());
        m_principal = Sub(m_instalment, interest);
        m_balance = Sub(m_balance, m_principal);
        Emit(m, interest);
      }
      m_year = Add16(m_year, 1);
    }
  }

  void Emit(std::int16_t month, double interest) {
    RepaymentRow row;
    row.Month = Add16(Mul16(m_year, 12), month);
    row.Principal = m_principal;
    row.Interest = interest;
    row.Payment = Add(m_principal, interest);
    row.Balance = m_balance;
    m_receiver(row);
    m_totals.TotalInterest = Add(interest, m_totals.TotalInterest);
    m_totals.TotalPaid = Add(Add(m_totals.TotalPaid, interest), m_principal);
  }

  double m_balance;
  double m_principal = 0;
  double m_instalment = 0;
  std::int16_t m_year = 0;
  RepaymentTotals m_totals;
  Years m_term;
  Rate m_annualRate;
  Years m_defer;
  Years m_stepYears;
  Rate m_stepRate;
  const RepaymentReceiver& m_receiver;
};

}  // namespace

RepaymentTotals ComputeRepaymentSchedule(double amount, std::int16_t method,
                                         const LoanFieldTexts& texts,
                                         const RepaymentReceiver& receiver) {
  return Run(amount, texts, receiver).Compute(method);
}

double LevelInstalment(double balance, double annualRate, std::int16_t years) {
  if (annualRate == 0) {
    return Div(Div(balance, years), 12);
  }
  double r = Div(annualRate, 1200);
  double l = Log(Add(r, 1));
  double n = Mul16(years, 12);
  double e = Exp(Mul(n, l));
  double f = Mul(r, e);
  f = Div(f, Sub(e, 1));
  return Mul(balance, f);
}

std::array<std::u16string, 5> RepaymentCells(const RepaymentRow& row) {
  return {MdlCommon::FormatCount(row.Month), MdlCommon::FormatAmount(row.Principal),
          MdlCommon::FormatAmount(row.Interest), MdlCommon::FormatAmount(row.Payment),
          MdlCommon::FormatAmount(row.Balance)};
}

std::array<double, 5> RepaymentFigures(const RepaymentRow& row) {
  return {static_cast<double>(row.Month), row.Principal, row.Interest, row.Payment, row.Balance};
}

}  // namespace tsubame
