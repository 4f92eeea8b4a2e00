#pragma once

#include <QRect>
#include <string_view>

class QPrinter;
class QWidget;

namespace tw::gui {

// Where a report page is drawn, in the painter's coordinates: the printer's printable area
// (the paper less the margins the printer cannot print on), with its top left at 0, 0.
QRect ReportPageArea(const QPrinter& printer);

// Prints the report on `printer` within its printable area, in the painter's default font,
// text drawn from the top left with its own line breaks and no wrapping; pages cut by
// PaginateReport. Returns the number of pages printed (0 when the printer could not start).
int PrintReport(QPrinter& printer, std::string_view report);

// Asks for a printer (all pages; no page range, selection or current page; the PDF
// printer is offered so that a machine without a printer can still print) and prints.
// False when the user cancelled.
bool PrintReportWithDialog(QWidget* parent, std::string_view report);

}  // namespace tw::gui
