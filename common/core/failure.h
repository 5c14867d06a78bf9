#pragma once

#include <stdexcept>

namespace tsubame {

// The one failure of a handler: a text that does not convert, an arithmetic
// fault, a 16-bit overflow, a grid with no further row. The handler's trap
// reports it; nothing in the core shows anything.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tsubame
