#include "schedule/ui/schedule_columns.h"

#include <QLabel>

#include "common/ui/controls.h"
#include "common/ui/fonts.h"
#include "common/ui/twips.h"
#include "schedule/ui/schedule_grid.h"

namespace tsubame {

ScheduleGrid* MakeScheduleGrid(QWidget* parent, const QString& caption, TwipsBox caption_box,
                               int rows, int columns, TwipsBox box) {
  QLabel* label = MakeLabel(parent, "LblPreview", caption, caption_box, Qt::AlignCenter);
  label->setFont(JapaneseFont(10.5));
  auto* grid = new ScheduleGrid(rows, columns, parent);
  grid->setObjectName(QStringLiteral("GrdPreview"));
  PlaceTwips(grid, box.left, box.top, box.width, box.height);
  SetCaption(label, grid);
  return grid;
}

void ResetScheduleGrid(ScheduleGrid* grid, std::span<const ScheduleColumn> columns) {
  grid->Clear();
  grid->SetRow(0);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const ScheduleColumn& column = columns[i];
    grid->SetCol(static_cast<int>(i));
    grid->SetColAlignment(grid->Col(), column.alignment);
    grid->SetText(QString::fromUtf16(column.heading));
    grid->SetColWidthTwips(grid->Col(), column.width_twips);
  }
}

void AppendScheduleRow(ScheduleGrid* grid, std::span<const std::u16string> cells,
                       std::span<const double> figures) {
  grid->SetRow(grid->Row() + 1);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    grid->SetCol(static_cast<int>(i));
    grid->SetFigure(QString::fromStdU16String(cells[i]), figures[i]);
  }
}

}  // namespace tsubame
