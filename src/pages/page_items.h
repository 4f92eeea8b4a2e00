#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tw::pages {

// How a command text is framed on the line: a system command STX body ETX, or an extended
// command DC4 body checksum ETX with the checksum's hex digits in the page's letter case.
enum class CommandFrame { Standard, ExtendedUpper, ExtendedLower };

enum class HexCase { Upper, Lower };

// `value` as exactly `digits` hex digits (the low digits of its two's complement).
std::string Hex(std::int64_t value, int digits, HexCase letterCase);
// The framed command for `body`.
std::string MakeCommand(CommandFrame frame, std::string_view body);

// The data digits of a level parameter's command for a stored value.
using LevelEncoder = std::string (*)(std::int32_t value);

// A parameter whose value is the index of one entry of a fixed list of texts: a radio group
// (texts = the button captions) or a combo list (texts = the list entries). The file and
// report text is the entry's text; the command is the address followed by the entry's
// code. Tables of these are constexpr data next to the page that binds them.
struct ChoiceItem {
  int number = 0;
  std::string_view key;
  std::span<const std::string_view> texts;
  std::string_view address;                 // command text before the code
  std::span<const std::string_view> codes;  // one per entry; empty: the item sends nothing
  CommandFrame frame = CommandFrame::Standard;

  // The text of entry `value`; empty for a value outside the list.
  std::string_view Text(std::int32_t value) const;
  // The entry whose text equals `text`: radio captions compare exactly, combo entries
  // ignoring ASCII letter case (the list box's exact search).
  std::optional<std::int32_t> Parse(std::string_view text, bool ignoreCase) const;
  // The framed command for `value`; empty when the item has no command or no such entry.
  std::string Command(std::int32_t value) const;
};

// A parameter in tenths of its unit on a CLevelSlider: min..max in steps of `step`. The
// file and report text is the level text ("-10.0dB"); reading it back accepts only values
// in range and on the step. The command is the address followed by encode(value).
struct LevelItem {
  int number = 0;
  std::string_view key;
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::int32_t step = 1;
  std::string_view unit;
  std::string_view address;
  LevelEncoder encode = nullptr;  // nullptr: the item sends nothing
  CommandFrame frame = CommandFrame::Standard;

  std::string Text(std::int32_t value) const;
  std::optional<std::int32_t> Parse(std::string_view text) const;
  std::string Command(std::int32_t value) const;
};

}  // namespace tw::pages
