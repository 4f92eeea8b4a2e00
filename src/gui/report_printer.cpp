#include "gui/report_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "gui/qt_text.h"
#include "gui/report_pagination.h"

namespace tw::gui {
namespace {

QString PrintedText(std::string_view text) {
  QString printed = ToQt(text);
  printed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  printed.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return printed;
}

// Lines are never wrapped, so a text is as tall as its line count.
class PainterMeasurer final : public LineMeasurer {
 public:
  explicit PainterMeasurer(const QFontMetrics& metrics) : lineHeight_(metrics.lineSpacing()) {}
  int textHeight(std::string_view text) const override {
    const QString printed = PrintedText(text);
    return static_cast<int>(printed.count(QLatin1Char('\n')) + 1) * lineHeight_;
  }

 private:
  int lineHeight_;
};

}  // namespace

QRect ReportPageArea(const QPrinter& printer) {
  return {QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()};
}

int PrintReport(QPrinter& printer, std::string_view report) {
  // The painter's origin is then the printable area's corner: a real printer's unprintable
  // edge never cuts the first column or the last lines.
  printer.setFullPage(false);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QRect page = ReportPageArea(printer);
  const PainterMeasurer measurer(painter.fontMetrics());
  const std::vector<std::string> pages = PaginateReport(report, measurer, page.height());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    painter.drawText(page, Qt::AlignLeft | Qt::AlignTop, PrintedText(pages[i]));
  }
  painter.end();
  return static_cast<int>(pages.size());
}

bool PrintReportWithDialog(QWidget* parent, std::string_view report) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return false;
  PrintReport(printer, report);  // printing errors are not reported, as before
  return true;
}

}  // namespace tw::gui
