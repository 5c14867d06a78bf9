// Clicks that leave a refused box, sent as real X input (xdotool) to a real
// X server, with the real message box answered by a real click on its OK.
#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>

#include "common/ui/message_box.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::Form;
using tsubame::TextBox;

namespace {

enum class Press { kQuick, kHeld, kBackToBack };

// The xdotool runs under way; a box is answered only once the user's hand
// is off the button.
QList<QProcess*> g_running;

// Clicks the middle of w through xdotool and turns the event loop until it
// is done: the click reaches this program through the X server like a user's.
void ClickAt(const QWidget* w, Press press) {
  const QPoint at = w->mapToGlobal(w->rect().center());
  const char* const how[] = {"click 1", "mousedown 1 sleep 0.15 mouseup 1",
                             "mousedown 1 mouseup 1"};
  QProcess xdotool;
  g_running << &xdotool;
  xdotool.start(
      QStringLiteral("xdotool"),
      QStringList{"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())} +
          QString(how[int(press)]).split(' '));
  const bool done = QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 5000);
  g_running.removeOne(&xdotool);
  QVERIFY(done);
  QCOMPARE(xdotool.exitCode(), 0);
}

// Boxes shown so far, and how the user presses the OK of each.
int g_shown = 0;
Press g_press = Press::kQuick;

// A window, the box in it given a refused text, a control then clicked, and how.
// clang-format off
struct Case { bool loan{}; const char* box{}; QString target; Press press{}; };
// clang-format on

}  // namespace

class RefusedClicksTest : public QObject {
  Q_OBJECT

 private slots:
  // Every message box is the program's real one, answered by a real click as
  // soon as it is on screen.
  void initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      QSKIP("needs a real X server");
    }
    tsubame::test::g_realBoxes = true;
    tsubame::SetMessagePresenter([](const tsubame::MessageRequest& r) {
      ++g_shown;
      auto* answer = new QTimer;
      answer->start(5);
      QObject::connect(answer, &QTimer::timeout, [answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const auto stopped = [](QProcess* p) { return p->state() == QProcess::NotRunning; };
        if (box != nullptr && box->windowHandle()->isExposed() &&
            std::ranges::all_of(g_running, stopped)) {
          answer->deleteLater();
          answer->stop();
          ClickAt(box->button(QMessageBox::Ok), g_press);
        }
      });
      return tsubame::ShowMessageBox(r);
    });
  }

  // A box holds "," (refused) and has the focus; each of five clicks on a control
  // elsewhere, pressed in one way, shows 000 and does nothing else.
  void refusalIsAllEveryClickDoes_data() {
    QTest::addColumn<Case>("c");
    // Per window: the box given the "," and the controls then clicked.
    const std::tuple<bool, const char*, QStringList> cases[] = {
        {true, "TxtSueoki", {"CmbHensai", "CmdOK", "CmdBack", "GrdPreview", "TxtKikan"}},
        {false, "TxtTaiyo", {"CmbShokyaku", "CmdOK", "CmdBack", "GrdPreview", "TxtKingaku"}},
    };
    for (const auto& [loan, name, targets] : cases) {
      for (const QString& target : targets) {
        for (const Press press : {Press::kQuick, Press::kHeld, Press::kBackToBack}) {
          const char* const how[] = {"quick", "held", "back-to-back"};
          QTest::addRow("%s then %s, %s clicks", name, qPrintable(target), how[int(press)])
              << Case{loan, name, target, press};
        }
      }
    }
  }
  void refusalIsAllEveryClickDoes() {
    QFETCH(Case, c);
    g_shown = 0;
    g_press = c.press;
    const std::unique_ptr<Form> w(c.loan ? static_cast<Form*>(new FrmKariire) : new FrmGenka);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::qWait(50);  // centred by its activation
    auto* box = w->findChild<TextBox*>(c.box);
    ClickAt(box, Press::kQuick);
    QTest::keyClick(box, Qt::Key_Comma);
    QCOMPARE(box->text(), ",");
    for (int i = 1; i <= 5; ++i) {
      ClickAt(w->findChild<QWidget*>(c.target), c.press);
      const QByteArray at = "after click " + QByteArray::number(i);
      // The closed box gives the activation back, through the X server.
      QVERIFY2(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }),
               at.constData());
      QVERIFY2(
          g_shown == i && QApplication::focusWidget() == box && box->text() == "," &&
              box->selectedText() == "," && !QApplication::activePopupWidget() &&
              std::ranges::none_of(w->findChildren<QAbstractButton*>(), &QAbstractButton::isDown) &&
              w->isVisible() && w->findChild<tsubame::ScheduleGrid*>()->FilledRows() == 0,
          at.constData());
    }
  }
};

TSUBAME_UI_TEST_MAIN(RefusedClicksTest)
#include "refused_clicks_test.moc"
