#include "common/ui/schedule_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "common/core/failure.h"
#include "common/ui/fonts.h"
#include "common/ui/frm_graph.h"
#include "common/ui/schedule_grid_model.h"
#include "common/ui/trap.h"
#include "common/ui/twips.h"

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

Qt::Alignment ScheduleGrid::ColAlignment(int col) const {
  return m_model->Alignment(col);
}

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

QString ScheduleGrid::CopyText() const {
  int top = 0;
  int bottom = FilledRows();
  int left = 0;
  int right = m_cols - 1;
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (!selected.isEmpty()) {
    top = m_rows;
    bottom = -1;
    left = m_cols;
    right = -1;
    for (const QModelIndex& index : selected) {
      top = std::min(top, index.row() + 1);
      bottom = std::max(bottom, index.row() + 1);
      left = std::min(left, index.column());
      right = std::max(right, index.column());
    }
    bottom = std::min(bottom, std::max(top, FilledRows()));  // not the empty rows below
  }
  QString text;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      QString cell = TextAt(r, c);
      if (r == 0) {
        while (cell.endsWith(u' ')) {
          cell.chop(1);
        }
      }
      text += cell;
      text += c < right ? u'\t' : u'\n';
    }
  }
  return text;
}

void ScheduleGrid::CopyToClipboard() const { QApplication::clipboard()->setText(CopyText()); }

void ScheduleGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  QTableView::keyPressEvent(event);
}

void ScheduleGrid::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("コピー"), this, &ScheduleGrid::CopyToClipboard);
  menu.addActions(actions());
  if (m_chartKind) {
    QAction* chart = menu.addAction(QStringLiteral("グラフ..."), this, [this] {
      Trap([this] { FrmGraph::ShowModal(*this, *m_chartKind); });
    });
    chart->setEnabled(FilledRows() > 0);
  }
  menu.exec(event->globalPos());
}

}  // namespace tsubame
