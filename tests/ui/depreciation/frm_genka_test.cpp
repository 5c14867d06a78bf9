#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/core/row_collector.h"
#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "common/ui/twips.h"
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"
#include "depreciation/ui/frm_genka.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ScheduleGrid;
using tsubame::TextBox;
using tsubame::test::kInvalidInput;
using tsubame::test::kProcessingError;
using tsubame::test::MessageRecorder;

namespace {

struct Controls {
  TextBox* amount;
  QComboBox* method;
  TextBox* life;
  QLabel* rate;
  QPushButton* ok;
  QPushButton* back;
  ScheduleGrid* grid;
};

Controls Find(FrmGenka& w) {
  return {w.findChild<TextBox*>("TxtKingaku"),     w.findChild<QComboBox*>("CmbShokyaku"),
          w.findChild<TextBox*>("TxtTaiyo"),       w.findChild<QLabel*>("LblRitsuOut"),
          w.findChild<QPushButton*>("CmdOK"),      w.findChild<QPushButton*>("CmdBack"),
          w.findChild<ScheduleGrid*>("GrdPreview")};
}

// Enters a box as the Tab key would, types over its selected text, tabs out.
void Enter(TextBox* box, const QString& text) {
  box->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Tab);
}

// Picks the method with the arrow keys, as a user without a mouse does.
void Choose(QComboBox* method, int index) {
  method->setFocus(Qt::TabFocusReason);
  while (method->currentIndex() < index) {
    QTest::keyClick(method, Qt::Key_Down);
  }
  while (method->currentIndex() > index) {
    QTest::keyClick(method, Qt::Key_Up);
  }
}

QStringList RowCells(const ScheduleGrid* grid, int row) {
  return {grid->TextAt(row, 0), grid->TextAt(row, 1), grid->TextAt(row, 2)};
}

}  // namespace

class FrmGenkaTest : public QObject {
  Q_OBJECT

 private slots:
  void freshWindow();
  void headings_data();
  void headings();
  void tabOrder();
  void clickSelectsWholeText_data();
  void clickSelectsWholeText();
  void rate_data();
  void rate();
  void lifeBeyond16Bits();
  void methodChangeShowsRateAtOnce();
  void lettersInLifeRefused();
  void schedule_data();
  void schedule();
  void amountTypedKeyByKey();
  void shorterRunLeavesNoStaleRow();
  void failedRunKeepsSchedule_data();
  void failedRunKeepsSchedule();
  void backUnloads();
};

void FrmGenkaTest::freshWindow() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  QCOMPARE(w.windowTitle(), QStringLiteral("減価償却計算"));
  QCOMPARE(w.minimumSize(), w.maximumSize());
  QCOMPARE(c.amount->text(), QStringLiteral("0"));
  QCOMPARE(c.life->text(), QStringLiteral("0"));
  QCOMPARE(c.method->currentText(), QStringLiteral("定額"));
  QCOMPARE(c.rate->text(), QStringLiteral("0.000"));
  QCOMPARE(c.grid->FilledRows(), 0);
  QCOMPARE(QApplication::focusWidget(), c.amount);
  QCOMPARE(c.amount->selectedText(), QStringLiteral("0"));
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::headings_data() {
  QTest::addColumn<int>("col");
  QTest::addColumn<QString>("heading");
  QTest::addColumn<int>("twips");
  QTest::addColumn<int>("alignment");
  const int right = Qt::AlignRight | Qt::AlignVCenter;
  QTest::newRow("year") << 0 << QStringLiteral("年数") << 500 << int(Qt::AlignCenter);
  QTest::newRow("depreciation") << 1 << QStringLiteral("減価償却費    ") << 1500 << right;
  QTest::newRow("book value") << 2 << QStringLiteral("現存価格      ") << 1500 << right;
}

void FrmGenkaTest::headings() {
  QFETCH(int, col);
  QFETCH(QString, heading);
  QFETCH(int, twips);
  QFETCH(int, alignment);
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const ScheduleGrid* grid = Find(w).grid;
  QCOMPARE(grid->TextAt(0, col), heading);
  QCOMPARE(grid->columnWidth(col), tsubame::TwipsToPixels(twips));
  const QVariant cell = grid->model()->data(grid->model()->index(0, col), Qt::TextAlignmentRole);
  QCOMPARE(int(cell.value<Qt::Alignment>()), alignment);
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::tabOrder() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const QStringList expected = {"CmbShokyaku", "TxtTaiyo", "CmdOK", "CmdBack", "GrdPreview"};
  for (const QString& name : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), name);
  }
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::clickSelectsWholeText_data() {
  QTest::addColumn<QString>("box");
  QTest::newRow("amount") << "TxtKingaku";
  QTest::newRow("life") << "TxtTaiyo";
}

// A click gives no selection of its own, unlike the Tab key: GotFocus does.
void FrmGenkaTest::clickSelectsWholeText() {
  QFETCH(QString, box);
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  c.method->setFocus(Qt::TabFocusReason);
  TextBox* target = w.findChild<TextBox*>(box);
  QTest::mouseClick(target, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), target);
  QCOMPARE(target->selectedText(), QStringLiteral("0"));
  QTest::keyClicks(target, "7");
  QCOMPARE(target->text(), QStringLiteral("7"));
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::rate_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("life");
  QTest::addColumn<QString>("rate");
  QTest::newRow("straight 8") << 0 << "8"
                              << "8"
                              << "0.113";
  QTest::newRow("straight 24") << 0 << "24"
                               << "24"
                               << "0.038";
  QTest::newRow("straight 40") << 0 << "40"
                               << "40"
                               << "0.023";
  QTest::newRow("straight 72") << 0 << "72"
                               << "72"
                               << "0.013";
  QTest::newRow("straight 5") << 0 << "5"
                              << "5"
                              << "0.180";
  QTest::newRow("straight 1") << 0 << "1"
                              << "1"
                              << "0.900";
  QTest::newRow("straight -5") << 0 << "-5"
                               << "-5"
                               << "-0.180";
  QTest::newRow("straight 7.5") << 0 << "7.5"
                                << "8"
                                << "0.113";
  QTest::newRow("declining 10") << 1 << "10"
                                << "10"
                                << "0.206";
  QTest::newRow("declining 5") << 1 << "5"
                               << "5"
                               << "0.369";
}

void FrmGenkaTest::rate() {
  QFETCH(int, method);
  QFETCH(QString, typed);
  QFETCH(QString, life);
  QFETCH(QString, rate);
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Choose(c.method, method);
  Enter(c.life, typed);
  QCOMPARE(c.life->text(), life);
  QCOMPARE(c.rate->text(), rate);
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::lifeBeyond16Bits() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.life, "5");
  Enter(c.life, "40000");
  QCOMPARE(c.life->text(), QStringLiteral("40000"));
  QCOMPARE(c.rate->text(), QStringLiteral("0.180"));
  QCOMPARE(messages.texts(), QStringList{kProcessingError});
}

void FrmGenkaTest::methodChangeShowsRateAtOnce() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.life, "10");
  QCOMPARE(c.rate->text(), QStringLiteral("0.090"));
  Choose(c.method, 1);
  QCOMPARE(c.rate->text(), QStringLiteral("0.206"));
  Choose(c.method, 0);
  QCOMPARE(c.rate->text(), QStringLiteral("0.090"));
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::lettersInLifeRefused() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.life, "5");
  Enter(c.life, "ab");
  QCOMPARE(messages.texts(), QStringList{kInvalidInput});
  QCOMPARE(QApplication::focusWidget(), c.life);
  QCOMPARE(c.life->text(), QStringLiteral("ab"));
  QCOMPARE(c.rate->text(), QStringLiteral("0.180"));
}

void FrmGenkaTest::schedule_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("life");
  QTest::addColumn<int>("rows");
  // "row|year|depreciation|book value" for the rows worth checking.
  QTest::addColumn<QStringList>("cells");
  QTest::addColumn<QStringList>("shown");
  const QStringList none;
  const QStringList failed{kProcessingError};
  QTest::newRow("straight 5") << 0 << "5" << 6
                              << QStringList{"1|1|180,000|820,000", "2|2|180,000|640,000",
                                             "3|3|180,000|460,000", "4|4|180,000|280,000",
                                             "5|5|180,000|100,000", "6|6|50,000|50,000"}
                              << none;
  QTest::newRow("declining 5") << 1 << "5" << 7
                               << QStringList{"1|1|369,043|630,957", "2|2|232,850|398,107",
                                              "3|3|146,919|251,189", "4|4|92,699|158,489",
                                              "5|5|58,489|100,000",  "6|6|36,904|63,096",
                                              "7|7|13,096|50,000"}
                               << none;
  QTest::newRow("straight 18") << 0 << "18" << 19
                               << QStringList{"18|18|50,000|100,000", "19|19|50,000|50,000"}
                               << none;
  QTest::newRow("declining 10") << 1 << "10" << 14 << QStringList{"14|14|119|50,000"} << none;
  QTest::newRow("straight 283 fits") << 0 << "283" << 299 << QStringList{"299|299||50,000"} << none;
  QTest::newRow("straight 284 overflows")
      << 0 << "284" << 299 << QStringList{"299|299||"} << failed;
  QTest::newRow("declining 229 fits")
      << 1 << "229" << 298 << QStringList{"298|298||50,000"} << none;
  QTest::newRow("declining 230 overflows")
      << 1 << "230" << 299 << QStringList{"299|299||"} << failed;
  QTest::newRow("life 0 never ends")
      << 0 << "0" << 299 << QStringList{"299|299|0|1,000,000"} << failed;
}

void FrmGenkaTest::schedule() {
  QFETCH(int, method);
  QFETCH(QString, life);
  QFETCH(int, rows);
  QFETCH(QStringList, cells);
  QFETCH(QStringList, shown);
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.amount, "1000000");
  Choose(c.method, method);
  Enter(c.life, life);
  QTest::mouseClick(c.ok, Qt::LeftButton);
  QCOMPARE(c.grid->FilledRows(), rows);
  for (const QString& entry : cells) {
    const QStringList parts = entry.split(u'|');
    const QStringList actual = RowCells(c.grid, parts[0].toInt());
    // An empty expectation means only that the cell is filled.
    for (int col = 0; col < 3; ++col) {
      if (parts[col + 1].isEmpty()) {
        QVERIFY(!actual[col].isEmpty());
      } else {
        QCOMPARE(actual[col], parts[col + 1]);
      }
    }
  }
  QCOMPARE(messages.texts(), shown);
}

void FrmGenkaTest::amountTypedKeyByKey() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.amount, "1234567");
  QCOMPARE(c.amount->text(), QStringLiteral("1,234,567"));
  Enter(c.life, "5");
  QTest::mouseClick(c.ok, Qt::LeftButton);
  tsubame::RowCollector<tsubame::DepreciationRow> expected(tsubame::kDepreciationGridYears);
  tsubame::ComputeDepreciationSchedule(1234567, 5, tsubame::StraightLine,
                                       MdlCommon::DepreciationRate(tsubame::StraightLine, 5),
                                       std::ref(expected));
  QCOMPARE(c.grid->FilledRows(), int(expected.rows().size()));
  for (const tsubame::DepreciationRow& row : expected.rows()) {
    QStringList cells;
    for (const std::u16string& cell : tsubame::DepreciationCells(row)) {
      cells << QString::fromStdU16String(cell);
    }
    QCOMPARE(RowCells(c.grid, row.Year), cells);
  }
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::shorterRunLeavesNoStaleRow() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.amount, "1000000");
  Enter(c.life, "18");
  QTest::mouseClick(c.ok, Qt::LeftButton);
  QCOMPARE(c.grid->FilledRows(), 19);
  Enter(c.life, "5");
  QTest::mouseClick(c.ok, Qt::LeftButton);
  QCOMPARE(c.grid->FilledRows(), 6);
  QCOMPARE(c.grid->TextAt(0, 2), QStringLiteral("現存価格      "));
  QCOMPARE(messages.texts(), QStringList());
}

void FrmGenkaTest::failedRunKeepsSchedule_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::newRow("amount not numeric") << "TxtKingaku"
                                      << "abc";
  QTest::newRow("life beyond 16 bits") << "TxtTaiyo"
                                       << "40000";
}

void FrmGenkaTest::failedRunKeepsSchedule() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  const Controls c = Find(w);
  Enter(c.amount, "1000000");
  Enter(c.life, "5");
  QTest::mouseClick(c.ok, Qt::LeftButton);
  QCOMPARE(c.grid->FilledRows(), 6);
  // Set directly: leaving the box would refuse or reformat the text first.
  w.findChild<TextBox*>(box)->setText(text);
  QTest::mouseClick(c.ok, Qt::LeftButton);
  QCOMPARE(messages.texts(), QStringList{kProcessingError});
  QCOMPARE(c.grid->FilledRows(), 6);
  QCOMPARE(RowCells(c.grid, 1), (QStringList{"1", "180,000", "820,000"}));
  QCOMPARE(RowCells(c.grid, 6), (QStringList{"6", "50,000", "50,000"}));
}

void FrmGenkaTest::backUnloads() {
  MessageRecorder messages;
  FrmGenka w;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QTest::mouseClick(Find(w).back, Qt::LeftButton);
  QVERIFY(w.IsUnloaded());
  QVERIFY(!w.isVisible());
  QCOMPARE(messages.texts(), QStringList());
}

TSUBAME_UI_TEST_MAIN(FrmGenkaTest)
#include "frm_genka_test.moc"
