#include <QApplication>

#include "common/ui/fonts.h"
#include "loan/ui/frm_kariire.h"

// The loan window alone, for a screen reader's client to read and drive.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tsubame-atspi-check"));
  QApplication::setFont(tsubame::DefaultFont());
  FrmKariire window;
  window.show();
  return QApplication::exec();
}
