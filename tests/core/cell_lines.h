#pragma once

#include <string>
#include <string_view>

// Displayed texts are ASCII: narrowing keeps expected values short plain strings.
inline std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

// A grid row's cells joined by blanks.
template <class Cells>
std::string Line(const Cells& cells) {
  std::string out;
  for (const std::u16string& cell : cells) {
    if (!out.empty()) {
      out += ' ';
    }
    out += Narrow(cell);
  }
  return out;
}
