#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "schedule/core/chart_data.h"

class QPainter;
class QRectF;

namespace tsubame {

class ScheduleGrid;

// The chart of what `grid` shows now, rows 1 to its last filled row.
ChartData ReadChart(const ScheduleGrid& grid, ChartKind kind);

// Draws the chart into `area` with the painter's font as its base: legend,
// value axes, one stacked bar a year, the balance line. Sizes follow the
// font, so the same call serves a window and a printed page.
void PaintChart(QPainter& painter, const QRectF& area, const ChartData& data);

// The chart's printed page, after the schedule: its title, then the chart
// of `kind` in the page's upper part. None for an empty grid.
std::vector<std::function<void(QPainter&, const QRectF&)>> ChartPages(const ScheduleGrid& grid,
                                                                      ChartKind kind);

// The window title of a chart: 返済グラフ, 償却グラフ or 償却グラフ（現行税法）.
QString ChartTitle(ChartKind kind);

// The chart as a widget: it takes the keyboard focus so that a screen
// reader announces its summary, and redraws at any size.
class ScheduleChart : public QWidget {
  Q_OBJECT

 public:
  ScheduleChart(ChartData chart, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ChartData m_data;
};

}  // namespace tsubame
