#include <QPointer>
#include <QTimer>
#include <type_traits>

#include "robust_support.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "ui_test_main.h"

using namespace robust;

namespace {

constexpr int kTimes = 200;

// Opens the calculator through the menu button `kTimes` times; from inside
// its modal loop it is left by 戻る and by the close box in turn, now and
// then after a run.
template <class T>
void OpenAndClose(const char* button, FormRef<T>& ref) {
  Boxes boxes;
  FrmMenu menu;
  ShowActive(&menu);
  const qsizetype windows = QApplication::topLevelWidgets().size();
  int opened = 0;
  for (int i = 0; i < kTimes; ++i) {
    QPointer<T> seen;
    QObject scope;  // drops the timer if no modal loop ever runs it
    QTimer::singleShot(0, &scope, [&] {
      seen = ref.Get();
      opened += !seen.isNull() && QApplication::activeModalWidget() == seen && seen->isVisible();
      if (!seen.isNull() && i % 4 == 0) {
        Run(seen, std::is_same_v<T, FrmKariire>);  // a filled grid goes with the window too
      }
      if (!seen.isNull() && i % 2 == 0) {
        Click(seen, "CmdBack");
      } else if (!seen.isNull()) {
        seen->close();
      }
    });
    Click(&menu, button);
    // Deleted, not only hidden, and the reference emptied.
    QVERIFY2(seen.isNull() && ref.IsEmpty(), qPrintable(QString("round %1").arg(i)));
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
  }
  QCOMPARE(opened, kTimes);
  QCOMPARE(boxes.texts(), QStringList());
}

}  // namespace

class OpenCloseTest : public QObject {
  Q_OBJECT

 private slots:
  void kariire() { OpenAndClose("CmdKariire", MdlStart::frmKariire()); }
  void genka() { OpenAndClose("CmdGenka", MdlStart::frmGenka()); }
};

TSUBAME_UI_TEST_MAIN(OpenCloseTest)
#include "open_close_test.moc"
