// Clicks that leave a refused box, sent as real X input (xdotool) to a real
// X server, with the real message box answered by a real click on its OK.
#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "common/ui/message_box.h"
#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "ui_test_main.h"

using tsubame::Form;
using tsubame::TextBox;

namespace {

enum class Press { kQuick, kHeld, kBackToBack };

// The xdotool runs under way; a box is answered only once the user's hand
// is off the button.
QList<QProcess*> g_running;

bool HandsOff() {
  return std::all_of(g_running.begin(), g_running.end(),
                     [](QProcess* p) { return p->state() == QProcess::NotRunning; });
}

// Runs xdotool and turns the event loop until it is done: the clicks it
// sends reach this program through the X server like a user's.
void Xdotool(const QStringList& args) {
  QProcess xdotool;
  g_running << &xdotool;
  xdotool.start(QStringLiteral("xdotool"), args);
  const bool done = QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 5000);
  g_running.removeOne(&xdotool);
  QVERIFY(done);
  QCOMPARE(xdotool.exitCode(), 0);
}

QStringList ClickAt(const QWidget* w, Press press) {
  const QPoint at = w->mapToGlobal(w->rect().center());
  const char* const how[] = {"click 1", "mousedown 1 sleep 0.15 mouseup 1",
                             "mousedown 1 mouseup 1"};
  return QStringList{"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())} +
         QString(how[int(press)]).split(' ');
}

// Every message box is the program's real one; a real click answers it as
// soon as it is on screen. Counts the boxes.
struct RealBoxes {
  int shown = 0;
  Press press = Press::kQuick;
  tsubame::MessagePresenter previous;
  RealBoxes() {
    tsubame::test::g_realBoxes = true;
    previous = tsubame::SetMessagePresenter([this](const tsubame::MessageRequest& r) {
      ++shown;
      auto* answer = new QTimer;
      answer->start(5);
      QObject::connect(answer, &QTimer::timeout, [this, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->windowHandle()->isExposed() || !HandsOff()) {
          return;
        }
        answer->deleteLater();
        answer->stop();
        Xdotool(ClickAt(box->button(QMessageBox::Ok), press));
      });
      return tsubame::ShowMessageBox(r);
    });
  }
  ~RealBoxes() {
    tsubame::SetMessagePresenter(previous);
    tsubame::test::g_realBoxes = false;
  }
};

std::unique_ptr<Form> Open(bool loan) {
  std::unique_ptr<Form> w(loan ? static_cast<Form*>(new FrmKariire) : new FrmGenka);
  w->show();
  w->activateWindow();
  QTEST_ASSERT(QTest::qWaitForWindowActive(w.get()));
  QTest::qWait(50);  // centred by its activation
  return w;
}

bool AnyButtonDown(const QWidget* w) {
  const auto buttons = w->findChildren<QAbstractButton*>();
  return std::any_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isDown(); });
}

}  // namespace

class RefusedClicksTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      QSKIP("needs a real X server");
    }
  }

  // A box holds "," (refused) and has the focus; each of five clicks
  // elsewhere shows 000 and does nothing else.
  void refusalIsAllEveryClickDoes() {
    // Per window: the box given the "," and the controls then clicked.
    const std::tuple<bool, const char*, QStringList> cases[] = {
        {true, "TxtSueoki", {"CmbHensai", "CmdOK", "CmdBack", "GrdPreview", "TxtKikan"}},
        {false, "TxtTaiyo", {"CmbShokyaku", "CmdOK", "CmdBack", "GrdPreview", "TxtKingaku"}},
    };
    for (const auto& [loan, name, targets] : cases) {
      for (const QString& target : targets) {
        for (const Press press : {Press::kQuick, Press::kHeld, Press::kBackToBack}) {
          const QString what = QString("%1 %2 press %3").arg(name, target).arg(int(press));
          RealBoxes boxes;
          boxes.press = press;
          const std::unique_ptr<Form> w = Open(loan);
          auto* box = w->findChild<TextBox*>(name);
          Xdotool(ClickAt(box, Press::kQuick));
          QTest::keyClick(box, Qt::Key_Comma);
          QVERIFY2(box->text() == ",", qPrintable(what));
          for (int i = 1; i <= 5; ++i) {
            Xdotool(ClickAt(w->findChild<QWidget*>(target), press));
            const QString at = what + QString(" after click %1").arg(i);
            // The closed box gives the activation back, through the X server.
            QVERIFY2(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }),
                     qPrintable(at));
            QVERIFY2(boxes.shown == i && QApplication::focusWidget() == box && box->text() == "," &&
                         box->selectedText() == "," && !QApplication::activePopupWidget() &&
                         !AnyButtonDown(w.get()) && w->isVisible() &&
                         w->findChild<tsubame::ScheduleGrid*>()->FilledRows() == 0,
                     qPrintable(at));
          }
        }
      }
    }
  }

  // A list left open when its window goes is closed with it, so the next
  // click elsewhere acts at once.
  void closedWindowLeavesNoPopup() {
    for (const bool loan : {true, false}) {
      const std::unique_ptr<Form> w = Open(loan);
      Xdotool(ClickAt(w->findChild<QComboBox*>(), Press::kQuick));
      QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
      w->findChild<QPushButton*>("CmdBack")->click();  // as a screen reader's press action
      QVERIFY(w->IsUnloaded());
      QCOMPARE(QApplication::activePopupWidget(), nullptr);
      QPushButton other(QStringLiteral("次"));
      other.setGeometry(100, 100, 200, 60);
      other.show();
      QVERIFY(QTest::qWaitForWindowExposed(&other));
      int clicked = 0;
      connect(&other, &QPushButton::clicked, [&] { ++clicked; });
      Xdotool(ClickAt(&other, Press::kQuick));
      QTRY_COMPARE(clicked, 1);
    }
  }
};

TSUBAME_UI_TEST_MAIN(RefusedClicksTest)
#include "refused_clicks_test.moc"
