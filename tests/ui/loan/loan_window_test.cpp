#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ScheduleGrid;
using tsubame::TextBox;
using tsubame::test::kInvalidInput;
using tsubame::test::kProcessingError;
using tsubame::test::MessageRecorder;

class LoanWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FrmKariire> m_window;
  std::unique_ptr<MessageRecorder> m_messages;

  TextBox* Box(const char* name) { return m_window->findChild<TextBox*>(name); }
  QPushButton* Button(const char* name) { return m_window->findChild<QPushButton*>(name); }
  QString Label(const char* name) { return m_window->findChild<QLabel*>(name)->text(); }
  ScheduleGrid* Grid() { return m_window->findChild<ScheduleGrid*>("GrdPreview"); }
  QComboBox* Method() { return m_window->findChild<QComboBox*>("CmbHensai"); }

  // Focus into `box` as the user would, replace its text by typing.
  void Type(TextBox* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, text);
  }
  void Leave(TextBox* box) { QTest::keyClick(box, Qt::Key_Tab); }
  void Run() { QTest::mouseClick(Button("CmdOK"), Qt::LeftButton); }

  void SetInputs(const QString& amount, int method, const QString& term, const QString& rate,
                 const QString& defer, const QString& stepYears, const QString& stepRate) {
    Box("TxtKingaku")->setText(amount);
    Method()->setCurrentIndex(method);
    Box("TxtKikan")->setText(term);
    Box("TxtNenri")->setText(rate);
    Box("TxtSueoki")->setText(defer);
    Box("TxtDankaiKikan")->setText(stepYears);
    Box("TxtDankaiNenri")->setText(stepRate);
  }

  QStringList Row(int r) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) {
      cells << Grid()->TextAt(r, c);
    }
    return cells;
  }

 private slots:
  void init() {
    m_messages = std::make_unique<MessageRecorder>();
    m_window = std::make_unique<FrmKariire>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  }

  void cleanup() {
    m_window.reset();
    m_messages.reset();
  }

  void freshWindow() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("借入金計算"));
    QCOMPARE(m_window->size(), QSize(498, 469));
    QCOMPARE(Box("TxtKingaku")->text(), QStringLiteral("0"));
    QCOMPARE(Method()->currentText(), QStringLiteral("元金均等"));
    QCOMPARE(Box("TxtKikan")->text(), QStringLiteral("1"));
    for (const char* name : {"TxtNenri", "TxtSueoki", "TxtDankaiKikan", "TxtDankaiNenri"}) {
      QCOMPARE(Box(name)->text(), QStringLiteral("0"));
    }
    QCOMPARE(QApplication::focusWidget(), Box("TxtKingaku"));
    QCOMPARE(Box("TxtKingaku")->selectedText(), QStringLiteral("0"));
    QCOMPARE(Row(0), QStringList({"月数", "元金返済金額   ", "利息         ", "合計         ",
                                  "残高         "}));
    QCOMPARE(Grid()->FilledRows(), 0);
    QCOMPARE(Label("LblShiharaiOut"), QString());
    QCOMPARE(Label("LblRisokuOut"), QString());
    QVERIFY(m_messages->texts().isEmpty());
  }

  void tabOrder() {
    const QStringList expected = {"CmbHensai",      "TxtKikan",       "TxtNenri", "TxtSueoki",
                                  "TxtDankaiKikan", "TxtDankaiNenri", "CmdOK",    "CmdBack",
                                  "GrdPreview",     "TxtKingaku"};
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
  }

  void fieldRules_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::addRow("empty term") << "TxtKikan"
                                << ""
                                << ""
                                << "1"
                                << "";
    QTest::addRow("zero term") << "TxtKikan"
                               << ""
                               << "0"
                               << "0" << kInvalidInput;
    QTest::addRow("zero point zero term") << "TxtKikan"
                                          << ""
                                          << "0.0"
                                          << "0.0" << kInvalidInput;
    QTest::addRow("negative term") << "TxtKikan"
                                   << ""
                                   << "-2"
                                   << "-2"
                                   << "";
    QTest::addRow("term 0.4") << "TxtKikan"
                              << ""
                              << "0.4"
                              << "0"
                              << "";
    QTest::addRow("term 7.5") << "TxtKikan"
                              << ""
                              << "7.5"
                              << "8"
                              << "";
    QTest::addRow("term 40000") << "TxtKikan"
                                << ""
                                << "40000"
                                << "40000"
                                << "";
    QTest::addRow("empty rate") << "TxtNenri"
                                << ""
                                << ""
                                << "0"
                                << "";
    QTest::addRow("letters in rate") << "TxtNenri"
                                     << ""
                                     << "abc"
                                     << "abc" << kInvalidInput;
    QTest::addRow("rate as typed") << "TxtNenri"
                                   << ""
                                   << "3.25"
                                   << "3.25"
                                   << "";
    QTest::addRow("negative rate") << "TxtDankaiNenri"
                                   << ""
                                   << "-1"
                                   << "-1"
                                   << "";
    QTest::addRow("defer below term") << "TxtSueoki"
                                      << "10"
                                      << "9"
                                      << "9"
                                      << "";
    QTest::addRow("defer equal term") << "TxtSueoki"
                                      << "10"
                                      << "10"
                                      << "10" << kInvalidInput;
    QTest::addRow("defer 9.5 rounds to 10") << "TxtSueoki"
                                            << "10"
                                            << "9.5"
                                            << "9.5" << kInvalidInput;
    QTest::addRow("defer 2.5 rounds to 2") << "TxtSueoki"
                                           << "3"
                                           << "2.5"
                                           << "3"
                                           << "";
    QTest::addRow("empty defer") << "TxtSueoki"
                                 << "1"
                                 << ""
                                 << "0"
                                 << "";
    QTest::addRow("negative defer") << "TxtSueoki"
                                    << "5"
                                    << "-1"
                                    << "-1"
                                    << "";
    QTest::addRow("defer 0 under term -2") << "TxtSueoki"
                                           << "-2"
                                           << "0"
                                           << "0" << kInvalidInput;
    QTest::addRow("defer 40000") << "TxtSueoki"
                                 << "5"
                                 << "40000"
                                 << "40000" << kProcessingError;
    QTest::addRow("defer, term 40000") << "TxtSueoki"
                                       << "40000"
                                       << "1"
                                       << "1" << kProcessingError;
    QTest::addRow("step equal term") << "TxtDankaiKikan"
                                     << "10"
                                     << "10"
                                     << "10"
                                     << "";
    QTest::addRow("step above term") << "TxtDankaiKikan"
                                     << "10"
                                     << "11"
                                     << "11" << kInvalidInput;
    QTest::addRow("step letters") << "TxtDankaiKikan"
                                  << "10"
                                  << "x"
                                  << "x" << kInvalidInput;
  }

  void fieldRules() {
    QFETCH(QString, box);
    QFETCH(QString, term);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    if (!term.isEmpty()) {
      Box("TxtKikan")->setText(term);
    }
    TextBox* b = Box(box.toLatin1().constData());
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(b->selectedText(), b->text());  // a click selects the whole text too
    if (typed.isEmpty()) {
      QTest::keyClick(b, Qt::Key_Delete);
    } else {
      QTest::keyClicks(b, typed);
    }
    Leave(b);
    QCOMPARE(b->text(), shown);
    QCOMPARE(m_messages->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    const bool refused = message == kInvalidInput;
    QCOMPARE(QApplication::focusWidget() == b, refused);
    if (refused) {
      QCOMPARE(b->selectedText(), b->text());
    }
  }

  void refusalIsTheOnlyThingAClickDoes() {
    TextBox* term = Box("TxtKikan");
    Type(term, "0");
    Box("TxtNenri")->setText("abc");  // would refuse too if its check ran
    Run();
    QCOMPARE(m_messages->texts(), QStringList{kInvalidInput});
    QCOMPARE(QApplication::focusWidget(), term);
    QVERIFY(!Button("CmdOK")->isDown());
    QCOMPARE(Grid()->FilledRows(), 0);
    QCOMPARE(Label("LblShiharaiOut"), QString());
    // The next click is an ordinary click again.
    term->setText("1");
    Box("TxtNenri")->setText("0");
    m_messages->clear();
    QTest::mouseClick(Button("CmdOK"), Qt::LeftButton);
    QCOMPARE(Grid()->FilledRows(), 12);
  }

  void refusalDoesNotCascade() {
    TextBox* rate = Box("TxtNenri");
    Type(rate, "abc");
    Box("TxtSueoki")->setText("xyz");
    Leave(rate);  // into TxtSueoki, which must not run its own check
    Leave(QApplication::focusWidget() == rate ? rate : Box("TxtSueoki"));
    QCOMPARE(m_messages->texts(), QStringList({kInvalidInput, kInvalidInput}));
    QCOMPARE(QApplication::focusWidget(), rate);
  }

  void groupsDigitsWhileTyping_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("messages");
    QTest::addRow("seven digits") << "1234567"
                                  << "1,234,567" << 0;
    QTest::addRow("decimals") << "1234.5"
                              << "1,234.5" << 0;
    QTest::addRow("letter") << "12a"
                            << "12" << 1;
    QTest::addRow("lone point") << "."
                                << "" << 1;
    QTest::addRow("lone minus is refused") << "-1234"
                                           << "1,234" << 1;
  }

  void groupsDigitsWhileTyping() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, messages);
    TextBox* amount = Box("TxtKingaku");
    QTest::keyClicks(amount, keys);
    QCOMPARE(amount->text(), shown);
    QCOMPARE(amount->cursorPosition(), static_cast<int>(shown.size()));
    QCOMPARE(m_messages->texts().size(), messages);
  }

  void arrowKeyPutsCaretAtEnd() {
    TextBox* amount = Box("TxtKingaku");
    QTest::keyClicks(amount, "1234");
    QTest::keyClick(amount, Qt::Key_Home);
    QCOMPARE(amount->cursorPosition(), 5);
    QTest::keyClick(amount, Qt::Key_Left);
    QCOMPARE(amount->cursorPosition(), 5);
  }

  void tabIntoAmountKeepsSelection() {
    Box("TxtKingaku")->setText("1,234");
    Button("CmdBack")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Button("CmdBack"), Qt::Key_Tab);  // to the grid
    QTest::keyClick(Grid(), Qt::Key_Tab);             // round to the amount
    QCOMPARE(QApplication::focusWidget(), Box("TxtKingaku"));
    QCOMPARE(Box("TxtKingaku")->selectedText(), QStringLiteral("1,234"));
    QTest::keyClicks(Box("TxtKingaku"), "5");
    QCOMPARE(Box("TxtKingaku")->text(), QStringLiteral("5"));
  }

  void workedExample_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("row3");
    QTest::addColumn<QStringList>("row12");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<QString>("paid");
    QTest::addRow("equal principal")
        << 0 << QStringList{"3", "100,000", "10,000", "110,000", "900,000"}
        << QStringList{"12", "100,000", "1,000", "101,000", "0"} << "78,000"
        << "1,278,000";
    QTest::addRow("equal instalments")
        << 1 << QStringList{"3", "96,520", "10,098", "106,619", "913,296"}
        << QStringList{"12", "105,563", "1,056", "106,619", "0"} << "79,423"
        << "1,279,423";
  }

  void workedExample() {
    QFETCH(int, method);
    QFETCH(QStringList, row3);
    QFETCH(QStringList, row12);
    QFETCH(QString, interest);
    QFETCH(QString, paid);
    Method()->setCurrentIndex(method);
    Type(Box("TxtKingaku"), "1200000");
    QCOMPARE(Box("TxtKingaku")->text(), QStringLiteral("1,200,000"));
    Type(Box("TxtNenri"), "12");
    Run();
    QCOMPARE(Row(3), row3);
    QCOMPARE(Row(12), row12);
    QCOMPARE(Grid()->FilledRows(), 12);
    QCOMPARE(Label("LblRisokuOut"), interest);
    QCOMPARE(Label("LblShiharaiOut"), paid);
    QVERIFY(m_messages->texts().isEmpty());
  }

  void failuresAndWhatStays_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("defer");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("rows");  // -1: the previous schedule stays
    QTest::addRow("37 years") << "1200000"
                              << "37"
                              << "0"
                              << "12" << 444;
    QTest::addRow("38 years") << "1200000"
                              << "38"
                              << "0"
                              << "12" << 449;
    QTest::addRow("deferment equal to term") << "1200000"
                                             << "2"
                                             << "2"
                                             << "12" << 24;
    QTest::addRow("amount not a number") << "abc"
                                         << "1"
                                         << "0"
                                         << "12" << -1;
    QTest::addRow("rate not a number") << "1200000"
                                       << "1"
                                       << "0"
                                       << "x" << 0;
    QTest::addRow("term out of range") << "1200000"
                                       << "40000"
                                       << "0"
                                       << "12" << 0;
  }

  void failuresAndWhatStays() {
    QFETCH(QString, amount);
    QFETCH(QString, term);
    QFETCH(QString, defer);
    QFETCH(QString, rate);
    QFETCH(int, rows);
    SetInputs("1000", 0, "40", "1", "0", "0", "0");  // an earlier run: 449 rows, fails
    Run();
    SetInputs("1200", 0, "1", "0", "0", "0", "0");  // an earlier completed run
    Run();
    QCOMPARE(Label("LblShiharaiOut"), QStringLiteral("1,200"));
    m_messages->clear();

    SetInputs(amount, 0, term, rate, defer, "0", "0");
    Run();
    const bool completes = term == "37";
    QCOMPARE(m_messages->texts(), completes ? QStringList() : QStringList{kProcessingError});
    QCOMPARE(Grid()->FilledRows(), rows < 0 ? 12 : rows);
    if (rows < 0) {
      QCOMPARE(Row(1), QStringList({"1", "100", "0", "100", "1,100"}));
    }
    if (rows > 0) {
      QCOMPARE(Grid()->TextAt(rows, 0), QString::number(rows));
    }
    QCOMPARE(Label("LblShiharaiOut") == "1,200", !completes);
  }

  void backAndCloseUnload() {
    Run();
    QTest::mouseClick(Button("CmdBack"), Qt::LeftButton);
    QVERIFY(m_window->IsUnloaded());
    QVERIFY(!m_window->isVisible());

    FrmKariire other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.close();
    QVERIFY(other.IsUnloaded());
  }
};

TSUBAME_UI_TEST_MAIN(LoanWindowTest)
#include "loan_window_test.moc"
