#pragma once

// The progress of a command that takes a while, for a person watching it on a terminal: one
// line on stderr, rewritten in place, with a bar, the percentage, the elapsed time and an
// estimate of the time left, and what the command is doing in words. It shortens to the
// terminal's width. Nothing of it when stderr is not a terminal or with --quiet; at the end,
// one line says what was done and how long it took.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tw::cli {

class ProgressLine {
 public:
  // `label` names the command ("upload"); `clockMs` is the time the command's work runs on
  // (the receiver's clock for the virtual receiver).
  ProgressLine(std::string label, bool quiet, std::function<std::int64_t()> clockMs);
  ~ProgressLine();  // clears a line left standing (the command failed; its message follows)
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Whether anything is shown at all.
  bool shown() const { return shown_; }
  // `position` of `range` done, in `phase`; a range of 0 shows the phase alone (no estimate).
  void show(int position, int range, std::string_view phase);
  // The command succeeded: "<label> done in <time>" replaces the line (once; call it before
  // printing the command's results).
  void finish();

 private:
  void print(const std::string& text);

  std::string label_;
  bool shown_;
  std::function<std::int64_t()> clockMs_;
  std::int64_t startMs_;
  std::string phase_;
  std::string printed_;
  bool finished_ = false;
  std::chrono::steady_clock::time_point lastPrint_{};
};

}  // namespace tw::cli
