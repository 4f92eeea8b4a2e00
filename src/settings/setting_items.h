#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_table.h"
#include "model/parameter_image.h"

namespace tw::settings {

// How a command text is framed on the line: a system command STX body ETX, or an extended
// command DC4 body checksum ETX with the checksum's hex digits in the page's letter case.
enum class CommandFrame { Standard, ExtendedUpper, ExtendedLower };

enum class HexCase { Upper, Lower };

// `value` as exactly `digits` hex digits (the low digits of its two's complement).
std::string Hex(std::int64_t value, int digits, HexCase letterCase);
// The framed command for `body`.
std::string MakeCommand(CommandFrame frame, std::string_view body);

// What an item, or one entry of a list, needs of the connected receiver.
enum class Needs : std::uint8_t { Nothing, Zone2, Zone3, BothZones, Xm, Zone2AndXm, Zone3AndXm };
bool Satisfied(Needs needs, const model::Capabilities& capabilities);

// The data digits of a level parameter's command for a stored value.
using LevelEncoder = std::string (*)(std::int32_t value);
// A value's text in files, reports and labels.
using ValueFormat = std::string (*)(std::int32_t value);
// A value text back to the value; nothing when the text is not one the item accepts.
using ValueParse = std::optional<std::int32_t> (*)(std::string_view text);
// The commands of one item built from the whole image, for commands that carry other values
// of the block (a gain with its turnover) or whose address depends on the item's place.
// Empty: the item sends nothing.
using CommandBuild = std::vector<std::string> (*)(const model::ParameterImage& image, int number,
                                                  int subIndex);

// Items whose number stands for one value per record (a channel of an equaliser): the
// record is the item's sub-index. The key of a record's item is its prefix then the key.
struct Records {
  int count = 0;
  std::optional<std::int32_t> (*get)(const model::ParameterImage& image, int record, int number) = nullptr;
  bool (*set)(model::ParameterImage& image, int record, int number, std::int32_t value) = nullptr;
  std::span<const std::string_view> keyPrefixes = {};
};

// A parameter whose value is one entry of a fixed list of texts: a radio group (texts = the
// button captions), a combo list (texts = the list entries) or a check box (two entries,
// unchecked and checked). The file and report text is the entry's text; the command is the
// address followed by the entry's code. Tables of these are constexpr data next to the page
// that binds them.
struct ChoiceItem {
  int number = 0;
  std::string_view key = {};
  std::span<const std::string_view> texts = {};
  std::string_view address = {};                 // command text before the code
  std::span<const std::string_view> codes = {};  // one per entry; empty: the item sends nothing
  CommandFrame frame = CommandFrame::Standard;
  // The value each entry stores; empty: the entry's index.
  std::span<const std::int32_t> values = {};
  // Entries from this one on have no button or list entry, but are still read and written
  // by files (a hidden button); -1: every entry is shown.
  int shown = -1;
  // What each entry needs of the receiver; a list leaves out what is missing. Empty: all
  // entries are always there.
  std::span<const Needs> entryNeeds = {};
  Needs needs = Needs::Nothing;
  CommandBuild build = nullptr;  // replaces address and codes
  const Records* records = nullptr;

  int count() const { return static_cast<int>(texts.size()); }
  bool isShown(int entry) const { return shown < 0 || entry < shown; }
  // The value entry `entry` stores.
  std::int32_t ValueOf(int entry) const;
  // The entry that stores `value`, or nothing.
  std::optional<int> EntryOf(std::int32_t value) const;
  // The text of the entry that stores `value`; empty for a value of no entry.
  std::string_view Text(std::int32_t value) const;
  // The value of the entry whose text equals `text`: radio captions compare exactly, combo
  // entries ignoring ASCII letter case (the list box's exact search).
  std::optional<std::int32_t> Parse(std::string_view text, bool ignoreCase) const;
  // The framed command for `value`; empty when the item has no codes or no such entry.
  std::string Command(std::int32_t value) const;
};

// A parameter on a slider: min..max in steps of `step`, in the item's own units (tenths of
// a dB for most levels). The file and report text is `format` (default: the level text
// "-10.0dB" in tenths of `unit`); reading a text accepts exactly the texts of the values in
// range and on the step unless the item gives its own `parse`. The command is the address
// followed by encode(value).
struct LevelItem {
  int number = 0;
  std::string_view key = {};
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::int32_t step = 1;
  std::string_view unit = {};
  std::string_view address = {};
  LevelEncoder encode = nullptr;  // nullptr: the item sends nothing (unless `build`)
  CommandFrame frame = CommandFrame::Standard;
  ValueFormat format = nullptr;
  ValueFormat label = nullptr;  // the slider's readout; default: the value text
  ValueParse parse = nullptr;
  Needs needs = Needs::Nothing;
  CommandBuild build = nullptr;
  const Records* records = nullptr;

  std::string Text(std::int32_t value) const;
  std::string LabelText(std::int32_t value) const { return label != nullptr ? label(value) : Text(value); }
  bool Accepts(std::int32_t value) const;
  std::optional<std::int32_t> Parse(std::string_view text) const;
  std::string Command(std::int32_t value) const;
};

// A parameter held as text (a name, a frequency). The file text is `format` of the stored
// text (default: as stored); `parse` turns a file text into the text to store (default:
// printable ASCII of at most `maxLength` characters, kept as it is). A text that cannot be
// stored is refused; it never falls back to another value.
struct TextItem {
  int number = 0;
  std::string_view key = {};
  std::size_t maxLength = 0;
  std::string (*format)(std::string_view stored) = nullptr;
  std::optional<std::string> (*parse)(std::string_view text) = nullptr;
  CommandBuild build = nullptr;
  Needs needs = Needs::Nothing;

  std::string Text(std::string_view stored) const;
  std::optional<std::string> Parse(std::string_view text) const;
};

// --- value texts that several pages share ---
// The value that a volume shows as "Mute".
inline constexpr int kMuteVolume = -805;
// "-12.5dB": a value in tenths, with one decimal and the unit.
std::string LevelText(int tenths, std::string_view unit);
// "%d" of the value.
std::string PlainText(std::int32_t value);
// "%ddB": whole decibels.
std::string WholeDbText(std::int32_t value);
// "%d.%ddB": tenths of a decibel.
std::string TenthsDbText(std::int32_t value);
// "Mute" at the bottom of a volume (-80.5 dB), otherwise tenths of a decibel.
std::string VolumeText(std::int32_t value);
// A balance of 0..40 around 20: "Mid", "L%d" towards 0, "R%d" towards 40.
std::string BalanceText(std::int32_t value);
// " " before the value text, as the readouts beside sliders show it.
template <ValueFormat Format>
std::string Spaced(std::int32_t value) {
  return " " + Format(value);
}

// A gain of -6.0 .. +6.0 dB in 0.5 dB steps (an equaliser band, a tone gain): files hold
// "-1.5dB", the readout " -1.5dB". The caller adds how it is sent.
constexpr LevelItem HalfDbGain(int number, std::string_view key) {
  return {.number = number,
          .key = key,
          .min = -60,
          .max = 60,
          .step = 5,
          .unit = "dB",
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>};
}

// --- reading and writing an item's value in an image ---
// An item's integer value: by number, or in the record `subIndex` for items with records.
std::optional<std::int32_t> ReadValue(const model::ParameterImage& image, const Records* records, int number,
                                      int subIndex);
bool WriteValue(model::ParameterImage& image, const Records* records, int number, int subIndex,
                std::int32_t value);
std::optional<std::string> ReadText(const model::ParameterImage& image, int number);
// The key of an item, with its record's prefix.
std::string ItemKey(std::string_view key, const Records* records, int subIndex);

}  // namespace tw::settings
