#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "common/ui/fonts.h"
#include "common/ui/frm_graph.h"
#include "common/ui/schedule_chart.h"
#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ChartData;
using tsubame::ChartKind;
using tsubame::ScheduleGrid;

namespace {

// A calculator window, active, after a run with `inputs` ("box=text", "list=index").
std::unique_ptr<QWidget> Window(bool loan, const QStringList& inputs) {
  std::unique_ptr<QWidget> w(loan ? static_cast<QWidget*>(new FrmKariire) : new FrmGenka);
  w->show();
  w->activateWindow();
  QTEST_ASSERT(QTest::qWaitForWindowActive(w.get()));
  for (const QString& input : inputs) {
    QWidget* control = w->findChild<QWidget*>(input.section('=', 0, 0));
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentIndex(input.section('=', 1).toInt());
    } else {
      static_cast<tsubame::TextBox*>(control)->setText(input.section('=', 1));
      emit static_cast<tsubame::TextBox*>(control)->LostFocus();  // the rate follows the life
    }
  }
  if (!inputs.isEmpty()) {
    QTest::mouseClick(w->findChild<QWidget*>("CmdOK"), Qt::LeftButton);
  }
  return w;
}

// Hands the widget `find` gives to `act` as soon as there is one: a menu or a
// modal window runs a loop of its own, in which the test goes on.
void OnceUp(const std::function<QWidget*()>& find, const std::function<void(QWidget*)>& act,
            int tries = 500) {
  QTimer::singleShot(10, [=] {
    if (QWidget* w = find()) {
      act(w);
    } else if (tries > 0) {
      OnceUp(find, act, tries - 1);
    }
  });
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
  OnceUp([] { return qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()); },
         [&](QWidget* preview) {
           seen = true;
           act(static_cast<QPrintPreviewDialog*>(preview));
           static_cast<QPrintPreviewDialog*>(preview)->reject();
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

// What the user meets in the chart window, in order: title, number of table
// rows, the first and the last, the chart's description, the focus after
// Tab, whether Escape closed it.
void LookAtChartWindow(QWidget* graph, QStringList& seen) {
  seen << graph->windowTitle();
  auto* table = graph->findChild<QTableWidget*>("GrdNenbetsu");
  seen << QString::number(table->rowCount());
  for (const int r : {0, table->rowCount() - 1}) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
      cells << table->item(r, c)->text();
    }
    seen << cells.join('|');
  }
  auto* chart = QAccessible::queryAccessibleInterface(graph->findChild<QWidget*>("PicGraph"));
  seen << chart->text(QAccessible::Description);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  seen << QApplication::focusWidget()->objectName();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  seen << (graph->isVisible() ? "open" : "closed");
}

// Opens the grid's context menu from the keyboard, notes its items and picks
// the last, "グラフ...", if it is enabled.
QStringList OpenChart(ScheduleGrid* grid) {
  QStringList seen;
  OnceUp([] { return QApplication::activePopupWidget(); },
         [&seen](QWidget* popup) {
           auto* menu = static_cast<QMenu*>(popup);
           QStringList items;
           for (QAction* a : menu->actions()) {
             items << QString("%1 %2 %3")
                          .arg(a->text(), a->shortcut().toString(),
                               a->isEnabled() ? "" : "disabled")
                          .simplified();
           }
           seen << items.join('|');
           if (!menu->actions().last()->isEnabled()) {
             menu->close();
             return;
           }
           OnceUp(
               [] {
                 QWidget* graph = qobject_cast<FrmGraph*>(QApplication::activeModalWidget());
                 return graph && QApplication::activeWindow() == graph ? graph : nullptr;
               },
               [&seen](QWidget* graph) { LookAtChartWindow(graph, seen); });
           menu->setActiveAction(menu->actions().last());
           QTest::keyClick(menu, Qt::Key_Return);
         });
  QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4}, grid->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(grid, &event);
  return seen;
}

// Pixels that differ clearly: anti-aliasing may move a little, an axis or a series may not.
int DifferingPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      differing += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                       std::abs(qBlue(p) - qBlue(q)) >
                   96;
    }
  }
  return differing;
}

// An 11-year loan, the last year short; or a depreciation run of 7 years.
ChartData Chart(ChartKind kind, double interest_factor = 1, double balance_factor = 1) {
  ChartData data{kind, {}};
  const double book[] = {630957, 398107, 251189, 158489, 100000, 63096, 50000};
  for (int y = 1; y <= (kind == ChartKind::Repayment ? 11 : 7); ++y) {
    if (kind == ChartKind::Repayment) {
      data.years.push_back({y, y < 11 ? 1e6 : 4e5, interest_factor * (2.75e5 - 2.5e4 * y),
                            balance_factor * std::max(0.0, 1e7 - 1e6 * y)});
    } else {
      data.years.push_back({y, book[y - 1], (y == 1 ? 1e6 : book[y - 2]) - book[y - 1], 0});
    }
  }
  return data;
}

}  // namespace

Q_DECLARE_METATYPE(ChartData)

class PrintAndChartTest : public QObject {
  Q_OBJECT

 private slots:
  // Printed pages read back from the PDF: the preview's title and A4
  // default, every page's title, heading row and number, the conditions as
  // shown, every cell and total as the grid and labels show them, the
  // totals after the last row on its page; the window stays as it was.
  void printsWhatTheWindowShows_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("conditions");
    // 45 rows left for the second page, where 44 fit above the totals: the
    // last row goes to a third page with the totals.
    QTest::newRow("last row kept with the totals")
        << true << QStringList{"TxtKingaku=1,000,000", "CmbHensai=1", "TxtKikan=7",
                               "TxtNenri=2",           "TxtSueoki=2", "TxtDankaiKikan=5",
                               "TxtDankaiNenri=0.9"}
        << 4 << QStringList{"借入金額 1,000,000", "返済方法 元利均等", "期間 7", "年利 2", "据置 2",
                            "段階金利の期間 5",   "段階金利の年利 0.9"};
    QTest::newRow("299-year depreciation")
        << false << QStringList{"TxtKingaku=1,000,000", "TxtTaiyo=283"} << 8
        << QStringList{"金額 1,000,000", "償却法 定額", "耐用年数 283", "償却率 0.003"};
    QTest::newRow("empty loan grid")
        << true << QStringList{} << 1
        << QStringList{"借入金額 0", "返済方法 元金均等", "期間 1",          "年利 0",
                       "据置 0",     "段階金利の期間 0",  "段階金利の年利 0"};
  }
  void printsWhatTheWindowShows() {
    QFETCH(bool, loan);
    QFETCH(QStringList, inputs);
    QFETCH(int, pages);
    QFETCH(QStringList, conditions);
    tsubame::test::MessageRecorder messages;
    auto w = Window(loan, inputs);
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

    // The grid as copied with no cell selected, headings first; the totals.
    const auto* grid = w->findChild<ScheduleGrid*>();
    QStringList cells = grid->CopyText().replace('\t', ' ').split('\n', Qt::SkipEmptyParts);
    const QString headings = cells.takeFirst().simplified();
    QStringList totals;
    for (const char* total : {"LblShiharai", "LblRisoku"}) {
      if (auto* caption = w->findChild<QLabel*>(total)) {
        totals << (caption->text() + ' ' + w->findChild<QLabel*>(QString(total) + "Out")->text())
                      .trimmed();
      }
    }
    // A schedule ends with its chart's page: title, legend, then the chart.
    const int chart_page = grid->FilledRows() > 0 ? static_cast<int>(paper.size()) - 1 : -1;
    QStringList printed;
    for (int p = 0; p < paper.size(); ++p) {
      QStringList lines = paper[p].split('\n', Qt::SkipEmptyParts);
      for (QString& line : lines) {
        line = line.simplified();
      }
      lines.removeAll(QString());
      QCOMPARE(lines.first(), w->windowTitle());
      QCOMPARE(QString(lines.last()).remove(' '), QString("%1/%2").arg(p + 1).arg(pages));
      if (p == chart_page) {
        const QStringList chart = loan ? QStringList{"返済グラフ", "元金 利息 残高"}
                                       : QStringList{"償却グラフ", "現存価格 減価償却費"};
        QCOMPARE(lines.mid(1, 2), chart);
        continue;
      }
      const qsizetype heading = lines.indexOf(headings);
      QVERIFY2(heading > 0, qPrintable(paper[p]));
      if (p == 0) {
        QCOMPARE(lines.mid(1, heading - 1), conditions);
      }
      // No page of the schedule starts with the totals.
      QVERIFY2(cells.isEmpty() || !totals.contains(lines[heading + 1]), qPrintable(paper[p]));
      printed << lines.mid(heading + 1, lines.size() - heading - 2);
    }
    QCOMPARE(printed, cells + totals);
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
    auto w = Window(true, {"TxtKingaku=1,200,000", "TxtNenri=12"});
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

  // The grid's menu, then the chart window it opens: its table (rows, the
  // first, the last) and the chart's description.
  void chartOpenedFromTheGrid_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("summary");
    QTest::newRow("empty grid") << true << QStringList{} << QStringList{} << QString();
    // The displayed interests add up to 79,424; the total label shows 79,423.
    QTest::newRow("loan, one year")
        << true << QStringList{"TxtKingaku=1200000", "CmbHensai=1", "TxtNenri=12"}
        << QStringList{"1", "1|1,200,000|79,424|0", "1|1,200,000|79,424|0"}
        << "残高は1年目末に0円です。";
    QTest::newRow("depreciation") << false
                                  << QStringList{"TxtKingaku=1000000", "CmbShokyaku=1",
                                                 "TxtTaiyo=5"}
                                  << QStringList{"7", "1|369,043|630,957", "7|13,096|50,000"}
                                  << "現存価格は1年目末の630,957円から7年目末の50,000円へ減り、"
                                     "3年目末に1年目末の半分以下になります。";
  }
  void chartOpenedFromTheGrid() {
    QFETCH(bool, loan);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, table);
    QFETCH(QString, summary);
    tsubame::test::MessageRecorder messages;
    auto w = Window(loan, inputs);
    QStringList seen{table.isEmpty() ? "コピー|印刷... Ctrl+P|グラフ... disabled"
                                     : "コピー|印刷... Ctrl+P|グラフ..."};
    if (!table.isEmpty()) {
      seen << (loan ? "返済グラフ" : "償却グラフ") << table << summary << "GrdNenbetsu"
           << "closed";
    }
    QCOMPARE(OpenChart(w->findChild<ScheduleGrid*>()), seen);
  }

  // The drawing against stored images; changed data must not pass as them.
  void drawing_data() {
    QTest::addColumn<ChartData>("data");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<bool>("same");
    QTest::newRow("loan") << Chart(ChartKind::Repayment) << "chart_loan.png" << true;
    QTest::newRow("depreciation") << Chart(ChartKind::Depreciation) << "chart_depreciation.png"
                                  << true;
    QTest::newRow("no interest") << Chart(ChartKind::Repayment, 0) << "chart_loan.png" << false;
    QTest::newRow("no balance") << Chart(ChartKind::Repayment, 1, 0) << "chart_loan.png" << false;
  }
  void drawing() {
    QFETCH(ChartData, data);
    QFETCH(QString, reference);
    QFETCH(bool, same);
    QImage image(480, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(tsubame::JapaneseFont(9));
    tsubame::PaintChart(painter, QRectF(image.rect()), data);
    const QString file = QStringLiteral(TSUBAME_CHART_REFERENCES "/") + reference;
    if (same && qEnvironmentVariableIsSet("TSUBAME_WRITE_CHART_REFERENCES")) {
      QVERIFY(image.save(file));
    }
    const QImage stored = QImage(file).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(stored.size(), image.size());
    const int differing = DifferingPixels(image, stored);
    QVERIFY2((differing <= image.width() * image.height() / 1000) == same,
             qPrintable(QString::number(differing) + " pixels differ"));
  }
};

TSUBAME_UI_TEST_MAIN(PrintAndChartTest)
#include "print_and_chart_test.moc"
