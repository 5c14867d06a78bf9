#pragma once

#include <QTableView>
#include <memory>
#include <optional>
#include <vector>

namespace tsubame {

class ScheduleGridModel;

// The read-only schedule grid: fixed row and column counts, row 0 as the
// heading row that stays in view, a current cell to write into, per-column
// alignment and width in twips. Moving the current row past the last row
// is a failure. Writes are cheap: the view repaints once per handler.
class ScheduleGrid : public QTableView {
  Q_OBJECT

 public:
  ScheduleGrid(int rows, int cols, QWidget* parent = nullptr);
  ~ScheduleGrid() override;

  int Rows() const { return m_rows; }
  int Cols() const { return m_cols; }

  int Row() const { return m_row; }
  int Col() const { return m_col; }
  void SetRow(int row);  // throws Failure outside 0..Rows()-1
  void SetCol(int col);  // throws Failure outside 0..Cols()-1

  // The current cell's text.
  QString Text() const { return TextAt(m_row, m_col); }
  void SetText(const QString& text);
  QString TextAt(int row, int col) const;
  // An amount's text with the exact figure it shows: the chart sums the
  // figures, so a year's amounts are rounded once, not twelve times.
  void SetFigure(const QString& text, double figure);
  std::optional<double> FigureAt(int row, int col) const;

  Qt::Alignment ColAlignment(int col) const;
  void SetColAlignment(int col, Qt::Alignment alignment);
  void SetColWidthTwips(int col, int twips);

  // Empties every cell; the row and column counts stay.
  void Clear();

  // The number of rows below the heading that hold any text.
  int FilledRows() const;

  // What Ctrl+C and "コピー" put on the clipboard: the selected cells, or the
  // whole filled schedule with its headings when nothing is selected; cells
  // separated by tabs, rows by line ends, headings without trailing blanks.
  QString CopyText() const;
  // The same cells as an HTML table, for word processors and spreadsheets:
  // headings as heading cells, each column aligned as in the grid.
  QString CopyHtml() const;
  // Both, as plain text and as HTML.
  void CopyToClipboard() const;

 signals:
  // The context menu is about to be built: its actions may update themselves.
  void ContextMenuOpens();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // "コピー", then the grid's own actions (QWidget::addAction) in order.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct CellRange {
    int top;
    int bottom;
    int left;
    int right;
  };
  // The selection, or the whole filled schedule with its headings.
  CellRange CopyRange() const;
  // A cell as copied: headings without their trailing blanks.
  QString CopiedCell(int row, int col) const;

  int m_rows;
  int m_cols;
  int m_row = 0;
  int m_col = 0;
  std::unique_ptr<ScheduleGridModel> m_model;
};

}  // namespace tsubame
