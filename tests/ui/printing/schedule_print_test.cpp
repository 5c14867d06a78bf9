#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ScheduleGrid;

namespace {

// A calculator window after a run with `inputs` ("box=text", "list=index").
std::unique_ptr<QWidget> Window(const QString& kind, const QStringList& inputs) {
  std::unique_ptr<QWidget> w;
  if (kind == "loan") {
    w = std::make_unique<FrmKariire>();
  } else {
    w = std::make_unique<FrmGenka>();
  }
  w->show();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get())) {
    qWarning("window not active: Ctrl+P will not reach it");
  }
  for (const QString& input : inputs) {
    QWidget* control = w->findChild<QWidget*>(input.section('=', 0, 0));
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentIndex(input.section('=', 1).toInt());
    } else {
      static_cast<tsubame::TextBox*>(control)->setText(input.section('=', 1));
      emit static_cast<tsubame::TextBox*>(control)->LostFocus();
    }
  }
  if (!inputs.isEmpty()) {
    QTest::mouseClick(w->findChild<QWidget*>("CmdOK"), Qt::LeftButton);
  }
  return w;
}

// Everything the window shows, and its control with the focus.
QString Shown(QWidget* w) {
  QStringList shown{w->focusWidget() ? w->focusWidget()->objectName() : ""};
  for (auto* box : w->findChildren<QLineEdit*>()) {
    shown << box->text() + '/' + box->selectedText();
  }
  for (auto* list : w->findChildren<QComboBox*>()) {
    shown << list->currentText();
  }
  for (auto* label : w->findChildren<QLabel*>()) {
    shown << label->text();
  }
  shown << w->findChild<ScheduleGrid*>()->CopyText();
  return shown.join('|');
}

// Presses Ctrl+P in the window and hands the preview to `act` once it is up.
void WithPreview(QWidget* w, const std::function<void(QPrintPreviewDialog*)>& act) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    seen = preview != nullptr;
    if (preview) {
      act(preview);
      preview->reject();
    }
  });
  // To the window itself: a text box would regroup its digits on Ctrl's release.
  QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
  QVERIFY(seen);
}

// Prints through the preview's own printer, as its print button does.
void PrintTo(QPrintPreviewDialog* preview, const QString& file) {
  preview->printer()->setOutputFormat(QPrinter::PdfFormat);
  preview->printer()->setOutputFileName(file);
  emit preview->paintRequested(preview->printer());
}

QStringList Words(const QString& line) { return line.split(' ', Qt::SkipEmptyParts); }

}  // namespace

class SchedulePrintTest : public QObject {
  Q_OBJECT

 private slots:
  void contextMenuOffersPrintAfterCopy() {
    auto w = Window("loan", {});
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions()) {
          entries << a->text() + ' ' + a->shortcut().toString();
        }
        menu->close();
      }
    });
    auto* grid = w->findChild<ScheduleGrid*>();
    const QPoint center = grid->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, center, grid->mapToGlobal(center));
    QApplication::sendEvent(grid->viewport(), &event);
    QCOMPARE(entries, (QStringList{"コピー ", "印刷... Ctrl+P", "グラフ... "}));
  }

  // Printed pages read back from the PDF: the preview's title and A4
  // default, every page's title, heading row and number, the conditions as
  // shown, every cell and total as the grid and labels show them, the
  // totals after the last row on its page; the window stays as it was.
  void printsWhatTheWindowShows_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("conditions");
    QTest::newRow("444-month loan")
        << "loan" << QStringList{"TxtKingaku=30,000,000", "CmbHensai=1", "TxtKikan=37",
                                 "TxtNenri=1.5",          "TxtSueoki=2", "TxtDankaiKikan=5",
                                 "TxtDankaiNenri=0.9"}
        << 11
        << QStringList{"借入金額 30,000,000", "返済方法 元利均等", "期間 37", "年利 1.5", "据置 2",
                       "段階金利の期間 5",    "段階金利の年利 0.9"};
    // 45 rows left for the second page, where 44 fit above the totals: the
    // last row goes to a third page with the totals.
    QTest::newRow("last row kept with the totals")
        << "loan" << QStringList{"TxtKingaku=1,000,000", "TxtKikan=7", "TxtNenri=2"} << 4
        << QStringList{"借入金額 1,000,000", "返済方法 元金均等", "期間 7", "年利 2", "据置 0",
                       "段階金利の期間 0",   "段階金利の年利 0"};
    QTest::newRow("299-year depreciation")
        << "depreciation" << QStringList{"TxtKingaku=1,000,000", "TxtTaiyo=283"} << 8
        << QStringList{"金額 1,000,000", "償却法 定額", "耐用年数 283", "償却率 0.003"};
    QTest::newRow("empty loan grid")
        << "loan" << QStringList{} << 1
        << QStringList{"借入金額 0", "返済方法 元金均等", "期間 1",          "年利 0",
                       "据置 0",     "段階金利の期間 0",  "段階金利の年利 0"};
  }
  void printsWhatTheWindowShows() {
    QFETCH(QString, kind);
    QFETCH(QStringList, inputs);
    QFETCH(int, pages);
    QFETCH(QStringList, conditions);
    tsubame::test::MessageRecorder messages;
    auto w = Window(kind, inputs);
    const QString before = Shown(w.get());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("schedule.pdf");
    QString setup;
    WithPreview(w.get(), [&](QPrintPreviewDialog* preview) {
      setup = preview->windowTitle() + ' ' + preview->printer()->pageLayout().pageSize().key() +
              ' ' + QString::number(preview->printer()->pageLayout().orientation());
      PrintTo(preview, pdf);
    });
    QCOMPARE(setup, "印刷のプレビュー A4 0");
    QCOMPARE(Shown(w.get()), before);
    QVERIFY(messages.texts().isEmpty());

    QProcess text;
    text.start(PDFTOTEXT, {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished(30000) && text.exitCode() == 0);
    QStringList paper = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    paper.removeLast();  // after the last page's form feed
    QCOMPARE(paper.size(), pages);

    const auto* grid = w->findChild<ScheduleGrid*>();
    QStringList headings;
    for (int c = 0; c < grid->Cols(); ++c) {
      headings << grid->TextAt(0, c).trimmed();
    }
    QStringList cells;  // the grid's rows, then the totals, as shown
    for (int r = 1; r <= grid->FilledRows(); ++r) {
      QStringList row;
      for (int c = 0; c < grid->Cols(); ++c) {
        row << grid->TextAt(r, c);
      }
      cells << row.join(' ');
    }
    for (const char* total : {"LblShiharai", "LblRisoku"}) {
      if (auto* caption = w->findChild<QLabel*>(total)) {
        cells << (caption->text() + ' ' + w->findChild<QLabel*>(QString(total) + "Out")->text())
                     .trimmed();
      }
    }
    // A schedule ends with its chart's page: title, legend, then the chart.
    const int chart_page = grid->FilledRows() > 0 ? static_cast<int>(paper.size()) - 1 : -1;
    QStringList printed;
    for (int p = 0; p < paper.size(); ++p) {
      QStringList lines = paper[p].split('\n', Qt::SkipEmptyParts);
      for (QString& line : lines) {
        line = Words(line).join(' ');
      }
      lines.removeAll(QString());
      QCOMPARE(lines.first(), w->windowTitle());
      QCOMPARE(QString(lines.last()).remove(' '), QString("%1/%2").arg(p + 1).arg(pages));
      if (p == chart_page) {
        const QStringList chart = kind == "loan" ? QStringList{"返済グラフ", "元金 利息 残高"}
                                                 : QStringList{"償却グラフ", "現存価格 減価償却費"};
        QCOMPARE(lines.mid(1, 2), chart);
        continue;
      }
      const qsizetype heading = lines.indexOf(headings.join(' '));
      QVERIFY2(heading > 0, qPrintable(paper[p]));
      if (p == 0) {
        QCOMPARE(lines.mid(1, heading - 1), conditions);
      }
      printed << lines.mid(heading + 1, lines.size() - heading - 2);
    }
    QCOMPARE(printed, cells);
  }

  // A closed preview, or a printer that cannot be opened (message 020),
  // leaves the window as it was.
  void cancelOrFailureLeavesTheWindow_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("preview closed") << QString() << QStringList{};
    QTest::newRow("printer fails")
        << "/nonexistent/dir/x.pdf" << QStringList{tsubame::test::kProcessingError};
  }
  void cancelOrFailureLeavesTheWindow() {
    QFETCH(QString, file);
    QFETCH(QStringList, messages);
    tsubame::test::MessageRecorder recorder;
    auto w = Window("loan", {"TxtKingaku=1,200,000", "TxtNenri=12"});
    QTest::keyClicks(w->findChild<QWidget*>("TxtKingaku"), "5");
    const QString before = Shown(w.get());
    WithPreview(w.get(), [&](QPrintPreviewDialog* preview) {
      if (!file.isEmpty()) {
        PrintTo(preview, file);
      }
    });
    QCOMPARE(Shown(w.get()), before);
    QCOMPARE(recorder.texts(), messages);
  }
};

TSUBAME_UI_TEST_MAIN(SchedulePrintTest)
#include "schedule_print_test.moc"
