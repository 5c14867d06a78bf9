#include "common/ui/schedule_grid.h"

#include <QHeaderView>

#include "common/core/failure.h"
#include "common/ui/fonts.h"
#include "common/ui/schedule_grid_model.h"
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

}  // namespace tsubame
