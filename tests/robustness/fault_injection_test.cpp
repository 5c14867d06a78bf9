#include <QScreen>
#include <functional>
#include <span>

#include "common/core/failure.h"
#include "robust_support.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"
#include "shell/mdl_start.h"
#include "ui_test_main.h"

using namespace robust;

namespace {

// Activation news for `w` that arrives once no window is active any more
// (it came from another window): CenterForm finds nothing to centre.
void LateActivation(Form* w) {
  Form elsewhere;
  ShowActive(&elsewhere);
  QApplication::setActiveWindow(nullptr);
  QEvent news(QEvent::WindowActivate);
  QApplication::sendEvent(w, &news);
}

enum Event {
  kActivate,  // late activation news
  kType,      // the text typed into the box
  kLeave,     // the box left holding the text
  kRun,       // a good 実行, then 実行 with the text in the box
  kMethod,    // the text in the box, then the Down key in the method list
};

struct Fault {
  const char* handler;
  bool throwOn000;  // the refusal's box fails to open
  Event event;
  const char* input;  // boxes left with their texts first; the last is the event's
  const char* after;  // what stays done and what was abandoned, see Probe
};

// Nothing inside can fail, so no row: Form_Load (fixed texts, a grid reset
// within bounds; FrmGenka's method click on a life of "0"), every GotFocus
// (selects the text), CmdBack_Click (Unload).
const Fault kLoanFaults[] = {
    {"Form_Activate", false, kActivate, "", "pos=0,0"},
    {"TxtKingaku_KeyUp", true, kType, "TxtKingaku=12a", "TxtKingaku=12a"},        // not cut back
    {"TxtKingaku_LostFocus", true, kLeave, "TxtKingaku=abc", "focus=CmbHensai"},  // not taken back
    {"TxtKikan_LostFocus", true, kLeave, "TxtKikan=0", "focus=TxtNenri"},
    {"TxtNenri_LostFocus", true, kLeave, "TxtNenri=x", "focus=TxtSueoki"},
    {"TxtSueoki_LostFocus", false, kLeave, "TxtSueoki=40000.4",
     "TxtSueoki=40000.4 focus=TxtDankaiKikan"},  // not rewritten
    {"TxtSueoki_LostFocus", false, kLeave,
     "TxtKikan=40000 TxtSueoki=", "TxtSueoki=0"},  // filled before
    {"TxtSueoki_LostFocus", true, kLeave, "TxtSueoki=1", "focus=TxtDankaiKikan"},
    {"TxtDankaiKikan_LostFocus", false, kLeave, "TxtDankaiKikan=40000", "focus=TxtDankaiNenri"},
    {"TxtDankaiKikan_LostFocus", true, kLeave, "TxtDankaiKikan=x", "focus=TxtDankaiNenri"},
    {"TxtDankaiNenri_LostFocus", true, kLeave, "TxtDankaiNenri=x", "focus=CmdOK"},
    {"CmdOK_Click", false, kRun, "TxtKikan=38",
     "rows=449 LblShiharaiOut=1,278,000"},                      // the last run's totals stay
    {"CmdOK_Click", false, kRun, "TxtKingaku=abc", "rows=12"},  // read before the reset
    {"CmdOK_Click", false, kRun, "TxtNenri=x", "rows=0"},       // read after it
    {"CmdOK_Click", false, kRun, "TxtKikan=40000", "rows=0"},
};
const Fault kGenkaFaults[] = {
    {"Form_Activate", false, kActivate, "", "pos=0,0"},
    {"TxtKingaku_KeyUp", true, kType, "TxtKingaku=12a", "TxtKingaku=12a"},
    {"TxtKingaku_LostFocus", true, kLeave, "TxtKingaku=abc", "focus=CmbShokyaku"},
    {"TxtTaiyo_LostFocus", false, kLeave, "TxtTaiyo=5 TxtTaiyo=40000.4",
     "TxtTaiyo=40000 LblRitsuOut=0.180"},  // rewritten before the rate fails
    {"TxtTaiyo_LostFocus", true, kLeave, "TxtTaiyo=5 TxtTaiyo=ab", "focus=CmdOK LblRitsuOut=0.180"},
    {"CmbShokyaku_Click", false, kMethod, "TxtTaiyo=40000", "method=1 LblRitsuOut=0.000"},
    {"CmdOK_Click", false, kRun, "TxtTaiyo=0", "rows=299"},    // the schedule never ends
    {"CmdOK_Click", false, kRun, "TxtTaiyo=40000", "rows=6"},  // read before the reset
    {"CmdOK_Click", false, kRun, "TxtKingaku=x", "rows=6"},
};

void Act(Form* w, bool loan, const Fault& f) {
  Texts input = Pairs(QString::fromUtf8(f.input));
  const auto [box, text] = input.isEmpty() ? std::pair<QString, QString>() : input.takeLast();
  for (const auto& [name, before] : input) {
    Leave(w, name, before);
  }
  auto* method = w->findChild<QComboBox*>();
  switch (f.event) {
    case kActivate:
      w->move(0, 0);
      return LateActivation(w);
    case kType:
      return QTest::keyClicks(Get(w, box), text);
    case kLeave:
      return Leave(w, box, text);
    case kRun:
      Run(w, loan);
      return Run(w, loan, {{box, text}});
    case kMethod:
      Get(w, box)->setText(text);
      method->setFocus(Qt::TabFocusReason);
      return QTest::keyClick(method, Qt::Key_Down);
  }
}

template <class T>
std::unique_ptr<T> Failing() {
  throw tsubame::Failure("injected");
}

// Parts of start-up that fail.
using PartsChange = std::function<void(MdlStart::StartUpParts&)>;
const std::pair<const char*, PartsChange> kPartFaults[] = {
    {"splash factory throws", [](auto& p) { p.make_splash = Failing<FrmSplash>; }},
    {"menu factory throws", [](auto& p) { p.make_menu = Failing<FrmMenu>; }},
    {"menu factory makes nothing", [](auto& p) { p.make_menu = [] { return nullptr; }; }},
    {"copy socket cannot listen", [](auto& p) { p.copy_name.clear(); }},
};

// The program's parts on a socket of this test's own.
MdlStart::StartUpParts TestParts() {
  MdlStart::StartUpParts parts = MdlStart::DefaultParts();
  parts.copy_name = QStringLiteral("tsubame-robust-%1").arg(QCoreApplication::applicationPid());
  return parts;
}

}  // namespace

// Each failure: one 020, the rest of the handler abandoned, nothing undone,
// and the window still works. FrmMenu's CmdKariire/CmdGenka_Click only make a
// calculator (its Form_Load runs under its own trap) and wait for it, and
// CmdEnd_Click ends the loop: nothing in them can fail.
class FaultInjectionTest : public QObject {
  Q_OBJECT

 private slots:
  void calculatorHandlers_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<int>("i");
    for (const bool loan : {true, false}) {
      const auto& faults = loan ? std::span<const Fault>(kLoanFaults) : kGenkaFaults;
      for (int i = 0; i < int(faults.size()); ++i) {
        const Fault& f = faults[i];
        QTest::addRow("%s %s %s%s", loan ? "FrmKariire" : "FrmGenka", f.handler, f.input,
                      f.throwOn000 ? ", box 000 fails" : "")
            << loan << i;
      }
    }
  }

  void calculatorHandlers() {
    QFETCH(bool, loan);
    QFETCH(int, i);
    const Fault& f = loan ? kLoanFaults[i] : kGenkaFaults[i];
    Boxes boxes;
    const std::unique_ptr<Form> w = Make(loan);
    ShowActive(w.get());
    boxes.throwOn000 = f.throwOn000;
    Act(w.get(), loan, f);
    const QStringList failed{kProcessingError};
    QCOMPARE(boxes.texts(), f.throwOn000 ? QStringList{kInvalidInput} + failed : failed);
    for (const auto& [name, shown] : Pairs(QString::fromUtf8(f.after))) {
      QCOMPARE(Probe(w.get(), name), shown);
    }
    CheckAnswers(w.get(), loan, boxes);
  }

  void menuActivation() {
    Boxes boxes;
    FrmMenu menu;
    ShowActive(&menu);
    menu.move(0, 0);
    LateActivation(&menu);
    QCOMPARE(boxes.texts(), QStringList{kProcessingError});
    QCOMPARE(menu.pos(), QPoint(0, 0));
    // Still works: a real activation coming from another window centres it.
    Form elsewhere;
    ShowActive(&elsewhere);
    ShowActive(&menu);
    const QPoint off = menu.frameGeometry().center() - menu.screen()->geometry().center();
    QVERIFY2(off.manhattanLength() <= 2, qPrintable(QString::number(menu.x())));
    QCOMPARE(boxes.texts(), QStringList{kProcessingError});
  }

  void startUpParts_data() {
    QTest::addColumn<int>("i");
    for (int i = 0; i < int(std::size(kPartFaults)); ++i) {
      QTest::newRow(kPartFaults[i].first) << i;
    }
  }

  void startUpParts() {
    QFETCH(int, i);
    Boxes boxes;
    const qsizetype windows = QApplication::topLevelWidgets().size();
    MdlStart::StartUpParts parts = TestParts();
    kPartFaults[i].second(parts);
    QCOMPARE(MdlStart::StartUp(parts), MdlStart::StartResult::Failed);
    QCOMPARE(boxes.texts(), QStringList{kProcessingError});
    QVERIFY(MdlStart::frmSplash().IsEmpty() && MdlStart::frmMenu().IsEmpty());
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    // Nothing held on to: the next start in this session runs.
    QCOMPARE(MdlStart::StartUp(TestParts()), MdlStart::StartResult::Running);
    QVERIFY(MdlStart::frmMenu().Get()->isVisible());
    MdlStart::ShutDown();
    QCOMPARE(boxes.texts(), QStringList{kProcessingError});
  }
};

TSUBAME_UI_TEST_MAIN(FaultInjectionTest)
#include "fault_injection_test.moc"
