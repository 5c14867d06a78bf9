#include <random>

#include "robust_support.h"
#include "ui_test_main.h"

using namespace robust;

namespace {

// Characters a number is made of or spoilt by; keys that move, edit, confirm
// or cancel; with Control, copy the schedule, paste, undo, select all.
constexpr char kChars[] = "0123456789aeEx-+., ";
constexpr Qt::Key kKeys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,      Qt::Key_Right,
                             Qt::Key_Up,     Qt::Key_Down,    Qt::Key_Home,      Qt::Key_End,
                             Qt::Key_Return, Qt::Key_Escape,  Qt::Key_Backspace, Qt::Key_Delete,
                             Qt::Key_C,      Qt::Key_V,       Qt::Key_Z,         Qt::Key_A};

// A user who presses anything, anywhere: keys to the focused widget, clicks
// on the controls, picks from the method list's popup with the keys, now and
// then 戻る. Boxes for 000 sometimes fail to open.
class Monkey {
 public:
  Monkey(bool loan, quint32 seed) : m_loan(loan), m_rng(seed) { Open(); }

  void Step() {
    const unsigned dice = Pick(100);
    QWidget* list = QApplication::activePopupWidget();
    if (dice < 60 || (list != nullptr && dice < 90)) {
      PressKey();
    } else if (list != nullptr) {
      list->close();  // a click elsewhere only closes the open list
    } else if (dice < 97) {
      // Anywhere on a box, the method list (it opens), 実行 or the grid.
      QList<QWidget*> targets{w->findChild<QComboBox*>(), Get<QWidget>(w.get(), "CmdOK"),
                              w->findChild<tsubame::ScheduleGrid*>()->viewport()};
      for (TextBox* box : w->findChildren<TextBox*>()) {
        targets << box;
      }
      QWidget* target = targets[Pick(targets.size())];
      QTest::mouseClick(target, Qt::LeftButton, {},
                        QPoint(Pick(target->width()), Pick(target->height())));
    } else if (dice < 98) {
      Click(w.get(), "CmdBack");
    } else {
      boxes.throwOn000 = Pick(4) == 0;
    }
    QCoreApplication::processEvents();  // the event loop turns between user actions
    if (w->IsUnloaded()) {
      QVERIFY(!w->isVisible());
      Open();  // as the menu does: a fresh window
    }
  }

  Boxes boxes;
  std::unique_ptr<Form> w;

 private:
  unsigned Pick(qsizetype n) { return n > 0 ? unsigned(m_rng() % quint32(n)) : 0; }

  void Open() {
    w.reset();
    w = Make(m_loan);
    ShowActive(w.get());
  }

  QWidget* Focused() const {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : w.get();
  }

  template <class Key>
  void Press(Key key, Qt::KeyboardModifier mod = Qt::NoModifier) {
    QTest::keyPress(Focused(), key, mod);
    QTest::keyRelease(Focused(), key, mod);  // where the press moved the focus
  }

  void PressKey() {
    if (Pick(2) == 0) {
      return Press(kChars[Pick(sizeof(kChars) - 1)]);
    }
    const Qt::Key key = kKeys[Pick(std::size(kKeys))];
    Press(key, key == Qt::Key_Backtab                 ? Qt::ShiftModifier
               : key >= Qt::Key_A && key <= Qt::Key_Z ? Qt::ControlModifier
                                                      : Qt::NoModifier);
  }

  bool m_loan;
  std::mt19937 m_rng;
};

// The offscreen platform's notes on each opened list say nothing of the program.
QtMessageHandler g_testLog = nullptr;
void QuietLog(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (!text.startsWith(QLatin1String("This plugin does not support"))) {
    g_testLog(type, context, text);
  }
}

}  // namespace

// TSUBAME_MONKEY_SEED replays one seed, TSUBAME_MONKEY_STEPS sets the length.
class MonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { g_testLog = qInstallMessageHandler(QuietLog); }

  void randomEvents_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<quint32>("seed");
    bool given = false;
    const quint32 seed = qEnvironmentVariable("TSUBAME_MONKEY_SEED").toUInt(&given);
    for (const bool loan : {true, false}) {
      for (const quint32 s : given ? QList<quint32>{seed} : QList<quint32>{1, 2, 3, 4}) {
        QTest::addRow("%s seed %u", loan ? "FrmKariire" : "FrmGenka", s) << loan << s;
      }
    }
  }

  void randomEvents() {
    QFETCH(bool, loan);
    QFETCH(quint32, seed);
    const int steps = qEnvironmentVariableIntValue("TSUBAME_MONKEY_STEPS");
    const QString replay = QStringLiteral("replay: TSUBAME_MONKEY_SEED=%1").arg(seed);
    qInfo("%s", qPrintable(replay));  // seen even if the run crashes
    Monkey monkey(loan, seed);
    for (int i = 0; i < (steps > 0 ? steps : 4000); ++i) {
      monkey.Step();
      if (QTest::currentTestFailed() || monkey.boxes.overlaps > 0) {
        QFAIL(qPrintable(QStringLiteral("step %1, two boxes at once, %2").arg(i).arg(replay)));
      }
    }
    for (const QString& text : monkey.boxes.texts()) {
      QVERIFY2(text == kInvalidInput || text == kProcessingError, qPrintable(text + replay));
    }
    if (QWidget* list = QApplication::activePopupWidget()) {
      list->close();
    }
    CheckAnswers(monkey.w.get(), loan, monkey.boxes);
  }
};

TSUBAME_UI_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
