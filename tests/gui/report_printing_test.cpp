// Cutting the report into printed pages, and printing it to a PDF file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <string>

#include "gui/report_pagination.h"
#include "gui/report_printer.h"
#include "gui_test_support.h"

using namespace tw::gui;

namespace {

// Ten units per line; a text is as tall as its lines, as on a printer without wrapping.
class FakeMeasurer final : public LineMeasurer {
 public:
  int textHeight(std::string_view text) const override {
    ++calls;
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    return static_cast<int>(lines) * 10;
  }
  mutable int calls = 0;
};

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

}  // namespace

TEST(ReportPieces, EveryPieceAfterTheFirstBeginsWithTheLfOfItsPair) {
  EXPECT_EQ(SplitReportPieces("a\r\nb\r\nc"), (std::vector<std::string>{"a", "\nb", "\nc"}));
  EXPECT_EQ(SplitReportPieces("\r\n(Speaker Set)\r\n"),
            (std::vector<std::string>{"", "\n(Speaker Set)", "\n"}));
  EXPECT_EQ(SplitReportPieces(""), std::vector<std::string>{""});
  EXPECT_EQ(SplitReportPieces("no line end"), std::vector<std::string>{"no line end"});
  // A lone CR or LF is not a cut; a NUL is kept as any other byte.
  EXPECT_EQ(SplitReportPieces(std::string("x\ry\nz\0w\r\n", 9)),
            (std::vector<std::string>{std::string("x\ry\nz\0w", 7), "\n"}));
}

TEST(ReportPages, FullPagesEndOneLineShortAndFollowingPagesStartWithAnEmptyLine) {
  FakeMeasurer measurer;
  // 25 lines of text give 26 pieces (the last one is the LF after the last CR LF).
  const auto pages = PaginateReport(Lines(25), measurer, 100);
  // The first page holds k pieces while k lines and the spare one stay above the bottom:
  // k + 1 < 10, so 8. Later pages lose a line to the leading empty one: 7 pieces each.
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0], "line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline 8");
  EXPECT_EQ(pages[1].substr(0, 8), "\nline 9\n");
  EXPECT_EQ(std::count(pages[1].begin(), pages[1].end(), '\n'), 7);  // an empty line, then 7 lines
  EXPECT_EQ(pages[2].substr(0, 9), "\nline 16\n");
  EXPECT_EQ(pages[3], "\nline 23\nline 24\nline 25\n");
  std::string joined;
  for (const auto& page : pages) joined += page;
  EXPECT_EQ(joined.size(), Lines(25).size() - 25);  // nothing lost but the CRs
}

TEST(ReportPages, ShortReportIsOnePageAndAnEmptyReportStillPrintsOnePage) {
  FakeMeasurer measurer;
  EXPECT_EQ(PaginateReport("one\r\ntwo", measurer, 100), std::vector<std::string>{"one\ntwo"});
  EXPECT_EQ(PaginateReport("", measurer, 100), std::vector<std::string>{""});
}

TEST(ReportPages, APieceTallerThanAPageStillGetsAPageSoPrintingEnds) {
  FakeMeasurer measurer;
  // Pages of 15 units never fit one line plus the spare one: each piece goes out alone.
  const auto pages = PaginateReport("a\r\nb\r\nc", measurer, 15);
  EXPECT_EQ(pages, (std::vector<std::string>{"a", "\nb", "\nc"}));
  const auto none = PaginateReport("a\r\nb", measurer, 0);
  EXPECT_EQ(none.size(), 2u);
}

TEST(ReportPages, TheSpareLineDecidesAtTheExactBottom) {
  FakeMeasurer measurer;
  // Two pieces plus the spare line measure 30: at a bottom of 30 the second piece moves on.
  EXPECT_EQ(PaginateReport("a\r\nb", measurer, 30).size(), 2u);
  EXPECT_EQ(PaginateReport("a\r\nb", measurer, 31).size(), 1u);
}

TEST(ReportPdf, LongReportPrintsOnSeveralPdfPages) {
  tw::gui::test::App();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("report.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));

  const int pages = PrintReport(printer, Lines(400));
  EXPECT_GT(pages, 1);
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  // One page object per printed page.
  const auto pageObjects = QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page[^s]"));
  EXPECT_EQ(pageObjects, pages);
}

TEST(ReportPdf, PagesLieWithinThePrintersPrintableArea) {
  tw::gui::test::App();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  auto pdfPrinter = [&](const QString& name, double marginMm) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(folder.filePath(name));
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    return printer;
  };
  auto edgeless = pdfPrinter("edgeless.pdf", 0);
  auto margined = pdfPrinter("margined.pdf", 30);
  const QRect paper = margined->pageLayout().fullRectPixels(margined->resolution());
  const QRect area = ReportPageArea(*margined);
  EXPECT_EQ(area.topLeft(), QPoint(0, 0));
  EXPECT_EQ(area.size(), margined->pageLayout().paintRectPixels(margined->resolution()).size());
  EXPECT_LT(area.width(), paper.width());
  EXPECT_LT(area.height(), paper.height());
  // The same report needs more pages when less of the paper can be printed on.
  const int full = PrintReport(*edgeless, Lines(400));
  const int within = PrintReport(*margined, Lines(400));
  EXPECT_GT(within, full);
  EXPECT_FALSE(margined->fullPage());
}

TEST(ReportPdf, ThePrintDialogOffersThePdfPrinterAndPrintsToIt) {
  tw::gui::test::App();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("dialog.pdf");
  QStringList printers;
  tw::gui::test::WhenModal([&](QWidget& modal) {
    auto* dialog = qobject_cast<QPrintDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
    auto* choice = dialog->findChild<QComboBox*>("printers");
    ASSERT_NE(choice, nullptr);
    for (int i = 0; i < choice->count(); ++i) printers << choice->itemText(i);
    const int pdf = choice->findText("Print to File (PDF)");
    ASSERT_GE(pdf, 0);
    choice->setCurrentIndex(pdf);
    auto* file = dialog->findChild<QLineEdit*>("filename");
    ASSERT_NE(file, nullptr);
    file->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_TRUE(PrintReportWithDialog(nullptr, Lines(200)));
  EXPECT_TRUE(printers.contains("Print to File (PDF)")) << printers.join(", ").toStdString();
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}
