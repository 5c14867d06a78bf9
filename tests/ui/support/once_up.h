#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

namespace tsubame::test {

// Hands the widget `find` gives to `act` as soon as there is one: a menu or a
// modal window runs a loop of its own, in which the test goes on.
inline void OnceUp(const std::function<QWidget*()>& find, const std::function<void(QWidget*)>& act,
                   int tries = 500) {
  QTimer::singleShot(10, [=] {
    if (QWidget* w = find()) {
      act(w);
    } else if (tries > 0) {
      OnceUp(find, act, tries - 1);
    }
  });
}

}  // namespace tsubame::test
