#pragma once

#include <array>

#include "settings/page_settings.h"

namespace tw::settings {

namespace multi_zone {
// The numbers of one zone's items.
struct Zone {
  int input;
  int amplifier;
  int volumeOut;
  int volume;
  int mute;
  int balance;
};
// Zone2, then Zone3.
inline constexpr std::array<Zone, 2> kZones = {{{15, 16, 17, 18, 19, 25}, {20, 21, 22, 23, 24, 26}}};
}  // namespace multi_zone

// Multi Zone (15..26): input, amplifier, volume out, volume, mute and balance of Zone2 and
// Zone3; what a zone the receiver lacks holds is never sent. The zones never share an
// internal amplifier output: Accepts refuses an amplifier that the other zone's refuses,
// and a file's two amplifiers are first judged as a pair, so that a file that swaps them
// loads.
const PageSettings& MultiZoneSettings();

}  // namespace tw::settings
