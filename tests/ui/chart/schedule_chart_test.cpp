#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
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

// What the user met: the menu item's state, then the chart window.
struct Seen {
  bool enabled = false;
  QString title;
  QStringList table;  // "year|amount|...", as the table reads
  QString description;
  QString after_tab;
  bool closed_by_escape = false;
};

// The yearly rows summed from the grid's own texts: months in twelves.
QStringList SumsOfGrid(const tsubame::ScheduleGrid& grid, bool loan) {
  const auto cell = [&grid](int r, int c) { return grid.TextAt(r, c).remove(',').toLongLong(); };
  const auto text = [](qlonglong v) { return QLocale(QLocale::English).toString(v); };
  QStringList rows;
  const int per_year = loan ? 12 : 1;
  for (int first = 1; first <= grid.FilledRows(); first += per_year) {
    const int last = std::min(grid.FilledRows(), first + per_year - 1);
    qlonglong a = 0;
    qlonglong b = 0;
    for (int r = first; r <= last; ++r) {
      a += cell(r, 1);
      b += cell(r, 2);
    }
    const QString year = QString::number(rows.size() + 1);
    rows << (loan ? QStringList{year, text(a), text(b), text(cell(last, 4))}
                  : QStringList{year, text(a), text(b)})
                .join('|');
  }
  return rows;
}

// Once the chart window is up: what it shows, then Tab and Escape.
void LookAtChartWindow(Seen& seen, int tries = 500) {
  auto* graph = qobject_cast<FrmGraph*>(QApplication::activeModalWidget());
  if (graph == nullptr ||
      !QTest::qWaitFor([graph] { return QApplication::activeWindow() == graph; })) {
    if (tries > 0) {
      QTimer::singleShot(10, [&seen, tries] { LookAtChartWindow(seen, tries - 1); });
    }
    return;
  }
  seen.title = graph->windowTitle();
  auto* table = graph->findChild<QTableWidget*>("GrdNenbetsu");
  for (int r = 0; r < table->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
      cells << table->item(r, c)->text();
    }
    seen.table << cells.join('|');
  }
  QWidget* chart = graph->findChild<QWidget*>("PicGraph");
  seen.description = QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Description);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  seen.after_tab = QApplication::focusWidget()->objectName();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  seen.closed_by_escape = !graph->isVisible();
}

// Opens the grid's context menu from the keyboard and picks "グラフ...".
Seen OpenChart(tsubame::ScheduleGrid* grid) {
  Seen seen;
  QTimer::singleShot(0, [&seen] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* chart = nullptr;
    for (QAction* action : menu->actions()) {
      chart = action->text() == "グラフ..." ? action : chart;
    }
    seen.enabled = chart != nullptr && chart->isEnabled() && menu->actions().last() == chart;
    if (!seen.enabled) {
      menu->close();
      return;
    }
    QTimer::singleShot(0, [&seen] { LookAtChartWindow(seen); });
    menu->setActiveAction(chart);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(4, 4),
                          grid->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(grid, &event);
  return seen;
}

// Boxes by name: a text box gets its text, a list the index given.
void Enter(QWidget* window, const QStringList& inputs) {
  for (const QString& input : inputs) {
    QWidget* w = window->findChild<QWidget*>(input.section('=', 0, 0));
    if (auto* list = qobject_cast<QComboBox*>(w)) {
      list->setCurrentIndex(input.section('=', 1).toInt());
    } else {
      w->setProperty("text", input.section('=', 1));
    }
  }
  window->findChild<QPushButton*>("CmdOK")->click();
}

// Pixels that differ clearly; anti-aliasing may move a little, an axis or a series may not.
int DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) {
    return a.width() * a.height();
  }
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      differing += std::abs(qGray(p) - qGray(q)) > 48 || std::abs(qRed(p) - qRed(q)) > 48 ||
                   std::abs(qBlue(p) - qBlue(q)) > 48;
    }
  }
  return differing;
}

QImage Render(const ChartData& data) {
  QImage image(480, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(tsubame::JapaneseFont(9));
  tsubame::PaintChart(painter, QRectF(image.rect()), data);
  return image;
}

ChartData Loan() {
  ChartData data{ChartKind::Repayment, {}};
  for (int y = 1; y <= 10; ++y) {
    data.years.push_back({y, 1e6, 2.5e5 - 2.5e4 * (y - 1), 1e7 - 1e6 * y});
  }
  data.years.push_back({11, 4e5, 5e3, 0});
  return data;
}

ChartData Depreciation() {
  return {ChartKind::Depreciation,
          {{1, 630957, 369043, 0},
           {2, 398107, 232850, 0},
           {3, 251189, 146919, 0},
           {4, 158489, 92699, 0},
           {5, 100000, 58489, 0},
           {6, 63096, 36904, 0},
           {7, 50000, 13096, 0}}};
}

template <class F>
ChartData Changed(ChartData data, F change) {
  for (tsubame::ChartYear& year : data.years) {
    change(year);
  }
  return data;
}

}  // namespace

Q_DECLARE_METATYPE(Seen)
Q_DECLARE_METATYPE(ChartData)

class ScheduleChartTest : public QObject {
  Q_OBJECT

 private slots:
  // The menu item, the window it opens, its yearly table against the grid.
  void openedFromTheGrid_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<Seen>("expected");  // table left empty: the grid's own sums
    QTest::addColumn<int>("years");
    const QString a_year = "残高は1年目末に0円です。";
    const QString halves =
        "現存価格は1年目末の630,957円から7年目末の50,000円へ減り、"
        "3年目末に1年目末の半分以下になります。";
    QTest::newRow("empty loan grid") << true << QStringList{} << Seen{} << 0;
    QTest::newRow("empty depreciation grid") << false << QStringList{} << Seen{} << 0;
    // The displayed interests add up to 79,424; the total label shows 79,423.
    QTest::newRow("loan, one year")
        << true << QStringList{"TxtKingaku=1200000", "CmbHensai=1", "TxtNenri=12"}
        << Seen{true, "返済グラフ", {"1|1,200,000|79,424|0"}, a_year, "GrdNenbetsu", true} << 1;
    // 449 months, then the grid is full: the last year has 5 months.
    QTest::newRow("loan, last year short")
        << true << QStringList{"TxtKingaku=30000000", "TxtKikan=38", "TxtNenri=2.5"}
        << Seen{true, "返済グラフ", {}, {}, "GrdNenbetsu", true} << 38;
    QTest::newRow("depreciation") << false
                                  << QStringList{"TxtKingaku=1000000", "CmbShokyaku=1",
                                                 "TxtTaiyo=5"}
                                  << Seen{true, "償却グラフ", {}, halves, "GrdNenbetsu", true} << 7;
  }
  void openedFromTheGrid() {
    QFETCH(bool, loan);
    QFETCH(QStringList, inputs);
    QFETCH(Seen, expected);
    QFETCH(int, years);
    tsubame::test::MessageRecorder messages;
    std::unique_ptr<QWidget> window(loan ? static_cast<QWidget*>(new FrmKariire)
                                         : static_cast<QWidget*>(new FrmGenka));
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (!inputs.isEmpty()) {
      Enter(window.get(), inputs);
    }
    auto* grid = window->findChild<tsubame::ScheduleGrid*>("GrdPreview");
    const Seen seen = OpenChart(grid);
    QCOMPARE(seen.enabled, expected.enabled);
    QCOMPARE(seen.table.size(), years);
    QCOMPARE(seen.table, SumsOfGrid(*grid, loan));
    if (!expected.table.isEmpty()) {
      QCOMPARE(seen.table, expected.table);
    }
    if (!expected.description.isEmpty()) {
      QCOMPARE(seen.description, expected.description);
    }
    QCOMPARE(seen.title, expected.title);
    QCOMPARE(seen.after_tab, expected.after_tab);
    QCOMPARE(seen.closed_by_escape, expected.closed_by_escape);
  }

  // The drawing against stored images; changed data must not pass as them.
  void drawing_data() {
    QTest::addColumn<ChartData>("data");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<bool>("same");
    QTest::newRow("loan") << Loan() << "chart_loan.png" << true;
    QTest::newRow("depreciation") << Depreciation() << "chart_depreciation.png" << true;
    QTest::newRow("no interest") << Changed(Loan(), [](auto& y) { y.upper = 0; })
                                 << "chart_loan.png" << false;
    QTest::newRow("no balance") << Changed(Loan(), [](auto& y) { y.balance = 0; })
                                << "chart_loan.png" << false;
    QTest::newRow("depreciation drawn as loan")
        << ChartData{ChartKind::Repayment, Depreciation().years} << "chart_depreciation.png"
        << false;
  }
  void drawing() {
    QFETCH(ChartData, data);
    QFETCH(QString, reference);
    QFETCH(bool, same);
    const QImage image = Render(data);
    const QString file = QStringLiteral(TSUBAME_CHART_REFERENCES "/") + reference;
    if (same && qEnvironmentVariableIsSet("TSUBAME_WRITE_CHART_REFERENCES")) {
      QVERIFY(image.save(file));
    }
    const QImage stored = QImage(file).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!stored.isNull());
    const int differing = DifferingPixels(image, stored);
    QVERIFY2((differing <= image.width() * image.height() / 1000) == same,
             qPrintable(QString::number(differing) + " pixels differ"));
  }
};

TSUBAME_UI_TEST_MAIN(ScheduleChartTest)
#include "schedule_chart_test.moc"
