#pragma once

#include <array>
#include <string_view>

namespace tw::settings::basic {

// The fixed contents of the Basic Control lists. The texts are also the file and report
// vocabulary of section "Basic Control"; the stored value is the list index.
inline constexpr std::array<std::string_view, 13> kInputs = {
    "PHONO",   "CD",   "TUNER",    "CD-R",       "MD/TAPE", "DVD",     "DTV",
    "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX/DOCK", "XM",      "MULTI CH"};
inline constexpr std::array<std::string_view, 4> kAudioSelect = {"Auto", "HDMI", "Coax/Opt", "Analog"};
inline constexpr std::array<std::string_view, 3> kDecoderModes = {"Auto", "DTS", "AAC(J Only)"};
inline constexpr std::array<std::string_view, 24> kPrograms = {"Hall in Munich",
                                                               "Hall in Vienna",
                                                               "Hall in Amsterdam",
                                                               "Charch in Freiburg",
                                                               "Chamber",
                                                               "Village Vanguard",
                                                               "Warehouse Loft",
                                                               "Cellar Club",
                                                               "The Roxy Theatre",
                                                               "The Bottom Line",
                                                               "Standard",
                                                               "Spectacle",
                                                               "Sci-Fi",
                                                               "Adventure",
                                                               "Drama",
                                                               "Mono Movie",
                                                               "Sports",
                                                               "Action Game",
                                                               "Roleplaying Game",
                                                               "Music Video",
                                                               "Recital/Opera",
                                                               "Surround Decoder",
                                                               "2ch Stereo",
                                                               "7ch Stereo"};
inline constexpr std::array<std::string_view, 6> kSurround = {"OFF", "Auto",        "EX/ES",
                                                              "EX",  "PLIIx Movie", "PLIIx Music"};
inline constexpr std::array<std::string_view, 3> kNightModes = {"OFF", "Cinema", "Music"};
inline constexpr std::array<std::string_view, 4> kEnhancers = {"2ch Enhancer Low", "2ch Enhancer High",
                                                               "7ch Enhancer Low", "7ch Enhancer High"};
inline constexpr std::string_view kStraight = "Straight";

// Sound program values: 0..23 the program list, 24..27 the enhancer list, 28 Straight.
inline constexpr int kFirstEnhancerProgram = 24;
inline constexpr int kStraightProgram = 28;
// The input whose sound is never processed: it forces Straight.
inline constexpr int kMultiChInput = 12;
// The Input DSP page keeps each input's program under this number + 2 x input.
inline constexpr int kInputProgramNumber = 212;

inline constexpr std::string_view kSection = "Basic Control";

// Program selector values (integer 12 of the block).
inline constexpr int kSelectorProgram = 0;
inline constexpr int kSelectorStraight = 1;
inline constexpr int kSelectorEnhancer = 2;

// Main volume slider: tenths of dB.
inline constexpr int kVolumeMin = -805;
inline constexpr int kVolumeMax = 160;
inline constexpr int kVolumeStep = 5;

}  // namespace tw::settings::basic
