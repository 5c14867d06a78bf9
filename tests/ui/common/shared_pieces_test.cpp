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
  // The real box: title, text without its CR, icon, buttons; its default, OK, gives code 1.
  void realMessageBox_data() {
    QTest::addColumn<QString>("coded");
    QTest::addColumn<QString>("seen");
    // clang-format off
    QTest::newRow("000") << QString("000入力データが正しくありません。") << QString("ツバメ|入力データが正しくありません。|3|OK");
    QTest::newRow("020") << QString("020処理中、異常が発生しました。") << QString("ツバメ|処理中、異常が発生しました。|2|OK");
    // clang-format on
  }
  void realMessageBox() {
    QFETCH(QString, coded);
    QFETCH(QString, seen);
    QWidget owner;
    ShowActive(&owner);
    Answer();
    QCOMPARE(MdlCommon::ShowMessage({}, {}, coded.toStdU16String()), 1);
    QCOMPARE(m_seen, seen);
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

  // Whatever a handler throws, even no exception class, shows one 020 (the handlers' own
  // failures, Failure and std::exception, are robust_test's).
  void trapReportsEveryFailureOnce() {
    MessageRecorder messages;
    int reached = 0;
    QVERIFY(!tsubame::Trap([&] {
      ++reached;
      throw 42;  // not even an exception class
    }));
    QVERIFY(tsubame::Trap([&] { ++reached; }));
    QCOMPARE(reached, 2);
    QCOMPARE(messages.texts(), QStringList{tsubame::test::kProcessingError});
  }

  // What Ctrl+C puts on the clipboard: the whole schedule, or the cells selected.
  void gridCopies() {
    tsubame::ScheduleGrid grid(5, 3);
    const char* cells[3][3] = {{"年数", "減価償却費    ", "現存価格      "},
                               {"1", "180,000", "820,000"},
                               {"2", "50,000", "50,000"}};
    for (int i = 0; i < 9; ++i) {  // with the depreciation window's alignments
      grid.SetRow(i / 3);
      grid.SetCol(i % 3);
      grid.SetText(QString::fromUtf8(cells[i / 3][i % 3]));
      grid.SetColAlignment(i % 3, i % 3 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    }
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString(cells[0][1]));
    // Ctrl+C gives the whole schedule, as text with headings without their trailing blanks,
    // and as HTML with amounts right-aligned under centred headings...
    ShowActive(&grid);
    QClipboard* const clipboard = QApplication::clipboard();
    QTest::keySequence(&grid, QKeySequence::Copy);
    QCOMPARE(
        clipboard->text(),
        QStringLiteral("年数\t減価償却費\t現存価格\n1\t180,000\t820,000\n2\t50,000\t50,000\n"));
    QCOMPARE(clipboard->mimeData()->html().section("<tr>", 1, 2),
             "<th align=\"center\">年数</th><th align=\"center\">減価償却費</th>"
             "<th align=\"center\">現存価格</th></tr>\n"
             "<tr><td align=\"center\">1</td><td align=\"right\">180,000</td>"
             "<td align=\"right\">820,000</td></tr>\n");
    // ...or the cells selected, here with the mouse from 180,000 down to the empty last row,
    // which is left out.
    const QModelIndex from = grid.model()->index(0, 1), to = grid.model()->index(3, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(from).center());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid.visualRect(to).center());
    QTest::keySequence(&grid, QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("180,000\t820,000\n50,000\t50,000\n"));
    QCOMPARE(clipboard->mimeData()->html().section('\n', 1),
             "<tr><td align=\"right\">180,000</td><td align=\"right\">820,000</td></tr>\n"
             "<tr><td align=\"right\">50,000</td><td align=\"right\">50,000</td></tr>\n"
             "</table></body></html>\n");
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
