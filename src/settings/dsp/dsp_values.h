#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/dsp/dsp_descriptors.h"
#include "settings/dsp/dsp_rows.h"

// What the DSP Parameters page, its file and report items and `tunewright-cli set` do with
// one parameter: value texts, names, and the command that sets it. Pure functions over the
// descriptor table, the DSP block layout and the reply decoding table.
namespace tw::settings::dsp {

inline constexpr std::string_view kDspPageCaption = "DSP Parameters";

// ---- value texts ----------------------------------------------------------------------------
// The text of `value` as the value list, the file and the report show it: "-6dB", "1.0",
// "4.0sec", "Neo:6", "ON", "STD", "AUTO". A list value outside its list, which no texts
// can name, shows as the bare number.
std::string DspValueText(const DspDescriptor& descriptor, std::int32_t value);
// The value whose text is `text` (letter case aside), within the record's range; nothing
// for any other text, so that a bad file entry leaves its parameter as it was.
std::optional<std::int32_t> ParseDspValueText(const DspDescriptor& descriptor, std::string_view text);
// What a value may be, for messages: "-6dB .. 3dB", or the list's names "Pro Logic, ...".
std::string DspRangeText(const DspDescriptor& descriptor);

// ---- names ------------------------------------------------------------------------------------
// Program 0..23's name ("Hall in Munich") and file and report section ("DSP Parameters Hall
// in Munich"); empty for any other program.
std::string_view DspProgramName(int program);
std::string DspSectionName(int program);
// The program whose section is `section`, compared as the profile compares section names
// (letter case and surrounding blanks aside).
std::optional<int> FindDspProgramOfSection(std::string_view section);
// The file and report key of a parameter: layout prefix and name ("Dual Sur. Init. Delay");
// empty outside 27..211.
std::string DspKey(int number);
// The parameter of `program` whose key is `key` (compared as the profile compares keys).
std::optional<int> FindDspNumberOfKey(int program, std::string_view key);

// The value the factory leaves parameter `number` with; nothing outside 27..211.
std::optional<std::int32_t> DspFactoryDefault(int number);

// ---- the command ------------------------------------------------------------------------------
// Program 0..23's two-character program code ("00" .. "34"); empty for any other.
std::string_view DspProgramCode(int program);
// The three-character parameter code of `number` ("0E0"); empty outside 27..211.
std::string_view DspParameterCode(int number);
// The address of a parameter's command: "200B0211", program code, parameter code; empty
// outside 27..211.
std::string DspAddress(int number);
// The two value characters that set `value`: the inverse of how the receiver's report of the
// parameter is decoded, so that what is sent reads back as the same value (DSP Level goes
// as value + 6, Dimension as value + 3, a Decode Type as the code of its list entry, the
// rest as the value), upper-case hex. Nothing for a value outside the record's range.
std::optional<std::string> DspWireValue(int number, std::int32_t value);
// The whole extended command: DC4, address, value characters, upper-case checksum, ETX;
// empty when DspWireValue has nothing.
std::string DspCommand(int number, std::int32_t value);

}  // namespace tw::settings::dsp
