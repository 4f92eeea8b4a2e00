#include "app/manual_page.h"

namespace tw::app {

std::string RoffText(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (const char c : text) {
    // A line that begins with a dot or an apostrophe would be read as a request.
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

ManualPage::ManualPage(std::string_view name, std::string_view summary, std::string_view version) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  text_ = ".TH " + upper + " 1 \"\" \"" + std::string(name) + " " + std::string(version) + "\" \"User Commands\"\n";
  section("NAME");
  text_ += RoffText(name) + " \\- " + RoffText(summary) + "\n";
}

void ManualPage::section(std::string_view title) { text_ += ".SH " + RoffText(title) + "\n"; }

void ManualPage::subsection(std::string_view title) { text_ += ".SS \"" + RoffText(title) + "\"\n"; }

void ManualPage::paragraph(std::string_view text) { text_ += ".PP\n" + RoffText(text) + "\n"; }

void ManualPage::verbatim(std::string_view text) {
  text_ += ".PP\n.nf\n" + RoffText(text);
  if (!text.empty() && text.back() != '\n') text_ += "\n";
  text_ += ".fi\n";
}

void ManualPage::item(std::string_view term, std::string_view text) {
  text_ += ".TP\n\\fB" + RoffText(term) + "\\fR\n" + RoffText(text) + "\n";
}

}  // namespace tw::app
