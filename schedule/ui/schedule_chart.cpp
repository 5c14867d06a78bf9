#include "schedule/ui/schedule_chart.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

#include "common/ui/qt_text.h"
#include "common/ui/trap.h"
#include "schedule/ui/schedule_grid.h"

namespace tsubame {
namespace {

// Told apart by lightness and hatching as well as by hue, so that a
// greyscale print or a colour-blind reader still sees two parts.
// Indexed by ChartKind; both depreciation charts share their colours.
const QColor kLowerFill[] = {QColor(0x2b, 0x57, 0x97), QColor(0x3a, 0x7d, 0x44),
                             QColor(0x3a, 0x7d, 0x44)};
const QColor kUpperFill[] = {QColor(0xf8, 0xcf, 0x96), QColor(0xf4, 0xc2, 0xbf),
                             QColor(0xf4, 0xc2, 0xbf)};
const QColor kHatch(0x6b, 0x45, 0x10);
const QColor kLine(0x10, 0x10, 0x10);
const QColor kAxis(0x40, 0x40, 0x40);
const QColor kGridLine(0xd8, 0xd8, 0xd8);

struct Frame {
  double em;      // the font's line height: every size derives from it
  double stroke;  // the width of thin lines
  QFontMetricsF metrics;
};

double Width(const Frame& f, const QString& text) { return f.metrics.horizontalAdvance(text); }

// Diagonal lines (x + y constant) across each box, computed rather than
// clipped: clipping long anti-aliased lines costs most of a paint.
void Hatch(QPainter& p, const Frame& f, const std::vector<QRectF>& boxes) {
  const double gap = f.em * 0.35;
  std::vector<QLineF> lines;
  for (const QRectF& box : boxes) {
    for (double k = std::ceil((box.left() + box.top()) / gap) * gap; k < box.right() + box.bottom();
         k += gap) {
      const double x0 = std::max(box.left(), k - box.bottom());
      const double x1 = std::min(box.right(), k - box.top());
      lines.emplace_back(QPointF(x0, k - x0), QPointF(x1, k - x1));
    }
  }
  // One pixel on screen takes the fast aliased path; paper gets its width.
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(kHatch, std::max(1.0, f.stroke * 0.8)));
  p.drawLines(lines.data(), static_cast<int>(lines.size()));
  p.restore();
}

void Marker(QPainter& p, const Frame& f, QPointF at) {
  const double r = f.em * 0.18;
  p.setPen(QPen(kLine, f.stroke));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
}

// The balance line, on a white underlay so it stays visible across the bars.
void Line(QPainter& p, const Frame& f, const QPolygonF& points) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, f.stroke * 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(points);
  p.setPen(QPen(kLine, f.stroke * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(points);
  if (points.size() <= 60) {
    for (const QPointF& point : points) {
      Marker(p, f, point);
    }
  }
}

// The legend centred along the top of `row`; returns nothing, draws all.
void Legend(QPainter& p, const Frame& f, const QRectF& row, const ChartData& data) {
  const std::vector<std::u16string> names = ChartSeriesNames(data.kind);
  const int kind = static_cast<int>(data.kind);
  const double swatch = f.em * 1.2;
  const double gap = f.em * 0.3;
  const double spacing = f.em * 1.2;
  double total = 0;
  for (const std::u16string& name : names) {
    total += swatch + gap + Width(f, Qs(name)) + spacing;
  }
  total -= spacing;
  double x = row.center().x() - total / 2;
  const double mid = row.center().y();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const QRectF box(x, mid - f.em * 0.35, swatch, f.em * 0.7);
    if (i < 2) {
      p.setPen(QPen(kAxis, f.stroke));
      p.setBrush(i == 0 ? kLowerFill[kind] : kUpperFill[kind]);
      p.drawRect(box);
      if (i == 1) {
        Hatch(p, f, {box});
      }
    } else {
      p.setPen(QPen(kLine, f.stroke * 2));
      p.drawLine(QPointF(box.left(), mid), QPointF(box.right(), mid));
      Marker(p, f, box.center());
    }
    x += swatch + gap;
    const QString text = Qs(names[i]);
    p.setPen(Qt::black);
    p.drawText(QRectF(x, row.top(), Width(f, text) + f.em, row.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text);
    x += Width(f, text) + spacing;
  }
}

// The values at which an axis has a tick, from its low end up.
std::vector<double> Ticks(const ChartAxis& axis) {
  const auto steps = std::lround((axis.high - axis.low) / axis.step);
  std::vector<double> ticks;
  for (long i = 0; i <= steps; ++i) {
    ticks.push_back(axis.low + static_cast<double>(i) * axis.step);
  }
  return ticks;
}

// The widest tick label of an axis.
double LabelWidth(const Frame& f, const ChartAxis& axis) {
  double widest = 0;
  for (const double v : Ticks(axis)) {
    widest = std::max(widest, Width(f, Qs(AxisLabel(axis, v))));
  }
  return widest;
}

struct Range {
  double low = 0;
  double high = 0;
  void Take(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
};

// Where everything of one chart goes, from the painter's font and the area.
struct ChartLayout {
  explicit ChartLayout(const Frame& frame) : f(frame) {}

  Frame f;
  bool loan = false;
  int kind = 0;  // index into the fills
  double pad = 0;
  QRectF area;
  QRectF legend;          // rows from the top: legend, axis titles,
  double titles_top = 0;  // the plot, year labels, the year title
  ChartAxis left;         // bars
  ChartAxis right;        // balance line (repayment only)
  double right_width = 0;
  QRectF plot;
  double slot = 0;  // the width of one year
  double bar = 0;   // the width of its bar

  double Y(const ChartAxis& a, double v) const {
    return plot.bottom() - (v - a.low) / (a.high - a.low) * plot.height();
  }
  double Centre(int i) const { return plot.left() + slot * (i + 0.5); }
};

ChartLayout MakeChartLayout(const QPainter& p, const QRectF& area, const ChartData& data) {
  const QFontMetricsF metrics(p.font(), p.device());
  ChartLayout l(Frame{metrics.height(), std::max(1.0, metrics.height() / 14), metrics});
  const Frame& f = l.f;
  l.loan = data.kind == ChartKind::kRepayment;
  l.kind = static_cast<int>(data.kind);
  l.pad = f.em * 0.5;
  l.area = area;
  l.legend = QRectF(area.left(), area.top() + l.pad, area.width(), f.em * 1.2);
  l.titles_top = l.legend.bottom() + l.pad * 0.5;
  const double plot_top = l.titles_top + f.em * 1.5;
  const double plot_bottom = area.bottom() - l.pad - f.em * 2.2;
  const double plot_height = std::max(plot_bottom - plot_top, f.em);
  const int max_ticks = std::max(1, static_cast<int>(plot_height / (f.em * 1.8)));

  Range bars;
  Range line;
  for (const ChartYear& y : data.years) {
    bars.Take(y.lower);
    bars.Take(y.lower + y.upper);
    line.Take(y.balance);
  }
  l.left = ChooseAxis(bars.low, bars.high, max_ticks);
  l.right = ChooseAxis(line.low, line.high, max_ticks);
  const double left_width = LabelWidth(f, l.left);
  l.right_width = l.loan ? LabelWidth(f, l.right) : 0;
  l.plot =
      QRectF(QPointF(area.left() + l.pad + left_width + l.pad, plot_top),
             QPointF(area.right() - l.pad - (l.loan ? l.right_width + l.pad : f.em), plot_bottom));
  const int n = static_cast<int>(data.years.size());
  l.slot = l.plot.width() / std::max(1, n);
  // Narrow slots lose their gaps: stripes of white would only flicker.
  l.bar = l.slot < f.em * 0.5 ? l.slot : std::min(l.slot * 0.7, f.em * 3);
  return l;
}

// The value grid (level lines need no anti-aliasing), the axes' labels and titles.
void DrawValueAxes(QPainter& p, const ChartLayout& l) {
  const Frame& f = l.f;
  for (const double v : Ticks(l.left)) {
    const double y = l.Y(l.left, v);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kGridLine, f.stroke));
    p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::black);
    p.drawText(QRectF(l.area.left(), y - f.em / 2, l.plot.left() - l.pad - l.area.left(), f.em),
               Qt::AlignRight | Qt::AlignVCenter, Qs(AxisLabel(l.left, v)));
  }
  p.drawText(QRectF(l.area.left() + l.pad, l.titles_top, l.plot.width(), f.em),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("(%1)").arg(Qs(l.left.unit_name)));
  if (!l.loan) {
    return;
  }
  for (const double v : Ticks(l.right)) {
    const double y = l.Y(l.right, v);
    p.setPen(QPen(kAxis, f.stroke));
    p.drawLine(QPointF(l.plot.right(), y), QPointF(l.plot.right() + l.pad / 2, y));
    p.setPen(Qt::black);
    p.drawText(QRectF(l.plot.right() + l.pad, y - f.em / 2, l.right_width, f.em),
               Qt::AlignLeft | Qt::AlignVCenter, Qs(AxisLabel(l.right, v)));
  }
  p.drawText(QRectF(l.area.left(), l.titles_top, l.area.right() - l.pad - l.area.left(), f.em),
             Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("%1(%2)").arg(Qs(ChartSeriesNames(ChartKind::kRepayment).back()),
                                          Qs(l.right.unit_name)));
}

// The bars: the lower part solid, the upper part light and hatched.
void DrawBars(QPainter& p, const ChartLayout& l, const ChartData& data) {
  std::vector<QRectF> upper_parts;
  const double zero = l.Y(l.left, 0);
  p.setPen(Qt::NoPen);
  p.setRenderHint(QPainter::Antialiasing, false);  // no seams between adjacent bars
  for (std::size_t i = 0; i < data.years.size(); ++i) {
    const ChartYear& y = data.years[i];
    const double centre = l.Centre(static_cast<int>(i));
    const double mid = l.Y(l.left, y.lower);
    const QRectF lower =
        QRectF(QPointF(centre - l.bar / 2, zero), QPointF(centre + l.bar / 2, mid));
    const QRectF upper = QRectF(QPointF(centre - l.bar / 2, mid),
                                QPointF(centre + l.bar / 2, l.Y(l.left, y.lower + y.upper)));
    p.setBrush(kLowerFill[l.kind]);
    p.drawRect(lower.normalized());
    p.setBrush(kUpperFill[l.kind]);
    p.drawRect(upper.normalized());
    upper_parts.push_back(upper.normalized());
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  Hatch(p, l.f, upper_parts);
}

// The axes over the bars' edges, then the balance line over everything.
void DrawAxisLines(QPainter& p, const ChartLayout& l, const ChartData& data) {
  const double zero = l.Y(l.left, 0);
  p.setPen(QPen(kAxis, l.f.stroke * 1.5));
  p.drawLine(QPointF(l.plot.left(), l.plot.top()), QPointF(l.plot.left(), l.plot.bottom()));
  p.drawLine(QPointF(l.plot.left(), zero), QPointF(l.plot.right(), zero));
  if (!l.loan) {
    return;
  }
  p.drawLine(QPointF(l.plot.right(), l.plot.top()), QPointF(l.plot.right(), l.plot.bottom()));
  QPolygonF balance;
  balance.reserve(static_cast<qsizetype>(data.years.size()));
  for (std::size_t i = 0; i < data.years.size(); ++i) {
    balance << QPointF(l.Centre(static_cast<int>(i)), l.Y(l.right, data.years[i].balance));
  }
  Line(p, l.f, balance);
}

// Years along the bottom: every k-th year (and the first when k is large),
// never two labels touching; then the year title.
void DrawYearLabels(QPainter& p, const ChartLayout& l, const ChartData& data) {
  const Frame& f = l.f;
  const int n = static_cast<int>(data.years.size());
  static const int kSteps[] = {1, 2, 5, 10, 20, 50, 100};
  const int widest = n == 0 ? 1 : std::max(n, data.years.back().year);
  const double label = Width(f, QString::number(widest)) + f.em * 0.6;
  int every = kSteps[std::size(kSteps) - 1];
  for (const int s : kSteps) {
    if (s * l.slot >= label) {
      every = s;
      break;
    }
  }
  p.setPen(Qt::black);
  double free_from = l.plot.left() - f.em;
  for (int i = 0; i < n; ++i) {
    const int year = data.years[static_cast<std::size_t>(i)].year;
    const QString text = QString::number(year);
    const double centre = l.Centre(i);
    const double w = Width(f, text);
    const bool wanted = year % every == 0 || (i == 0 && every >= 5);
    if (wanted && centre - w / 2 >= free_from) {
      p.drawText(QRectF(centre - w, l.plot.bottom() + l.pad * 0.4, 2 * w, f.em), Qt::AlignCenter,
                 text);
      free_from = centre + w / 2 + f.em * 0.6;
    }
  }
  p.drawText(
      QRectF(l.plot.left(), l.plot.bottom() + l.pad * 0.4 + f.em, l.plot.width(), f.em),
      Qt::AlignCenter,
      data.kind == ChartKind::kTaxDepreciation ? QStringLiteral("(年度)") : QStringLiteral("(年)"));
}

}  // namespace

ChartData ReadChart(const ScheduleGrid& grid, ChartKind kind) {
  return ReadChart(kind, grid.FilledRows(),
                   [&grid](int row, int col) { return grid.FigureAt(row, col); });
}

void PaintChart(QPainter& p, const QRectF& area, const ChartData& data) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const ChartLayout l = MakeChartLayout(p, area, data);
  DrawValueAxes(p, l);
  DrawBars(p, l, data);
  DrawAxisLines(p, l, data);
  DrawYearLabels(p, l, data);
  Legend(p, l.f, l.legend, data);
  p.restore();
}

std::vector<std::function<void(QPainter&, const QRectF&)>> ChartPages(const ScheduleGrid& grid,
                                                                      ChartKind kind) {
  if (grid.FilledRows() == 0) {
    return {};
  }
  return {[data = ReadChart(grid, kind)](QPainter& p, const QRectF& page) {
    QFont title = p.font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.2);
    p.save();
    p.setFont(title);
    const double height = QFontMetricsF(title, p.device()).height() * 1.5;
    p.drawText(QRectF(page.left(), page.top(), page.width(), height),
               Qt::AlignLeft | Qt::AlignVCenter, ChartTitle(data.kind));
    p.restore();
    // A chart as wide as the page, not taller than three quarters of its width.
    const double room = std::min(page.height() - height, page.width() * 0.75);
    PaintChart(p, QRectF(page.left(), page.top() + height, page.width(), room), data);
  }};
}

QString ChartTitle(ChartKind kind) {
  switch (kind) {
    case ChartKind::kRepayment:
      return QStringLiteral("返済グラフ");
    case ChartKind::kDepreciation:
      break;
    case ChartKind::kTaxDepreciation:
      return QStringLiteral("償却グラフ（現行税法）");
  }
  return QStringLiteral("償却グラフ");
}

ScheduleChart::ScheduleChart(ChartData chart, QWidget* parent)
    : QWidget(parent), m_data(std::move(chart)) {
  setObjectName(QStringLiteral("PicGraph"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleDescription(Qs(ChartSummary(m_data)));
}

QSize ScheduleChart::sizeHint() const {
  return QSize(fontMetrics().height() * 36, fontMetrics().height() * 20);
}

QSize ScheduleChart::minimumSizeHint() const {
  return QSize(fontMetrics().height() * 18, fontMetrics().height() * 11);
}

void ScheduleChart::paintEvent(QPaintEvent*) {
  Trap([this] {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintChart(painter, QRectF(rect()), m_data);
    if (hasFocus()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      option.rect = rect().adjusted(1, 1, -1, -1);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
  });
}

}  // namespace tsubame
