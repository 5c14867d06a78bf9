#include <QApplication>

#include "common/ui/fonts.h"
#include "common/ui/qt_translation.h"
#include "version.h"
#include "shell/mdl_start.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tsubame"));
  QApplication::setApplicationVersion(QString::fromLatin1(tsubame::version::kFileVersion));
  QApplication::setFont(tsubame::DefaultFont());
  tsubame::InstallQtTranslation();

  switch (MdlStart::StartUp()) {
    case MdlStart::StartResult::Running:
      break;
    case MdlStart::StartResult::AnotherCopy:
      return 0;
    case MdlStart::StartResult::Failed:
      return 1;
  }
  const int code = QApplication::exec();
  MdlStart::ShutDown();
  return code;
}
