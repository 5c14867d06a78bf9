// The three display formats, from arbitrary doubles and texts.
#include <algorithm>
#include <charconv>

#include "common/core/decimal_form.h"
#include "common/core/formats.h"
#include "fuzz_input.h"

using namespace tsubame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const double value = in.Double();
  if (std::isfinite(value) && value != 0) {
    // The quick 15-digit form agrees with exact rounding to 15 digits.
    char buf[64];
    auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14)
            .ptr;
    std::string exact(buf, std::find(buf, end, 'e'));
    exact.erase(1, 1);  // the point
    exact.erase(std::max<std::size_t>(exact.find_last_not_of('0') + 1, 1));
    fuzz::Require(ToDecimalForm(value).digits == exact);
  }
  if (std::isfinite(value)) {
    fuzz::RequireShows(MdlCommon::FormatAmount(value), value, 1);
    const std::u16string plain = PlainText(value);
    fuzz::RequireShows(MdlCommon::FormatRate(plain), value, 0.001);
    fuzz::RequireShows(MdlCommon::FormatWhole(plain), value, 1);
    fuzz::Require(MdlCommon::FormatAmount(value) != u"-0");
  }
  const std::u16string text = in.Text();
  if (!IsNumeric(text)) {
    fuzz::Require(MdlCommon::FormatRate(text) == text);
    fuzz::Require(MdlCommon::FormatWhole(text) == text);
  }
  return 0;
}
