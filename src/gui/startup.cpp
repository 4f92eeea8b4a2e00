#include "gui/startup.h"

#include <QCoreApplication>
#include <QFile>
#include <charconv>
#include <sstream>

#include "app/manual_page.h"

namespace tw::gui {
namespace {

constexpr std::string_view kUsage =
    "Usage: tunewright [--mode async|realtime] [--region 0..3] [--pacing reply|mandated] [--demo] [FILE.qcf]\n"
    "       tunewright --screenshots DIR [--size WIDTHxHEIGHT] [--mode ...] [--region ...] [--demo]\n"
    "\n"
    "Edits every setting of the TQ-N4400 AV receiver over its RS-232C line.\n"
    "\n"
    "  --mode async|realtime  the working mode, without the Start Mode question\n"
    "  --region 0..3          the tuner region in Async Mode, without its question\n"
    "  --pacing reply|mandated  reads of an upload and of Open: the next one follows a complete answer\n"
    "                         after 3 ms (reply), or the full pause (mandated, the default; the\n"
    "                         settings file's [Link] Pacing otherwise)\n"
    "  --demo                 offer and select the built-in virtual receiver (no hardware)\n"
    "  --screenshots DIR      write PNGs of the window with every page and of the dialogs, then end\n"
    "  --size WIDTHxHEIGHT    the window's size for --screenshots\n"
    "  --help, --version      this text, the version\n"
    "\n"
    "Qt's own options (-style, -platform, ...) are accepted as well. The communication logs\n"
    "are written to $XDG_STATE_HOME/tunewright (~/.local/state/tunewright).\n";

std::optional<WindowSize> ParseSize(std::string_view text) {
  WindowSize size;
  const auto x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto [widthEnd, widthError] = std::from_chars(text.data(), text.data() + x, size.width);
  const auto [heightEnd, heightError] = std::from_chars(text.data() + x + 1, text.data() + text.size(), size.height);
  if (widthError != std::errc() || heightError != std::errc() || widthEnd != text.data() + x ||
      heightEnd != text.data() + text.size() || size.empty()) {
    return std::nullopt;
  }
  return size;
}

// tunewright(1), from the usage text: its synopsis lines, the sentence that follows, the
// options (an option line, then lines indented further continue its text), the last words.
std::string ManualPageText() {
  app::ManualPage page("tunewright", "desktop program for the TQ-N4400 AV receiver", TW_VERSION);
  std::istringstream lines{std::string(kUsage)};
  std::string line;
  page.section("SYNOPSIS");
  std::string block;
  while (std::getline(lines, line) && !line.empty()) {
    const std::string prefix = "Usage: ";
    block += line.substr(line.rfind(prefix, 0) == 0 ? prefix.size() : line.find_first_not_of(' ')) + "\n";
  }
  page.verbatim(block);
  page.section("DESCRIPTION");
  block.clear();
  while (std::getline(lines, line) && !line.empty()) block += line + " ";
  page.paragraph(block);
  page.section("OPTIONS");
  std::string term;
  std::string text;
  while (std::getline(lines, line) && !line.empty()) {
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent <= 2) {
      if (!term.empty()) page.item(term, text);
      const std::size_t gap = line.find("  ", indent);
      term = line.substr(indent, gap - indent);
      text = line.substr(line.find_first_not_of(' ', gap));
    } else {
      text += " " + line.substr(indent);
    }
  }
  if (!term.empty()) page.item(term, text);
  block.clear();
  while (std::getline(lines, line)) block += line + " ";
  page.paragraph(block);
  page.section("SEE ALSO");
  page.paragraph("tunewright-cli(1)");
  return page.text();
}

}  // namespace

std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(QFile::encodeName(all[i]).toStdString());
  return arguments;
}

std::optional<std::string> EarlyAnswer(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") return std::string(kUsage);
    if (argument == "--version") return "tunewright " TW_VERSION "\n";
    // The build writes the manual page from the usage text.
    if (argument == "--manual-page") return ManualPageText();
  }
  return std::nullopt;
}

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& arguments) {
  DesktopOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--demo") {
      options.demo = true;
    } else if (argument == "--screenshots") {
      options.screenshots = hasValue ? arguments[++i] : std::string();
      if (options.screenshots.empty()) options.error = "--screenshots takes a folder";
    } else if (argument == "--size") {
      const auto size = hasValue ? ParseSize(arguments[++i]) : std::nullopt;
      if (size) {
        options.screenshotSize = *size;
      } else {
        options.error = "--size takes WIDTHxHEIGHT, for example 1366x768";
      }
    } else if (argument == "--mode") {
      const std::string value = hasValue ? arguments[++i] : std::string();
      if (value == "async") {
        options.startMode = app::kStartModeAsync;
      } else if (value == "realtime") {
        options.startMode = app::kStartModeRealTime;
      } else {
        options.error = "--mode takes async or realtime";
      }
    } else if (argument == "--pacing") {
      options.pacing = hasValue ? app::ParsePacing(arguments[++i]) : std::nullopt;
      if (!options.pacing) options.error = "--pacing takes reply or mandated";
    } else if (argument == "--region") {
      const std::string value = hasValue ? arguments[++i] : std::string();
      if (value.size() == 1 && value[0] >= '0' && value[0] <= '3') {
        options.tunerRegion = value[0] - '0';
      } else {
        options.error = "--region takes 0, 1, 2 or 3";
      }
    } else {
      options.rest.push_back(argument);
    }
  }
  return options;
}

void DesktopStartupUi::AskStartMode(std::function<void(int result)> done) {
  if (options_.startMode) {
    done(*options_.startMode);
    return;
  }
  dialogs_.AskStartMode(std::move(done));
}

void DesktopStartupUi::AskTunerRegion(comm::Link& link, std::function<void()> done) {
  if (options_.tunerRegion) {
    link.setTunerRegion(*options_.tunerRegion);
    done();
    return;
  }
  dialogs_.AskTunerRegion(link, std::move(done));
}

}  // namespace tw::gui
