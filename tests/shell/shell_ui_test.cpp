#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "common/core/failure.h"
#include "message_recorder.h"
#include "shell/app_icon.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"
#include "shell/mdl_start.h"
#include "ui_test_main.h"

// At every window of the program shown: its name and how many windows there
// are, shown or hidden.
struct ShowWatcher : QObject {
  QStringList seen;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && qobject_cast<tsubame::Form*>(o) != nullptr) {
      seen << o->objectName() + '/' + QString::number(QApplication::topLevelWidgets().size());
    }
    return false;
  }
};

class ShellUiTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { MdlStart::ShutDown(); }  // whatever start-up left

  // The text lines, and the picture: a GIF of one frame, shown at 300×180.
  void splash() {
    const FrmSplash splash;  // makes the picture's resource known
    QImageReader gif(QStringLiteral(":/shell/splash.gif"));
    QCOMPARE((QStringList{splash.findChild<QLabel*>("lblVersion")->text(),
                          splash.findChild<QLabel*>("lblPlatform")->text(), gif.format(),
                          QString::number(gif.imageCount())}),
             (QStringList{"ﾊﾞｰｼﾞｮﾝ 1.1", "ﾌﾟﾗｯﾄﾎｰﾑ Windows 95/98 NT 2000", "gif", "1"}));
    QCOMPARE(splash.findChild<QLabel*>("Image")->pixmap().size(), QSize(300, 180));
  }

  // The program's icon, as every window takes it, drawn: a clear rounded
  // corner, an opaque sky. xvfb_smoke.sh reads its sizes as X holds them.
  void windowIcon() {
    QApplication::setWindowIcon(tsubame::ApplicationIcon());
    const FrmMenu menu;
    const QImage image = menu.windowIcon().pixmap(QSize(32, 32)).toImage();
    QCOMPARE((QList<int>{qAlpha(image.pixel(0, 0)), qAlpha(image.pixel(16, 4))}),
             (QList<int>{0, 255}));
  }

  // The splash shows alone and is gone before the menu shows. A failure shows
  // message 020 once and leaves no window nor the single-copy claim.
  void startUp() {
    tsubame::test::MessageRecorder messages;
    ShowWatcher shows;
    qApp->installEventFilter(&shows);
    MdlStart::StartUpParts parts = MdlStart::DefaultParts();
    parts.copy_name += QString::number(QCoreApplication::applicationPid());  // not a real copy's
    parts.make_menu = []() -> std::unique_ptr<FrmMenu> { throw tsubame::Failure("injected"); };
    QCOMPARE(MdlStart::StartUp(parts), MdlStart::StartResult::Failed);
    shows.seen << QString::number(QApplication::topLevelWidgets().size());  // windows left
    parts.make_menu = MdlStart::DefaultParts().make_menu;
    QCOMPARE(MdlStart::StartUp(parts), MdlStart::StartResult::Running);
    QCOMPARE(shows.seen, (QStringList{"FrmSplash/1", "0", "FrmSplash/1", "FrmMenu/1"}));
    QCOMPARE(messages.texts(), QStringList{tsubame::test::kProcessingError});
  }

  // A session in the program's own loop, which only the menu may end.
  void menu() {
    QApplication::setQuitOnLastWindowClosed(false);
    FrmMenu menu;
    QCOMPARE(menu.size(), QSize(178, 160));
    menu.move(0, 0);
    menu.show();
    menu.activateWindow();  // X without a window manager activates nothing by itself
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(menu.frameGeometry().center(), menu.screen()->geometry().center());
    // From the button that activation focuses, in tab order: name and caption.
    QStringList seen;
    for (int i = 0; i < 4; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
      seen << QApplication::focusWidget()->objectName() + '=' +
                  QApplication::focusWidget()->property("text").toString();
    }
    // Each click opens a new calculator, application-modal: the one before
    // was deleted once closed.
    for (const char* button : {"CmdKariire", "CmdKariire", "CmdGenka", "CmdGenka"}) {
      QPointer<tsubame::Form> open;
      QTimer::singleShot(0, &menu, [&] {  // in the calculator's modal loop
        open = qobject_cast<tsubame::Form*>(QApplication::activeModalWidget());
        seen << (open && open->windowModality() == Qt::ApplicationModal ? open->objectName() : "-");
        QMetaObject::invokeMethod(open, "close");  // its close box
      });
      QTest::mouseClick(menu.findChild<QWidget*>(button), Qt::LeftButton);
      seen << (open ? "kept" : "deleted");
    }
    QCOMPARE(seen, (QStringList{"CmdKariire=借入金", "CmdGenka=減価償却", "CmdEnd=終了",
                                "CmdKariire=借入金", "FrmKariire", "deleted", "FrmKariire",
                                "deleted", "FrmGenka", "deleted", "FrmGenka", "deleted"}));
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
