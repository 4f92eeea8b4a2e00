#pragma once

#include "model/parameter_image.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tw::model {

// Factory values of the blocks, in block order. Pages that offer "Default" copy these.
inline constexpr std::array<std::int32_t, 15> kBasicControlDefaults = {5,    0, 0, 14, 0, 1, 0, 1,
                                                                       -400, 0, 0, 0,  1, 1, 1};
inline constexpr std::array<std::int32_t, 12> kMultiZoneDefaults = {5, 0, 0, 0,    -400, 5,
                                                                    0, 0, 0, -400, 20,   20};
inline constexpr std::array<std::int32_t, 28> kInputDspDefaults = {
    28, 0, 8, 0, 9, 0, 4, 0, 7, 0, 14, 0, 12, 0, 28, 0, 28, 0, 28, 0, 28, 0, 22, 0, 28, 0, 0, 0};
// Eight characters each, blank-padded as the receiver stores them.
inline constexpr std::array<std::string_view, 14> kInputNameDefaults = {
    " PHONO  ", "   CD   ", " TUNER  ", "  CD-R  ", "MD/TAPE ", "  DVD   ", "  DTV   ",
    "CBL/SAT ", "  VCR1  ", "DVR/VCR2", " V-AUX  ", "   XM   ", "  DOCK  ", "MULTI CH"};
inline constexpr std::array<std::int32_t, 14> kIoAssignDefaults = {5, 6, 7, 1, 5, 9, 1, 5, 6, 7, 4, 3, 5, 7};
inline constexpr std::array<std::int32_t, 10> kSpeakerLevelDefaults = {0,   0,   0,   -10, -10,
                                                                       -10, -10, -10, 0,   0};
inline constexpr std::array<std::int32_t, 10> kSpeakerDistanceMetreDefaults = {300, 300, 300, 240, 240,
                                                                               240, 240, 260, 300, 300};
inline constexpr std::array<std::int32_t, 10> kSpeakerDistanceFeetDefaults = {100, 100, 100, 80,  80,
                                                                              80,  80,  85,  100, 100};
inline constexpr std::array<std::int32_t, 18> kToneDefaults = {0, 1, 1, 0, 0, 1, 1, 0, 0,
                                                               0, 0, 0, 0, 0, 0, 0, 0, 0};
inline constexpr std::int32_t kControlOutTrigger = 1;         // every trigger H
inline constexpr std::int32_t kControlOutTriggerControl = 3;  // Zone OR
inline constexpr std::array<std::int32_t, 10> kGraphicEqChannelIds = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10};
inline constexpr std::array<std::int32_t, 9> kSpeakerSetDefaults = {0, 1, 1, 2, 0, 2, 0, 0, 0};
inline constexpr std::int32_t kXmPresetDefault = 1;
inline constexpr std::array<std::int32_t, 12> kDisplaySetDefaults = {0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 2, 0};
inline constexpr std::array<std::int32_t, 3> kMultiChDefaults = {0, 3, 6};
inline constexpr std::array<std::int32_t, 3> kOtherDefaults = {0, 0, 0};
inline constexpr std::array<std::int32_t, 11> kAdvancedSetupDefaults = {0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0};
inline constexpr std::array<std::int32_t, 5> kIpodDefaults = {1, 0, 0, 0, 0};

// Block-level default writers for the pages' "Default" buttons.
void WriteInputNameDefaults(std::array<Text10, 14>& names);
// The ten distances for the block's current unit (0 metres, otherwise feet); the unit stays.
void WriteSpeakerDistanceDefaults(SpeakerDistanceBlock& block);
void WriteControlOutDefaults(std::array<std::array<std::int32_t, 38>, 2>& block);
void WriteGraphicEqDefaults(std::array<GraphicEqChannel, 10>& block);
void WriteXmDefaults(XmBlock& block);

}  // namespace tw::model
