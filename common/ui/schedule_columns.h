#pragma once

#include <QString>
#include <span>
#include <string>

namespace tsubame {

class ScheduleGrid;

struct ScheduleColumn {
  const char16_t* heading = nullptr;  // trailing blanks are part of the design
  int width_twips = 0;
  Qt::Alignment alignment;
};

// Clears every cell, then for each column in turn: alignment, heading in
// row 0, width. The current cell ends at row 0 of the last column.
void ResetScheduleGrid(ScheduleGrid* grid, std::span<const ScheduleColumn> columns);

// Moves to the row after the current one (a failure past the last row) and
// writes the cells from column 0 on.
void AppendScheduleRow(ScheduleGrid* grid, std::span<const std::u16string> cells);

}  // namespace tsubame
