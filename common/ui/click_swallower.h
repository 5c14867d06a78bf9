#pragma once

#include <QObject>
#include <QPointer>

namespace tsubame {

// Eats the mouse press being delivered now and the releases and double
// clicks that follow it, then removes itself at the next press. Used when a
// click's focus change ended in a message box or a refusal: the click's own
// target must neither act nor stay pressed.
class ClickSwallower : public QObject {
  Q_OBJECT

 public:
  static void SwallowPendingClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ClickSwallower();
  bool m_pressEaten = false;
};

}  // namespace tsubame
