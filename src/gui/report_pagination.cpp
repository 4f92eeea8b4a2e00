#include "gui/report_pagination.h"

namespace tw::gui {

std::vector<std::string> SplitReportPieces(std::string_view report) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t cr = report.find("\r\n"); cr != std::string_view::npos; cr = report.find("\r\n", start)) {
    pieces.emplace_back(report.substr(start, cr - start));
    start = cr + 1;  // the next piece starts with the LF
  }
  pieces.emplace_back(report.substr(start));
  return pieces;
}

std::vector<std::string> PaginateReport(std::string_view report, const LineMeasurer& measurer,
                                        int pageHeight) {
  const std::vector<std::string> pieces = SplitReportPieces(report);
  std::vector<std::string> pages;
  std::size_t first = 0;
  while (first < pieces.size()) {
    std::string pageText;
    std::size_t next = first;
    for (; next < pieces.size(); ++next) {
      std::string candidate = pageText + pieces[next];
      if (measurer.textHeight(candidate + "\r\n") >= pageHeight) {
        if (next == first) {  // alone too tall: it goes out on its own page
          pageText = std::move(candidate);
          ++next;
        }
        break;
      }
      pageText = std::move(candidate);
    }
    pages.push_back(std::move(pageText));
    first = next;
  }
  return pages;
}

}  // namespace tw::gui
