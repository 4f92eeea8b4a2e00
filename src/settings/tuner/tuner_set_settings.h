#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

namespace tuner_set {
inline constexpr int kCurrentNumber = 436;
inline constexpr int kFirstPresetNumber = 437;
inline constexpr int kLastNumber = 476;
}  // namespace tuner_set

// Tuner Set: the tuner's current frequency (436) and its 40 presets, pages A..E with eight
// presets each (437..476). Files list the current frequency first; a download tunes the
// presets first and the current frequency last.
const PageSettings& TunerSetSettings();

}  // namespace tw::settings
