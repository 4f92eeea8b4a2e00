#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::gui {

// The report is cut at each CR LF: a piece runs up to the CR, and every piece after the
// first starts with the LF of its pair, so the pieces joined again give the lines back.
// The text after the last CR LF (starting with its LF) is the last piece; there is always
// at least one piece.
std::vector<std::string> SplitReportPieces(std::string_view report);

// Tells how tall a text is when drawn from the top of the page, line breaks as in the text.
class LineMeasurer {
 public:
  virtual ~LineMeasurer() = default;
  virtual int textHeight(std::string_view text) const = 0;
};

// The texts of the printed pages. A page takes pieces while the page text followed by one
// more CR LF stays above the page bottom, so each full page keeps room for one more line and
// every page after the first begins with an empty line (the LF of its first piece). A piece
// too tall for any page still gets a page of its own, so printing always ends.
std::vector<std::string> PaginateReport(std::string_view report, const LineMeasurer& measurer,
                                        int pageHeight);

}  // namespace tw::gui
