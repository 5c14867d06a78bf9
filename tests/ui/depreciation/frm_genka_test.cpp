#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "common/ui/twips.h"
#include "depreciation/ui/frm_genka.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ScheduleGrid;
using tsubame::TextBox;
using tsubame::test::kInvalidInput;
using tsubame::test::kProcessingError;
using tsubame::test::MessageRecorder;
using namespace Qt::StringLiterals;

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

// Enters a box as the Tab key would, types over its selected text, tabs out.
void Enter(TextBox* box, const QString& text) {
  box->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Tab);
}

// Picks the method with the arrow keys, as a user without a mouse does.
void Choose(QComboBox* method, int index) {
  method->setFocus(Qt::TabFocusReason);
  while (method->currentIndex() != index) {
    QTest::keyClick(method, method->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
}

QStringList RowCells(const ScheduleGrid* grid, int row) {
  return {grid->TextAt(row, 0), grid->TextAt(row, 1), grid->TextAt(row, 2)};
}

}  // namespace

// Every test starts from a fresh, active window with its boxes recorded.
class FrmGenkaTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void freshWindow();
  void headings_data();
  void headings();
  void clickSelectsWholeText_data();
  void clickSelectsWholeText();
  void rate_data();
  void rate();
  void refusedLife_data();
  void refusedLife();
  void methodChangeShowsRateAtOnce();
  void schedule_data();
  void schedule();
  void amountTypedKeyByKey();
  void shorterRunLeavesNoStaleRow();
  void failedRunKeepsSchedule_data();
  void failedRunKeepsSchedule();
  void backUnloads();

 private:
  void Run() { QTest::mouseClick(ui.ok, Qt::LeftButton); }

  std::unique_ptr<MessageRecorder> messages;
  std::unique_ptr<FrmGenka> window;
  Controls ui{};
};

void FrmGenkaTest::init() {
  messages = std::make_unique<MessageRecorder>();
  window = std::make_unique<FrmGenka>();
  window->show();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  FrmGenka& w = *window;
  ui = {w.findChild<TextBox*>("TxtKingaku"),     w.findChild<QComboBox*>("CmbShokyaku"),
        w.findChild<TextBox*>("TxtTaiyo"),       w.findChild<QLabel*>("LblRitsuOut"),
        w.findChild<QPushButton*>("CmdOK"),      w.findChild<QPushButton*>("CmdBack"),
        w.findChild<ScheduleGrid*>("GrdPreview")};
}

void FrmGenkaTest::cleanup() {
  window.reset();
  messages.reset();
}

void FrmGenkaTest::freshWindow() {
  QCOMPARE(window->windowTitle(), QStringLiteral("減価償却計算"));
  QCOMPARE(window->minimumSize(), window->maximumSize());
  QCOMPARE(ui.amount->text(), QStringLiteral("0"));
  QCOMPARE(ui.life->text(), QStringLiteral("0"));
  QCOMPARE(ui.method->currentText(), QStringLiteral("定額"));
  QCOMPARE(ui.rate->text(), QStringLiteral("0.000"));
  QCOMPARE(ui.grid->FilledRows(), 0);
  QCOMPARE(QApplication::focusWidget(), ui.amount);
  QCOMPARE(ui.amount->selectedText(), QStringLiteral("0"));
  for (const char* name : {"CmbShokyaku", "TxtTaiyo", "CmdOK", "CmdBack", "GrdPreview"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
  }
  QCOMPARE(messages->texts(), QStringList());
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
  QCOMPARE(ui.grid->TextAt(0, col), heading);
  QCOMPARE(ui.grid->columnWidth(col), tsubame::TwipsToPixels(twips));
  const QAbstractItemModel* model = ui.grid->model();
  const QVariant align = model->data(model->index(0, col), Qt::TextAlignmentRole);
  QCOMPARE(int(align.value<Qt::Alignment>()), alignment);
}

void FrmGenkaTest::clickSelectsWholeText_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("shows");  // only the amount is regrouped as typed
  QTest::newRow("amount") << u"TxtKingaku"_s << u"1,234"_s;
  QTest::newRow("life") << u"TxtTaiyo"_s << u"1234"_s;
}

// A click, unlike the Tab key, selects nothing by itself: GotFocus does.
void FrmGenkaTest::clickSelectsWholeText() {
  QFETCH(QString, box);
  QFETCH(QString, shows);
  ui.method->setFocus(Qt::TabFocusReason);
  TextBox* target = window->findChild<TextBox*>(box);
  QTest::mouseClick(target, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), target);
  QCOMPARE(target->selectedText(), QStringLiteral("0"));
  QTest::keyClicks(target, "1234");
  QCOMPARE(target->text(), shows);
  QCOMPARE(messages->texts(), QStringList());
}

void FrmGenkaTest::rate_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("life");
  QTest::addColumn<QString>("rate");
  QTest::newRow("straight 8") << 0 << u"8"_s << u"8"_s << u"0.113"_s;
  QTest::newRow("straight 24") << 0 << u"24"_s << u"24"_s << u"0.038"_s;
  QTest::newRow("straight 40") << 0 << u"40"_s << u"40"_s << u"0.023"_s;
  QTest::newRow("straight 72") << 0 << u"72"_s << u"72"_s << u"0.013"_s;
  QTest::newRow("straight 5") << 0 << u"5"_s << u"5"_s << u"0.180"_s;
  QTest::newRow("straight 1") << 0 << u"1"_s << u"1"_s << u"0.900"_s;
  QTest::newRow("straight -5") << 0 << u"-5"_s << u"-5"_s << u"-0.180"_s;
  QTest::newRow("straight 7.5") << 0 << u"7.5"_s << u"8"_s << u"0.113"_s;
  QTest::newRow("declining 10") << 1 << u"10"_s << u"10"_s << u"0.206"_s;
  QTest::newRow("declining 5") << 1 << u"5"_s << u"5"_s << u"0.369"_s;
}

void FrmGenkaTest::rate() {
  QFETCH(int, method);
  QFETCH(QString, typed);
  QFETCH(QString, life);
  QFETCH(QString, rate);
  Choose(ui.method, method);
  Enter(ui.life, typed);
  QCOMPARE(ui.life->text(), life);
  QCOMPARE(ui.rate->text(), rate);
  QCOMPARE(messages->texts(), QStringList());
}

void FrmGenkaTest::refusedLife_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("focus");
  QTest::newRow("letters") << "ab" << kInvalidInput << "TxtTaiyo";
  QTest::newRow("beyond 16 bits") << "40000" << kProcessingError << "CmdOK";
}

// The label keeps the rate of the last accepted life.
void FrmGenkaTest::refusedLife() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QString, focus);
  Enter(ui.life, "5");
  Enter(ui.life, typed);
  QCOMPARE(messages->texts(), QStringList{shown});
  QCOMPARE(QApplication::focusWidget()->objectName(), focus);
  QCOMPARE(ui.life->text(), typed);
  QCOMPARE(ui.rate->text(), QStringLiteral("0.180"));
}

void FrmGenkaTest::methodChangeShowsRateAtOnce() {
  Enter(ui.life, "10");
  QCOMPARE(ui.rate->text(), QStringLiteral("0.090"));
  Choose(ui.method, 1);
  QCOMPARE(ui.rate->text(), QStringLiteral("0.206"));
  Choose(ui.method, 0);
  QCOMPARE(ui.rate->text(), QStringLiteral("0.090"));
  QCOMPARE(messages->texts(), QStringList());
}

void FrmGenkaTest::schedule_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("life");
  QTest::addColumn<int>("rows");
  // "year|depreciation|book value" (the year is the row); an empty cell need only be filled.
  QTest::addColumn<QStringList>("cells");
  QTest::addColumn<QStringList>("shown");
  const QStringList none;
  const QStringList failed{kProcessingError};
  QTest::newRow("straight 5") << 0 << "5" << 6
                              << QStringList{"1|180,000|820,000", "2|180,000|640,000",
                                             "3|180,000|460,000", "4|180,000|280,000",
                                             "5|180,000|100,000", "6|50,000|50,000"}
                              << none;
  QTest::newRow("declining 5") << 1 << "5" << 7
                               << QStringList{"1|369,043|630,957", "2|232,850|398,107",
                                              "3|146,919|251,189", "4|92,699|158,489",
                                              "5|58,489|100,000",  "6|36,904|63,096",
                                              "7|13,096|50,000"}
                               << none;
  QTest::newRow("straight 18") << 0 << "18" << 19
                               << QStringList{"18|50,000|100,000", "19|50,000|50,000"} << none;
  QTest::newRow("declining 10") << 1 << "10" << 14 << QStringList{"14|119|50,000"} << none;
  QTest::newRow("straight 283 fits") << 0 << "283" << 299 << QStringList{"299||50,000"} << none;
  QTest::newRow("straight 284 overflows") << 0 << "284" << 299 << QStringList{"299||"} << failed;
  QTest::newRow("declining 229 fits") << 1 << "229" << 298 << QStringList{"298||50,000"} << none;
  QTest::newRow("declining 230 overflows") << 1 << "230" << 299 << QStringList{"299||"} << failed;
  QTest::newRow("life 0 never ends") << 0 << "0" << 299 << QStringList{"299|0|1,000,000"} << failed;
}

void FrmGenkaTest::schedule() {
  QFETCH(int, method);
  QFETCH(QString, life);
  QFETCH(int, rows);
  QFETCH(QStringList, cells);
  QFETCH(QStringList, shown);
  Enter(ui.amount, "1000000");
  Choose(ui.method, method);
  Enter(ui.life, life);
  Run();
  QCOMPARE(ui.grid->FilledRows(), rows);
  for (const QString& entry : cells) {
    const QStringList parts = entry.split(u'|');
    const QStringList actual = RowCells(ui.grid, parts[0].toInt());
    for (int col = 0; col < 3; ++col) {
      if (parts[col].isEmpty()) {
        QVERIFY(!actual[col].isEmpty());
      } else {
        QCOMPARE(actual[col], parts[col]);
      }
    }
  }
  QCOMPARE(messages->texts(), shown);
}

void FrmGenkaTest::amountTypedKeyByKey() {
  Enter(ui.amount, "1234567");
  QCOMPARE(ui.amount->text(), QStringLiteral("1,234,567"));
  Enter(ui.life, "5");
  Run();
  QCOMPARE(ui.grid->FilledRows(), 6);
  QCOMPARE(RowCells(ui.grid, 1), (QStringList{"1", "222,222", "1,012,345"}));
  QCOMPARE(RowCells(ui.grid, 5), (QStringList{"5", "222,222", "123,457"}));
  QCOMPARE(RowCells(ui.grid, 6), (QStringList{"6", "61,728", "61,728"}));
  QCOMPARE(messages->texts(), QStringList());
}

void FrmGenkaTest::shorterRunLeavesNoStaleRow() {
  Enter(ui.amount, "1000000");
  Enter(ui.life, "18");
  Run();
  QCOMPARE(ui.grid->FilledRows(), 19);
  Enter(ui.life, "5");
  Run();
  QCOMPARE(ui.grid->FilledRows(), 6);
  QCOMPARE(ui.grid->TextAt(0, 2), QStringLiteral("現存価格      "));
  QCOMPARE(messages->texts(), QStringList());
}

void FrmGenkaTest::failedRunKeepsSchedule_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::newRow("amount not numeric") << u"TxtKingaku"_s << u"abc"_s;
  QTest::newRow("life beyond 16 bits") << u"TxtTaiyo"_s << u"40000"_s;
}

void FrmGenkaTest::failedRunKeepsSchedule() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  Enter(ui.amount, "1000000");
  Enter(ui.life, "5");
  Run();
  QCOMPARE(ui.grid->FilledRows(), 6);
  // Set directly: leaving the box would refuse or reformat the text first.
  window->findChild<TextBox*>(box)->setText(text);
  Run();
  QCOMPARE(messages->texts(), QStringList{kProcessingError});
  QCOMPARE(ui.grid->FilledRows(), 6);
  QCOMPARE(RowCells(ui.grid, 1), (QStringList{"1", "180,000", "820,000"}));
  QCOMPARE(RowCells(ui.grid, 6), (QStringList{"6", "50,000", "50,000"}));
}

void FrmGenkaTest::backUnloads() {
  QTest::mouseClick(ui.back, Qt::LeftButton);
  QVERIFY(window->IsUnloaded());
  QVERIFY(!window->isVisible());
  QCOMPARE(messages->texts(), QStringList());
}

TSUBAME_UI_TEST_MAIN(FrmGenkaTest)
#include "frm_genka_test.moc"
