#include "pages/eq/tone_control_page.h"

#include <span>

#include "pages/radio_buttons.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

using Reset = CToneControlPage::Reset;

// Every hex digit of this page, checksums included, is upper case.
std::string ZoneData(std::int32_t value) { return Hex(std::int64_t{value} + 10, 2, HexCase::Upper); }
std::string LfeData(std::int32_t level) { return Hex((std::int64_t{level} + 200) / 10, 2, HexCase::Upper); }
std::string DelayData(std::int32_t delay) { return Hex(delay, 2, HexCase::Upper); }
std::vector<std::string> GainCommand(const model::ParameterImage& image, int number, int subIndex);

constexpr std::array<std::string_view, 2> kBypassTexts = {"AUTO", "OFF"};
constexpr std::array<std::string_view, 2> kBypassCodes = {"0", "1"};
constexpr std::array<std::string_view, 3> kRangeTexts = {"Max", "Std", "Min"};
constexpr std::array<std::string_view, 3> kRangeCodes = {"00", "01", "02"};

constexpr ChoiceItem kBypass{289, "Tone Bypass", kBypassTexts, "2A80", kBypassCodes};
constexpr ChoiceItem kRangeSpeaker{305, "Dynamic Range Speaker", kRangeTexts, "264", kRangeCodes};
constexpr ChoiceItem kRangeHeadphone{306, "Dynamic Range Headphone", kRangeTexts, "265", kRangeCodes};

// Speaker and headphone gains, -6.0 .. +6.0 dB: the command carries the band's turnover
// (the number before the gain's), so the address is the command's beginning only.
constexpr LevelItem Gain(int number, std::string_view key, std::string_view address) {
  return {.number = number,
          .key = key,
          .min = -60,
          .max = 60,
          .step = 5,
          .unit = "dB",
          .address = address,
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>,
          .build = GainCommand};
}

// Zone bass and treble in whole dB, -10 .. +10.
constexpr LevelItem ZoneGain(int number, std::string_view key, std::string_view address) {
  return {.number = number,
          .key = key,
          .min = -10,
          .max = 10,
          .step = 1,
          .unit = "dB",
          .address = address,
          .encode = ZoneData,
          .format = WholeDbText,
          .label = Spaced<WholeDbText>};
}

// LFE levels, -20.0 .. 0.0 dB in 1 dB steps.
constexpr LevelItem Lfe(int number, std::string_view key, std::string_view address) {
  return {.number = number,
          .key = key,
          .min = -200,
          .max = 0,
          .step = 10,
          .unit = "dB",
          .address = address,
          .encode = LfeData,
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>};
}

constexpr LevelItem kDelay{.number = 304,
                           .key = "Audio Delay",
                           .min = 0,
                           .max = 240,
                           .step = 1,
                           .address = "253",
                           .encode = DelayData,
                           .format = PlainText,
                           .label = Spaced<PlainText>};

// The bass and treble turnovers travel inside the gain commands (the number after each
// turnover's); they are filed after the gains so that a file keeps what an upload read.
constexpr std::array<std::string_view, 3> kBassTurnovers = {"125Hz", "350Hz", "500Hz"};
constexpr std::array<std::string_view, 3> kTrebleTurnovers = {"2.5kHz", "3.5kHz", "8.0kHz"};
constexpr std::array<ChoiceItem, 4> kTurnovers = {{
    {290, "Speaker Bass Turnover", kBassTurnovers},
    {292, "Speaker Treble Turnover", kTrebleTurnovers},
    {294, "Headphone Bass Turnover", kBassTurnovers},
    {296, "Headphone Treble Turnover", kTrebleTurnovers},
}};
constexpr std::size_t kGainSliders = 4;  // 291, 293, 295, 297: the sliders before the turnovers

// In file order between Tone Bypass and the dynamic ranges.
constexpr std::array<LevelItem, CToneControlPage::kSliderCount> kSliders = {{
    Gain(291, "Speaker Bass Gain", "2009033100"),
    Gain(293, "Speaker Treble Gain", "2009033101"),
    Gain(295, "Headphone Bass Gain", "2009033110"),
    Gain(297, "Headphone Treble Gain", "2009033111"),
    ZoneGain(298, "Zone2 Bass Gain", "24B"),
    ZoneGain(299, "Zone2 Treble Gain", "24C"),
    ZoneGain(300, "Zone3 Bass Gain", "24D"),
    ZoneGain(301, "Zone3 Treble Gain", "24E"),
    Lfe(302, "LFE Level SP", "251"),
    Lfe(303, "LFE Level HP", "252"),
    kDelay,
}};

// DC4, the gain's address, its turnover as one digit, (gain + 60) / 5 as two digits, the
// checksum.
std::vector<std::string> GainCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  for (const LevelItem& item : kSliders) {
    if (item.number != number) continue;
    const auto turnover = ReadValue(image, nullptr, number - 1, -1);
    const auto gain = ReadValue(image, nullptr, number, -1);
    if (!turnover || !gain) return {};
    const std::string body = std::string(item.address) + Hex(*turnover, 1, HexCase::Upper) +
                             Hex((std::int64_t{*gain} + 60) / 5, 2, HexCase::Upper);
    return {MakeCommand(CommandFrame::ExtendedUpper, body)};
  }
  return {};
}

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

// In the order of CToneControlPage::Reset.
constexpr std::array<ResetRule, 7> kResets = {{
    {"Flat", kSpeakerFlat, kSpeakerSent},
    {"Flat", kHeadphoneFlat, kHeadphoneSent},
    {"Flat", kZone2Flat, kZone2Sent},
    {"Flat", kZone3Flat, kZone3Sent},
    {"Flat", kLfeFlat, kLfeSent},
    {"Default", kDelayDefault, kDelaySent},
    {"Default", kRangeDefault, kRangeSent},
}};

// The group boxes, in the order of CToneControlPage::Reset (each frames its reset button).
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

CToneControlPage::CToneControlPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      bypass_(kBypassListId),
      sliders_(ui::MakeControls<ui::CLevelSlider, kSliderCount>(kFirstSliderId)),
      labels_(ui::MakeControls<ui::CStaticSubClass, kSliderCount>(kFirstLabelId)),
      rangeSpeaker_(kRangeSpeakerId, "Speaker", Buttons(kRangeSpeaker, kRangeSpeakerId + 1)),
      rangeHeadphone_(kRangeHeadphoneId, "Headphone", Buttons(kRangeHeadphone, kRangeHeadphoneId + 1)),
      resets_(MakeResetButtons<7>()),
      boxes_(MakeBoxes<7>()) {
  Bind(kBypass, bypass_);
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    if (i == kGainSliders) {
      for (const ChoiceItem& turnover : kTurnovers) Add(turnover);
    }
    Bind(kSliders[i], sliders_[i], &labels_[i]);
  }
  Bind(kRangeSpeaker, rangeSpeaker_);
  Bind(kRangeHeadphone, rangeHeadphone_);
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
      ui::Item("Tone Bypass", bypass_),
      ui::Row({pair(Reset::Speaker, 291, "Bass", 293, "Treble"), pair(Reset::Headphone, 295, "Bass", 297, "Treble"),
               pair(Reset::Zone2, 298, "Bass", 299, "Treble"), pair(Reset::Zone3, 300, "Bass", 301, "Treble")}),
      ui::Row({pair(Reset::Lfe, 302, "SP", 303, "HP"),
               ui::Group(boxes_[delay], {ui::Column({ui::Item(slider(304)), ui::Item(label(304))}),
                                         ui::Item(resets_[delay])}),
               ui::Group(boxes_[range], {ui::Row({ui::Item(rangeSpeaker_), ui::Item(rangeHeadphone_)}),
                                         ui::Item(resets_[range])})}),
  }));
}

std::string CToneControlPage::SilenceReason(const model::ParameterImage& /*image*/, int number,
                                            int /*subIndex*/) const {
  for (const ChoiceItem& turnover : kTurnovers) {
    if (turnover.number != number) continue;
    for (const LevelItem& gain : kSliders) {
      if (gain.number == number + 1) {
        return "it travels inside the " + std::string(gain.key) + " command; set that again to send it";
      }
    }
  }
  return {};
}

void CToneControlPage::reset(Reset which) {
  const ResetRule& rule = kResets[static_cast<std::size_t>(which)];
  for (const Preset& preset : rule.presets) Store(preset.number, preset.value);
  std::vector<PageItem> items;
  for (int number : rule.sent) {
    ShowItem(number);
    items.push_back({number, -1});
  }
  SendItems(items);
}

std::size_t CToneControlPage::indexOf(int number) const {
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    if (kSliders[i].number == number) return i;
  }
  return 0;
}

ui::CLevelSlider& CToneControlPage::slider(int number) { return sliders_[indexOf(number)]; }

ui::CStaticSubClass& CToneControlPage::label(int number) { return labels_[indexOf(number)]; }

}  // namespace tw::pages
