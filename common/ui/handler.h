#pragma once

#include <QObject>

#include "common/ui/trap.h"

namespace tsubame {

// Connects `signal` of `sender` to the window's handler, run under the trap:
// every event handler of every window is wired through here.
template <class Sender, class Signal, class Window>
void OnEvent(Sender* sender, Signal signal, Window* window, void (Window::*handler)()) {
  QObject::connect(sender, signal, window,
                   [window, handler] { Trap([&] { (window->*handler)(); }); });
}

}  // namespace tsubame
