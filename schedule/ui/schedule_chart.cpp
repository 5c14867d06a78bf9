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
const QColor kLowerFill[] = {QColor(0x2b, 0x57, 0x97), QColor(0x3a, 0x7d, 0x44)};
const QColor kUpperFill[] = {QColor(0xf8, 0xcf, 0x96), QColor(0xf4, 0xc2, 0xbf)};
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

}  // namespace

ChartData ReadChart(const ScheduleGrid& grid, ChartKind kind) {
  return ReadChart(kind, grid.FilledRows(),
                   [&grid](int row, int col) { return grid.FigureAt(row, col); });
}

void PaintChart(QPainter& p, const QRectF& area, const ChartData& data) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QFontMetricsF metrics(p.font(), p.device());
  const Frame f{metrics.height(), std::max(1.0, metrics.height() / 14), metrics};
  const bool loan = data.kind == ChartKind::Repayment;
  const int kind = static_cast<int>(data.kind);
  const double pad = f.em * 0.5;

  // Rows from the top: legend, axis titles, the plot, year labels, the year title.
  const QRectF legend(area.left(), area.top() + pad, area.width(), f.em * 1.2);
  const double titles_top = legend.bottom() + pad * 0.5;
  const double plot_top = titles_top + f.em * 1.5;
  const double plot_bottom = area.bottom() - pad - f.em * 2.2;
  const double plot_height = std::max(plot_bottom - plot_top, f.em);
  const int max_ticks = std::max(1, static_cast<int>(plot_height / (f.em * 1.8)));

  Range bars;
  Range line;
  for (const ChartYear& y : data.years) {
    bars.Take(y.lower);
    bars.Take(y.lower + y.upper);
    line.Take(y.balance);
  }
  const ChartAxis left = ChooseAxis(bars.low, bars.high, max_ticks);
  const ChartAxis right = ChooseAxis(line.low, line.high, max_ticks);
  const QString left_title = QStringLiteral("(%1)").arg(Qs(left.unit_name));
  const QString right_title = loan
                                  ? QStringLiteral("%1(%2)").arg(
                                        Qs(ChartSeriesNames(data.kind).back()), Qs(right.unit_name))
                                  : QString();
  const double left_width = LabelWidth(f, left);
  const double right_width = loan ? LabelWidth(f, right) : 0;
  const QRectF plot(QPointF(area.left() + pad + left_width + pad, plot_top),
                    QPointF(area.right() - pad - (loan ? right_width + pad : f.em), plot_bottom));
  const auto y_of = [&plot](const ChartAxis& a, double v) {
    return plot.bottom() - (v - a.low) / (a.high - a.low) * plot.height();
  };

  // Value grid (level lines need no anti-aliasing) and both axes' labels.
  for (const double v : Ticks(left)) {
    const double y = y_of(left, v);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kGridLine, f.stroke));
    p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), y - f.em / 2, plot.left() - pad - area.left(), f.em),
               Qt::AlignRight | Qt::AlignVCenter, Qs(AxisLabel(left, v)));
  }
  p.drawText(QRectF(area.left() + pad, titles_top, plot.width(), f.em),
             Qt::AlignLeft | Qt::AlignVCenter, left_title);
  if (loan) {
    for (const double v : Ticks(right)) {
      const double y = y_of(right, v);
      p.setPen(QPen(kAxis, f.stroke));
      p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + pad / 2, y));
      p.setPen(Qt::black);
      p.drawText(QRectF(plot.right() + pad, y - f.em / 2, right_width, f.em),
                 Qt::AlignLeft | Qt::AlignVCenter, Qs(AxisLabel(right, v)));
    }
    p.drawText(QRectF(area.left(), titles_top, area.right() - pad - area.left(), f.em),
               Qt::AlignRight | Qt::AlignVCenter, right_title);
  }

  // The bars: the lower part solid, the upper part light and hatched.
  const int n = static_cast<int>(data.years.size());
  const double slot = plot.width() / std::max(1, n);
  // Narrow slots lose their gaps: stripes of white would only flicker.
  const double bar = slot < f.em * 0.5 ? slot : std::min(slot * 0.7, f.em * 3);
  std::vector<QRectF> upper_parts;
  QPolygonF balance;
  balance.reserve(n);
  const double zero = y_of(left, 0);
  p.setPen(Qt::NoPen);
  p.setRenderHint(QPainter::Antialiasing, false);  // no seams between adjacent bars
  for (int i = 0; i < n; ++i) {
    const ChartYear& y = data.years[static_cast<std::size_t>(i)];
    const double centre = plot.left() + slot * (i + 0.5);
    const double mid = y_of(left, y.lower);
    const QRectF lower = QRectF(QPointF(centre - bar / 2, zero), QPointF(centre + bar / 2, mid));
    const QRectF upper = QRectF(QPointF(centre - bar / 2, mid),
                                QPointF(centre + bar / 2, y_of(left, y.lower + y.upper)));
    p.setBrush(kLowerFill[kind]);
    p.drawRect(lower.normalized());
    p.setBrush(kUpperFill[kind]);
    p.drawRect(upper.normalized());
    upper_parts.push_back(upper.normalized());
    balance << QPointF(centre, y_of(right, y.balance));
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  Hatch(p, f, upper_parts);

  // Axes over the bars' edges.
  p.setPen(QPen(kAxis, f.stroke * 1.5));
  p.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
  p.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
  if (loan) {
    p.drawLine(QPointF(plot.right(), plot.top()), QPointF(plot.right(), plot.bottom()));
    Line(p, f, balance);
  }

  // Years along the bottom: every k-th year (and the first when k is large),
  // never two labels touching.
  static const int kSteps[] = {1, 2, 5, 10, 20, 50, 100};
  const double label = Width(f, QString::number(std::max(1, n))) + f.em * 0.6;
  int every = kSteps[std::size(kSteps) - 1];
  for (const int s : kSteps) {
    if (s * slot >= label) {
      every = s;
      break;
    }
  }
  p.setPen(Qt::black);
  double free_from = plot.left() - f.em;
  for (int i = 0; i < n; ++i) {
    const int year = data.years[static_cast<std::size_t>(i)].year;
    const QString text = QString::number(year);
    const double centre = plot.left() + slot * (i + 0.5);
    const double w = Width(f, text);
    const bool wanted = year % every == 0 || (year == 1 && every >= 5);
    if (wanted && centre - w / 2 >= free_from) {
      p.drawText(QRectF(centre - w, plot.bottom() + pad * 0.4, 2 * w, f.em), Qt::AlignCenter, text);
      free_from = centre + w / 2 + f.em * 0.6;
    }
  }
  p.drawText(QRectF(plot.left(), plot.bottom() + pad * 0.4 + f.em, plot.width(), f.em),
             Qt::AlignCenter, QStringLiteral("(年)"));

  Legend(p, f, legend, data);
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
  return kind == ChartKind::Repayment ? QStringLiteral("返済グラフ") : QStringLiteral("償却グラフ");
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
