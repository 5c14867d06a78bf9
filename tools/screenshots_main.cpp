// Draws the splash, the menu and each calculator with a worked example into PNG files,
// for the documentation. Inputs are found by control name.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "common/ui/fonts.h"
#include "common/ui/message_box.h"
#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_grid.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"

namespace {

struct Input {
  const char* control;
  const char* value;  // the text typed, or the item picked from a list
};

// The control `name` of `window`; a missing one ends the program with a message.
template <class T>
T* Find(QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) {
    std::fprintf(stderr, "%s has no %s\n", qPrintable(window->objectName()), name);
    std::exit(1);
  }
  return control;
}

void Fill(QWidget* window, std::initializer_list<Input> inputs) {
  for (const Input& in : inputs) {
    const QString value = QString::fromUtf8(in.value);
    if (QString::fromLatin1(in.control).startsWith(u"Cmb")) {
      auto* list = Find<QComboBox>(window, in.control);
      list->setCurrentIndex(list->findText(value));
    } else {
      Find<QLineEdit>(window, in.control)->setText(value);
    }
  }
}

// Shows the window until the display has drawn it, then saves its client area.
bool Shoot(QWidget* window, const QString& file) {
  window->show();
  const QDeadlineTimer deadline(5000);
  while (!(window->windowHandle() && window->windowHandle()->isExposed()) &&
         !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  QApplication::processEvents();
  const bool saved = window->grab().save(file, "PNG");
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
               qPrintable(file));
  window->hide();
  return saved;
}

// The chart of a calculator's grid, as "グラフ..." opens it.
bool ShootChart(QWidget* window, tsubame::ChartKind kind, const QString& file) {
  FrmGraph graph(tsubame::ReadChart(*Find<tsubame::ScheduleGrid>(window, "GrdPreview"), kind));
  return Shoot(&graph, file);
}

// Prints the window from its "印刷..." preview into a PDF file, as the
// preview's print button does with a PDF printer.
bool PrintPdf(QWidget* window, const QString& file) {
  QAction* print = Find<tsubame::ScheduleGrid>(window, "GrdPreview")->actions().value(0);
  bool printed = false;
  QTimer::singleShot(0, [&] {
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
      preview->printer()->setOutputFormat(QPrinter::PdfFormat);
      preview->printer()->setOutputFileName(file);
      emit preview->paintRequested(preview->printer());
      printed = true;
      preview->reject();
    }
  });
  print->trigger();
  std::fprintf(printed ? stdout : stderr, "%s %s\n", printed ? "wrote" : "cannot write",
               qPrintable(file));
  return printed;
}

}  // namespace

// A window with a schedule: filled in, run, then shot as `base`.png, its chart as
// `base`-graph.png and its printout as `base`-print.pdf.
bool ShootSchedule(QWidget* window, std::initializer_list<Input> inputs, tsubame::ChartKind kind,
                   const QString& base) {
  Fill(window, inputs);
  Find<QAbstractButton>(window, "CmdOK")->click();
  bool ok = Shoot(window, base + QStringLiteral(".png"));
  ok = ShootChart(window, kind, base + QStringLiteral("-graph.png")) && ok;
  return PrintPdf(window, base + QStringLiteral("-print.pdf")) && ok;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(tsubame::DefaultFont());
  const QString dir =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
  if (!QDir().mkpath(dir)) {
    std::fprintf(stderr, "cannot make %s\n", qPrintable(dir));
    return 1;
  }
  // A box would wait for a click nobody gives: report it and go on.
  tsubame::SetMessagePresenter([](const tsubame::MessageRequest& request) {
    std::fprintf(stderr, "message: %s\n", qPrintable(request.text.trimmed()));
    return 1;
  });

  bool ok = true;
  {
    FrmSplash splash;
    ok = Shoot(&splash, dir + QStringLiteral("/splash.png")) && ok;
  }
  {
    FrmMenu menu;
    ok = Shoot(&menu, dir + QStringLiteral("/menu.png")) && ok;
  }
  {
    FrmKariire loan;
    ok = ShootSchedule(&loan,
                       {{"TxtKingaku", "10,000,000"}, {"TxtKikan", "10"}, {"TxtNenri", "2.5"}},
                       tsubame::ChartKind::kRepayment, dir + QStringLiteral("/kariire")) &&
         ok;
  }
  {
    FrmGenka depreciation;
    // The method last: picking it shows the rate for the life already typed.
    ok = ShootSchedule(&depreciation,
                       {{"TxtKingaku", "1,000,000"}, {"TxtTaiyo", "5"}, {"CmbShokyaku", "定率"}},
                       tsubame::ChartKind::kDepreciation, dir + QStringLiteral("/genka")) &&
         ok;
  }
  {
    FrmGenkaZeiho tax;
    ok =
        ShootSchedule(&tax,
                      {{"TxtKingaku", "1,000,000"},
                       {"TxtNen", "2025"},
                       {"CmbTsuki", "7月"},
                       {"CmbKishu", "4月"},
                       {"CmbHoho", "定率法"},
                       {"TxtTaiyo", "8"}},
                      tsubame::ChartKind::kTaxDepreciation, dir + QStringLiteral("/genka-zeiho")) &&
        ok;
  }
  return ok ? 0 : 1;
}
