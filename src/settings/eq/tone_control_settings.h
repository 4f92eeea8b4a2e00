#pragma once

#include <array>

#include "settings/page_settings.h"

namespace tw::settings {

namespace tone_control {
inline constexpr int kBypass = 289;
inline constexpr int kRangeSpeaker = 305;
inline constexpr int kRangeHeadphone = 306;
// The sliders in file order: the speaker and headphone gains, the zone gains, the LFE
// levels and the audio delay.
inline constexpr std::array<int, 11> kSliders = {291, 293, 295, 297, 298, 299, 300, 301, 302, 303, 304};
// The bass and treble turnovers; each travels inside the command of the gain after it.
inline constexpr std::array<int, 4> kTurnovers = {290, 292, 294, 296};
}  // namespace tone_control

// Tone Control (289..306): tone bypass, speaker and headphone tone, zone tone, LFE levels,
// audio delay and dynamic range.
const PageSettings& ToneControlSettings();

}  // namespace tw::settings
