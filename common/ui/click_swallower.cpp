#include "common/ui/click_swallower.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>

namespace tsubame {

ClickSwallower::ClickSwallower() : QObject(qApp) {
  qApp->installEventFilter(this);
}

void ClickSwallower::SwallowPendingClick() {
  static QPointer<ClickSwallower> active;
  if (!active) {
    active = new ClickSwallower();
  }
}

bool ClickSwallower::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (m_pressEaten) {
        deleteLater();  // a new click: let it through
        qApp->removeEventFilter(this);
        return false;
      }
      m_pressEaten = true;
      return true;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return true;
    case QEvent::MouseMove:
      if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton && m_pressEaten) {
        qApp->removeEventFilter(this);
        deleteLater();
      }
      return false;
    default:
      return false;
  }
}

}  // namespace tsubame
