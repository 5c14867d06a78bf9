#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "ui_test_main.h"

namespace {

QPushButton* Button(QWidget& window, const char* name) {
  return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Clicks `button` and, from inside the modal loop it should start, checks
// the open window (`fine`), then unloads it as its back button would.
template <class T>
QPointer<T> OpenAndLeave(FrmMenu& menu, const char* button, FormRef<T>& ref, bool& fine) {
  QPointer<T> seen;
  fine = false;
  QObject scope;  // drops the check if no loop ever runs it
  QTimer::singleShot(0, &scope, [&] {
    seen = qobject_cast<T*>(QApplication::activeModalWidget());
    if (seen != nullptr) {
      fine = seen->windowModality() == Qt::ApplicationModal && seen->isVisible() &&
             ref.Get() == seen && !seen->IsUnloaded() && menu.isVisible();
      seen->Unload();
    }
  });
  QTest::mouseClick(Button(menu, button), Qt::LeftButton);
  return seen;
}

template <class T>
void CheckOpensModallyAndFresh(const char* button, FormRef<T>& ref) {
  FrmMenu menu;
  menu.show();
  for (int opening = 0; opening < 2; ++opening) {
    bool fine = false;
    const QPointer<T> window = OpenAndLeave(menu, button, ref, fine);
    QVERIFY2(fine, "no fresh application-modal calculator over the visible menu");
    QVERIFY(ref.IsEmpty());
    QVERIFY(window.isNull());  // deleted once closed: the next one is new
  }
}

}  // namespace

class MenuTest : public QObject {
  Q_OBJECT

 private slots:
  void layout() {
    FrmMenu menu;
    QCOMPARE(menu.objectName(), QStringLiteral("FrmMenu"));
    QCOMPARE(menu.windowTitle(), QStringLiteral("メインメニュ"));
    QCOMPARE(menu.size(), QSize(178, 160));
    QVERIFY(menu.minimumSize() != menu.maximumSize());
    menu.resize(400, 300);  // the buttons stay as designed
    const struct {
      const char* name;
      QString caption;
      int top;
    } buttons[] = {{"CmdKariire", QStringLiteral("借入金"), 16},
                   {"CmdGenka", QStringLiteral("減価償却"), 64},
                   {"CmdEnd", QStringLiteral("終了"), 112}};
    for (const auto& b : buttons) {
      QCOMPARE(Button(menu, b.name)->text(), b.caption);
      QCOMPARE(Button(menu, b.name)->geometry(), QRect(16, b.top, 145, 33));
    }
  }

  // Activation centres the menu and gives the focus to the first button.
  void activationCentresAndFocusesKariire() {
    FrmMenu menu;
    menu.move(0, 0);
    menu.show();
    menu.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    const QPoint off = menu.frameGeometry().center() - menu.screen()->geometry().center();
    QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1, qPrintable(QString::number(menu.x())));
    QCOMPARE(QApplication::focusWidget(), Button(menu, "CmdKariire"));
    for (const char* next : {"CmdGenka", "CmdEnd", "CmdKariire"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), Button(menu, next));
    }
  }

  void calculatorsOpenModallyAndFresh() {
    CheckOpensModallyAndFresh("CmdKariire", MdlStart::frmKariire());
    CheckOpensModallyAndFresh("CmdGenka", MdlStart::frmGenka());
  }

  // The last two run the application's own loop, which the menu must end.
  void endButtonEndsTheProgram() {
    CheckEndsTheProgram(
        [](FrmMenu& menu) { QTest::mouseClick(Button(menu, "CmdEnd"), Qt::LeftButton); });
  }

  void closeBoxEndsTheProgram() {
    QApplication::setQuitOnLastWindowClosed(false);  // only the menu may end it
    CheckEndsTheProgram([](FrmMenu& menu) { menu.close(); });
  }

 private:
  template <class Act>
  void CheckEndsTheProgram(Act act) {
    FrmMenu menu;
    menu.show();
    QTimer::singleShot(0, &menu, [&] {
      act(menu);
      // Runs only if the action left the loop going: fail instead of hanging.
      QMetaObject::invokeMethod(
          &menu, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    });
    QCOMPARE(QApplication::exec(), 0);
  }
};

TSUBAME_UI_TEST_MAIN(MenuTest)
#include "menu_test.moc"
