#include "common/ui/schedule_columns.h"

#include "common/ui/schedule_grid.h"

namespace tsubame {

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

void AppendScheduleRow(ScheduleGrid* grid, std::span<const std::u16string> cells) {
  grid->SetRow(grid->Row() + 1);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    grid->SetCol(static_cast<int>(i));
    grid->SetText(QString::fromStdU16String(cells[i]));
  }
}

}  // namespace tsubame
