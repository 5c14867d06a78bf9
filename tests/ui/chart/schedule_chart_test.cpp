#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "common/ui/fonts.h"
#include "common/ui/frm_graph.h"
#include "common/ui/schedule_chart.h"
#include "common/ui/schedule_grid.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "ui_test_main.h"

using tsubame::ChartData;
using tsubame::ChartKind;

namespace {

// The yearly rows summed from the grid's own texts, "year|amount|...": months in twelves.
QStringList SumsOfGrid(const tsubame::ScheduleGrid& grid, bool loan) {
  const auto cell = [&grid](int r, int c) { return grid.TextAt(r, c).remove(',').toLongLong(); };
  const QLocale grouped(QLocale::English);
  QStringList rows;
  for (int first = 1; first <= grid.FilledRows(); first += loan ? 12 : 1) {
    const int last = std::min(grid.FilledRows(), first + (loan ? 11 : 0));
    qlonglong a = 0, b = 0;
    for (int r = first; r <= last; ++r) {
      a += cell(r, 1);
      b += cell(r, 2);
    }
    QStringList row{QString::number(rows.size() + 1), grouped.toString(a), grouped.toString(b)};
    rows << (loan ? row << grouped.toString(cell(last, 4)) : row).join('|');
  }
  return rows;
}

// Once the chart window is active, what the user meets there, in order:
// title, table rows, the chart's description, the focus after Tab, whether Escape closed it.
void LookAtChartWindow(QStringList& seen, int tries = 500) {
  auto* graph = qobject_cast<FrmGraph*>(QApplication::activeModalWidget());
  if (graph == nullptr ||
      !QTest::qWaitFor([graph] { return QApplication::activeWindow() == graph; })) {
    if (tries > 0) {
      QTimer::singleShot(10, [&seen, tries] { LookAtChartWindow(seen, tries - 1); });
    }
    return;
  }
  seen << graph->windowTitle();
  auto* table = graph->findChild<QTableWidget*>("GrdNenbetsu");
  for (int r = 0; r < table->rowCount(); ++r) {
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

// Opens the grid's context menu from the keyboard and picks "グラフ...", the last item.
QStringList OpenChart(tsubame::ScheduleGrid* grid) {
  QStringList seen;
  QTimer::singleShot(0, [&seen] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* chart = menu->actions().last();
    seen << chart->text() + (chart->isEnabled() ? "" : " disabled");
    if (!chart->isEnabled()) {
      menu->close();
      return;
    }
    QTimer::singleShot(0, [&seen] { LookAtChartWindow(seen); });
    menu->setActiveAction(chart);
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

class ScheduleChartTest : public QObject {
  Q_OBJECT

 private slots:
  // The menu item, then the window it opens; "TABLE" stands for the grid's own yearly sums.
  void openedFromTheGrid_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("years");
    QTest::addColumn<QStringList>("seen");
    const QStringList disabled{"グラフ... disabled"};
    QTest::newRow("empty grid") << true << QStringList{} << 0 << disabled;
    // The displayed interests add up to 79,424; the total label shows 79,423.
    QTest::newRow("loan, one year")
        << true << QStringList{"TxtKingaku=1200000", "CmbHensai=1", "TxtNenri=12"} << 1
        << QStringList{
               "グラフ...",   "返済グラフ", "1|1,200,000|79,424|0", "残高は1年目末に0円です。",
               "GrdNenbetsu", "closed"};
    // 449 months, then the grid is full: the 38th year has 5 months.
    QTest::newRow("loan, last year short")
        << true << QStringList{"TxtKingaku=30000000", "TxtKikan=38", "TxtNenri=2.5"} << 38
        << QStringList{"グラフ...", "返済グラフ", "TABLE",
                       // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one sentence
                       "残高は1年目末の29,210,526円から38年目末の460,526円へ減り、"
                       "20年目末に1年目末の半分以下になります。",
                       "GrdNenbetsu", "closed"};
    QTest::newRow("depreciation")
        << false << QStringList{"TxtKingaku=1000000", "CmbShokyaku=1", "TxtTaiyo=5"} << 7
        << QStringList{"グラフ...", "償却グラフ", "TABLE",
                       // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one sentence
                       "現存価格は1年目末の630,957円から7年目末の50,000円へ減り、"
                       "3年目末に1年目末の半分以下になります。",
                       "GrdNenbetsu", "closed"};
  }
  void openedFromTheGrid() {
    QFETCH(bool, loan);
    QFETCH(QStringList, inputs);
    QFETCH(int, years);
    QFETCH(QStringList, seen);
    tsubame::test::MessageRecorder messages;
    std::unique_ptr<QWidget> window(loan ? static_cast<QWidget*>(new FrmKariire) : new FrmGenka);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    for (const QString& input : inputs) {
      QWidget* w = window->findChild<QWidget*>(input.section('=', 0, 0));
      auto* list = qobject_cast<QComboBox*>(w);
      list ? list->setCurrentIndex(input.section('=', 1).toInt())
           : void(w->setProperty("text", input.section('=', 1)));
    }
    if (!inputs.isEmpty()) {
      window->findChild<QPushButton*>("CmdOK")->click();
    }
    auto* grid = window->findChild<tsubame::ScheduleGrid*>("GrdPreview");
    const QStringList sums = SumsOfGrid(*grid, loan);
    QCOMPARE(sums.size(), years);
    QStringList expected;
    for (const QString& s : seen) {
      expected << (s == "TABLE" ? sums : QStringList{s});
    }
    QCOMPARE(OpenChart(grid), expected);
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

TSUBAME_UI_TEST_MAIN(ScheduleChartTest)
#include "schedule_chart_test.moc"
