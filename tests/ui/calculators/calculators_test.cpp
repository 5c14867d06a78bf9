// Both calculator windows and the tax-law window driven as a user drives them:
// keys, clicks, focus. The figures themselves are the core tests' tables; here
// a few rows show that each window shows what the core gives.
#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "once_up.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::TextBox;
using tsubame::test::OnceUp;

namespace {

const QString &k000 = tsubame::test::kInvalidInput, &k020 = tsubame::test::kProcessingError;
enum { Straight, Declining };
enum { kGenka, kLoan, kTax };

// What a control shows; a result label as a screen reader hears it, "caption:text".
QString Shown(QWidget* w) {
  if (auto* list = qobject_cast<QComboBox*>(w)) {
    return list->currentText();
  }
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
  return i->role() == QAccessible::StaticText
             ? i->text(QAccessible::Name) + ':' + i->text(QAccessible::Value)
             : w->property("text").toString();
}

// A calculator window or the tax-law window, shown and active, with every message box recorded.
struct Calc {
  tsubame::test::MessageRecorder messages;
  std::unique_ptr<QWidget> window;

  explicit Calc(int kind) {
    window.reset(kind == kLoan  ? static_cast<QWidget*>(new FrmKariire)
                 : kind == kTax ? static_cast<QWidget*>(new FrmGenkaZeiho)
                                : new FrmGenka);
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
  // The tax window's entries typed in, or picked from its lists: cost, year, month, fiscal
  // year's first month, method, life, rounding.
  void SetTax(const QStringList& v) {
    const char* names[] = {"TxtKingaku", "TxtNen",   "CmbTsuki", "CmbKishu",
                           "CmbHoho",    "TxtTaiyo", "CmbHasu"};
    for (int i = 0; i < v.size(); ++i) {
      auto* list = window->findChild<QComboBox*>(names[i]);
      list ? list->setCurrentIndex(list->findText(v[i])) : Enter(names[i], v[i]);
    }
  }
  QStringList Results() const {
    QStringList heard;
    for (const char* out :
         {"LblTekiyoOut", "LblRitsuOut", "LblKaiteiOut", "LblHoshoOut", "LblHoshoGakuOut"}) {
      heard << Shown(W(out));
    }
    return heard;
  }
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
struct Refusal { const char *box{}, *typed{}; bool by_run{}; };
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
    Calc w(c.loan ? kLoan : kGenka);
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
    Calc w(kLoan);
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
    Calc w(kLoan);
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
    Calc w(kLoan);
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
    Calc g(kGenka);
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

  // The depreciation window's Ctrl+T (from a box) and its grid's menu (its entries and
  // shortcuts as a screen reader reads them) open the tax-law window modally and centred, with
  // the amount, life and method carried over where valid there; Escape, or 戻る with an empty
  // amount (checked only at 実行), closes it, back in the box.
  void taxWindowOpens_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("entered");  // amount, life, method
    QTest::addColumn<QStringList>("seen");
    const QStringList menu{"コピー ", "印刷... Ctrl+P", "グラフ... ", "現行税法で計算... Ctrl+T"};
    const QString opened = "減価償却計算（現行税法） 0";
    QTest::newRow("Ctrl+T") << "Ctrl+T" << QStringList{"1,000,000", "10", "1"}
                            << QStringList{opened, "1,000,000", "10", "定率法"};
    QTest::newRow("menu") << "menu" << QStringList{"12.5", "1", "0"}
                          << menu + QStringList{opened, "", "", "定額法"};
  }
  void taxWindowOpens() {
    QFETCH(QString, way);
    QFETCH(QStringList, entered);
    QFETCH(QStringList, seen);
    Calc g(kGenka);
    g.Box("TxtKingaku")->setText(entered[0]);
    g.Box("TxtTaiyo")->setText(entered[1]);
    g.window->findChild<QComboBox*>()->setCurrentIndex(entered[2].toInt());
    QStringList got;
    OnceUp([] { return qobject_cast<FrmGenkaZeiho*>(QApplication::activeModalWidget()); },
           [&](QWidget* w) {
             QVERIFY(QTest::qWaitForWindowActive(w));
             const QPoint off = w->frameGeometry().center() - w->screen()->geometry().center();
             got << w->windowTitle() + ' ' + QString::number(off.manhattanLength());
             for (const char* name : {"TxtKingaku", "TxtTaiyo", "CmbHoho"}) {
               got << Shown(w->findChild<QWidget*>(name));
             }
             way == "menu" ? QTest::mouseClick(w->findChild<QWidget*>("CmdBack"), Qt::LeftButton)
                           : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
           });
    if (way == "Ctrl+T") {
      QTest::keyClick(g.W("TxtKingaku"), Qt::Key_T, Qt::ControlModifier);
    } else {
      OnceUp([] { return QApplication::activePopupWidget(); },
             [&](QWidget* popup) {
               auto* menu = static_cast<QMenu*>(popup);
               QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
               for (int i = 0; i < items->childCount(); ++i) {
                 got << menu->actions()[i]->text() + ' ' +
                            items->child(i)->text(QAccessible::Accelerator);
               }
               menu->setActiveAction(menu->actions().last());
               QTest::keyClick(menu, Qt::Key_Return);
             });
      QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4},
                              g.Grid()->mapToGlobal(QPoint(4, 4)));
      QApplication::sendEvent(g.Grid(), &event);
    }
    // Its own loop has ended: it is gone, and the box keeps the focus.
    QCOMPARE(g.Seen(got), seen);
    QVERIFY(g.window->findChild<FrmGenkaZeiho*>() == nullptr);
    QCOMPARE(g.window->focusWidget(), g.W("TxtKingaku"));
  }

  // One case typed in: the amount grouped, the year and life tidied, the results as a screen
  // reader hears them, the rows with the revised years marked; Enter in a box runs. A cost that
  // never reaches 1 yen: 020, results and rows cleared.
  void taxWindowRuns() {
    Calc t(kTax);
    t.SetTax({"1000000", "2,025", "1月", "1月", "定率法", "1e1", "切捨て"});
    QCOMPARE(t.Row(0), "年度 償却期間 期首帳簿価額 償却費 期末帳簿価額");
    t.W("TxtTaiyo")->setFocus();
    QTest::keyClick(t.W("TxtTaiyo"), Qt::Key_Return);
    QCOMPARE(t.Seen(t.Results() + QStringList{t.Get("TxtKingaku"), t.Get("TxtNen"),
                                              t.Get("TxtTaiyo"), t.Row(1), t.Row(7), t.Row(10)}),
             (QStringList{"適用:200%定率法", "償却率:0.200", "改定償却率:0.250", "保証率:0.06552",
                          "償却保証額:65,520", "1,000,000", "2025", "10",
                          "2025年度 12/12 1,000,000 200,000 800,000",
                          "2031年度（改定） 12/12 262,144 65,536 196,608",
                          "2034年度（改定） 12/12 65,536 65,535 1"}));
    t.SetTax({"40", "2025", "1月", "1月", "定額法", "100"});  // 0 yen a year
    t.Click("CmdOK");
    QCOMPARE(t.Seen(t.Results() + QStringList{QString::number(t.Grid()->FilledRows())}),
             (QStringList{"適用:", "償却率:", "改定償却率:", "保証率:", "償却保証額:", "0", k020}));
  }

  // A refused entry, on leaving its box or at 実行: message 000, the focus back in the box with
  // its text selected, the last run's results and schedule as they were.
  void taxRefusals_data() {
    QTest::addColumn<Refusal>("c");
    // clang-format off
    QTest::newRow("life 1") << Refusal{"TxtTaiyo", "1", false};
    QTest::newRow("life empty at 実行") << Refusal{"TxtTaiyo", "", true};
    QTest::newRow("amount 0.5") << Refusal{"TxtKingaku", "0.5", false};
    QTest::newRow("amount 1,000.5 at 実行") << Refusal{"TxtKingaku", "1,000.5", true};
    QTest::newRow("year 2101 at 実行") << Refusal{"TxtNen", "2101", true};
    QTest::newRow("year x") << Refusal{"TxtNen", "x", false};
    // clang-format on
  }
  void taxRefusals() {
    QFETCH(Refusal, c);
    Calc t(kTax);
    t.SetTax({"1234567", "2011", "3月", "4月", "定率法", "10", "切上げ"});
    t.Click("CmdOK");
    const QStringList before = t.Results() + QStringList{t.Grid()->CopyText()};
    c.by_run ? t.Box(c.box)->setText(c.typed) : t.Enter(c.box, c.typed);
    if (c.by_run) {
      t.Click("CmdOK");
    }
    QCOMPARE(QApplication::focusWidget(), t.W(c.box));
    QCOMPARE(t.Seen({t.Get(c.box), t.Box(c.box)->selectedText()}),
             (QStringList{c.typed, c.typed, k000}));
    QCOMPARE(t.Results() + QStringList{t.Grid()->CopyText()}, before);
  }
};

TSUBAME_UI_TEST_MAIN(CalculatorsTest)
#include "calculators_test.moc"
