#include "depreciation/core/depreciation_rate.h"

#include "common/core/checked.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"

namespace MdlCommon {

double DepreciationRate(std::int16_t method, std::int16_t years) {
  using namespace tsubame::checked;
  if (years == 0) {
    return 0;
  }
  switch (method) {
    case tsubame::StraightLine:
      return Div(Mul(Div(1, years), 9), 10);
    case tsubame::DecliningBalance: {
      double l = Log(Div(1, 10));
      double q = Div(1, years);
      return Sub(1, Exp(Mul(q, l)));
    }
    default:
      return 0;
  }
}

}  // namespace MdlCommon

namespace tsubame {

std::u16string RateLabelText(double rate) { return MdlCommon::FormatRate(PlainText(rate)); }

}  // namespace tsubame
