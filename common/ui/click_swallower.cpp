#include "common/ui/click_swallower.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>

namespace tsubame {

ClickSwallower::ClickSwallower() : QObject(qApp) { qApp->installEventFilter(this); }

ClickSwallower& ClickSwallower::Instance() {
  // Lives with the application: one filter for the program's whole life.
  static ClickSwallower* const swallower = new ClickSwallower();
  return *swallower;
}

void ClickSwallower::SwallowPendingClick() { Instance().Arm(); }

void ClickSwallower::Arm() {
  m_state = State::kAwaitingPress;
  const unsigned armed = ++m_armed;
  // The pending press is delivered before control returns to the event loop.
  // If it never comes (its target went away), the next click is a new one.
  QTimer::singleShot(0, this, [this, armed] {
    if (m_armed == armed && m_state == State::kAwaitingPress) {
      m_state = State::kIdle;
    }
  });
}

bool ClickSwallower::eventFilter(QObject*, QEvent* event) {
  if (m_state == State::kIdle) {
    return false;
  }
  switch (event->type()) {
    // A click that follows another one quickly is delivered as a double
    // click, without a press: it starts a click just as a press does.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (m_state == State::kEatingClick) {
        m_state = State::kIdle;  // a new click: let it through
        return false;
      }
      m_state = State::kEatingClick;
      return true;
    case QEvent::MouseButtonRelease:
      return true;
    case QEvent::MouseMove:
      if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        m_state = State::kIdle;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace tsubame
