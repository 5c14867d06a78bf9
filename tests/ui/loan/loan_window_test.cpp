#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::TextBox;
using tsubame::test::kInvalidInput;
using tsubame::test::kProcessingError;

namespace {

const QString k000 = kInvalidInput;
const QString k020 = kProcessingError;

// One loan window, shown and active, with every message box recorded.
struct Loan {
  tsubame::test::MessageRecorder messages;
  FrmKariire window;
  Loan() {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
  TextBox* Box(const char* name) { return window.findChild<TextBox*>(name); }
  QWidget* Widget(const char* name) { return window.findChild<QWidget*>(name); }
  QString Label(const char* name) { return window.findChild<QLabel*>(name)->text(); }
  tsubame::ScheduleGrid* Grid() { return window.findChild<tsubame::ScheduleGrid*>(); }
  void Click(const char* name) { QTest::mouseClick(Widget(name), Qt::LeftButton); }
  QString Row(int r) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) {
      cells << Grid()->TextAt(r, c);
    }
    return cells.join(' ');
  }
  // amount, method, term, rate, deferment, stepped period, stepped rate
  void Set(const QStringList& v) {
    Box("TxtKingaku")->setText(v[0]);
    window.findChild<QComboBox*>()->setCurrentIndex(v[1].toInt());
    const char* names[] = {"TxtKikan", "TxtNenri", "TxtSueoki", "TxtDankaiKikan", "TxtDankaiNenri"};
    for (int i = 0; i < 5; ++i) {
      Box(names[i])->setText(v[i + 2]);
    }
  }
};

}  // namespace

class LoanWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void freshWindowAndTabOrder() {
    Loan w;
    QCOMPARE(w.window.windowTitle(), QStringLiteral("借入金計算"));
    QCOMPARE(w.window.size(), QSize(498, 469));
    QCOMPARE(w.Row(0),
             QStringLiteral("月数 元金返済金額    利息          合計          残高         "));
    QCOMPARE(w.Grid()->FilledRows(), 0);
    QCOMPARE(w.Label("LblShiharaiOut") + w.Label("LblRisokuOut"), QString());
    QCOMPARE(w.window.findChild<QComboBox*>()->currentText(), QStringLiteral("元金均等"));
    QCOMPARE(QApplication::focusWidget(), w.Box("TxtKingaku"));
    QCOMPARE(w.Box("TxtKingaku")->selectedText(), QStringLiteral("0"));
    QStringList order;  // with the text each box starts with
    for (int i = 0; i < 10; ++i) {
      QWidget* f = QApplication::focusWidget();
      auto* box = qobject_cast<TextBox*>(f);
      order << f->objectName() + (box ? "=" + box->text() : QString());
      QTest::keyClick(f, Qt::Key_Tab);
    }
    QCOMPARE(order.join(' '),
             QStringLiteral("TxtKingaku=0 CmbHensai TxtKikan=1 TxtNenri=0 TxtSueoki=0 "
                            "TxtDankaiKikan=0 TxtDankaiNenri=0 CmdOK CmdBack GrdPreview"));
    QVERIFY(w.messages.texts().isEmpty());
  }

  // Typing into a box and leaving it with Tab: what it shows, the message,
  // and whether the focus was taken back (with the text selected).
  void fieldRules() {
    // clang-format off
    const struct { const char* box; const char* term; const char* typed; const char* shown; QString message; } cases[] = {
        {"TxtKikan", "", "", "1", ""},           {"TxtKikan", "", "0", "0", k000},
        {"TxtKikan", "", "7.5", "8", ""},        {"TxtKikan", "", "40000", "40000", ""},
        {"TxtNenri", "", "abc", "abc", k000},    {"TxtNenri", "", "3.25", "3.25", ""},
        {"TxtSueoki", "10", "9", "9", ""},       {"TxtSueoki", "10", "10", "10", k000},
        {"TxtSueoki", "10", "9.5", "9.5", k000}, {"TxtSueoki", "3", "2.5", "3", ""},
        {"TxtSueoki", "5", "-1", "-1", ""},      {"TxtSueoki", "-2", "0", "0", k000},
        {"TxtSueoki", "5", "40000", "40000", k020}, {"TxtSueoki", "40000", "1", "1", k020},
        {"TxtDankaiKikan", "10", "10", "10", ""},   {"TxtDankaiKikan", "10", "11", "11", k000},
        {"TxtDankaiNenri", "", "", "0", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
      Loan w;
      if (*c.term) {
        w.Box("TxtKikan")->setText(c.term);
      }
      TextBox* box = w.Box(c.box);
      QTest::mouseClick(box, Qt::LeftButton);
      QCOMPARE(box->selectedText(), box->text());  // a click selects all too
      *c.typed ? QTest::keyClicks(box, c.typed) : QTest::keyClick(box, Qt::Key_Delete);
      QTest::keyClick(box, Qt::Key_Tab);
      const QString what = QString("%1 %2").arg(c.box, c.typed);
      QVERIFY2(box->text() == c.shown, qPrintable(what));
      QVERIFY2(w.messages.texts() == (c.message.isEmpty() ? QStringList() : QStringList{c.message}),
               qPrintable(what));
      const bool refused = c.message == k000;
      QVERIFY2((QApplication::focusWidget() == box) == refused, qPrintable(what));
      QVERIFY2(!refused || box->selectedText() == box->text(), qPrintable(what));
    }
  }

  void groupsDigitsKeyByKey() {
    const struct {
      const char* keys;
      const char* shown;
      int messages;
    } cases[] = {
        {"1234567", "1,234,567", 0}, {"1234.5", "1,234.5", 0}, {"12a", "12", 1}, {".", "", 1},
        {"-1234", "1,234", 1},  // a lone "-" is no number
    };
    for (const auto& c : cases) {
      Loan w;
      QTest::keyClicks(w.Box("TxtKingaku"), c.keys);
      QCOMPARE(w.Box("TxtKingaku")->text(), QString(c.shown));
      QCOMPARE(w.Box("TxtKingaku")->cursorPosition(), int(strlen(c.shown)));
      QCOMPARE(w.messages.texts().size(), c.messages);
    }
    Loan w;
    QTest::keyClicks(w.Box("TxtKingaku"), "1234");
    QTest::keyClick(w.Box("TxtKingaku"), Qt::Key_Home);  // the caret goes back to the end
    QCOMPARE(w.Box("TxtKingaku")->cursorPosition(), 5);
    w.Widget("CmdBack")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.Widget("CmdBack"), Qt::Key_Tab);
    QTest::keyClick(w.Grid(), Qt::Key_Tab);  // round to the amount: its Tab release is no key-up
    QCOMPARE(w.Box("TxtKingaku")->selectedText(), QStringLiteral("1,234"));
  }

  // 実行 on real widgets, a few rows (the core's tables check the figures):
  // after a failure the rows written stay and the labels keep the last
  // completed run's totals; the amount is read before the grid is cleared.
  void runs() {
    // clang-format off
    const struct { QStringList inputs; int rows; const char* spot; const char* interest; const char* paid; QString message; } cases[] = {
        {{"1,200,000", "0", "1", "12", "0", "0", "0"}, 12, "12 100,000 1,000 101,000 0", "78,000", "1,278,000", ""},
        {{"1200000", "1", "3", "12", "1", "2", "6"}, 36, "25 48,725 6,179 54,904 569,225", "169,066", "1,369,066", ""},
        {{"1200000", "0", "38", "12", "0", "0", "0"}, 449, "449 2,632 211 2,842 18,421", "0", "1,200", k020},
        {{"1200000", "0", "1", "x", "0", "0", "0"}, 0, "", "0", "1,200", k020},
        {{"abc", "0", "1", "12", "0", "0", "0"}, 12, "1 100 0 100 1,100", "0", "1,200", k020},
    };
    // clang-format on
    for (const auto& c : cases) {
      Loan w;
      w.Set({"1200", "0", "40", "1", "0", "0", "0"});  // a longer earlier run (fails)
      w.Click("CmdOK");
      w.Set({"1200", "0", "1", "0", "0", "0", "0"});  // a completed earlier run
      w.Click("CmdOK");
      w.messages.clear();
      w.Set(c.inputs);
      w.Click("CmdOK");
      const QString what = c.inputs.join(' ');
      QVERIFY2(w.Grid()->FilledRows() == c.rows, qPrintable(what));
      const int spotRow = QString(c.spot).section(' ', 0, 0).toInt();
      QVERIFY2(spotRow == 0 || w.Row(spotRow) == c.spot, qPrintable(what + " | " + w.Row(spotRow)));
      QVERIFY2(w.Label("LblRisokuOut") == c.interest && w.Label("LblShiharaiOut") == c.paid,
               qPrintable(what));
      QVERIFY2(w.messages.texts() == (c.message.isEmpty() ? QStringList() : QStringList{c.message}),
               qPrintable(what));
    }
  }
};

TSUBAME_UI_TEST_MAIN(LoanWindowTest)
#include "loan_window_test.moc"
