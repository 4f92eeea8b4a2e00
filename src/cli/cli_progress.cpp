#include "cli/cli_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <vector>

namespace tw::cli {
namespace {

constexpr int kBarWidth = 20;
constexpr int kDefaultColumns = 80;
// Often enough to look alive, seldom enough not to flood a slow terminal.
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
// Before this share or this time, an estimate would be a guess.
constexpr double kEstimateFromShare = 0.02;
constexpr std::int64_t kEstimateFromMs = 3000;

int TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultColumns;
}

// "42 s", "2:41", "1:02:41".
std::string Duration(std::int64_t ms) {
  const std::int64_t seconds = (std::max<std::int64_t>(ms, 0) + 500) / 1000;
  if (seconds < 60) return std::to_string(seconds) + " s";
  auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  const std::int64_t hours = seconds / 3600;
  const std::string minutesAndSeconds = two(seconds / 60 % 60) + ":" + two(seconds % 60);
  if (hours > 0) return std::to_string(hours) + ":" + minutesAndSeconds;
  return std::to_string(seconds / 60) + ":" + two(seconds % 60);
}

std::string Bar(double share) {
  const int filled = static_cast<int>(share * kBarWidth);
  return "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "]";
}

// The line at its fullest, then shorter forms, the first that fits the terminal wins: the
// bar goes first, then the elapsed time, then the label; the phase is cut last.
std::string Compose(const std::string& label, std::string_view phase, int position, int range, std::int64_t elapsedMs,
                    int columns) {
  const std::string elapsed = Duration(elapsedMs);
  std::vector<std::string> forms;
  if (range > 0) {
    const double share = std::clamp(static_cast<double>(position) / range, 0.0, 1.0);
    const std::string percent = std::to_string(static_cast<int>(share * 100)) + "%";
    std::string left;
    if (share >= kEstimateFromShare && elapsedMs >= kEstimateFromMs && share < 1.0) {
      left = ", about " + Duration(static_cast<std::int64_t>(elapsedMs * (1.0 - share) / share)) + " left";
    }
    const std::string what = std::string(phase);
    forms = {label + " " + Bar(share) + " " + percent + "  " + what + "  " + elapsed + " elapsed" + left,
             label + " " + percent + "  " + what + "  " + elapsed + " elapsed" + left,
             label + " " + percent + "  " + what + (left.empty() ? "" : "  " + left.substr(2)),
             percent + " " + what};
  } else {
    forms = {label + ": " + std::string(phase) + "  " + elapsed + " elapsed", std::string(phase)};
  }
  const std::size_t fits = static_cast<std::size_t>(std::max(columns - 1, 1));
  for (const std::string& form : forms) {
    if (form.size() <= fits) return form;
  }
  return forms.back().substr(0, fits);
}

}  // namespace

ProgressLine::ProgressLine(std::string label, bool quiet, std::function<std::int64_t()> clockMs)
    : label_(std::move(label)),
      shown_(!quiet && ::isatty(STDERR_FILENO) == 1),
      clockMs_(std::move(clockMs)),
      startMs_(clockMs_()) {}

ProgressLine::~ProgressLine() {
  if (!printed_.empty()) std::cerr << "\r\033[K" << std::flush;
}

void ProgressLine::show(int position, int range, std::string_view phase) {
  if (!shown_ || finished_) return;
  // A new phase shows at once; within one, the line is redrawn at most every kRedrawEvery.
  const auto now = std::chrono::steady_clock::now();
  if (phase == phase_ && now - lastPrint_ < kRedrawEvery) return;
  phase_ = phase;
  lastPrint_ = now;
  print(Compose(label_, phase, position, range, clockMs_() - startMs_, TerminalColumns()));
}

void ProgressLine::finish() {
  if (!shown_ || finished_) return;
  finished_ = true;
  print(label_ + " done in " + Duration(clockMs_() - startMs_));
  std::cerr << '\n' << std::flush;
  printed_.clear();
}

void ProgressLine::print(const std::string& text) {
  if (text == printed_) return;
  std::cerr << "\r\033[K" << text << std::flush;
  printed_ = text;
}

}  // namespace tw::cli
