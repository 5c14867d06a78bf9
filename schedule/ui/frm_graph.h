#pragma once

#include <QDialog>

#include "schedule/core/chart_data.h"

class QAction;
class QPushButton;
class QTableWidget;

namespace tsubame {
class ScheduleChart;
class ScheduleGrid;
}  // namespace tsubame

// 返済グラフ / 償却グラフ: the schedule of a calculator's grid as a chart,
// with the yearly figures as a table one Tab further for screen readers.
// It holds what the grid showed when it was opened, nothing else.
class FrmGraph : public QDialog {
  Q_OBJECT

 public:
  FrmGraph(tsubame::ChartData chart, QWidget* parent = nullptr);

  // Reads the grid and shows the chart modally over the grid's window.
  static void ShowModal(const tsubame::ScheduleGrid& grid, tsubame::ChartKind kind);

  // "グラフ..." in the grid's context menu, enabled while the grid holds a
  // schedule: opens the chart of `kind`.
  static QAction* AddCommand(tsubame::ScheduleGrid* grid, tsubame::ChartKind kind);

 private:
  void CmdClose_Click();

  tsubame::ScheduleChart* PicGraph = nullptr;
  QTableWidget* GrdNenbetsu = nullptr;
  QPushButton* CmdClose = nullptr;
};
