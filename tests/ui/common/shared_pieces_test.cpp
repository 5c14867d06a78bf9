#include <QAbstractButton>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "common/core/coded_message.h"
#include "common/core/failure.h"
#include "common/ui/field_procedures.h"
#include "common/ui/form.h"
#include "common/ui/message_box.h"
#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "common/ui/trap.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::test::kProcessingError;
using tsubame::test::MessageRecorder;

namespace {

// Answers the real box that is about to open by clicking `button` (an index
// among its buttons, or the default button when -1) and keeps what it saw.
struct BoxAnswer {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QString defaultButton;
  void Arm(int button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      for (QAbstractButton* b : box->buttons()) {
        buttons << b->text();
      }
      defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
      QAbstractButton* target = button < 0 ? box->defaultButton() : box->buttons().at(button);
      QTest::mouseClick(target, Qt::LeftButton);
    });
  }
};

}  // namespace

class SharedPiecesTest : public QObject {
  Q_OBJECT

 private slots:
  void realMessageBox_data() {
    QTest::addColumn<QString>("coded");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("result");  // of the default button
    QTest::addRow("000") << QString::fromStdU16String(std::u16string(MdlCommon::MsgInvalidInput))
                         << 1 << int(QMessageBox::Critical) << 1;
    QTest::addRow("020") << QString::fromStdU16String(std::u16string(MdlCommon::MsgProcessingError))
                         << 1 << int(QMessageBox::Warning) << 1;
    QTest::addRow("411 yes/no, No default") << "411はい？" << 2 << int(QMessageBox::Question) << 7;
    QTest::addRow("3 buttons, third default")
        << "332取消？" << 3 << int(QMessageBox::Information) << 2;
    QTest::addRow("9 gives OK") << "999なし" << 1 << int(QMessageBox::NoIcon) << 1;
  }

  void realMessageBox() {
    QFETCH(QString, coded);
    QFETCH(int, buttonCount);
    QFETCH(int, icon);
    QFETCH(int, result);
    QWidget owner;
    owner.setWindowTitle("窓");
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    BoxAnswer answer;
    answer.Arm(-1);
    const int code = MdlCommon::ShowMessage({}, {}, coded.toStdU16String());
    QCOMPARE(code, result);
    QCOMPARE(answer.title, QStringLiteral("ツバメ"));
    QCOMPARE(answer.text, coded.mid(3));  // no carriage return left to show
    QCOMPARE(int(answer.icon), icon);
    QCOMPARE(answer.buttons.size(), buttonCount);
  }

  void refusedLeaveByClickIsOnlyTheRefusal() {
    tsubame::Form form;
    auto* term = new tsubame::TextBox(&form);
    term->setObjectName("TxtKikan");
    auto* button = new QPushButton("実行", &form);
    button->move(0, 40);
    int clicks = 0;
    QObject::connect(term, &tsubame::TextBox::LostFocus,
                     [term] { tsubame::Trap([term] { MdlCommon::ValidateNumericField(term); }); });
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    term->setFocus();
    term->setText("0");
    BoxAnswer answer;  // the real box, answered while it is open
    answer.Arm(0);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(answer.text, QStringLiteral("入力データが正しくありません。"));
    QCOMPARE(clicks, 0);
    QVERIFY(!button->isDown());
    QCOMPARE(form.focusWidget(), term);
    term->setText("1");
    QTest::mouseClick(button, Qt::LeftButton);  // an ordinary click again
    QCOMPARE(clicks, 1);
  }

  void trapReportsEveryKindOfFailureOnce() {
    MessageRecorder messages;
    int reached = 0;
    QVERIFY(!tsubame::Trap([&] { throw tsubame::Failure("x"); }));
    QVERIFY(!tsubame::Trap([&] { throw std::bad_alloc(); }));
    QVERIFY(!tsubame::Trap([&] {
      ++reached;
      throw 42;
      ++reached;
    }));
    QVERIFY(tsubame::Trap([&] { ++reached; }));
    QCOMPARE(reached, 2);
    QCOMPARE(messages.texts(), QStringList(3, kProcessingError));
    QCOMPARE(messages.requests().at(0).style.Value(), 4144);
  }

  void gridFailsPastItsLastRow() {
    tsubame::ScheduleGrid grid(4, 2);
    grid.SetRow(3);
    grid.SetCol(1);
    grid.SetText("x");
    QVERIFY_THROWS_EXCEPTION(tsubame::Failure, grid.SetRow(4));
    QVERIFY_THROWS_EXCEPTION(tsubame::Failure, grid.SetCol(2));
    QCOMPARE(grid.Row(), 3);
    grid.SetRow(0);
    grid.SetText("heading");
    QCOMPARE(grid.FilledRows(), 3);
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("heading"));
    grid.Clear();
    QCOMPARE(grid.TextAt(3, 1), QString());
    QCOMPARE(grid.model()->rowCount(), 3);
    QCOMPARE(grid.Rows(), 4);
  }

  void copiesSelectionOrWholeSchedule() {
    tsubame::ScheduleGrid grid(5, 3);
    const char* cells[3][3] = {{"年数", "減価償却費    ", "現存価格      "},
                               {"1", "180,000", "820,000"},
                               {"2", "50,000", "50,000"}};
    for (int r = 0; r < 3; ++r) {
      grid.SetRow(r);
      for (int c = 0; c < 3; ++c) {
        grid.SetCol(c);
        grid.SetText(QString::fromUtf8(cells[r][c]));
      }
    }
    QCOMPARE(
        grid.CopyText(),
        QStringLiteral("年数\t減価償却費\t現存価格\n1\t180,000\t820,000\n2\t50,000\t50,000\n"));
    grid.selectionModel()->select(
        QItemSelection(grid.model()->index(0, 1), grid.model()->index(3, 2)),
        QItemSelectionModel::Select);
    QCOMPARE(grid.CopyText(), QStringLiteral("180,000\t820,000\n50,000\t50,000\n"));
    grid.show();
    grid.setFocus();
    QTest::keySequence(&grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), grid.CopyText());
    QCOMPARE(grid.TextAt(1, 1), QStringLiteral("180,000"));  // still read-only
  }

  void centerFormUsesOuterSizeWithoutClamping_data() {
    QTest::addColumn<QSize>("size");
    QTest::addRow("small") << QSize(178, 160);
    QTest::addRow("taller than the screen") << QSize(300, 4000);
  }

  void centerFormUsesOuterSizeWithoutClamping() {
    QFETCH(QSize, size);
    tsubame::Form form;
    form.resize(size);
    QObject::connect(&form, &tsubame::Form::Activated,
                     [] { tsubame::Trap(MdlCommon::CenterForm); });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QRect screen = form.screen()->geometry();
    const QRect frame = form.frameGeometry();
    // Within the frame's margin: platforms place frames of off-screen windows
    // on their own terms.
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 2);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 2);
    if (size.height() > screen.height()) {
      QVERIFY(frame.top() < 0);
    }
  }

  void activationComesOnlyFromAnotherWindow() {
    MessageRecorder none;  // a real box below, answered by BoxAnswer
    tsubame::SetMessagePresenter(tsubame::ShowMessageBox);
    tsubame::Form first;
    tsubame::Form second;
    int firstActivations = 0;
    QObject::connect(&first, &tsubame::Form::Activated, [&] { ++firstActivations; });
    first.show();
    first.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&first));
    QCOMPARE(firstActivations, 1);

    BoxAnswer answer;
    answer.Arm(0);
    MdlCommon::ShowMessage({}, {}, MdlCommon::MsgProcessingError);
    first.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&first));
    QCOMPARE(firstActivations, 1);  // a message box closing is no activation

    second.show();
    second.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    second.Unload();
    first.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&first));
    QCOMPARE(firstActivations, 2);
  }
};

TSUBAME_UI_TEST_MAIN(SharedPiecesTest)
#include "shared_pieces_test.moc"
