#pragma once

#include <functional>

namespace tsubame {

// Runs an event handler's body under the trap: any failure abandons the rest
// of the body and shows message 020; nothing is undone. Returns whether the
// body ran to its end. Nothing escapes into Qt's event dispatch.
bool Trap(const std::function<void()>& body) noexcept;

}  // namespace tsubame
