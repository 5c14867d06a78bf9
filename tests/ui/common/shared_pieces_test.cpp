#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "common/core/coded_message.h"
#include "common/core/failure.h"
#include "common/ui/form.h"
#include "common/ui/message_box.h"
#include "common/ui/text_box.h"
#include "common/ui/trap.h"
#include "message_recorder.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::test::MessageRecorder;

namespace {

void ShowActive(QWidget* w) {
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace

class SharedPiecesTest : public QObject {
  Q_OBJECT

  QString m_seen;
  void Answer() {
    m_seen.clear();
    QTimer::singleShot(0, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      QStringList buttons;  // Qt's translation must not rename the designed OK
      for (QAbstractButton* b : box->buttons()) {
        buttons << b->text();
      }
      m_seen = QString("%1|%2|%3|%4")
                   .arg(box->windowTitle(), box->text())
                   .arg(int(box->icon()))
                   .arg(buttons.join(' '));
      QTest::mouseClick(box->defaultButton(), Qt::LeftButton);
    });
  }

 private slots:
  // The real box: title, text without its CR, icon, buttons, default's code.
  void realMessageBox() {
    // clang-format off
    const struct { QString coded, seen; int code{}; } cases[] = {
        {"000入力データが正しくありません。", "ツバメ|入力データが正しくありません。|3|OK", 1},
        {"020処理中、異常が発生しました。", "ツバメ|処理中、異常が発生しました。|2|OK", 1}};
    // clang-format on
    QWidget owner;
    ShowActive(&owner);
    for (const auto& c : cases) {
      Answer();
      QCOMPARE(MdlCommon::ShowMessage({}, {}, c.coded.toStdU16String()), c.code);
      QCOMPARE(m_seen, c.seen);
    }
  }

  // Qt's own texts are Japanese: a text box's context menu.
  void qtTextsInJapanese() {
    tsubame::TextBox box;
    ShowActive(&box);
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      for (QAction* a : menu ? menu->actions() : QList<QAction*>{}) {
        entries << a->text().section('\t', 0, 0);
      }
      if (menu) {
        menu->close();
      }
    });
    const QPoint center = box.rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, center, box.mapToGlobal(center));
    QApplication::sendEvent(&box, &event);
    QVERIFY(QTest::qWaitFor([&] { return !entries.isEmpty(); }));
    QCOMPARE(entries.join('|'),
             "元に戻す(&U)|やり直す(&R)||切り取り(&T)|コピー(&C)|貼り付け(&P)|削除||"
             "すべてを選択");
  }

  void trapReportsEveryFailureOnce() {
    MessageRecorder messages;
    int reached = 0;
    QVERIFY(!tsubame::Trap([&] { throw tsubame::Failure("x"); }));
    QVERIFY(!tsubame::Trap([&] { throw std::bad_alloc(); }));
    QVERIFY(!tsubame::Trap([&] {
      ++reached;
      throw 42;  // not even an exception class
    }));
    QVERIFY(tsubame::Trap([&] { ++reached; }));
    QCOMPARE(reached, 2);
    QCOMPARE(messages.texts(), QStringList(3, tsubame::test::kProcessingError));
    QCOMPARE(messages.requests().at(0).style.icon, tsubame::kExclamation);
  }

  void gridLimitsClearAndCopy() {
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
    grid.SetColAlignment(0, Qt::AlignCenter);
    grid.SetColAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    grid.SetColAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    grid.SetRow(4);
    QVERIFY_THROWS_EXCEPTION(tsubame::Failure, grid.SetRow(5));
    QVERIFY_THROWS_EXCEPTION(tsubame::Failure, grid.SetCol(3));
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString(cells[0][1]));
    // The whole schedule without trailing blanks of headings, or the selection.
    QCOMPARE(
        grid.CopyText(),
        QStringLiteral("年数\t減価償却費\t現存価格\n1\t180,000\t820,000\n2\t50,000\t50,000\n"));
    grid.selectionModel()->select(
        QItemSelection(grid.model()->index(0, 1), grid.model()->index(3, 2)),
        QItemSelectionModel::Select);
    QCOMPARE(grid.CopyText(), QStringLiteral("180,000\t820,000\n50,000\t50,000\n"));
    grid.clearSelection();  // Ctrl+C gives both forms, right-aligned amounts under headings
    ShowActive(&grid);
    QTest::keySequence(&grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), grid.CopyText());
    QCOMPARE(QApplication::clipboard()->mimeData()->html().section("<tr>", 1, 2),
             "<th align=\"center\">年数</th><th align=\"center\">減価償却費</th>"
             "<th align=\"center\">現存価格</th></tr>\n"
             "<tr><td align=\"center\">1</td><td align=\"right\">180,000</td>"
             "<td align=\"right\">820,000</td></tr>\n");
    grid.Clear();
    QCOMPARE(grid.FilledRows(), 0);
    QCOMPARE(grid.TextAt(0, 0), QString());
    QCOMPARE(grid.model()->rowCount(), 4);
  }

  // Centred by the outer size, without clamping; activation counts only
  // from another program window, not when a message box closes.
  void centringAndActivation() {
    for (QSize size : {QSize(178, 160), QSize(300, 4000)}) {
      tsubame::Form form;
      form.resize(size);
      QObject::connect(&form, &tsubame::Form::Activated,
                       [] { tsubame::Trap(MdlCommon::CenterForm); });
      ShowActive(&form);
      const QRect screen = form.screen()->geometry();
      const QRect frame = form.frameGeometry();
      // Within the frame's margin: platforms place off-screen frames their way.
      QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 2);
      QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 2);
      QCOMPARE(frame.top() < 0, size.height() > screen.height());
    }
    tsubame::Form first, second;
    int activations = 0;
    QObject::connect(&first, &tsubame::Form::Activated, [&] { ++activations; });
    ShowActive(&first);
    Answer();
    MdlCommon::ShowMessage({}, {}, MdlCommon::MsgProcessingError);
    ShowActive(&first);
    ShowActive(&second);
    ShowActive(&first);
    QCOMPARE(activations, 2);
  }
};

TSUBAME_UI_TEST_MAIN(SharedPiecesTest)
#include "shared_pieces_test.moc"
