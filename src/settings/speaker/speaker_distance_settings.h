#pragma once

#include <array>
#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

namespace speaker_distance {

inline constexpr int kUnit = 278;

struct Channel {
  int number;
  std::string_view key;
  char code;  // the channel in the distance command
};

// In number order (the file and send order).
inline constexpr std::array<Channel, 10> kChannels = {{
    {279, "FL", '2'},
    {280, "FR", '3'},
    {281, "CT", '0'},
    {282, "SL", '4'},
    {283, "SR", '5'},
    {284, "SBL", '6'},
    {285, "SBR", '7'},
    {286, "PRL", '8'},
    {287, "PRR", '9'},
    {288, "SW", 'A'},
}};

}  // namespace speaker_distance

// Speaker Distance: the unit of the block (278, metres or feet) and the distance of each
// speaker (279..288) in that unit. Sending: the ten distances (each command carries the
// unit). File and report: the unit first, so that a file sets it before its distances are
// read; a distance is read in the unit of the image.
const PageSettings& SpeakerDistanceSettings();

}  // namespace tw::settings
