#include <QLabel>
#include <QTest>
#include <QTimer>

#include "common/core/failure.h"
#include "message_recorder.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"
#include "shell/mdl_start.h"
#include "ui_test_main.h"

class ShellUiTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { MdlStart::ShutDown(); }  // whatever start-up left

  // The text lines, and the picture shown at 300×180.
  void splash() {
    const FrmSplash splash;
    QCOMPARE((QStringList{splash.findChild<QLabel*>("lblVersion")->text(),
                          splash.findChild<QLabel*>("lblPlatform")->text()}),
             (QStringList{"ﾊﾞｰｼﾞｮﾝ 1.1", "ﾌﾟﾗｯﾄﾎｰﾑ Windows 95/98 NT 2000"}));
    QCOMPARE(splash.findChild<QLabel*>("Image")->pixmap().size(), QSize(300, 180));
  }

  // The splash is on screen while the menu is made, and alone at the end. A
  // failure shows message 020 once and leaves no window nor the single-copy
  // claim.
  void startUp() {
    tsubame::test::MessageRecorder messages;
    MdlStart::StartUpParts parts = MdlStart::DefaultParts();
    parts.copy_name += QString::number(QCoreApplication::applicationPid());  // not a real copy's
    bool splashShown = false;
    parts.make_menu = [&]() -> std::unique_ptr<FrmMenu> {
      splashShown = MdlStart::frmSplash().Get()->isVisible();
      throw tsubame::Failure("injected");
    };
    QCOMPARE(MdlStart::StartUp(parts), MdlStart::StartResult::kFailed);
    QVERIFY(splashShown);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
    parts.make_menu = MdlStart::DefaultParts().make_menu;
    QCOMPARE(MdlStart::StartUp(parts), MdlStart::StartResult::kRunning);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{MdlStart::frmMenu().Get()});
    QVERIFY(MdlStart::frmMenu().Get()->isVisible());
    QCOMPARE(messages.texts(), QStringList{tsubame::test::kProcessingError});
  }

  // A session in the program's own loop, which only the menu may end.
  void menu() {
    QApplication::setQuitOnLastWindowClosed(false);
    FrmMenu menu;
    QCOMPARE(menu.size(), QSize(178, 160));
    menu.show();
    menu.activateWindow();  // X without a window manager activates nothing by itself
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    // From the button that activation focuses, in tab order: name and caption.
    QStringList seen;
    for (int i = 0; i < 4; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
      seen << QApplication::focusWidget()->objectName() + '=' +
                  QApplication::focusWidget()->property("text").toString();
    }
    // Each click opens its calculator, application-modal.
    for (const char* button : {"CmdKariire", "CmdGenka"}) {
      QTimer::singleShot(0, &menu, [&] {  // in the calculator's loop; closed even if not modal
        for (QWidget* open : QApplication::topLevelWidgets()) {
          if (open != &menu && open->isVisible()) {
            seen << (open->windowModality() == Qt::ApplicationModal ? open->objectName() : "-");
            open->close();  // its close box
          }
        }
      });
      QTest::mouseClick(menu.findChild<QWidget*>(button), Qt::LeftButton);
    }
    QCOMPARE(seen, (QStringList{"CmdKariire=借入金", "CmdGenka=減価償却", "CmdEnd=終了",
                                "CmdKariire=借入金", "FrmKariire", "FrmGenka"}));
    // 終了, then the close box.
    for (QWidget* end : {menu.findChild<QWidget*>("CmdEnd"), static_cast<QWidget*>(&menu)}) {
      QMetaObject::invokeMethod(end, end == &menu ? "close" : "click", Qt::QueuedConnection);
      QTimer::singleShot(5000, &menu, [] { QCoreApplication::exit(1); });  // not ended
      QCOMPARE(QApplication::exec(), 0);
    }
  }
};

TSUBAME_UI_TEST_MAIN(ShellUiTest)
#include "shell_ui_test.moc"
