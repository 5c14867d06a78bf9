#include "common/core/coded_message.h"

#include <algorithm>

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
  // A digit missing or out of range reads as -1: the first set of buttons,
  // no icon, the first button the default.
  // Both enums number their members as the digits do (icons by 16s).
  return {static_cast<MessageButtons>(std::max(DigitAt(coded, 0, 5), 0)),
          static_cast<MessageIcon>((DigitAt(coded, 1, 3) + 1) * 16),
          std::max(DigitAt(coded, 2, 3), 0)};
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
