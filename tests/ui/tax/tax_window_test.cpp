// The tax-law window driven as a user drives it: opened from the depreciation
// window, one case typed in per row, the grid and the results read back the
// way a screen reader reads them. The figures are the core tests' tables.
#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "message_recorder.h"
#include "once_up.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::TextBox;
using tsubame::test::OnceUp;

namespace {

const QString &k000 = tsubame::test::kInvalidInput, &k020 = tsubame::test::kProcessingError;

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

// The tax window on its own, shown and active, with every message box recorded.
struct Tax {
  tsubame::test::MessageRecorder messages;
  std::unique_ptr<FrmGenkaZeiho> window = std::make_unique<FrmGenkaZeiho>();

  Tax() {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }
  QWidget* W(const char* name) const { return window->findChild<QWidget*>(name); }
  tsubame::ScheduleGrid* Grid() const { return window->findChild<tsubame::ScheduleGrid*>(); }
  // Every entry: boxes typed into and left with Tab, lists picked from with the keyboard.
  void Fill(const QStringList& entries) {
    const char* names[] = {"TxtKingaku", "TxtNen",   "CmbTsuki", "CmbKishu",
                           "CmbHoho",    "TxtTaiyo", "CmbHasu"};
    for (int i = 0; i < entries.size(); ++i) {
      QWidget* w = W(names[i]);
      w->setFocus();
      if (auto* list = qobject_cast<QComboBox*>(w)) {
        QTest::keyClick(list, Qt::Key_Home);
        for (int k = list->findText(entries[i]); k > 0; --k) {
          QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Tab);
      } else {
        QTest::keyClicks(w, entries[i] + '\t');
      }
    }
  }
  // Row r's cells joined by blanks, as the accessible table reads them.
  QString Row(int r) const {
    QAccessibleTableInterface* t = QAccessible::queryAccessibleInterface(Grid())->tableInterface();
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c) {
      cells << t->cellAt(r - 1, c)->text(QAccessible::Name);
    }
    return cells.join(' ');
  }
  QStringList Results() const {
    QStringList heard;
    for (const char* out :
         {"LblTekiyoOut", "LblRitsuOut", "LblKaiteiOut", "LblHoshoOut", "LblHoshoGakuOut"}) {
      heard << Shown(W(out));
    }
    return heard;
  }
};

// clang-format off
struct Run { QStringList entries; QStringList results; int rows{}; QStringList shown; };
struct Refusal { const char *box{}, *typed{}; bool by_run{}; };
// clang-format on

}  // namespace

class TaxWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The depreciation window's Ctrl+T (from a box) and its grid's menu open the
  // window modally and centred, with the amount, life and method carried over
  // where they are valid here; Escape (here) or 戻る (from the menu, with an
  // empty amount: checked only at 実行) closes it, back in the box.
  void opensFromTheDepreciationWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("entered");  // amount, life, method
    QTest::addColumn<QStringList>("carried");
    QTest::newRow("Ctrl+T, declining") << "Ctrl+T" << QStringList{"1,000,000", "10", "1"}
                                       << QStringList{"1,000,000", "10", "定率法"};
    QTest::newRow("menu, values not valid here")
        << "menu" << QStringList{"12.5", "1", "0"} << QStringList{"", "", "定額法"};
  }
  void opensFromTheDepreciationWindow() {
    QFETCH(QString, way);
    QFETCH(QStringList, entered);
    QFETCH(QStringList, carried);
    tsubame::test::MessageRecorder messages;
    FrmGenka genka;
    genka.show();
    genka.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&genka));
    auto* amount = genka.findChild<TextBox*>("TxtKingaku");
    amount->setText(entered[0]);
    genka.findChild<TextBox*>("TxtTaiyo")->setText(entered[1]);
    genka.findChild<QComboBox*>("CmbShokyaku")->setCurrentIndex(entered[2].toInt());
    amount->setFocus();

    QStringList seen;
    OnceUp([] { return qobject_cast<FrmGenkaZeiho*>(QApplication::activeModalWidget()); },
           [&](QWidget* w) {
             QVERIFY(QTest::qWaitForWindowActive(w));
             const QRect screen = w->screen()->geometry();
             seen << w->windowTitle()
                  << QString::number(qAbs(w->frameGeometry().center().x() - screen.center().x()) +
                                     qAbs(w->frameGeometry().center().y() - screen.center().y()))
                  << Shown(w->findChild<QWidget*>("TxtKingaku"))
                  << Shown(w->findChild<QWidget*>("TxtTaiyo"))
                  << Shown(w->findChild<QWidget*>("CmbHoho"));
             if (way == "menu") {
               QTest::mouseClick(w->findChild<QWidget*>("CmdBack"), Qt::LeftButton);
             } else {
               QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
             }
           });
    if (way == "Ctrl+T") {
      QTest::keyClick(amount, Qt::Key_T, Qt::ControlModifier);
    } else {
      OnceUp([] { return QApplication::activePopupWidget(); },
             [&](QWidget* popup) {
               auto* menu = static_cast<QMenu*>(popup);
               for (QAction* a : menu->actions()) {
                 QAccessibleInterface* item = QAccessible::queryAccessibleInterface(menu)->child(
                     static_cast<int>(menu->actions().indexOf(a)));
                 seen << a->text() + ' ' + item->text(QAccessible::Accelerator);
               }
               menu->setActiveAction(menu->actions().last());
               QTest::keyClick(menu, Qt::Key_Return);
             });
      auto* grid = genka.findChild<tsubame::ScheduleGrid*>();
      QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4}, grid->mapToGlobal(QPoint(4, 4)));
      QApplication::sendEvent(grid, &event);
    }
    // The window's own loop has ended: it is closed, and the box keeps the focus.
    QVERIFY(genka.findChild<FrmGenkaZeiho*>() == nullptr);
    const QStringList menu{"コピー ", "印刷... Ctrl+P", "グラフ... ", "現行税法で計算... Ctrl+T"};
    const QStringList opened = QStringList{"減価償却計算（現行税法）", "0"} + carried;
    QCOMPARE(seen, (way == "menu" ? menu : QStringList()) + opened);
    QCOMPARE(genka.focusWidget(), amount);
    QCOMPARE(messages.texts(), QStringList());
  }

  // One case a row, typed in: what applies, as a screen reader reads the
  // results, the number of rows and a few rows as the grid's table reads them.
  // Entries: cost, year, month, fiscal year's first month, method, life, rounding.
  void runs_data() {
    QTest::addColumn<Run>("c");
    // clang-format off
    QTest::newRow("200 % from 2012, the switch in year 7") << Run{
        {"1000000", "2025", "1月", "1月", "定率法", "10", "切捨て"},
        {"適用:200%定率法", "償却率:0.200", "改定償却率:0.250", "保証率:0.06552", "償却保証額:65,520"}, 10,
        {"1:2025年度 12/12 1,000,000 200,000 800,000", "6:2030年度 12/12 327,680 65,536 262,144",
         "7:2031年度（改定） 12/12 262,144 65,536 196,608", "10:2034年度（改定） 12/12 65,536 65,535 1"}};
    QTest::newRow("250 %, March in a fiscal year from April") << Run{
        {"1234567", "2011", "3月", "4月", "定率法", "10", "切上げ"},
        {"適用:250%定率法", "償却率:0.250", "改定償却率:0.334", "保証率:0.04448", "償却保証額:54,913.54016"}, 10,
        {"1:2010年度 1/12 1,234,567 25,721 1,208,846", "2:2011年度 12/12 1,208,846 302,212 906,634",
         "8:2017年度（改定） 12/12 215,147 71,860 143,287"}};
    // clang-format on
  }
  void runs() {
    QFETCH(Run, c);
    Tax w;
    w.Fill(c.entries);
    QTest::mouseClick(w.W("CmdOK"), Qt::LeftButton);
    QStringList rows;
    for (const QString& spot : c.shown) {
      rows << spot.section(':', 0, 0) + ':' + w.Row(spot.section(':', 0, 0).toInt());
    }
    QCOMPARE(w.Results(), c.results);
    QCOMPARE(w.Grid()->FilledRows(), c.rows);
    QCOMPARE(rows, c.shown);
    QCOMPARE(w.messages.texts(), QStringList());
  }

  // A refused entry, on leaving its box or at 実行: message 000, the focus
  // back in the box with its text selected, the last run's results and
  // schedule as they were.
  void refusals_data() {
    QTest::addColumn<Refusal>("c");
    // clang-format off
    QTest::newRow("life 1") << Refusal{"TxtTaiyo", "1", false};
    QTest::newRow("life 2.5 at 実行") << Refusal{"TxtTaiyo", "2.5", true};
    QTest::newRow("life empty at 実行") << Refusal{"TxtTaiyo", "", true};
    QTest::newRow("amount 0.5") << Refusal{"TxtKingaku", "0.5", false};
    QTest::newRow("amount 1,000.5 at 実行") << Refusal{"TxtKingaku", "1,000.5", true};
    QTest::newRow("year 1949") << Refusal{"TxtNen", "1949", false};
    QTest::newRow("year 2101 at 実行") << Refusal{"TxtNen", "2101", true};
    QTest::newRow("year x") << Refusal{"TxtNen", "x", false};
    // clang-format on
  }
  void refusals() {
    QFETCH(Refusal, c);
    Tax w;
    w.Fill({"1000000", "2025", "1月", "1月", "定率法", "10", "切捨て"});
    QTest::mouseClick(w.W("CmdOK"), Qt::LeftButton);
    const QString schedule = w.Grid()->CopyText();
    const QStringList results = w.Results();
    auto* box = static_cast<TextBox*>(w.W(c.box));
    if (c.by_run) {
      box->setText(c.typed);
      QTest::mouseClick(w.W("CmdOK"), Qt::LeftButton);
    } else {
      box->setFocus();
      QTest::keyClicks(box, QString(c.typed) + '\t');
    }
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->text(), QString(c.typed));
    QCOMPARE(box->selectedText(), box->text());
    QCOMPARE(w.messages.texts(), QStringList{k000});
    QCOMPARE(w.Results(), results);
    QCOMPARE(w.Grid()->CopyText(), schedule);
  }

  // The grid's headings; accepted entries shown tidied, the amount grouped as
  // typed; Enter runs; a cost whose schedule does not fit (message 020) or never reaches
  // 1 yen leaves no result and no row.
  void tidyEntriesAndFailures() {
    Tax w;
    w.Fill({"1000000", "2,025", "1月", "1月", "定率法", "1e1", "切捨て"});
    QStringList headings;
    for (int c = 0; c < w.Grid()->Cols(); ++c) {
      headings << w.Grid()->TextAt(0, c);
    }
    QCOMPARE(headings.join('|') + ' ' + Shown(w.W("TxtKingaku")) + ' ' + Shown(w.W("TxtNen")) +
                 ' ' + Shown(w.W("TxtTaiyo")),
             QString("年度|償却期間|期首帳簿価額|償却費|期末帳簿価額 1,000,000 2025 10"));
    // Enter in a box is "実行", as in a dialog.
    w.W("TxtTaiyo")->setFocus();
    QTest::keyClick(w.W("TxtTaiyo"), Qt::Key_Return);
    QCOMPARE(w.Grid()->FilledRows(), 10);
    // 16 digits; 15 that overflow at 100 % a year; 40 yen never reaching 1 yen.
    for (const QStringList& entries :
         {QStringList{"1000000000000000", "定率法", "100"},
          QStringList{"999999999999999", "定率法", "2"}, QStringList{"40", "定額法", "100"}}) {
      w.Fill({entries[0], "2025", "1月", "1月", entries[1], entries[2]});
      QTest::mouseClick(w.W("CmdOK"), Qt::LeftButton);
      QCOMPARE(w.messages.texts(), QStringList{k020});
      QCOMPARE(w.Results().join(' '), QString("適用: 償却率: 改定償却率: 保証率: 償却保証額:"));
      QCOMPARE(w.Grid()->FilledRows(), 0);
      w.messages.clear();
    }
  }
};

TSUBAME_UI_TEST_MAIN(TaxWindowTest)
#include "tax_window_test.moc"
