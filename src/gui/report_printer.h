#pragma once

#include <string_view>

class QPrinter;
class QWidget;

namespace tw::gui {

// Prints the report on `printer`: the whole paper is the page (no margins), the painter's
// default font, text drawn from the top left with its own line breaks and no wrapping;
// pages cut by PaginateReport. Returns the number of pages printed (0 when the printer
// could not start).
int PrintReport(QPrinter& printer, std::string_view report);

// Asks for a printer (all pages; no page range, selection or current page; the PDF
// printer is offered so that a machine without a printer can still print) and prints.
// False when the user cancelled.
bool PrintReportWithDialog(QWidget* parent, std::string_view report);

}  // namespace tw::gui
