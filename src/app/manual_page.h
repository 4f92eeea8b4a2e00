#pragma once

// A manual page in roff (man(7)), written from a program's own help texts at build time, so
// that the page and --help cannot disagree.

#include <string>
#include <string_view>

namespace tw::app {

class ManualPage {
 public:
  // The title line and the NAME section: "tunewright-cli - <summary>".
  ManualPage(std::string_view name, std::string_view summary, std::string_view version);

  void section(std::string_view title);                       // .SH TITLE
  void subsection(std::string_view title);                    // .SS title
  void paragraph(std::string_view text);                      // a filled paragraph
  void verbatim(std::string_view text);                       // lines kept as they are
  void item(std::string_view term, std::string_view text);    // a tagged paragraph, term in bold

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// `text` as roff text: backslashes and hyphens escaped, no line taken for a request.
std::string RoffText(std::string_view text);

}  // namespace tw::app
