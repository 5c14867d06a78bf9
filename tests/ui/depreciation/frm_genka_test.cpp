#include <QTest>
#include <optional>
#include <tuple>

#include "common/ui/schedule_grid.h"
#include "depreciation/ui/frm_genka.h"
#include "message_recorder.h"
#include "ui_test_main.h"

namespace {

enum { Straight, Declining };
const QString &k000 = tsubame::test::kInvalidInput, &k020 = tsubame::test::kProcessingError;

// Method before and after typing the life; then life, rate, focused control, any box shown.
using Rate = std::tuple<int, int, const char*, QStringList>;
// Method, life, amount; then rows filled, one row as "year|depreciation|value", any box shown.
using Run = std::tuple<int, const char*, const char*, QStringList>;

// A fresh window and the boxes it shows.
struct Genka {
  tsubame::test::MessageRecorder messages;
  FrmGenka window;
  tsubame::ScheduleGrid* grid = window.findChild<tsubame::ScheduleGrid*>();

  Genka() { window.show(); }
  QWidget* W(const char* name) const { return window.findChild<QWidget*>(name); }
  QString Get(const char* n, const char* p = "text") const { return W(n)->property(p).toString(); }
  // Enters a box, which selects its text, types over it and tabs out.
  void Enter(const char* box, const QString& s) {
    W(box)->setFocus();
    QTest::keyClicks(W(box), s + '\t');
  }
  void Choose(int m) { QTest::keyClick(W("CmbShokyaku"), m ? Qt::Key_Down : Qt::Key_Up); }
  void Click(const char* button) { QTest::mouseClick(W(button), Qt::LeftButton); }
  QString Focus() const { return QApplication::focusWidget()->objectName(); }
  // A row as copied: "year|depreciation|value".
  QString Row(int r) const { return grid->CopyText().split('\n').value(r).replace('\t', '|'); }
  // `seen` and then the boxes shown.
  QStringList Seen(const QStringList& seen) const { return seen + messages.texts(); }
};

}  // namespace

class FrmGenkaTest : public QObject {
  Q_OBJECT
  std::optional<Genka> g;

 private slots:
  void init() { QVERIFY(QTest::qWaitForWindowActive(&g.emplace().window)); }

  void freshWindowThenBack() {
    QCOMPARE(
        g->Seen({g->Get("TxtKingaku"), g->Get("CmbShokyaku", "currentText"), g->Get("TxtTaiyo"),
                 g->Get("LblRitsuOut"), g->grid->TextAt(0, 0), g->grid->TextAt(0, 1),
                 g->grid->TextAt(0, 2), g->Focus(), g->Get("TxtKingaku", "selectedText")}),
        (QStringList{"0", "定額", "0", "0.000", "年数", "減価償却費    ", "現存価格      ",
                     "TxtKingaku", "0"}));
    for (const char* name : {"CmbShokyaku", "TxtTaiyo", "CmdOK", "CmdBack", "GrdPreview"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(g->Focus(), QString::fromLatin1(name));
    }
    g->Click("CmdBack");
    QVERIFY(g->window.IsUnloaded() && !g->window.isVisible());
  }

  // The label shows the core's rate of the life as the box rewrites it; a
  // refused life keeps the rate of the life 5 entered before it. The rates
  // themselves are the core's table.
  void rate_data() {
    QTest::addColumn<Rate>("row");
    const auto add = [](const char* name, const Rate& row) { QTest::newRow(name) << row; };
    add("7.5 rounds", {Straight, Straight, "7.5", {"8", "0.113", "CmdOK"}});
    add("method changed after", {Straight, Declining, "10", {"10", "0.206", "CmdOK"}});
    add("letters", {Straight, Straight, "ab", {"ab", "0.180", "TxtTaiyo", k000}});
    add("beyond 16 bits", {Straight, Straight, "40000", {"40000", "0.180", "CmdOK", k020}});
  }
  void rate() {
    QFETCH(Rate, row);
    const auto& [before, after, typed, shown] = row;
    g->Choose(before);
    g->Enter("TxtTaiyo", "5");
    g->Enter("TxtTaiyo", typed);
    g->Choose(after);
    QCOMPARE(g->Seen({g->Get("TxtTaiyo"), g->Get("LblRitsuOut"), g->Focus()}), shown);
  }

  void schedule_data() {
    QTest::addColumn<Run>("row");
    const auto add = [](const char* name, const Run& row) { QTest::newRow(name) << row; };
    add("declining 5 last", {Declining, "5", "1,000,000", {"7", "7|13,096|50,000"}});
    add("amount 1,234,567", {Straight, "5", "1,234,567", {"6", "1|222,222|1,012,345"}});
    add("straight 284", {Straight, "284", "1,000,000", {"299", "299|3,169|52,465", k020}});
  }
  // A few rows: the window shows what the core computes (whose tables check
  // the figures). The amount is typed key by key, regrouped as it goes. Each run follows a
  // run of 36 years, which must leave no row behind, and is followed by a run
  // refused before it starts, which must leave the schedule as it is.
  void schedule() {
    QFETCH(Run, row);
    const auto& [method, life, amount, shown] = row;
    g->Enter("TxtKingaku", QString(amount).remove(','));
    g->Enter("TxtTaiyo", "36");
    g->Click("CmdOK");
    g->Choose(method);
    g->Enter("TxtTaiyo", life);
    g->Click("CmdOK");
    const int year = shown[1].section('|', 0, 0).toInt();
    const QString rows = QString::number(g->grid->FilledRows()), schedule = g->grid->CopyText();
    QCOMPARE(g->Seen({g->Get("TxtKingaku"), rows, g->Row(year)}), QStringList{amount} + shown);
    g->messages.clear();
    g->W("TxtKingaku")->setProperty("text", "abc");  // leaving the box would refuse it
    g->Click("CmdOK");
    QCOMPARE(g->Seen({g->grid->CopyText()}), (QStringList{schedule, k020}));
  }
};

TSUBAME_UI_TEST_MAIN(FrmGenkaTest)
#include "frm_genka_test.moc"
