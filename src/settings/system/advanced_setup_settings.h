#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

namespace advanced_setup {
inline constexpr int kSpeakerImpedance = 535;
inline constexpr int kUserPreset = 536;
inline constexpr int kXmId = 541;
inline constexpr int kTunerFrequencyStep = 543;
inline constexpr int kVideoReset = 545;
inline constexpr int kLast = 545;
// Tuner Frequency Step that regions 2 and 3 fix in Async Mode.
inline constexpr std::int32_t kStepOfRegion2 = 1;  // AM9/FM50
inline constexpr std::int32_t kStepOfRegion3 = 0;  // AM10/FM100
}  // namespace advanced_setup

// Advanced Setup (535..545), one choice each in number order (the file and send order).
// Files and downloads list what the tuner region has; downloads never send the resets.
const PageSettings& AdvancedSetupSettings();

}  // namespace tw::settings
