#pragma once

#include <string>

// A grid row's cells joined by blanks: amounts are ASCII, so tables of
// expected rows stay short plain strings.
template <class Cells>
std::string Line(const Cells& cells) {
  std::string out;
  for (const std::u16string& cell : cells) {
    if (!out.empty()) {
      out += ' ';
    }
    for (char16_t c : cell) {
      out += static_cast<char>(c);
    }
  }
  return out;
}
