#pragma once

#include <QString>

class QWidget;
#include <span>
#include <string>

namespace tsubame {

class ScheduleGrid;
struct TwipsBox;

// A window's schedule grid "GrdPreview" at `box`, named by its centred
// caption "LblPreview" (10.5 pt) at `caption_box`.
ScheduleGrid* MakeScheduleGrid(QWidget* parent, const QString& caption, TwipsBox caption_box,
                               int rows, int columns, TwipsBox box);

struct ScheduleColumn {
  const char16_t* heading = nullptr;  // trailing blanks are part of the design
  int width_twips = 0;
  Qt::Alignment alignment;
};

// Clears every cell, then for each column in turn: alignment, heading in
// row 0, width. The current cell ends at row 0 of the last column.
void ResetScheduleGrid(ScheduleGrid* grid, std::span<const ScheduleColumn> columns);

// Moves to the row after the current one (a failure past the last row) and
// writes the cells from column 0 on, each with the exact figure it shows.
void AppendScheduleRow(ScheduleGrid* grid, std::span<const std::u16string> cells,
                       std::span<const double> figures);

}  // namespace tsubame
