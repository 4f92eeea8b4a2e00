#pragma once

#include <array>
#include <string_view>

// The value characters the receiver uses in its reports, indexed by the setting's
// position in the receiver's own lists.
namespace tw::emu {

// Report "21": the main input, PHONO .. MULTI CH.
inline constexpr std::array<std::string_view, 13> kInputValues = {"00", "01", "02", "03", "04", "05", "06",
                                                                  "07", "09", "0A", "0C", "0E", "10"};

// Report "28": sound programs 0..23, Music Enhancer 24..27, Straight 28.
inline constexpr int kStraight = 28;
inline constexpr std::array<std::string_view, 29> kProgramValues = {
    "00", "05", "07", "09", "0B", "0D", "11", "0F", "10", "0E", "2D", "24", "25", "28", "29",
    "20", "21", "1E", "1F", "18", "1C", "2C", "34", "17", "40", "41", "42", "43", "80"};

// Report "22": first character the decoder mode 0..2, second the audio select below.
inline constexpr std::string_view kAudioSelectChars = "0834";

// Report "2D": surround decoding 0..5.
inline constexpr std::array<std::string_view, 6> kSurroundValues = {"00", "03", "01", "04", "05", "06"};

// Reports "24" and "A0": Zone 2 / Zone 3 input PHONO .. XM, one character after "0".
inline constexpr std::string_view kZoneInputChars = "012345679ACE";

// Reports "3A" and "3B": trigger control Main, Zone2, Zone3, Zone OR.
inline constexpr std::array<std::string_view, 4> kTriggerControlValues = {"01", "02", "03", "00"};

// Report "20": the power of main zone, Zone 2 and Zone 3 as one digit, indexed by
// main * 4 + zone2 * 2 + zone3.
inline constexpr std::string_view kPowerDigits = "07632541";

// Report "2B": short message Off, On, Full.
inline constexpr std::string_view kShortMessageChars = "210";

// Master volume reports: "00" is muted, otherwise (dB * 10 + 995) / 5.
inline constexpr int kVolumeMuted = 0x00;
inline constexpr int kVolumeMin = 0x27;   // -80.0 dB
inline constexpr int kVolumeZero = 0xC7;  // 0.0 dB
inline constexpr int kVolumeMax = 0xE7;   // +16.0 dB

}  // namespace tw::emu
