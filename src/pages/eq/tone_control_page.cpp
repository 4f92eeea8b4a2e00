#include "pages/eq/tone_control_page.h"

#include <span>

#include "settings/eq/tone_control_settings.h"

namespace tw::pages {
namespace {

using Reset = ToneControlPage::Reset;
using settings::tone_control::kRangeHeadphone;
using settings::tone_control::kRangeSpeaker;
using settings::tone_control::kSliders;
using settings::tone_control::kTurnovers;

// What each reset button stores, and what it then sends in Real Time Mode.
struct Preset {
  int number;
  std::int32_t value;
};
struct ResetRule {
  std::string_view caption;
  std::span<const Preset> presets;
  std::span<const int> sent;
};

// Flat speaker and headphone tone: turnovers 350Hz and 3.5kHz, gains 0.
constexpr std::array<Preset, 4> kSpeakerFlat = {{{290, 1}, {292, 1}, {291, 0}, {293, 0}}};
constexpr std::array<Preset, 4> kHeadphoneFlat = {{{294, 1}, {296, 1}, {295, 0}, {297, 0}}};
constexpr std::array<Preset, 2> kZone2Flat = {{{298, 0}, {299, 0}}};
constexpr std::array<Preset, 2> kZone3Flat = {{{300, 0}, {301, 0}}};
constexpr std::array<Preset, 2> kLfeFlat = {{{302, 0}, {303, 0}}};
constexpr std::array<Preset, 1> kDelayDefault = {{{304, 0}}};
constexpr std::array<Preset, 2> kRangeDefault = {{{305, 0}, {306, 0}}};
constexpr std::array<int, 2> kSpeakerSent = {291, 293};
constexpr std::array<int, 2> kHeadphoneSent = {295, 297};
constexpr std::array<int, 2> kZone2Sent = {298, 299};
constexpr std::array<int, 2> kZone3Sent = {300, 301};
constexpr std::array<int, 2> kLfeSent = {302, 303};
constexpr std::array<int, 1> kDelaySent = {304};
constexpr std::array<int, 2> kRangeSent = {305, 306};

// In the order of ToneControlPage::Reset.
constexpr std::array<ResetRule, 7> kResets = {{
    {"Flat", kSpeakerFlat, kSpeakerSent},
    {"Flat", kHeadphoneFlat, kHeadphoneSent},
    {"Flat", kZone2Flat, kZone2Sent},
    {"Flat", kZone3Flat, kZone3Sent},
    {"Flat", kLfeFlat, kLfeSent},
    {"Default", kDelayDefault, kDelaySent},
    {"Default", kRangeDefault, kRangeSent},
}};

// The group boxes, in the order of ToneControlPage::Reset (each frames its reset button).
constexpr std::array<std::string_view, 7> kBoxCaptions = {
    "Speaker", "Headphone", "Zone2 Tone Control", "Zone3 Tone Control", "LFE Level", "Audio Delay",
    "Dynamic Range"};

constexpr int kBypassListId = 1600;
constexpr int kFirstSliderId = 1610;
constexpr int kFirstLabelId = 1630;
constexpr int kRangeSpeakerId = 1650;
constexpr int kRangeHeadphoneId = 1660;
constexpr int kFirstResetId = 1670;
constexpr int kFirstBoxId = 1680;

template <std::size_t N>
std::array<ui::Button, N> MakeResetButtons() {
  return []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<ui::Button, N>{
        ui::Button(kFirstResetId + static_cast<int>(I), std::string(kResets[I].caption))...};
  }(std::make_index_sequence<N>{});
}

template <std::size_t N>
std::array<ui::GroupBox, N> MakeBoxes() {
  return []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<ui::GroupBox, N>{ui::GroupBox(kFirstBoxId + static_cast<int>(I), std::string(kBoxCaptions[I]))...};
  }(std::make_index_sequence<N>{});
}

}  // namespace

ToneControlPage::ToneControlPage(const PageContext& context)
    : ItemPage(context, settings::ToneControlSettings()), resets_(MakeResetButtons<7>()), boxes_(MakeBoxes<7>()) {
  ui::ListCombo& bypass = MakeList(settings::tone_control::kBypass, kBypassListId);
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    MakeSlider(kSliders[i], kFirstSliderId + static_cast<int>(i), kFirstLabelId + static_cast<int>(i));
  }
  for (int turnover : kTurnovers) Add(settings().Choice(turnover));
  ui::RadioGroup& rangeSpeaker = MakeRadios(kRangeSpeaker, kRangeSpeakerId, "Speaker");
  ui::RadioGroup& rangeHeadphone = MakeRadios(kRangeHeadphone, kRangeHeadphoneId, "Headphone");
  for (std::size_t i = 0; i < resets_.size(); ++i) {
    resets_[i].onClicked = [this, i] { reset(static_cast<Reset>(i)); };
  }

  // A slider with its caption above its readout.
  auto channel = [this](int number, std::string caption) {
    return ui::Column({ui::Item(std::move(caption), slider(number)), ui::Item(label(number))});
  };
  // A group of two sliders and its reset button.
  auto pair = [&](Reset which, int first, std::string firstCaption, int second, std::string secondCaption) {
    const auto index = static_cast<std::size_t>(which);
    return ui::Group(boxes_[index], {ui::Row({channel(first, std::move(firstCaption)),
                                              channel(second, std::move(secondCaption))}),
                                     ui::Item(resets_[index])});
  };
  const auto delay = static_cast<std::size_t>(Reset::AudioDelay);
  const auto range = static_cast<std::size_t>(Reset::DynamicRange);
  SetLayout(ui::Column({
      ui::Item("Tone Bypass", bypass),
      ui::Row({pair(Reset::Speaker, 291, "Bass", 293, "Treble"), pair(Reset::Headphone, 295, "Bass", 297, "Treble"),
               pair(Reset::Zone2, 298, "Bass", 299, "Treble"), pair(Reset::Zone3, 300, "Bass", 301, "Treble")}),
      ui::Row({pair(Reset::Lfe, 302, "SP", 303, "HP"),
               ui::Group(boxes_[delay], {ui::Column({ui::Item(slider(304)), ui::Item(label(304))}),
                                         ui::Item(resets_[delay])}),
               ui::Group(boxes_[range], {ui::Row({ui::Item(rangeSpeaker), ui::Item(rangeHeadphone)}),
                                         ui::Item(resets_[range])})}),
  }));
}

void ToneControlPage::reset(Reset which) {
  const ResetRule& rule = kResets[static_cast<std::size_t>(which)];
  for (const Preset& preset : rule.presets) Store(preset.number, preset.value);
  std::vector<PageItem> items;
  for (int number : rule.sent) {
    ShowItem(number);
    items.push_back({number, -1});
  }
  SendItems(items);
}

}  // namespace tw::pages
