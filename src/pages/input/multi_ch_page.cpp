#include "pages/input/multi_ch_page.h"

#include <array>

#include "pages/radio_buttons.h"

namespace tw::pages {
namespace {

constexpr std::array<std::string_view, 2> kChannelTexts = {"6ch", "8ch"};
constexpr std::array<std::string_view, 9> kFrontTexts = {"CD",  "CD-R", "MD/TAPE",  "DVD",  "DTV",
                                                         "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX"};
constexpr std::array<std::string_view, 9> kFrontCodes = {"2", "3", "4", "5", "6", "7", "9", "A", "C"};
constexpr std::array<std::string_view, 8> kBgvTexts = {"DVD",      "DTV",   "CBL/SAT", "VCR1",
                                                       "DVR/VCR2", "V-AUX", "LAST",    "OFF"};
constexpr std::array<std::string_view, 8> kBgvCodes = {"5", "6", "7", "9", "A", "C", "1", "0"};

constexpr int kEightChannels = 1;

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
    .number = CMiscPage::kChannels, .key = "6ch/8ch", .texts = kChannelTexts, .build = ChannelsCommand};
constexpr ChoiceItem kInputFrontItem{.number = CMiscPage::kInputFront,
                                     .key = "MULTI CH Input Front",
                                     .texts = kFrontTexts,
                                     .build = InputFrontCommand};
constexpr ChoiceItem kBgvItem{
    .number = CMiscPage::kBgv, .key = "MULTI CH BGV", .texts = kBgvTexts, .address = "26F0", .codes = kBgvCodes};

constexpr int kChannelsFrameId = 1520;
constexpr int kFirstChannelButtonId = 1521;
constexpr int kInputFrontId = 1523;
constexpr int kBgvId = 1524;

}  // namespace

CMiscPage::CMiscPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      channels_(kChannelsFrameId, "MULTI CH", Buttons(kChannelsItem, kFirstChannelButtonId)),
      inputFront_(kInputFrontId),
      bgv_(kBgvId) {
  Bind(kChannelsItem, channels_);
  Bind(kInputFrontItem, inputFront_);
  Bind(kBgvItem, bgv_);
  SetLayout(ui::Column({ui::Item(channels_), ui::Item("Input Front", inputFront_), ui::Item("BGV", bgv_)}));
}

void CMiscPage::UpdateControlStates() { SetItemEnabled(kInputFront, Value(kChannels) == kEightChannels); }

void CMiscPage::OnStored(int number) {
  if (number == kChannels) UpdateControlStates();
}

std::string CMiscPage::SilenceReason(const model::ParameterImage& image, int number, int /*subIndex*/) const {
  if (number != kInputFront || image.multiCh[0] == kEightChannels) return {};
  return "it is used only with 8ch: set \"" + std::string(kChannelsItem.key) + "\" to 8ch first";
}

void CMiscPage::SendItem(int number, int subIndex) {
  if (number == kInputFront && Value(kChannels) != kEightChannels) return;
  CItemPage::SendItem(number, subIndex);
}

void CMiscPage::RestoreFocus() { RestoreRadioFocus(channels_); }

ItemText CMiscPage::DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                                 bool forReport) const {
  ItemText text = CItemPage::DescribeItem(image, number, subIndex, forReport);
  if (forReport && number == kInputFront && image.multiCh[0] != kEightChannels) text.key.clear();
  return text;
}

}  // namespace tw::pages
