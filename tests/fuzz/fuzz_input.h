#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/core/failure.h"
#include "common/core/numeric_text.h"

namespace tsubame::fuzz {

// Turns fuzzer bytes into field texts. Most bytes map onto the characters
// a numeric box sees (digits, signs, point, comma, blanks, e), so the
// fuzzer reaches deep into the grammar; a few pass through as UTF-16.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

  // A text up to the next 0xFF byte (or the end).
  std::u16string Text() {
    static constexpr char16_t kAlphabet[] = u"0123456789012345678901234567890,,..+- eE\t";
    std::u16string out;
    while (m_pos < m_size && m_data[m_pos] != 0xFF) {
      std::uint8_t b = m_data[m_pos++];
      if (b < 0xC0) {
        out += kAlphabet[b % (std::size(kAlphabet) - 1)];
      } else {
        out += static_cast<char16_t>(0x20 + (b - 0xC0) * 0x3F1);  // letters, kana, surrogates
      }
    }
    ++m_pos;
    return out;
  }

  double Double() {
    std::array<std::uint8_t, sizeof(double)> raw{};
    for (std::uint8_t& b : raw) {
      b = Byte();
    }
    return std::bit_cast<double>(raw);
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// A property that does not hold ends the run as a crash the fuzzer keeps.
inline void Require(bool holds) {
  if (!holds) {
    std::abort();
  }
}

// A displayed amount is numeric and within half a unit of the value it
// shows; beyond 15 significant digits the display holds 15 of them.
inline void RequireShows(const std::u16string& text, double value, double unit) {
  auto shown = ParseNumber(text);
  if (!shown && std::fabs(value) > 1.79769313486231e308) {
    return;  // 15 digits of the largest doubles round past the largest double
  }
  Require(shown.has_value());
  Require(std::fabs(*shown - value) <= unit / 2 + std::fabs(value) * 1e-14);
}

}  // namespace tsubame::fuzz
