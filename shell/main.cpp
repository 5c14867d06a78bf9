#include <QApplication>

#include "common/ui/fonts.h"
#include "common/ui/qt_translation.h"
#include "shell/app_icon.h"
#include "shell/mdl_start.h"
#include "version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tsubame"));
  QApplication::setApplicationVersion(QString::fromLatin1(tsubame::version::kFileVersion));
  QApplication::setFont(tsubame::DefaultFont());
  tsubame::InstallQtTranslation();
  // Lets a Wayland desktop match the windows to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("tsubame"));

  switch (MdlStart::StartUp()) {
    case MdlStart::StartResult::kRunning:
      // Every window takes the icon then, the menu's title bar at once.
      tsubame::SetIconAfterFirstPaint();
      break;
    case MdlStart::StartResult::kAnotherCopy:
      return 0;
    case MdlStart::StartResult::kFailed:
      return 1;
  }
  const int code = QApplication::exec();
  MdlStart::ShutDown();
  return code;
}
