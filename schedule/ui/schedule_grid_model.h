#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

namespace tsubame {

// The grid's cells. Row 0 (the headings) is served as the horizontal header,
// so it stays in view; rows 1.. of the grid are the model's rows 0...
// Writes only mark the model dirty; one reset per event repaints the view.
class ScheduleGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  ScheduleGridModel(int rows, int cols, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const QString& Cell(int row, int col) const { return m_cells[Index(row, col)]; }
  // The exact figure a cell's text shows, where the writer gave one.
  std::optional<double> Figure(int row, int col) const { return m_figures[Index(row, col)]; }
  void SetCell(int row, int col, const QString& text, std::optional<double> figure = {});
  Qt::Alignment Alignment(int col) const { return m_alignment[static_cast<std::size_t>(col)]; }
  void SetAlignment(int col, Qt::Alignment alignment);
  void ClearCells();

 private:
  std::size_t Index(int row, int col) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
           static_cast<std::size_t>(col);
  }
  void MarkChanged();
  void Publish();

  int m_rows;
  int m_cols;
  std::vector<QString> m_cells;
  std::vector<std::optional<double>> m_figures;
  std::vector<Qt::Alignment> m_alignment;
  bool m_publishPending = false;
};

}  // namespace tsubame
