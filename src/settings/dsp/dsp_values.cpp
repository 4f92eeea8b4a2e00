#include "settings/dsp/dsp_values.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "model/ascii.h"
#include "model/decode_table.h"
#include "settings/setting_items.h"
#include "settings/basic/basic_lists.h"

namespace tw::settings::dsp {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Section and key names as the profile matches them.
bool SameProfileName(std::string_view a, std::string_view b) {
  return model::EqualsIgnoringCase(TrimBlanks(a), TrimBlanks(b));
}

// "1.5", "-0.5": tenths with one decimal, the sign in front of the whole value.
std::string Tenths(std::int32_t value) {
  const std::int64_t magnitude = std::llabs(std::int64_t{value});
  return (value < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

bool InProgramRange(int program) { return program >= 0 && program < model::kSoundProgramCount; }

// Where the receiver's report of a parameter puts its value: the program and parameter
// codes of the read address and the decode node that turns the value characters into
// the page's value.
struct ReadAddress {
  std::string_view program;
  std::string_view parameter;
  const model::DecodeNode* node = nullptr;
};

// DC4 "200B0210", then the program code and the parameter code.
constexpr std::string_view kReadPrefix =
    "\x14"
    "200B0210";
constexpr std::string_view kWritePrefix = "200B0211";

const std::array<ReadAddress, kDspParameterCount>& ReadAddresses() {
  static const std::array<ReadAddress, kDspParameterCount> addresses = [] {
    std::array<ReadAddress, kDspParameterCount> found{};
    for (const model::ReplyEntry& entry : model::kReplyTable) {
      if (entry.nodeCount != 1 || entry.nodes[0].group != model::kGroupDspParameters) continue;
      const std::string_view prefix = entry.prefix.view();
      const int number = entry.nodes[0].number;
      if (prefix.size() != kReadPrefix.size() + 5 || prefix.substr(0, kReadPrefix.size()) != kReadPrefix)
        continue;
      if (number < model::kFirstDspNumber || number > model::kLastDspNumber) continue;
      found[static_cast<std::size_t>(number - model::kFirstDspNumber)] = {
          prefix.substr(kReadPrefix.size(), 2), prefix.substr(kReadPrefix.size() + 2, 3), &entry.nodes[0]};
    }
    return found;
  }();
  return addresses;
}

const ReadAddress* FindReadAddress(int number) {
  if (number < model::kFirstDspNumber || number > model::kLastDspNumber) return nullptr;
  const ReadAddress& address = ReadAddresses()[static_cast<std::size_t>(number - model::kFirstDspNumber)];
  return address.node ? &address : nullptr;
}

}  // namespace

std::string DspValueText(const DspDescriptor& descriptor, std::int32_t value) {
  const std::string unit(descriptor.unit);
  switch (descriptor.kind) {
    case kNumber:
    case kDualNumber:
    case kTriQuadNumber:
    case kQuadOnlyNumber:
      return std::to_string(value) + unit;
    case kTenths:
    case kDualTenths:
    case kTriQuadTenths:
    case kQuadOnlyTenths:
      return Tenths(value) + unit;
    case kTenthsBare:
      return Tenths(value);
    case kStdAtZero:
      return value == 0 ? "STD" : std::to_string(value);
    case kOnOff:
      return value != 0 ? "ON" : "OFF";
    case kAutoOff:
      return value != 0 ? "AUTO" : "OFF";
    case kList: {
      const auto choices = DspChoices(descriptor.selectorOrStep);
      if (value >= 0 && static_cast<std::size_t>(value) < choices.size())
        return std::string(choices[static_cast<std::size_t>(value)].name);
      return std::to_string(value);
    }
    default:
      return std::to_string(value);  // kWidth, kFocus, kTruBass
  }
}

std::optional<std::int32_t> ParseDspValueText(const DspDescriptor& descriptor, std::string_view text) {
  if (IsChoiceRecord(descriptor)) return std::nullopt;
  // Only a text the page itself would show is taken, so every written value reads back
  // exactly and nothing near it ("3", "3 dB", "1.00") is guessed at.
  for (std::int32_t value = descriptor.min; value <= descriptor.max; ++value) {
    if (model::EqualsIgnoringCase(DspValueText(descriptor, value), text)) return value;
  }
  return std::nullopt;
}

std::string DspRangeText(const DspDescriptor& descriptor) {
  if (descriptor.kind != kList) {
    return DspValueText(descriptor, descriptor.min) + " .. " + DspValueText(descriptor, descriptor.max);
  }
  std::string names;
  for (std::int32_t value = descriptor.min; value <= descriptor.max; ++value) {
    if (!names.empty()) names += ", ";
    names += DspValueText(descriptor, value);
  }
  return names;
}

std::string_view DspProgramName(int program) {
  return InProgramRange(program) ? basic::kPrograms[static_cast<std::size_t>(program)]
                                 : std::string_view();
}

std::string DspSectionName(int program) {
  if (!InProgramRange(program)) return {};
  return std::string(kDspPageCaption) + " " + std::string(DspProgramName(program));
}

std::optional<int> FindDspProgramOfSection(std::string_view section) {
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    if (SameProfileName(DspSectionName(program), section)) return program;
  }
  return std::nullopt;
}

std::string DspKey(int number) {
  const DspDescriptor* descriptor = FindDspDescriptor(number);
  if (!descriptor) return {};
  return std::string(DspLayoutPrefix(descriptor->kind)) + std::string(descriptor->name);
}

std::optional<int> FindDspNumberOfKey(int program, std::string_view key) {
  for (const int number : DspListOrder(program)) {
    if (SameProfileName(DspKey(number), key)) return number;
  }
  return std::nullopt;
}

std::optional<std::int32_t> DspFactoryDefault(int number) {
  const std::optional<int> program = model::DspProgramOfNumber(number);
  if (!program) return std::nullopt;
  const model::DspProgramLayout& layout = model::kDspLayout[static_cast<std::size_t>(*program)];
  const auto position = layout.slotOfNumber[static_cast<std::size_t>(number - layout.firstNumber)];
  return layout.defaults[static_cast<std::size_t>(position)];
}

std::string_view DspProgramCode(int program) {
  if (!InProgramRange(program)) return {};
  const ReadAddress* address =
      FindReadAddress(model::kDspLayout[static_cast<std::size_t>(program)].firstNumber);
  return address ? address->program : std::string_view();
}

std::string_view DspParameterCode(int number) {
  const ReadAddress* address = FindReadAddress(number);
  return address ? address->parameter : std::string_view();
}

std::string DspAddress(int number) {
  const ReadAddress* address = FindReadAddress(number);
  if (!address) return {};
  return std::string(kWritePrefix) + std::string(address->program) + std::string(address->parameter);
}

std::optional<std::string> DspWireValue(int number, std::int32_t value) {
  const ReadAddress* address = FindReadAddress(number);
  const DspDescriptor* descriptor = FindDspDescriptor(number);
  if (!address || value < descriptor->min || value > descriptor->max) return std::nullopt;
  const model::DecodeNode& node = *address->node;
  if (node.kind == model::kKindList) {
    if (value < 0 || static_cast<std::size_t>(value) >= node.values.size()) return std::nullopt;
    return std::string(node.values[static_cast<std::size_t>(value)]);
  }
  if (node.kind != model::kKindHex && node.kind != model::kKindScaledHex) return std::nullopt;
  // The report reads hex * scale (when scale > 1) - offset; send the hex that gives `value`.
  std::int64_t raw = value;
  if (node.kind == model::kKindScaledHex) {
    raw += node.offset;
    if (node.scale > 1) {
      if (raw % node.scale != 0) return std::nullopt;
      raw /= node.scale;
    }
  }
  const std::int64_t limit = std::int64_t{1} << (4 * node.len);
  if (raw < 0 || raw >= limit) return std::nullopt;
  return Hex(raw, node.len, HexCase::Upper);
}

std::string DspCommand(int number, std::int32_t value) {
  const std::optional<std::string> wire = DspWireValue(number, value);
  if (!wire) return {};
  return MakeCommand(CommandFrame::ExtendedUpper, DspAddress(number) + *wire);
}

}  // namespace tw::settings::dsp
