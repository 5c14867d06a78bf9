#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "common/ui/fonts.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "once_up.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_grid.h"
#include "ui_test_main.h"

using tsubame::ScheduleGrid;
using tsubame::test::OnceUp;

namespace {

// A window with a schedule by its name, active, after a run with `inputs`
// ("box=text", "list=index").
std::unique_ptr<QWidget> Window(const QString& name, const QStringList& inputs) {
  std::unique_ptr<QWidget> w(name == "FrmKariire" ? static_cast<QWidget*>(new FrmKariire)
                             : name == "FrmGenka" ? static_cast<QWidget*>(new FrmGenka)
                                                  : new FrmGenkaZeiho);
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

// What the window shows that printing could change: the focus, every box's
// text and selection, the grid.
QString Shown(QWidget* w) {
  QStringList shown{w->focusWidget() ? w->focusWidget()->objectName() : "",
                    w->findChild<ScheduleGrid*>()->CopyText()};
  for (auto* box : w->findChildren<QLineEdit*>()) {
    shown << box->text() + '/' + box->selectedText();
  }
  return shown.join('|');
}

// Presses Ctrl+P in the window; prints from the preview into `pdf`, unless
// empty, as its print button does, on `page` if valid as if the user set it up;
// closes it. The preview's title.
QString Preview(QWidget* w, const QString& pdf, const QPageLayout& page = {}) {
  QString title;
  OnceUp([] { return qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()); },
         [&](QWidget* widget) {
           auto* preview = static_cast<QPrintPreviewDialog*>(widget);
           title = preview->windowTitle();
           if (!pdf.isEmpty()) {
             preview->printer()->setOutputFormat(QPrinter::PdfFormat);
             preview->printer()->setOutputFileName(pdf);
             preview->printer()->setPageLayout(page.isValid() ? page
                                                              : preview->printer()->pageLayout());
             emit preview->paintRequested(preview->printer());
           }
           preview->reject();
         });
  // To the window itself: a text box would regroup its digits on Ctrl's release.
  QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
  return title;
}

// What the chart window shows, in order: title, number of table rows, the
// first and the last, the chart's description, its drawing against the
// stored `reference` (drawn from `data`, what the grid gives). Escape closes it.
void LookAtChartWindow(QWidget* graph, const tsubame::ChartData& data, const QString& reference,
                       QStringList& seen) {
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
  auto* chart = graph->findChild<tsubame::ScheduleChart*>("PicGraph");
  seen << QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Description);
  QImage image(480, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(tsubame::JapaneseFont(9));
  tsubame::PaintChart(painter, QRectF(image.rect()), data);
  painter.end();
  const QString file = QStringLiteral(TSUBAME_CHART_REFERENCES "/") + reference;
  if (qEnvironmentVariableIsSet("TSUBAME_WRITE_CHART_REFERENCES")) {
    image.save(file);
  }
  const QImage stored = QImage(file).convertToFormat(QImage::Format_RGB32);
  // Pixels that differ clearly: anti-aliasing may move a little, an axis or a series may not.
  int differing = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      differing += std::abs(qGray(image.pixel(x, y)) - qGray(stored.pixel(x, y))) > 32;
    }
  }
  seen << QString("%1 pixels differ")
              .arg(differing > image.width() * image.height() / 1000 ? differing : 0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

// The chart a window's grid gives.
tsubame::ChartKind KindOf(const QWidget* window) {
  const QStringList kinds{"FrmKariire", "FrmGenka", "FrmGenkaZeiho"};  // in ChartKind's order
  return static_cast<tsubame::ChartKind>(kinds.indexOf(window->objectName()));
}

// Opens the grid's context menu from the keyboard, notes its item
// "グラフ...", and picks it if it is enabled.
QStringList OpenChart(ScheduleGrid* grid, const QString& reference) {
  QStringList seen;
  const tsubame::ChartData data = tsubame::ReadChart(*grid, KindOf(grid->window()));
  OnceUp([] { return QApplication::activePopupWidget(); },
         [&](QWidget* popup) {
           auto* menu = static_cast<QMenu*>(popup);
           const QList<QAction*> actions = menu->actions();
           QAction* chart = *std::find_if(actions.begin(), actions.end(),
                                          [](QAction* a) { return a->text() == "グラフ..."; });
           seen << chart->text() + (chart->isEnabled() ? "" : " disabled");
           if (!chart->isEnabled()) {
             menu->close();
             return;
           }
           OnceUp([] { return qobject_cast<FrmGraph*>(QApplication::activeWindow()); },
                  [&](QWidget* graph) { LookAtChartWindow(graph, data, reference, seen); });
           menu->setActiveAction(chart);
           QTest::keyClick(menu, Qt::Key_Return);
         });
  QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4}, grid->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(grid, &event);
  return seen;
}

}  // namespace

class PrintAndChartTest : public QObject {
  Q_OBJECT

 private slots:
  // Printed pages read back from the PDF, on A4 portrait as the preview starts
  // or on the page the user sets up: the preview's title, every page's title,
  // heading row and number, the conditions as shown, every cell and total as
  // the grid and labels show them, the chart's page last. Then the grid's menu
  // and the chart window it opens.
  void printsAndChartsWhatTheWindowShows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPageLayout>("page");  // the preview's own A4 portrait if invalid
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("conditions");
    QTest::addColumn<QStringList>("chart");  // rows, first, last, description; none if disabled
    // Each chart is compared with chart_<row>.png. 45 rows left for the stepped
    // loan's second page, where 44 fit above the totals: the last row goes to a
    // third page with the totals.
    QTest::newRow("stepped_loan")
        << "FrmKariire" << QPageLayout()
        << QStringList{"TxtKingaku=1,000,000", "CmbHensai=1", "TxtKikan=7",
                       "TxtNenri=2",           "TxtSueoki=2", "TxtDankaiKikan=5",
                       "TxtDankaiNenri=0.9"}
        << 4 << QStringList{"借入金額 1,000,000", "返済方法 元利均等", "期間 7", "年利 2", "据置 2",
                            "段階金利の期間 5",   "段階金利の年利 0.9"}
        << QStringList{"7", "1|0|9,000|1,000,000", "7|204,728|2,225|0",
                       "残高は1年目末の1,000,000円から7年目末の0円へ減り、"
                       "5年目末に1年目末の半分以下になります。"};
    // On Letter landscape, as the user may set the page up: fewer rows a page, more pages.
    QTest::newRow("444_month_loan")
        << "FrmKariire"
        << QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, {36, 36, 36, 36})
        << QStringList{"TxtKingaku=1,200,000", "TxtKikan=37", "TxtNenri=2.5"} << 16
        << QStringList{"借入金額 1,200,000", "返済方法 元金均等", "期間 37", "年利 2.5", "据置 0",
                       "段階金利の期間 0",   "段階金利の年利 0"}
        << QStringList{"37", "1|32,432|29,628|1,167,568", "37|32,432|439|0",
                       "残高は1年目末の1,167,568円から37年目末の0円へ減り、"
                       "19年目末に1年目末の半分以下になります。"};
    QTest::newRow("299_year_depreciation")
        << "FrmGenka" << QPageLayout() << QStringList{"TxtKingaku=1,000,000", "TxtTaiyo=283"} << 8
        << QStringList{"金額 1,000,000", "償却法 定額", "耐用年数 283", "償却率 0.003"}
        << QStringList{"299", "1|3,180|996,820", "299|2,297|50,000",
                       "現存価格は1年目末の996,820円から299年目末の50,000円へ減り、"
                       "158年目末に1年目末の半分以下になります。"};
    // Every entry and every result in the conditions, the revised years marked.
    QTest::newRow("tax_declining")
        << "FrmGenkaZeiho" << QPageLayout()
        << QStringList{"TxtKingaku=1,000,000", "TxtNen=2025", "CmbTsuki=0",
                       "CmbKishu=0",           "CmbHoho=1",   "TxtTaiyo=10"}
        << 2 << QStringList{"取得価額 1,000,000", "供用開始年 2025", "供用開始月 1月",
                            "期首月 1月",         "償却方法 定率法", "耐用年数 10",
                            "端数処理 切捨て",    "適用 200%定率法", "償却率 0.200",
                            "改定償却率 0.250",   "保証率 0.06552",  "償却保証額 65,520"}
        << QStringList{"10", "2025年度|200,000|800,000", "2034年度|65,535|1",
                       "期末帳簿価額は2025年度末の800,000円から2034年度末の1円へ減り、"
                       "2029年度末に2025年度末の半分以下になります。"};
    QTest::newRow("empty_loan_grid")
        << "FrmKariire" << QPageLayout() << QStringList{} << 1
        << QStringList{"借入金額 0", "返済方法 元金均等", "期間 1",          "年利 0",
                       "据置 0",     "段階金利の期間 0",  "段階金利の年利 0"}
        << QStringList{};
  }
  void printsAndChartsWhatTheWindowShows() {
    QFETCH(QString, window);
    QFETCH(QPageLayout, page);
    QFETCH(QStringList, inputs);
    QFETCH(int, pages);
    QFETCH(QStringList, conditions);
    QFETCH(QStringList, chart);
    auto w = Window(window, inputs);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("schedule.pdf");
    QCOMPARE(Preview(w.get(), pdf, page), "印刷のプレビュー");

    QProcess text;
    text.start(PDFTOTEXT, {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished(30000) && text.exitCode() == 0);
    QStringList paper = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    paper.removeLast();  // after the last page's form feed
    QCOMPARE(paper.size(), pages);

    // The grid as copied with no cell selected, headings first; the totals.
    auto* grid = w->findChild<ScheduleGrid*>();
    QStringList cells = grid->CopyText().replace('\t', ' ').split('\n', Qt::SkipEmptyParts);
    const QString headings = cells.takeFirst().simplified();
    QStringList totals;
    for (const char* total : {"LblShiharai", "LblRisoku"}) {
      if (auto* caption = w->findChild<QLabel*>(total)) {
        // An empty grid's totals are empty.
        totals << (caption->text() + ' ' + w->findChild<QLabel*>(QString(total) + "Out")->text())
                      .trimmed();
      }
    }
    const QRegularExpression spaces(" +");
    const QRegularExpression line_breaks("\\s*\n\\s*");  // blank lines too
    QStringList printed;
    for (int p = 0; p < paper.size(); ++p) {
      const QStringList lines = paper[p].trimmed().replace(spaces, " ").split(line_breaks);
      QCOMPARE(lines.first(), w->windowTitle());
      QCOMPARE(QString(lines.last()).remove(' '), QString("%1/%2").arg(p + 1).arg(pages));
      if (!chart.isEmpty() && p == paper.size() - 1) {
        continue;  // the chart's page
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

    QStringList seen{chart.isEmpty() ? "グラフ... disabled" : "グラフ..."};
    if (!chart.isEmpty()) {
      seen << tsubame::ChartTitle(KindOf(w.get())) << chart << "0 pixels differ";
    }
    QCOMPARE(OpenChart(grid, QString("chart_%1.png").arg(QTest::currentDataTag())), seen);
  }

  // A closed preview, or a printer that cannot be opened (message 020),
  // leaves the window as it was. Its loan fills the grid (message 020): the
  // chart's last year has the five months shown.
  void cancelOrFailureLeavesTheWindow_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("preview closed") << QString();
    QTest::newRow("printer fails") << "/nonexistent/dir/x.pdf";
  }
  void cancelOrFailureLeavesTheWindow() {
    QFETCH(QString, file);
    tsubame::test::MessageRecorder recorder;
    auto w = Window("FrmKariire", {"TxtKingaku=1,200,000", "TxtKikan=38", "TxtNenri=12"});
    QTest::keyClicks(w->findChild<QWidget*>("TxtKingaku"), "5");
    const QString before = Shown(w.get());
    QCOMPARE(Preview(w.get(), file), "印刷のプレビュー");
    QCOMPARE(Shown(w.get()), before);
    QCOMPARE(recorder.texts(),
             QStringList(file.isEmpty() ? 1 : 2, tsubame::test::kProcessingError));
    const QString summary =
        "残高は1年目末の1,168,421円から38年目末の18,421円へ減り、"
        "20年目末に1年目末の半分以下になります。";
    QCOMPARE(OpenChart(w->findChild<ScheduleGrid*>(), "chart_loan_full.png"),
             (QStringList{"グラフ...", "返済グラフ", "38", "1|31,579|142,263|1,168,421",
                          "38|13,158|1,316|18,421", summary, "0 pixels differ"}));
  }
};

TSUBAME_UI_TEST_MAIN(PrintAndChartTest)
#include "print_and_chart_test.moc"
