#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value encodings and rules of the zone, volume-trim and control-out pages. Pure
// functions, so that every byte and every rule can be checked on its own.
namespace tw::settings::zone {

// --- zone volumes (tenths of a dB, -80.5 .. 0.0 in 0.5 dB steps; -80.5 is "Mute") ---
inline constexpr std::int32_t kVolumeMin = -805;
inline constexpr std::int32_t kVolumeMax = 0;
inline constexpr std::int32_t kVolumeStep = 5;

// The data digits of a zone volume: volume / 5 + 199 as two upper-case hex digits; the
// muted bottom of the slider is "00".
std::string VolumeData(std::int32_t volume);

// --- balance (0..40, 20 the centre) ---
inline constexpr std::int32_t kBalanceMin = 0;
inline constexpr std::int32_t kBalanceMax = 40;
// Two upper-case hex digits.
std::string BalanceData(std::int32_t balance);

// --- amplifiers: External, INT:Speaker[1], INT:Speaker[2], INT:Both ---
inline constexpr std::int32_t kExternal = 0;
inline constexpr int kAmplifierCount = 4;
// Whether a zone may use `choice` while the other zone uses `other`: the two zones never
// share an internal amplifier output. External uses none, so it is always allowed.
bool AmplifierAllowed(std::int32_t choice, std::int32_t other);

// --- volume trims (tenths of a dB, -6.0 .. +6.0 in 0.5 dB steps) ---
inline constexpr std::int32_t kTrimMin = -60;
inline constexpr std::int32_t kTrimMax = 60;
inline constexpr std::int32_t kTrimStep = 5;
// (trim + 60) / 5 as two lower-case hex digits: -6.0 dB "00", 0.0 dB "0c", +6.0 dB "18".
std::string TrimData(std::int32_t trim);
// A trim text: an optional sign, whole decibels, at most one decimal, an optional "dB"
// ("-1.5dB", "2dB", "+0.5"). Range and step are the caller's to check.
std::optional<std::int32_t> ParseTrimText(std::string_view text);

}  // namespace tw::settings::zone
