#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QRectF;
class QWidget;

namespace tsubame {

class ScheduleGrid;

// Draws one page of a printout into the page's printable area.
using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;

// What a calculator window prints, read from the window as it is shown.
struct Printout {
  QString title;                                        // the window's title
  std::vector<std::pair<QString, QString>> conditions;  // caption, text as shown
  const ScheduleGrid* grid = nullptr;                   // headings and cells, as shown
  std::vector<std::pair<QString, QString>> totals;      // printed after the last row
  // Pages after the schedule (a chart, say); they share the page numbering.
  std::vector<PagePainter> extra_pages;
};

// Prints on `device`: on every page the title, the grid's heading row and
// "n / m"; the conditions on the first page, the totals after the last row.
// Every cell is the grid's own text. Throws Failure when the device cannot
// be printed on.
void PrintSchedule(const Printout& printout, QPagedPaintDevice* device);

// A4 portrait with 15 mm margins: the page set-up the preview starts from.
QPageLayout DefaultPageLayout();

// Opens the print preview of what `read` returns, A4 portrait unless the
// user sets the page up otherwise; the user prints from there. Returns when
// the preview is closed; a printing failure goes to the trap.
void PreviewSchedule(QWidget* window, const std::function<Printout()>& read);

// Each caption label with the text its control (its buddy) shows: a text
// box's text, a list's current entry, a result label's figure.
std::vector<std::pair<QString, QString>> CaptionedTexts(
    std::initializer_list<const QLabel*> captions);

// "印刷..." in the grid's context menu, and Ctrl+P anywhere in its window.
QAction* AddPrintCommand(ScheduleGrid* grid);

}  // namespace tsubame
