#include "common/core/coded_message.h"

namespace tsubame {
namespace {

// The digit at `pos` when it is one of 0..last, else -1.
int DigitAt(std::u16string_view coded, std::size_t pos, int last) {
  if (pos >= coded.size()) {
    return -1;
  }
  int d = coded[pos] - u'0';
  return d >= 0 && d <= last ? d : -1;
}

}  // namespace

MessageStyle MessageStyleOf(std::u16string_view coded) {
  MessageStyle style;
  if (int d = DigitAt(coded, 0, 5); d >= 0) {
    style.buttons = d;
  }
  if (int d = DigitAt(coded, 1, 3); d >= 0) {
    style.icon = (d + 1) * 16;
  }
  if (int d = DigitAt(coded, 2, 3); d >= 0) {
    style.default_button = d;
  }
  return style;
}

std::u16string MessageText(std::u16string_view lead, std::u16string_view trailing,
                           std::u16string_view coded) {
  constexpr std::size_t kCodeChars = 3;
  constexpr std::size_t kMaxTextChars = 100;
  std::u16string text(lead);
  if (coded.size() > kCodeChars) {
    text += coded.substr(kCodeChars, kMaxTextChars);
  }
  text += u'\r';
  text += trailing;
  return text;
}

}  // namespace tsubame
