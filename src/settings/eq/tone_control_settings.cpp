#include "settings/eq/tone_control_settings.h"

namespace tw::settings {
namespace {

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

// Speaker and headphone gains: the command carries the band's turnover (the number before
// the gain's), so the address is the command's beginning only.
constexpr LevelItem Gain(int number, std::string_view key, std::string_view address) {
  LevelItem gain = HalfDbGain(number, key);
  gain.address = address;
  gain.build = GainCommand;
  return gain;
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
constexpr std::array<LevelItem, tone_control::kSliders.size()> kSliders = {{
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

// A turnover goes out inside its gain's command.
class ToneControl final : public PageSettings {
 public:
  using PageSettings::PageSettings;

  std::string SilenceReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/) const override {
    for (int turnover : tone_control::kTurnovers) {
      if (turnover == number) {
        return "it travels inside the " + std::string(Level(number + 1).key) + " command; set that again to send it";
      }
    }
    return {};
  }
};

}  // namespace

const PageSettings& ToneControlSettings() {
  static const ToneControl settings = [] {
    ToneControl s("Tone Control");
    s.Add(kBypass, true);
    for (std::size_t i = 0; i < kSliders.size(); ++i) {
      if (i == kGainSliders) {
        for (const ChoiceItem& turnover : kTurnovers) s.Add(turnover);
      }
      s.Add(kSliders[i]);
    }
    s.Add(kRangeSpeaker);
    s.Add(kRangeHeadphone);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
