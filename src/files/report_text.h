#pragma once

#include <string>
#include <string_view>

namespace tw::files {

// The fixed text of the configuration report: its title, the memo piece, the numbered
// headings and the item lines. Lines end in CR LF.
inline constexpr std::string_view kReportLineEnd = "\r\n";
inline constexpr std::size_t kReportRuleWidth = 80;

// The title block and the memo as held (its own CR LF breaks), then two line ends.
std::string ReportTitle(std::string_view memo);

// A numbered heading between two rules. The closing rule has no line end: the block that
// follows starts with one. The current setting has an empty category, so its heading line
// ends in one blank.
std::string ReportHeading(int number, std::string_view label, std::string_view category);

// The label of the current setting's heading.
inline constexpr std::string_view kCurrentSettingLabel = "Current Setting";

// One block of item lines: a blank line and "(section)" whenever the section changes
// (the block starts with no section), then "key = value" for every item with a key.
class ReportBlock {
 public:
  void Add(std::string_view section, std::string_view key, std::string_view value);
  const std::string& text() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  std::string lastSection_;
};

}  // namespace tw::files
