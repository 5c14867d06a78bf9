#include <QCoreApplication>
#include <QTest>

#include "common/core/failure.h"
#include "message_recorder.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"
#include "shell/mdl_start.h"
#include "ui_test_main.h"

using MdlStart::StartResult;

namespace {

// Production parts on a socket of this test's own, so that a copy of the
// program running meanwhile does not count.
MdlStart::StartUpParts TestParts() {
  MdlStart::StartUpParts parts = MdlStart::DefaultParts();
  parts.copy_name = QStringLiteral("tsubame-start-test-%1").arg(QCoreApplication::applicationPid());
  return parts;
}

QWidget* Find(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String(name)) {
      return w;
    }
  }
  return nullptr;
}

bool Visible(const char* name) { return Find(name) != nullptr && Find(name)->isVisible(); }

// At every window shown: was the splash shown, are splash and menu both up?
class ShowWatcher : public QObject {
 public:
  ShowWatcher() { qApp->installEventFilter(this); }
  int splashShown = 0;
  int bothVisible = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      splashShown += watched->objectName() == QLatin1String("FrmSplash");
      bothVisible += Visible("FrmSplash") && Visible("FrmMenu");
    }
    return false;
  }
};

}  // namespace

class StartTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { MdlStart::ShutDown(); }

  void splashThenMenuNeverTogether() {
    ShowWatcher watcher;
    QCOMPARE(MdlStart::StartUp(TestParts()), StartResult::Running);
    QCOMPARE(watcher.splashShown, 1);
    QCOMPARE(watcher.bothVisible, 0);
    QVERIFY(Find("FrmSplash") == nullptr);
    QVERIFY(Visible("FrmMenu"));
  }

  void failureShowsMessage020AndEnds() {
    tsubame::test::MessageRecorder recorder;
    MdlStart::StartUpParts parts = TestParts();
    parts.make_menu = []() -> std::unique_ptr<FrmMenu> { throw tsubame::Failure("injected"); };
    QCOMPARE(MdlStart::StartUp(parts), StartResult::Failed);
    QCOMPARE(recorder.texts(), QStringList{tsubame::test::kProcessingError});
    QVERIFY(Find("FrmSplash") == nullptr);
    // The claim went with the failed start: a new start may run.
    QCOMPARE(MdlStart::StartUp(TestParts()), StartResult::Running);
  }
};

TSUBAME_UI_TEST_MAIN(StartTest)
#include "start_test.moc"
