#include "schedule/ui/schedule_printer.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "common/core/failure.h"
#include "common/ui/trap.h"
#include "schedule/ui/schedule_grid.h"

namespace tsubame {
namespace {

constexpr double kTitlePoints = 14;
constexpr double kTextPoints = 10;
constexpr double kCellPoints = 9;
constexpr double kScreenDpi = 96;
constexpr double kMaxWidening = 1.5;  // paper columns at most this much wider than on screen

// Where everything goes, in the device's units, and which rows each
// schedule page holds.
struct Layout {
  QRectF page;
  QFont title_font;
  QFont text_font;
  QFont cell_font;
  double line = 0;  // a line of text
  double row = 0;   // a grid row
  double pad = 0;   // inside a cell
  double table_left = 0;
  std::vector<double> widths;
  double caption_width = 0;  // of the conditions and totals
  double title_height = 0;
  double conditions_height = 0;
  double totals_height = 0;
  double footer_height = 0;
  struct Rows {
    int first;
    int count;
  };
  std::vector<Rows> pages;
};

QFont Sized(const QFont& family, double points, const QPaintDevice* device, bool bold = false) {
  QFont font(family, device);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

Layout MakeLayout(const Printout& p, const QPaintDevice* device) {
  Layout l;
  l.page = QRectF(0, 0, device->width(), device->height());
  const QFont family = p.grid->font();
  l.title_font = Sized(family, kTitlePoints, device, true);
  l.text_font = Sized(family, kTextPoints, device);
  l.cell_font = Sized(family, kCellPoints, device);
  const QFontMetricsF text(l.text_font, device);
  const QFontMetricsF cell(l.cell_font, device);
  l.line = text.height() * 1.4;
  l.row = cell.height() * 1.5;
  l.pad = cell.averageCharWidth() * 0.6;

  // The grid's proportions, widened up to the page's width.
  double screen_width = 0;
  for (int c = 0; c < p.grid->Cols(); ++c) {
    screen_width += p.grid->columnWidth(c);
  }
  const double scale = std::min(l.page.width() / std::max(screen_width, 1.0),
                                kMaxWidening * device->logicalDpiX() / kScreenDpi);
  for (int c = 0; c < p.grid->Cols(); ++c) {
    l.widths.push_back(p.grid->columnWidth(c) * scale);
  }
  l.table_left = (l.page.width() - screen_width * scale) / 2;

  for (const auto& [caption, shown] : p.conditions) {
    l.caption_width = std::max(l.caption_width, text.horizontalAdvance(caption));
  }
  for (const auto& [caption, shown] : p.totals) {
    l.caption_width = std::max(l.caption_width, text.horizontalAdvance(caption));
  }
  l.caption_width += text.averageCharWidth() * 2;
  l.title_height = QFontMetricsF(l.title_font, device).height() * 2;
  l.conditions_height = l.line * (static_cast<double>(p.conditions.size()) + 0.5);
  l.totals_height = p.totals.empty() ? 0 : l.line * (static_cast<double>(p.totals.size()) + 0.5);
  l.footer_height = l.line * 1.5;

  // Rows per page, the totals counted as rows.
  const int total_rows = static_cast<int>(std::ceil(l.totals_height / l.row));
  const auto capacity = [&](std::size_t page) {
    const double room = l.page.height() - l.title_height - l.footer_height - l.row -
                        (page == 0 ? l.conditions_height : 0);
    return std::max(1, static_cast<int>(room / l.row));
  };
  // Pages are filled greedily. A page that has room for every row left but
  // not for the totals as well takes one row fewer: that row goes down to the
  // next page with the totals, so they never stand alone on a page.
  int next = 1;
  int remaining = p.grid->FilledRows();
  do {
    const int room = capacity(l.pages.size());
    int take = std::min(remaining, room);
    if (take == remaining && remaining + total_rows > room && remaining > 1) {
      --take;
    }
    l.pages.push_back({next, take});
    next += take;
    remaining -= take;
  } while (remaining > 0);
  return l;
}

void DrawCaptioned(QPainter& painter, const Layout& l, double y, const QString& caption,
                   const QString& shown, Qt::Alignment alignment, double width) {
  painter.drawText(QRectF(l.table_left, y, l.caption_width, l.line),
                   Qt::AlignLeft | Qt::AlignVCenter, caption);
  painter.drawText(QRectF(l.table_left + l.caption_width, y, width, l.line),
                   alignment | Qt::AlignVCenter, shown);
}

double DrawRow(QPainter& painter, const Layout& l, const ScheduleGrid& grid, int row, double y) {
  double x = l.table_left;
  for (int c = 0; c < grid.Cols(); ++c) {
    const QRectF cell(x, y, l.widths[static_cast<std::size_t>(c)], l.row);
    Qt::Alignment alignment = Qt::AlignCenter;
    if (row == 0) {
      painter.fillRect(cell, QColor(235, 235, 235));
    } else {
      alignment = (grid.ColAlignment(c) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    }
    painter.drawRect(cell);
    painter.drawText(cell.adjusted(l.pad, 0, -l.pad, 0), alignment, grid.TextAt(row, c));
    x += cell.width();
  }
  return y + l.row;
}

// The title at the top, "n / m" at the bottom; returns the room between.
QRectF DrawFrame(QPainter& painter, const Layout& l, const Printout& p, int page, int pages) {
  painter.setFont(l.title_font);
  painter.drawText(QRectF(0, 0, l.page.width(), l.title_height), Qt::AlignHCenter | Qt::AlignTop,
                   p.title);
  painter.setFont(l.text_font);
  painter.drawText(QRectF(0, l.page.height() - l.footer_height, l.page.width(), l.footer_height),
                   Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("%1 / %2").arg(page).arg(pages));
  return QRectF(0, l.title_height, l.page.width(),
                l.page.height() - l.title_height - l.footer_height);
}

void DrawSchedulePage(QPainter& painter, const Layout& l, const Printout& p, std::size_t index,
                      int pages) {
  double y = DrawFrame(painter, l, p, static_cast<int>(index) + 1, pages).top();
  const double value_width = l.widths.empty() ? 0 : l.widths.back();
  if (index == 0) {
    for (const auto& [caption, shown] : p.conditions) {
      DrawCaptioned(painter, l, y, caption, shown, Qt::AlignLeft, l.page.width() / 2);
      y += l.line;
    }
    y += l.line / 2;
  }
  painter.setFont(l.cell_font);
  painter.setPen(QPen(Qt::black, 0));
  y = DrawRow(painter, l, *p.grid, 0, y);
  const Layout::Rows rows = l.pages[index];
  for (int r = rows.first; r < rows.first + rows.count; ++r) {
    y = DrawRow(painter, l, *p.grid, r, y);
  }
  if (index + 1 == l.pages.size()) {
    painter.setFont(l.text_font);
    y += l.line / 2;
    for (const auto& [caption, shown] : p.totals) {
      DrawCaptioned(painter, l, y, caption, shown, Qt::AlignRight, value_width);
      y += l.line;
    }
  }
}

QString ShownText(const QWidget* control) {
  if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
    return box->text();
  }
  if (const auto* list = qobject_cast<const QComboBox*>(control)) {
    return list->currentText();
  }
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    return label->text();
  }
  return {};
}

}  // namespace

void PrintSchedule(const Printout& printout, QPagedPaintDevice* device) {
  const Layout layout = MakeLayout(printout, device);
  const int pages = static_cast<int>(layout.pages.size() + printout.extra_pages.size());
  QPainter painter;
  if (!painter.begin(device)) {
    throw Failure("the printer cannot be opened");
  }
  const auto new_page = [&] {
    if (!device->newPage()) {
      throw Failure("the printer takes no further page");
    }
  };
  for (std::size_t i = 0; i < layout.pages.size(); ++i) {
    if (i > 0) {
      new_page();
    }
    DrawSchedulePage(painter, layout, printout, i, pages);
  }
  int page = static_cast<int>(layout.pages.size());
  for (const PagePainter& extra : printout.extra_pages) {
    new_page();
    const QRectF room = DrawFrame(painter, layout, printout, ++page, pages);
    painter.save();
    extra(painter, room);
    painter.restore();
  }
  if (!painter.end()) {
    throw Failure("the printout could not be finished");
  }
}

QPageLayout DefaultPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

void PreviewSchedule(QWidget* window, const std::function<Printout()>& read) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(DefaultPageLayout());
  QPrintPreviewDialog preview(&printer, window);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&read](QPrinter* target) { Trap([&] { PrintSchedule(read(), target); }); });
  preview.exec();
}

std::vector<std::pair<QString, QString>> CaptionedTexts(
    std::initializer_list<const QLabel*> captions) {
  std::vector<std::pair<QString, QString>> texts;
  for (const QLabel* caption : captions) {
    texts.emplace_back(caption->text(), ShownText(caption->buddy()));
  }
  return texts;
}

QAction* AddPrintCommand(ScheduleGrid* grid) {
  auto* print = new QAction(QStringLiteral("印刷..."), grid);
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  print->setShortcutContext(Qt::WindowShortcut);
  grid->addAction(print);
  return print;
}

}  // namespace tsubame
