// Both calculator windows driven as a user drives them: keys, clicks, focus.
// The figures themselves are the core tests' tables; here a few rows show
// that each window shows what the core gives.
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::TextBox;

namespace {

const QString &k000 = tsubame::test::kInvalidInput, &k020 = tsubame::test::kProcessingError;
enum { Straight, Declining };

// A calculator window, shown and active, with every message box recorded.
struct Calc {
  tsubame::test::MessageRecorder messages;
  std::unique_ptr<tsubame::Form> window;

  explicit Calc(bool loan) {
    window.reset(loan ? static_cast<tsubame::Form*>(new FrmKariire) : new FrmGenka);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }
  QWidget* W(const char* name) const { return window->findChild<QWidget*>(name); }
  TextBox* Box(const char* name) const { return window->findChild<TextBox*>(name); }
  QString Get(const char* n, const char* p = "text") const { return W(n)->property(p).toString(); }
  tsubame::ScheduleGrid* Grid() const { return window->findChild<tsubame::ScheduleGrid*>(); }
  void Click(const char* name) { QTest::mouseClick(W(name), Qt::LeftButton); }
  // Enters a box, which selects its text, types over it and tabs out.
  void Enter(const char* box, const QString& s) {
    W(box)->setFocus();
    QTest::keyClicks(W(box), s + '\t');
  }
  // Row r's cells joined by blanks; row 0 holds the headings.
  QString Row(int r) const {
    QStringList cells;
    for (int c = 0; c < Grid()->model()->columnCount(); ++c) {
      cells << Grid()->TextAt(r, c);
    }
    return cells.join(' ');
  }
  // `seen`, then the boxes shown.
  QStringList Seen(const QStringList& seen) const { return seen + messages.texts(); }
  // The loan's amount, method, term, rate, deferment, stepped period, stepped rate.
  void SetLoan(const QStringList& v) {
    Box("TxtKingaku")->setText(v[0]);
    window->findChild<QComboBox*>()->setCurrentIndex(v[1].toInt());
    const char* names[] = {"TxtKikan", "TxtNenri", "TxtSueoki", "TxtDankaiKikan", "TxtDankaiNenri"};
    for (int i = 0; i < 5; ++i) {
      Box(names[i])->setText(v[i + 2]);
    }
  }
};

// A data row of each test. Field: the box, the term set first, what is typed, what the box
// then shows, the message shown.
// clang-format off
struct Fresh { bool loan{}; const char *title{}; QSize size; const char *headings{}, *results{}, *order{}; };
struct Field { const char *box{}, *term{}, *typed{}, *shown{}; QString message; };
struct Run { QStringList inputs; int rows{}; const char *spot{}, *interest{}, *paid{}; QString message; };
struct Life { int method{}; const char* life{}; QStringList shown; };
// clang-format on

}  // namespace

class CalculatorsTest : public QObject {
  Q_OBJECT

 private slots:
  // Title, size, headings, results, the amount focused with its text selected, and the tab
  // order round to the amount with what each control starts with.
  void freshWindows_data() {
    QTest::addColumn<Fresh>("c");
    // clang-format off
    QTest::newRow("loan") << Fresh{true, "借入金計算", {498, 469},
         "月数 元金返済金額    利息          合計          残高         ", "LblShiharaiOut= LblRisokuOut=",
         "TxtKingaku=0 CmbHensai=元金均等 TxtKikan=1 TxtNenri=0 TxtSueoki=0 TxtDankaiKikan=0 "
         "TxtDankaiNenri=0 CmdOK CmdBack GrdPreview TxtKingaku=0"};
    QTest::newRow("depreciation") << Fresh{false, "減価償却計算", {409, 475}, "年数 減価償却費     現存価格      ", "LblRitsuOut=0.000",
         "TxtKingaku=0 CmbShokyaku=定額 TxtTaiyo=0 CmdOK CmdBack GrdPreview TxtKingaku=0"};
    // clang-format on
  }
  void freshWindows() {
    QFETCH(Fresh, c);
    Calc w(c.loan);
    QStringList results, order;
    for (const char* label : {"LblShiharaiOut", "LblRisokuOut", "LblRitsuOut"}) {
      if (w.W(label) != nullptr) {
        results << QString(label) + '=' + w.Get(label);
      }
    }
    const QString selected = w.Box("TxtKingaku")->selectedText();
    for (qsizetype stop = QString(c.order).count(' '); stop >= 0; --stop) {
      QWidget* const f = QApplication::focusWidget();
      auto* list = qobject_cast<QComboBox*>(f);
      const QString text = list ? list->currentText() : f->property("text").toString();
      order << f->objectName() + (qobject_cast<TextBox*>(f) || list ? "=" + text : QString());
      QTest::keyClick(f, Qt::Key_Tab);
    }
    QCOMPARE(w.Seen({w.window->windowTitle(), w.Row(0), results.join(' '), selected,
                     order.join(' '), QString::number(w.Grid()->FilledRows())}),
             (QStringList{c.title, c.headings, c.results, "0", c.order, "0"}));
    QCOMPARE(w.window->size(), c.size);
  }

  // Typing into a box and leaving it with Tab: what it shows, the message,
  // and whether the focus was taken back (with the text selected).
  void fieldRules_data() {
    QTest::addColumn<Field>("c");
    // clang-format off
    QTest::newRow("term emptied") << Field{"TxtKikan", "1", "", "1", ""};
    QTest::newRow("term 0") << Field{"TxtKikan", "1", "0", "0", k000};
    QTest::newRow("term 7.5") << Field{"TxtKikan", "1", "7.5", "8", ""};
    QTest::newRow("term 40000") << Field{"TxtKikan", "1", "40000", "40000", ""};
    QTest::newRow("deferment equal to the term") << Field{"TxtSueoki", "10", "10", "10", k000};
    QTest::newRow("deferment 2.5 compared as 2") << Field{"TxtSueoki", "3", "2.5", "3", ""};
    QTest::newRow("stepped period = term") << Field{"TxtDankaiKikan", "10", "10", "10", ""};
    QTest::newRow("stepped period > term") << Field{"TxtDankaiKikan", "10", "11", "11", k000};
    // clang-format on
  }
  void fieldRules() {
    QFETCH(Field, c);
    Calc w(true);
    w.Box("TxtKikan")->setText(c.term);
    TextBox* box = w.Box(c.box);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->selectedText(), box->text());  // a click selects all too
    *c.typed ? QTest::keyClicks(box, c.typed) : QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Tab);
    // A refused text keeps the focus, all selected; anything else lets it go.
    const bool kept = QApplication::focusWidget() == box;
    QCOMPARE(w.Seen({c.box, box->text(), kept ? box->selectedText() : "left"}),
             QStringList({c.box, c.shown, c.message == k000 ? c.shown : "left"}) +
                 (c.message.isEmpty() ? QStringList() : QStringList{c.message}));
  }

  // A refused key is taken back with a 000; the caret stays at the end, where
  // Home cannot move it; Tab round to the amount selects it.
  void amountKeyByKey() {
    Calc w(true);
    TextBox* const box = w.Box("TxtKingaku");
    QTest::keyClicks(box, "12a34567");
    QTest::keyClick(box, Qt::Key_Home);
    QCOMPARE(w.Seen({box->text(), QString::number(box->cursorPosition())}),
             (QStringList{"1,234,567", "9", k000}));
    w.W("CmdBack")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.W("CmdBack"), Qt::Key_Tab);
    QTest::keyClick(w.Grid(), Qt::Key_Tab);  // round to the amount: its Tab release is no key-up
    QCOMPARE(box->selectedText(), QStringLiteral("1,234,567"));
  }

  // 実行 on real widgets, a few rows (the core's tables check the figures):
  // after a failure the labels keep the last completed run's totals. However
  // many cells a run writes, the view hears of it once, after the handler.
  void runs_data() {
    QTest::addColumn<Run>("c");
    // clang-format off
    QTest::newRow("stepped instalments") << Run{{"1200000", "1", "3", "12", "1", "2", "6"}, 36,
                                                "25 48,725 6,179 54,904 569,225", "169,066", "1,369,066", ""};
    QTest::newRow("rate x fails") << Run{{"1200000", "0", "1", "x", "0", "0", "0"}, 0, "", "0", "1,200", k020};
    // clang-format on
  }
  void runs() {
    QFETCH(Run, c);
    Calc w(true);
    w.SetLoan({"1200", "0", "40", "1", "0", "0", "0"});  // a longer earlier run (fails)
    w.Click("CmdOK");
    w.SetLoan({"1200", "0", "1", "0", "0", "0", "0"});  // a completed earlier run
    w.Click("CmdOK");
    w.messages.clear();
    w.SetLoan(c.inputs);
    QCoreApplication::processEvents();  // the earlier runs are published
    QSignalSpy published(w.Grid()->model(), &QAbstractItemModel::dataChanged);
    w.Click("CmdOK");
    QCoreApplication::processEvents();
    const int spot = QString(c.spot).section(' ', 0, 0).toInt();
    QCOMPARE(
        w.Seen({c.inputs.join(' '), QString::number(w.Grid()->FilledRows()),
                spot ? w.Row(spot) : "", w.Get("LblRisokuOut"), w.Get("LblShiharaiOut")}),
        QStringList({c.inputs.join(' '), QString::number(c.rows), c.spot, c.interest, c.paid}) +
            (c.message.isEmpty() ? QStringList() : QStringList{c.message}));
    QCOMPARE(published.count(), 1);
  }

  // The rate label follows the life as the box rewrites it and the method
  // chosen after it; 実行 then shows the core's schedule, leaving no row of an
  // earlier, longer run, and a run refused before it starts leaves it as it is.
  void depreciation_data() {
    QTest::addColumn<Life>("c");
    // life shown, rate, rows, a row
    // clang-format off
    QTest::newRow("declining") << Life{Declining, "5", {"5", "0.369", "7", "7 13,096 50,000"}};
    QTest::newRow("life 7.5") << Life{Straight, "7.5", {"8", "0.113", "9", "9 50,000 50,000"}};
    // clang-format on
  }
  void depreciation() {
    QFETCH(Life, c);
    Calc g(false);
    g.Enter("TxtKingaku", "1000000");
    g.Enter("TxtTaiyo", "36");
    g.Click("CmdOK");
    g.Enter("TxtTaiyo", c.life);
    QTest::keyClick(g.W("CmbShokyaku"), c.method ? Qt::Key_Down : Qt::Key_Up);
    g.Click("CmdOK");
    const QString schedule = g.Grid()->CopyText();
    QCOMPARE(g.Seen({g.Get("TxtKingaku"), g.Get("TxtTaiyo"), g.Get("LblRitsuOut"),
                     QString::number(g.Grid()->FilledRows()), g.Row(c.shown[2].toInt())}),
             QStringList{"1,000,000"} + c.shown);
    g.messages.clear();
    g.Box("TxtKingaku")->setText("abc");  // leaving the box would refuse it
    g.Click("CmdOK");
    QCOMPARE(g.Seen({g.Grid()->CopyText()}), (QStringList{schedule, k020}));
  }
};

TSUBAME_UI_TEST_MAIN(CalculatorsTest)
#include "calculators_test.moc"
