#include "schedule/ui/schedule_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include "common/core/failure.h"
#include "common/ui/fonts.h"
#include "common/ui/trap.h"
#include "common/ui/twips.h"
#include "schedule/ui/schedule_grid_model.h"

namespace tsubame {

ScheduleGrid::ScheduleGrid(int rows, int cols, QWidget* parent)
    : QTableView(parent),
      m_rows(rows),
      m_cols(cols),
      m_model(std::make_unique<ScheduleGridModel>(rows, cols)) {
  setModel(m_model.get());
  setFont(JapaneseFont(9));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setWordWrap(false);
  setTabKeyNavigation(false);  // Tab leaves the grid like any other control
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  // Fixed sizes: sizing to contents would measure every cell on each fill.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setStretchLastSection(false);
}

ScheduleGrid::~ScheduleGrid() { setModel(nullptr); }

void ScheduleGrid::SetRow(int row) {
  if (row < 0 || row >= m_rows) {
    throw Failure("no such grid row");
  }
  m_row = row;
}

void ScheduleGrid::SetCol(int col) {
  if (col < 0 || col >= m_cols) {
    throw Failure("no such grid column");
  }
  m_col = col;
}

void ScheduleGrid::SetText(const QString& text) { m_model->SetCell(m_row, m_col, text); }

QString ScheduleGrid::TextAt(int row, int col) const {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
    return {};
  }
  return m_model->Cell(row, col);
}

void ScheduleGrid::SetFigure(const QString& text, double figure) {
  m_model->SetCell(m_row, m_col, text, figure);
}

std::optional<double> ScheduleGrid::FigureAt(int row, int col) const {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
    return {};
  }
  return m_model->Figure(row, col);
}

Qt::Alignment ScheduleGrid::ColAlignment(int col) const { return m_model->Alignment(col); }

void ScheduleGrid::SetColAlignment(int col, Qt::Alignment alignment) {
  m_model->SetAlignment(col, alignment);
}

void ScheduleGrid::SetColWidthTwips(int col, int twips) {
  setColumnWidth(col, TwipsToPixels(twips));
}

void ScheduleGrid::Clear() { m_model->ClearCells(); }

int ScheduleGrid::FilledRows() const {
  int filled = 0;
  for (int r = 1; r < m_rows; ++r) {
    for (int c = 0; c < m_cols; ++c) {
      if (!m_model->Cell(r, c).isEmpty()) {
        filled = r;
        break;
      }
    }
  }
  return filled;
}

ScheduleGrid::CellRange ScheduleGrid::CopyRange() const {
  CellRange range{0, FilledRows(), 0, m_cols - 1};
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (!selected.isEmpty()) {
    range = {m_rows, -1, m_cols, -1};
    for (const QModelIndex& index : selected) {
      range.top = std::min(range.top, index.row() + 1);
      range.bottom = std::max(range.bottom, index.row() + 1);
      range.left = std::min(range.left, index.column());
      range.right = std::max(range.right, index.column());
    }
    // not the empty rows below
    range.bottom = std::min(range.bottom, std::max(range.top, FilledRows()));
  }
  return range;
}

QString ScheduleGrid::CopiedCell(int row, int col) const {
  QString cell = TextAt(row, col);
  if (row == 0) {
    while (cell.endsWith(u' ')) {
      cell.chop(1);
    }
  }
  return cell;
}

QString ScheduleGrid::CopyText() const {
  const CellRange range = CopyRange();
  QString text;
  for (int r = range.top; r <= range.bottom; ++r) {
    for (int c = range.left; c <= range.right; ++c) {
      text += CopiedCell(r, c);
      text += c < range.right ? u'\t' : u'\n';
    }
  }
  return text;
}

QString ScheduleGrid::CopyHtml() const {
  const CellRange range = CopyRange();
  QString html = QStringLiteral(
      "<html><head><meta charset=\"utf-8\"></head><body>"
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n");
  for (int r = range.top; r <= range.bottom; ++r) {
    html += QStringLiteral("<tr>");
    for (int c = range.left; c <= range.right; ++c) {
      const Qt::Alignment alignment = ColAlignment(c);
      const QString align = r == 0                         ? QStringLiteral("center")
                            : alignment & Qt::AlignRight   ? QStringLiteral("right")
                            : alignment & Qt::AlignHCenter ? QStringLiteral("center")
                                                           : QStringLiteral("left");
      const QString tag = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
      html += QStringLiteral("<%1 align=\"%2\">%3</%1>")
                  .arg(tag, align, CopiedCell(r, c).toHtmlEscaped());
    }
    html += QStringLiteral("</tr>\n");
  }
  return html + QStringLiteral("</table></body></html>\n");
}

void ScheduleGrid::CopyToClipboard() const {
  auto* copied = new QMimeData;
  copied->setText(CopyText());
  copied->setHtml(CopyHtml());
  QApplication::clipboard()->setMimeData(copied);
}

void ScheduleGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  QTableView::keyPressEvent(event);
}

void ScheduleGrid::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuOpens();
  QMenu menu(this);
  menu.addAction(QStringLiteral("コピー"), this, &ScheduleGrid::CopyToClipboard);
  menu.addActions(actions());
  menu.exec(event->globalPos());
}

}  // namespace tsubame
