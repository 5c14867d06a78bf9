#include "schedule/ui/frm_graph.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/ui/handler.h"
#include "common/ui/qt_text.h"
#include "common/ui/twips.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_grid.h"

using tsubame::Qs;

FrmGraph::FrmGraph(tsubame::ChartData chart, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmGraph"));
  setWindowTitle(tsubame::ChartTitle(chart.kind));
  setSizeGripEnabled(true);

  const std::vector<std::vector<std::u16string>> table = tsubame::ChartTable(chart);
  PicGraph = new tsubame::ScheduleChart(std::move(chart), this);
  PicGraph->setAccessibleName(windowTitle());

  const int cols = static_cast<int>(table.front().size());
  GrdNenbetsu = new QTableWidget(static_cast<int>(table.size()) - 1, cols, this);
  GrdNenbetsu->setObjectName(QStringLiteral("GrdNenbetsu"));
  GrdNenbetsu->setAccessibleName(QStringLiteral("年ごとの金額"));
  GrdNenbetsu->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GrdNenbetsu->setTabKeyNavigation(false);
  GrdNenbetsu->verticalHeader()->hide();
  GrdNenbetsu->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  for (int c = 0; c < cols; ++c) {
    GrdNenbetsu->setHorizontalHeaderItem(c, new QTableWidgetItem(Qs(table[0][c])));
  }
  for (int r = 1; r < static_cast<int>(table.size()); ++r) {
    for (int c = 0; c < cols; ++c) {
      auto* item = new QTableWidgetItem(Qs(table[r][c]));
      item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
      GrdNenbetsu->setItem(r - 1, c, item);
    }
  }

  CmdClose = new QPushButton(QStringLiteral("閉じる"), this);
  CmdClose->setObjectName(QStringLiteral("CmdClose"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PicGraph, 3);
  layout->addWidget(GrdNenbetsu, 1);
  layout->addLayout(buttons);
  setTabOrder(PicGraph, GrdNenbetsu);
  setTabOrder(GrdNenbetsu, CmdClose);
  PicGraph->setFocus();

  tsubame::SetClientSizeTwips(this, 9600, 7800, false);
  tsubame::OnEvent(CmdClose, &QPushButton::clicked, this, &FrmGraph::CmdClose_Click);
}

void FrmGraph::ShowModal(const tsubame::ScheduleGrid& grid, tsubame::ChartKind kind) {
  FrmGraph graph(tsubame::ReadChart(grid, kind), grid.window());
  graph.setWindowModality(Qt::ApplicationModal);
  graph.show();
  graph.activateWindow();  // takes the focus with or without a window manager
  graph.exec();
}

QAction* FrmGraph::AddCommand(tsubame::ScheduleGrid* grid, tsubame::ChartKind kind) {
  auto* chart = new QAction(QStringLiteral("グラフ..."), grid);
  QObject::connect(grid, &tsubame::ScheduleGrid::ContextMenuOpens, chart,
                   [grid, chart] { chart->setEnabled(grid->FilledRows() > 0); });
  QObject::connect(chart, &QAction::triggered, grid,
                   [grid, kind] { tsubame::Trap([&] { ShowModal(*grid, kind); }); });
  grid->addAction(chart);
  return chart;
}

void FrmGraph::CmdClose_Click() { accept(); }
