// Window timings on the offscreen platform: a full "実行" of each calculator
// (handler, the grid's deferred publish, the paint of the visible rows) and
// the opening of a calculator window. Figures only; nothing is asserted.

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <memory>

#include "common/ui/fonts.h"
#include "common/ui/message_box.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_grid.h"
#include "schedule/ui/schedule_printer.h"

namespace {

// A box means the inputs were refused: the figure would be meaningless.
int g_boxes = 0;

// Takes in events until `done` holds; no naps, so the wait adds nothing.
template <class Done>
bool ProcessUntil(Done done) {
  const QDeadlineTimer deadline(5000);
  while (!done()) {
    if (deadline.hasExpired()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  return true;
}

// Shown and exposed, as the menu opens it (show, then activate).
template <class W>
std::unique_ptr<W> OpenWindow() {
  auto window = std::make_unique<W>();
  window->show();
  window->activateWindow();
  ProcessUntil([&] { return window->windowHandle() && window->windowHandle()->isExposed(); });
  return window;
}

void SetBox(QWidget* window, const char* name, const QString& text) {
  window->findChild<tsubame::TextBox*>(name)->setText(text);
}

// One full "実行": click, the zero-timer publish, the visible rows painted.
void RunCalculator(benchmark::State& state, QWidget* window, int expected_rows) {
  auto* ok = window->findChild<QPushButton*>("CmdOK");
  auto* grid = window->findChild<tsubame::ScheduleGrid*>("GrdPreview");
  int publishes = 0;
  QObject::connect(grid->model(), &QAbstractItemModel::dataChanged, [&] { ++publishes; });
  const int boxes_before = g_boxes;
  for (auto _ : state) {
    const int before = publishes;
    ok->click();
    if (!ProcessUntil([&] { return publishes > before; })) {
      state.SkipWithError("the grid never published");
      break;
    }
    grid->viewport()->repaint();
    QCoreApplication::processEvents();  // the labels' and header's own paints
  }
  if (g_boxes != boxes_before) {
    state.SkipWithError("a message box was shown");
  } else if (grid->FilledRows() != expected_rows) {
    state.SkipWithError("unexpected row count");
  }
  state.counters["rows"] = grid->FilledRows();
}

void LoanRun(benchmark::State& state, int method) {
  auto window = OpenWindow<FrmKariire>();
  SetBox(window.get(), "TxtKingaku", QStringLiteral("30000000"));
  window->findChild<QComboBox*>("CmbHensai")->setCurrentIndex(method);
  SetBox(window.get(), "TxtKikan", QStringLiteral("37"));
  SetBox(window.get(), "TxtNenri", QStringLiteral("2.5"));
  RunCalculator(state, window.get(), 444);
}

void DepreciationRun(benchmark::State& state) {
  auto window = OpenWindow<FrmGenka>();
  SetBox(window.get(), "TxtKingaku", QStringLiteral("1000000"));
  window->findChild<QComboBox*>("CmbShokyaku")->setCurrentIndex(0);  // 定額
  SetBox(window.get(), "TxtTaiyo", QStringLiteral("283"));
  RunCalculator(state, window.get(), 299);
}

// The tax-law window's longest everyday schedule: 100 years of 定額法 and
// the year that leaves 1 yen, 101 rows.
void TaxRun(benchmark::State& state) {
  auto window = OpenWindow<FrmGenkaZeiho>();
  SetBox(window.get(), "TxtKingaku", QStringLiteral("123456789"));
  SetBox(window.get(), "TxtNen", QStringLiteral("2025"));
  SetBox(window.get(), "TxtTaiyo", QStringLiteral("100"));
  RunCalculator(state, window.get(), 101);
}

// A 38-year loan: the grid's 449 rows, then message 020 (counted, not shown).
std::unique_ptr<FrmKariire> FullLoan() {
  auto window = OpenWindow<FrmKariire>();
  SetBox(window.get(), "TxtKingaku", QStringLiteral("30000000"));
  SetBox(window.get(), "TxtKikan", QStringLiteral("38"));
  SetBox(window.get(), "TxtNenri", QStringLiteral("2.5"));
  window->findChild<QPushButton*>("CmdOK")->click();
  return window;
}

// From "印刷..." until the preview is up with every page drawn and painted.
void PrintPreview(benchmark::State& state) {
  auto window = FullLoan();
  QAction* print = window->findChild<tsubame::ScheduleGrid*>()->actions().value(0);
  for (auto _ : state) {
    std::chrono::steady_clock::time_point shown;
    QTimer::singleShot(0, [&] {
      if (QWidget* preview = QApplication::activeModalWidget()) {
        preview->repaint();
        for (QWidget* child : preview->findChildren<QWidget*>()) {
          if (child->isVisible()) {
            child->repaint();
          }
        }
        shown = std::chrono::steady_clock::now();
        preview->close();
      }
    });
    const auto start = std::chrono::steady_clock::now();
    print->trigger();
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
}

// A printer that counts the pages printed on it.
class CountingPrinter : public QPrinter {
 public:
  CountingPrinter() : QPrinter(QPrinter::HighResolution) {}
  bool newPage() override {
    ++pages;
    return QPrinter::newPage();
  }
  int pages = 1;
};

// Pages of the 449-month schedule printed into a PDF.
void PrintPdf(benchmark::State& state) {
  auto window = FullLoan();
  const auto caption = [&window](const char* name) {
    return window->findChild<const QLabel*>(QString::fromLatin1(name));
  };
  const tsubame::Printout printout{
      window->windowTitle(),
      tsubame::CaptionedTexts({caption("LblKingaku"), caption("LblHensai"), caption("LblKikan"),
                               caption("LblNenri"), caption("LblSueoki"), caption("LblDankaiKikan"),
                               caption("LblDankaiNenri")}),
      window->findChild<tsubame::ScheduleGrid*>(),
      tsubame::CaptionedTexts({caption("LblShiharai"), caption("LblRisoku")}),
      {}};
  QTemporaryDir dir;
  int pages = 0;
  for (auto _ : state) {
    CountingPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("schedule.pdf")));
    printer.setPageLayout(tsubame::DefaultPageLayout());
    tsubame::PrintSchedule(printout, &printer);
    pages += printer.pages;
  }
  state.counters["pages"] = benchmark::Counter(pages / static_cast<double>(state.iterations()));
  state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}

// Made, shown and exposed; the deletion afterwards is not timed.
template <class W>
void OpenCalculator(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    auto window = std::make_unique<W>();
    window->show();
    window->activateWindow();
    const bool exposed = QTest::qWaitForWindowExposed(window.get());
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    if (!exposed) {
      state.SkipWithError("the window was never exposed");
      break;
    }
    window.reset();
    QCoreApplication::processEvents();
  }
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

// A calculator with its longest everyday schedule in the grid.
template <class W>
std::unique_ptr<W> FilledCalculator(bool loan) {
  auto window = OpenWindow<W>();
  if (loan) {
    SetBox(window.get(), "TxtKingaku", QStringLiteral("30000000"));
    SetBox(window.get(), "TxtKikan", QStringLiteral("37"));
    SetBox(window.get(), "TxtNenri", QStringLiteral("2.5"));
  } else {
    SetBox(window.get(), "TxtKingaku", QStringLiteral("1000000"));
    SetBox(window.get(), "TxtTaiyo", QStringLiteral("283"));
  }
  window->template findChild<QPushButton*>("CmdOK")->click();
  QCoreApplication::processEvents();
  return window;
}

// "グラフ..." up to the chart's first paint: the grid read, the window made,
// shown and drawn. The deletion afterwards is not timed.
void ChartOpen(benchmark::State& state) {
  auto calculator = FilledCalculator<FrmKariire>(true);
  const auto* grid = calculator->findChild<tsubame::ScheduleGrid*>("GrdPreview");
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    auto graph = std::make_unique<FrmGraph>(
        tsubame::ReadChart(*grid, tsubame::ChartKind::kRepayment), calculator.get());
    PaintCounter counter;
    graph->findChild<QWidget*>("PicGraph")->installEventFilter(&counter);
    graph->show();
    const bool painted = ProcessUntil([&] { return counter.paints > 0; });
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    if (!painted) {
      state.SkipWithError("the chart was never painted");
      break;
    }
    state.counters["years"] = graph->findChild<QTableWidget*>("GrdNenbetsu")->rowCount();
    graph.reset();
    QCoreApplication::processEvents();
  }
}

// One repaint of a shown chart (a resize or an expose).
template <class W>
void ChartRepaint(benchmark::State& state, bool loan) {
  auto calculator = FilledCalculator<W>(loan);
  const auto* grid = calculator->template findChild<tsubame::ScheduleGrid*>("GrdPreview");
  const tsubame::ChartData data = tsubame::ReadChart(
      *grid, loan ? tsubame::ChartKind::kRepayment : tsubame::ChartKind::kDepreciation);
  FrmGraph graph(data, calculator.get());
  graph.show();
  auto* chart = graph.findChild<tsubame::ScheduleChart*>();
  ProcessUntil([&] { return graph.windowHandle() && graph.windowHandle()->isExposed(); });
  for (auto _ : state) {
    chart->repaint();
  }
  state.counters["years"] = static_cast<double>(data.years.size());
}

void Register() {
  using benchmark::kMillisecond;
  using benchmark::RegisterBenchmark;
  RegisterBenchmark("run/loan_37y/equal_principal", LoanRun, 0)->Unit(kMillisecond)->UseRealTime();
  RegisterBenchmark("run/loan_37y/equal_instalment", LoanRun, 1)->Unit(kMillisecond)->UseRealTime();
  RegisterBenchmark("run/depreciation_299_rows", DepreciationRun)
      ->Unit(kMillisecond)
      ->UseRealTime();
  RegisterBenchmark("run/tax_100y", TaxRun)->Unit(kMillisecond)->UseRealTime();
  RegisterBenchmark("print/preview_449_months", PrintPreview)->Unit(kMillisecond)->UseManualTime();
  RegisterBenchmark("print/pdf_449_months", PrintPdf)->Unit(kMillisecond)->UseRealTime();
  RegisterBenchmark("open/FrmKariire", OpenCalculator<FrmKariire>)
      ->Unit(kMillisecond)
      ->UseManualTime();
  RegisterBenchmark("open/FrmGenka", OpenCalculator<FrmGenka>)->Unit(kMillisecond)->UseManualTime();
  RegisterBenchmark("open/FrmGenkaZeiho", OpenCalculator<FrmGenkaZeiho>)
      ->Unit(kMillisecond)
      ->UseManualTime();
  RegisterBenchmark("chart/open/loan_37y", ChartOpen)->Unit(kMillisecond)->UseManualTime();
  RegisterBenchmark("chart/repaint/loan_37y", ChartRepaint<FrmKariire>, true)
      ->Unit(kMillisecond)
      ->UseRealTime();
  RegisterBenchmark("chart/repaint/depreciation_299y", ChartRepaint<FrmGenka>, false)
      ->Unit(kMillisecond)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setFont(tsubame::DefaultFont());  // as the program does
  tsubame::SetMessagePresenter([](const tsubame::MessageRequest&) {
    ++g_boxes;
    return 1;  // OK
  });
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
