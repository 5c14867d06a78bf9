#include "shell/app_icon.h"

#include <QDir>

// Outside any namespace, as Qt's macro requires.
static void InitIconResources() { Q_INIT_RESOURCE(tsubame_icons); }

namespace tsubame {

QIcon ApplicationIcon() {
  InitIconResources();
  QIcon icon;
  const QDir dir(QStringLiteral(":/icons"));
  for (const QString& name : dir.entryList(QDir::Files)) {
    icon.addFile(dir.filePath(name));
  }
  return icon;
}

}  // namespace tsubame
