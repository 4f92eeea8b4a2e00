#include "settings/speaker/speaker_level_settings.h"

#include <array>

#include "settings/speaker/speaker_values.h"

namespace tw::settings {
namespace {

// A channel's level: files hold "-0.5dB" (only that form is read back), the readout " -0.5dB".
constexpr LevelItem Level(int number, std::string_view key, std::string_view address) {
  return {.number = number,
          .key = key,
          .min = speaker::kLevelMin,
          .max = speaker::kLevelMax,
          .step = speaker::kLevelStep,
          .unit = "dB",
          .address = address,
          .encode = speaker::LevelData,
          .label = speaker::LevelLabel};
}

// The channels in number order (the file order). The receiver takes the levels at these
// addresses; it reports four of them under other codes (PRR 47, PRL 48, SBR 45, SBL 46),
// which the reply decoder maps back to the same numbers.
constexpr std::array<LevelItem, 10> kLevels = {{
    Level(268, "FL", "241"),
    Level(269, "FR", "240"),
    Level(270, "CT", "242"),
    Level(271, "SL", "244"),
    Level(272, "SR", "243"),
    Level(273, "SBL", "248"),
    Level(274, "SBR", "247"),
    Level(275, "PRL", "246"),
    Level(276, "PRR", "245"),
    Level(277, "SW", "249"),
}};

// A download sends the levels from SW down to CT, then FL, then FR.
constexpr std::array<int, 10> kSendOrder = {277, 276, 275, 274, 273, 272, 271, 270, 268, 269};

}  // namespace

const PageSettings& SpeakerLevelSettings() {
  static const PageSettings settings = [] {
    PageSettings s("Speaker Level");
    for (const LevelItem& item : kLevels) s.Add(item);
    s.SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
