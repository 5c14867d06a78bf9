#include "shell/app_icon.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "common/ui/trap.h"

// Outside any namespace, as Qt's macro requires.
static void InitIconResources() { Q_INIT_RESOURCE(tsubame_icons); }

namespace tsubame {
namespace {

// Waits for the first paint of any window, then sets the icon in the next
// turn of the event loop, once that frame has gone to the screen.
class FirstPaintWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      QCoreApplication::instance()->removeEventFilter(this);
      deleteLater();
      QTimer::singleShot(0, [] { Trap([] { QApplication::setWindowIcon(ApplicationIcon()); }); });
    }
    return false;
  }
};

}  // namespace

QIcon ApplicationIcon() {
  InitIconResources();
  QIcon icon;
  const QDir dir(QStringLiteral(":/icons"));
  for (const QString& name : dir.entryList(QDir::Files)) {
    icon.addFile(dir.filePath(name));
  }
  return icon;
}

void SetIconAfterFirstPaint() {
  QCoreApplication::instance()->installEventFilter(new FirstPaintWatcher(qApp));
}

}  // namespace tsubame
