#pragma once

#include <QObject>

namespace tsubame {

// Eats the mouse press being delivered now and the releases and double
// clicks that follow it. Used when a click's focus change ended in a message
// box or a refusal: the click's own target must neither act nor stay pressed.
// Every call arms it afresh, so refused clicks in quick succession are each
// swallowed whatever state the one before left.
class ClickSwallower : public QObject {
  Q_OBJECT

 public:
  static void SwallowPendingClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class State { kIdle, kAwaitingPress, kEatingClick };

  ClickSwallower();
  static ClickSwallower& Instance();
  void Arm();

  State m_state = State::kIdle;
  unsigned m_armed = 0;  // counts arms, so a stale disarm can tell it is stale
};

}  // namespace tsubame
