#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_table.h"

namespace tw::comm {

// Status of a command list entry.
enum class EntryStatus {
  Pending,    // queued, or written (see resends)
  Rereading,  // a guard was answered with a re-read (Real Time)
  Done,
};
inline constexpr int kMaxResends = 3;

// Macro entries: never written, they act when the list walks over them.
inline constexpr std::string_view kMacroWait = "@WAIT";
inline constexpr std::string_view kMacroMemory = "@MEMORY";
inline constexpr std::string_view kMacroCurrent = "@CURR";
inline constexpr std::string_view kMacroVolumeOut = "@VOLUMEOUT";

struct CommandEntry {
  std::string text;  // the frame as written, or a macro text beginning with '@'
  int number = 0;    // parameter number
  int row = -1;      // command table row, or -1
  EntryStatus status = EntryStatus::Pending;
  int resends = 0;  // while pending: how often it was written again

  bool isMacro() const { return !text.empty() && text.front() == '@'; }
  bool isStandard() const { return !text.empty() && text.front() == '\x02'; }
  bool isExtended() const { return !text.empty() && text.front() == '\x14'; }
  // The command table row the entry was built from; null without one.
  const model::CommandRow* tableRow() const {
    return row >= 0 && row < model::kRowCount ? &model::kCommandTable[static_cast<std::size_t>(row)] : nullptr;
  }
};

// "name, n": the text of a macro entry with an argument.
std::string MacroText(std::string_view name, int argument);
// Whether `text` is the macro `name` (with or without an argument).
bool IsMacro(std::string_view text, std::string_view name);
// The characters after the first comma that follows the macro name ("" without one).
std::string_view MacroArgumentText(std::string_view text);
// Those characters read as a decimal integer, leading blanks skipped (0 when there are none).
int MacroArgument(std::string_view text);

// The ordered list of queued commands. The first pending entry (the first whose status
// is not done) is the command on the line.
class CommandList {
 public:
  // Appends; macro texts are created done.
  void add(std::string text, int number, int row);
  void clear();
  // Deletes every entry after `index`.
  void truncateAfter(std::size_t index);

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  CommandEntry& at(std::size_t index) { return entries_[index]; }
  const CommandEntry& at(std::size_t index) const { return entries_[index]; }

  // Index of the first pending entry, or nothing.
  std::optional<std::size_t> firstPending() const;

  // Counts clear() calls, so that a caller holding an index can tell the list went away.
  unsigned generation() const { return generation_; }

 private:
  std::vector<CommandEntry> entries_;
  // Every entry before this index is done (statuses only ever move on to done).
  mutable std::size_t doneBefore_ = 0;
  unsigned generation_ = 0;
};

}  // namespace tw::comm
