#include "cli/cli_ui_services.h"

#include <iostream>

#include "comm/frame_notation.h"

namespace tw::cli {

ui::MessageResult CliUiServices::messageBox(std::string_view text, std::string_view, ui::MessageIcon,
                                            ui::MessageButtons buttons) {
  // One line: every run of line breaks (a blank line between message and detail too) is one blank.
  std::string line;
  for (const char c : text) {
    const bool lineBreak = c == '\r' || c == '\n';
    if (!lineBreak) {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  if (echo_) std::cerr << "tunewright-cli: " << comm::EscapeControls(line) << '\n';
  messages.push_back(std::move(line));
  return ui::CancelledResult(buttons);
}

}  // namespace tw::cli
