#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "common/ui/fonts.h"
#include "common/ui/qt_translation.h"

namespace tsubame::test {

// Set while a test answers real message boxes itself.
inline bool g_realBoxes = false;

// A real box must never open in a test (the recorder answers them): if one
// does, fail at once instead of hanging.
inline void ArmModalWatchdog(QApplication& app) {
  auto* timer = new QTimer(&app);
  QObject::connect(timer, &QTimer::timeout, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr && !g_realBoxes) {
      std::fprintf(stderr, "FAIL: unexpected message box: %s\n", qPrintable(box->text()));
      std::_Exit(1);
    }
  });
  timer->start(200);
}

}  // namespace tsubame::test

// Runs a Qt Test class on the offscreen platform unless a display is asked for,
// with Qt's own texts in Japanese as in the program.
#define TSUBAME_UI_TEST_MAIN(TestClass)                   \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication app(argc, argv);                         \
    app.setFont(tsubame::DefaultFont());                  \
    tsubame::InstallQtTranslation();                      \
    tsubame::test::ArmModalWatchdog(app);                 \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }
