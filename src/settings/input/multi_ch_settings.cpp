#include "settings/input/multi_ch_settings.h"

#include <array>

namespace tw::settings {
namespace {

using multi_ch::kEightChannels;

constexpr std::array<std::string_view, 2> kChannelTexts = {"6ch", "8ch"};
constexpr std::array<std::string_view, 9> kFrontTexts = {"CD",  "CD-R", "MD/TAPE",  "DVD",  "DTV",
                                                         "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX"};
constexpr std::array<std::string_view, 9> kFrontCodes = {"2", "3", "4", "5", "6", "7", "9", "A", "C"};
constexpr std::array<std::string_view, 8> kBgvTexts = {"DVD",      "DTV",   "CBL/SAT", "VCR1",
                                                       "DVR/VCR2", "V-AUX", "LAST",    "OFF"};
constexpr std::array<std::string_view, 8> kBgvCodes = {"5", "6", "7", "9", "A", "C", "1", "0"};

// 6ch is "27B0" "0"; 8ch is "27B0" and the front input's code.
std::string ChannelsFrame(const model::ParameterImage& image) {
  const std::int32_t channels = image.multiCh[0];
  if (channels == 0) return MakeCommand(CommandFrame::Standard, "27B00");
  const std::int32_t front = image.multiCh[1];
  if (channels != kEightChannels || front < 0 || front >= static_cast<std::int32_t>(kFrontCodes.size())) return {};
  return MakeCommand(CommandFrame::Standard, "27B0" + std::string(kFrontCodes[static_cast<std::size_t>(front)]));
}

std::vector<std::string> ChannelsCommand(const model::ParameterImage& image, int /*number*/, int /*subIndex*/) {
  std::string frame = ChannelsFrame(image);
  if (frame.empty()) return {};
  return {std::move(frame)};
}

// The front input travels with 8ch; with 6ch there is nothing to send.
std::vector<std::string> InputFrontCommand(const model::ParameterImage& image, int number, int subIndex) {
  if (image.multiCh[0] != kEightChannels) return {};
  return ChannelsCommand(image, number, subIndex);
}

constexpr ChoiceItem kChannelsItem{
    .number = multi_ch::kChannels, .key = "6ch/8ch", .texts = kChannelTexts, .build = ChannelsCommand};
constexpr ChoiceItem kInputFrontItem{.number = multi_ch::kInputFront,
                                     .key = "MULTI CH Input Front",
                                     .texts = kFrontTexts,
                                     .build = InputFrontCommand};
constexpr ChoiceItem kBgvItem{
    .number = multi_ch::kBgv, .key = "MULTI CH BGV", .texts = kBgvTexts, .address = "26F0", .codes = kBgvCodes};

class MultiCh final : public PageSettings {
 public:
  MultiCh() : PageSettings("MULTI CH") {
    Add(kChannelsItem);
    Add(kInputFrontItem, true);
    Add(kBgvItem, true);
  }

  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override {
    ItemText text = PageSettings::DescribeItem(image, number, subIndex, forReport);
    if (forReport && number == multi_ch::kInputFront && image.multiCh[0] != kEightChannels) text.key.clear();
    return text;
  }

  std::string SilenceReason(const model::ParameterImage& image, int number, int /*subIndex*/) const override {
    if (number != multi_ch::kInputFront || image.multiCh[0] == kEightChannels) return {};
    return "it is used only with 8ch: set \"" + std::string(kChannelsItem.key) + "\" to 8ch first";
  }
};

}  // namespace

const PageSettings& MultiChSettings() {
  static const MultiCh settings;
  return settings;
}

}  // namespace tw::settings
