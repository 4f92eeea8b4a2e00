#include "settings/input/input_rename_settings.h"

#include <algorithm>
#include <array>

namespace tw::settings {
namespace {

using input_rename::kFirstNumber;
using input_rename::kInputCount;
using input_rename::PaddedName;

// The inputs in block order, each with the code its name command carries.
struct NamedInput {
  std::string_view key;
  std::string_view code;
};
constexpr std::array<NamedInput, kInputCount> kInputs = {{
    {"PHONO", "00"},
    {"CD", "01"},
    {"TUNER", "02"},
    {"CD-R", "03"},
    {"MD/TAPE", "04"},
    {"DVD", "05"},
    {"DTV", "06"},
    {"CBL/SAT", "07"},
    {"VCR1", "09"},
    {"DVR/VCR2", "0A"},
    {"V-AUX", "0C"},
    {"XM", "0E"},
    {"DOCK", "20"},
    {"MULTI CH", "10"},
}};

constexpr int kXmInput = 11;

// The name command: address, the input's code, the length "08", the eight characters.
std::vector<std::string> NameCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const int index = number - kFirstNumber;
  if (index < 0 || index >= kInputCount) return {};
  const auto name = PaddedName(ReadText(image, number).value_or(""));
  if (!name) return {};
  const std::string body = "201101110" + std::string(kInputs[static_cast<std::size_t>(index)].code) + "08" + *name;
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

// Files write each name between quotes, which the reader takes off when both are there. A
// value that begins with a quote and holds an odd number of them lost its closing quote: it
// was cut short, and is no name.
std::optional<std::string> NameFromFile(std::string_view text) {
  if (!text.empty() && text.front() == '"' && std::count(text.begin(), text.end(), '"') % 2 != 0) return std::nullopt;
  return PaddedName(text);
}

constexpr TextItem Name(int index) {
  return {.number = kFirstNumber + index,
          .key = kInputs[static_cast<std::size_t>(index)].key,
          .maxLength = input_rename::kNameLength,
          .parse = NameFromFile,
          .build = NameCommand,
          // The receiver has no XM name without the XM tuner: it refuses the command.
          .needs = index == kXmInput ? Needs::Xm : Needs::Nothing};
}

class InputRename final : public PageSettings {
 public:
  InputRename() : PageSettings("Input Rename") {
    for (int i = 0; i < kInputCount; ++i) Add(Name(i));
  }

  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override {
    ItemText text = PageSettings::DescribeItem(image, number, subIndex, forReport);
    if (!text.key.empty()) text.value = "\"" + text.value + "\"";
    return text;
  }

  std::string RefusalReason(const model::ParameterImage& /*image*/, int /*number*/, int /*subIndex*/,
                            std::string_view /*text*/) const override {
    return "allowed: up to eight characters of plain ASCII";
  }
};

}  // namespace

std::optional<std::string> input_rename::PaddedName(std::string_view text) {
  // Blanks past the eighth character carry nothing; anything else there would be lost.
  while (text.size() > kNameLength && text.back() == ' ') text.remove_suffix(1);
  const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
  if (!printable || text.size() > kNameLength) return std::nullopt;
  std::string name(text);
  name.resize(kNameLength, ' ');
  return name;
}

const PageSettings& InputRenameSettings() {
  static const InputRename settings;
  return settings;
}

}  // namespace tw::settings
