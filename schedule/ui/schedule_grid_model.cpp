#include "schedule/ui/schedule_grid_model.h"

#include <QTimer>
#include <algorithm>

namespace tsubame {

ScheduleGridModel::ScheduleGridModel(int rows, int cols, QObject* parent)
    : QAbstractTableModel(parent),
      m_rows(rows),
      m_cols(cols),
      m_cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)),
      m_figures(m_cells.size()),
      m_alignment(static_cast<std::size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter) {}

int ScheduleGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows - 1;
}

int ScheduleGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_cols;
}

QVariant ScheduleGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return Cell(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(m_alignment[static_cast<std::size_t>(index.column())]);
    default:
      return {};
  }
}

QVariant ScheduleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= m_cols) {
    return {};
  }
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
    return Cell(0, section);
  }
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  }
  return {};
}

void ScheduleGridModel::SetCell(int row, int col, const QString& text,
                                std::optional<double> figure) {
  m_cells[Index(row, col)] = text;
  m_figures[Index(row, col)] = figure;
  MarkChanged();
}

void ScheduleGridModel::SetAlignment(int col, Qt::Alignment alignment) {
  m_alignment[static_cast<std::size_t>(col)] = alignment;
  MarkChanged();
}

void ScheduleGridModel::ClearCells() {
  for (QString& cell : m_cells) {
    cell.clear();
  }
  std::fill(m_figures.begin(), m_figures.end(), std::nullopt);
  MarkChanged();
}

void ScheduleGridModel::MarkChanged() {
  if (m_publishPending) {
    return;
  }
  // One notification after the running handler, however many cells it wrote.
  m_publishPending = true;
  QTimer::singleShot(0, this, &ScheduleGridModel::Publish);
}

void ScheduleGridModel::Publish() {
  m_publishPending = false;
  emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
  emit dataChanged(index(0, 0), index(m_rows - 2, m_cols - 1));
}

}  // namespace tsubame
