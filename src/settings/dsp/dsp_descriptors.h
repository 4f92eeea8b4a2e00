#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/dsp_layout.h"

// The parameters of the 24 sound programs as the DSP Parameters page shows them: one
// descriptor per parameter number, program by program in number order, with the choice
// names of the Decode Type lists right after the first parameter that uses each list.
namespace tw::settings::dsp {

// How a descriptor's value is shown (see DspValueText). Kinds 5..10 are the rows of one
// surround layout; 12 and 13 mark the records that hold list choice names.
enum DspKind : int {
  kNumber = 1,      // "%d" + unit
  kTenths = 2,      // value / 10 with one decimal, + unit
  kDualNumber = 5,  // surround speakers of the two-surround layout
  kDualTenths = 6,
  kTriQuadNumber = 7,  // surround speakers of the three- and four-surround layouts
  kTriQuadTenths = 8,
  kQuadOnlyNumber = 9,  // surround-back speakers of the four-surround layout
  kQuadOnlyTenths = 10,
  kList = 11,                // the name of entry `value` of the list its selector names
  kSurroundDecodeName = 12,  // a choice of the Surround Decoder's Decode Type list
  kDecodeName = 13,          // a choice of the other programs' Decode Type list
  kOnOff = 14,               // "ON" for non-zero, "OFF"
  kWidth = 15,               // "%d"
  kStdAtZero = 16,           // "%d", "STD" for 0
  kTenthsBare = 17,          // value / 10 with one decimal, no unit
  kFocus = 18,               // "%d"
  kTruBass = 19,             // "%d"
  kAutoOff = 20,             // "AUTO" for non-zero, "OFF"
};

// One record of the descriptor table. For a list, `selectorOrStep` is the kind of the
// records that hold its choice names; otherwise it is what "Up" and "Down" move by.
struct DspDescriptor {
  std::string_view name;
  int kind = 0;
  int selectorOrStep = 0;
  std::int32_t min = 0;
  std::int32_t max = 0;
  int slider = 0;  // 1: the row has a slider for its range
  std::string_view unit;
};

constexpr bool IsChoiceRecord(const DspDescriptor& record) {
  return record.kind == kSurroundDecodeName || record.kind == kDecodeName;
}

// ---- the rows the programs share ----------------------------------------------------------
// name, kind, selector or step, min, max, slider, unit
inline constexpr DspDescriptor kDspLevel{"DSP Level", kNumber, 1, -6, 3, 0, "dB"};
inline constexpr DspDescriptor kDialogueLift{"Dialogue Lift", kNumber, 1, 0, 5, 0, ""};
inline constexpr DspDescriptor kInitDelay{"Init. Delay", kNumber, 1, 1, 99, 1, "ms"};
inline constexpr DspDescriptor kRoomSize{"Room Size", kTenths, 1, 1, 20, 1, ""};
inline constexpr DspDescriptor kLiveness{"Liveness", kNumber, 1, 0, 10, 0, ""};
// Programs with surround rows name their front (presence) sound field "P.".
inline constexpr DspDescriptor kPresenceInitDelay{"P.Init. Delay", kNumber, 1, 1, 99, 1, "ms"};
inline constexpr DspDescriptor kPresenceRoomSize{"P.Room Size", kTenths, 1, 1, 20, 1, ""};
inline constexpr DspDescriptor kRevTime{"Rev. Time", kTenths, 1, 10, 50, 1, "sec"};
inline constexpr DspDescriptor kRevDelay{"Rev. Delay", kNumber, 1, 0, 250, 1, "ms"};
inline constexpr DspDescriptor kRevLevel{"Rev. Level", kNumber, 1, 0, 100, 1, "%"};

inline constexpr DspDescriptor kDualSurInitDelay{"Sur. Init. Delay", kDualNumber, 1, 1, 49, 1, "ms"};
inline constexpr DspDescriptor kDualSurRoomSize{"Sur. Room Size", kDualTenths, 1, 1, 20, 1, ""};
inline constexpr DspDescriptor kDualSurLiveness{"Sur. Liveness", kDualNumber, 1, 0, 10, 0, ""};
inline constexpr DspDescriptor kTriQuadSurInitDelay{"Sur. Init. Delay", kTriQuadNumber, 1, 1, 49, 1, "ms"};
inline constexpr DspDescriptor kTriQuadSurRoomSize{"Sur. Room Size", kTriQuadTenths, 1, 1, 20, 1, ""};
inline constexpr DspDescriptor kTriQuadSurLiveness{"Sur. Liveness", kTriQuadNumber, 1, 0, 10, 0, ""};
inline constexpr DspDescriptor kSbInitDelay{"SB. Init. Delay", kQuadOnlyNumber, 1, 1, 49, 1, "ms"};
inline constexpr DspDescriptor kSbRoomSize{"SB. Room Size", kQuadOnlyTenths, 1, 1, 20, 1, ""};
inline constexpr DspDescriptor kSbLiveness{"SB. Liveness", kQuadOnlyNumber, 1, 0, 10, 0, ""};

// The receiver reads back only three codes for these programs' Decode Type, so three
// values (0..2) is the whole range, Spectacle included.
inline constexpr DspDescriptor kDecodeType{"Decode Type", kList, kDecodeName, 0, 2, 0, ""};
inline constexpr DspDescriptor kSurroundDecodeType{"Decode Type", kList, kSurroundDecodeName, 0, 8, 0, ""};

inline constexpr DspDescriptor kPanorama{"Panorama", kOnOff, 1, 0, 1, 0, ""};
inline constexpr DspDescriptor kCenterWidth{"Center Width", kWidth, 1, 0, 7, 0, ""};
inline constexpr DspDescriptor kDimension{"Dimension", kStdAtZero, 1, -3, 3, 0, ""};
inline constexpr DspDescriptor kCenterImage{"C. Image", kTenthsBare, 1, 0, 10, 0, ""};
inline constexpr DspDescriptor kFocusLevel{"Focus Level", kFocus, 1, 0, 8, 1, ""};
inline constexpr DspDescriptor kTruBassLevel{"TruBass Level", kTruBass, 1, 0, 8, 1, ""};

inline constexpr DspDescriptor kDirect{"Direct", kAutoOff, 1, 0, 1, 0, ""};

constexpr DspDescriptor ChannelLevel(std::string_view name) { return {name, kNumber, 1, 0, 100, 1, "%"}; }
constexpr DspDescriptor Choice(std::string_view name, int listKind) {
  return {name, listKind, 0, 0, 0, 0, ""};
}

// ---- the descriptor table -------------------------------------------------------------------
inline constexpr int kDspRecordCount = 197;

// clang-format off
inline constexpr std::array<DspDescriptor, kDspRecordCount> kDspDescriptors = {{
    // 0 Hall in Munich 27..31, 1 Hall in Vienna 32..36, 2 Hall in Amsterdam 37..41
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    // 3 Charch in Freiburg 42..48, 4 Chamber 49..55
    kDspLevel, kDialogueLift, kInitDelay, kLiveness, kRevTime, kRevDelay, kRevLevel,
    kDspLevel, kDialogueLift, kInitDelay, kLiveness, kRevTime, kRevDelay, kRevLevel,
    // 5 Village Vanguard 56..60
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    // 6 Warehouse Loft 61..68
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness, kRevTime, kRevDelay, kRevLevel,
    // 7 Cellar Club 69..73
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    // 8 The Roxy Theatre 74..81
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness, kRevTime, kRevDelay, kRevLevel,
    // 9 The Bottom Line 82..86
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness,
    // 10 Standard 87..98, then the names of its Decode Type list
    kDspLevel, kDialogueLift,
    kDualSurInitDelay, kDualSurRoomSize, kDualSurLiveness,
    kTriQuadSurInitDelay, kTriQuadSurRoomSize, kTriQuadSurLiveness,
    kSbInitDelay, kSbRoomSize, kSbLiveness,
    kDecodeType,
    Choice("Pro Logic", kDecodeName), Choice("Pro LogicIIx", kDecodeName), Choice("Neo:6", kDecodeName),
    // 11 Spectacle 99..109, 12 Sci-Fi 110..120, 13 Adventure 121..131
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize,
    kSbInitDelay, kSbRoomSize, kDecodeType,
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize,
    kSbInitDelay, kSbRoomSize, kDecodeType,
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize,
    kSbInitDelay, kSbRoomSize, kDecodeType,
    // 14 Drama 132..142: its numbers run by row kind, not by layout
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kTriQuadSurInitDelay, kSbInitDelay,
    kDualSurRoomSize, kTriQuadSurRoomSize, kSbRoomSize, kDecodeType,
    // 15 Mono Movie 143..150
    kDspLevel, kDialogueLift, kInitDelay, kRoomSize, kLiveness, kRevTime, kRevDelay, kRevLevel,
    // 16 Sports 151..160
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize, kSbInitDelay, kSbRoomSize,
    // 17 Action Game 161..168, 18 Roleplaying Game 169..176
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kTriQuadSurInitDelay, kTriQuadSurRoomSize, kSbInitDelay, kSbRoomSize,
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kTriQuadSurInitDelay, kTriQuadSurRoomSize, kSbInitDelay, kSbRoomSize,
    // 19 Music Video 177..186, 20 Recital/Opera 187..196
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize, kSbInitDelay, kSbRoomSize,
    kDspLevel, kDialogueLift, kPresenceInitDelay, kPresenceRoomSize,
    kDualSurInitDelay, kDualSurRoomSize, kTriQuadSurInitDelay, kTriQuadSurRoomSize, kSbInitDelay, kSbRoomSize,
    // 21 Surround Decoder 197..203, then the names of its Decode Type list
    kPanorama, kCenterWidth, kDimension, kCenterImage, kFocusLevel, kTruBassLevel, kSurroundDecodeType,
    Choice("Pro Logic", kSurroundDecodeName), Choice("PLIIx Movie", kSurroundDecodeName),
    Choice("PLIIx Music", kSurroundDecodeName), Choice("PLIIx Game", kSurroundDecodeName),
    Choice("Neo:6 Cinema", kSurroundDecodeName), Choice("Neo:6 Music", kSurroundDecodeName),
    Choice("CSII Cinema", kSurroundDecodeName), Choice("CSII Music", kSurroundDecodeName),
    Choice("Neural Sur.", kSurroundDecodeName),
    // 22 2ch Stereo 204
    kDirect,
    // 23 7ch Stereo 205..211
    ChannelLevel("CT LEVEL"), ChannelLevel("SL LEVEL"), ChannelLevel("SR LEVEL"), ChannelLevel("SB1 LEVEL"),
    ChannelLevel("SB2 LEVEL"), ChannelLevel("PL LEVEL"), ChannelLevel("PR LEVEL"),
}};
// clang-format on

// ---- lookups ----------------------------------------------------------------------------------
inline constexpr int kDspParameterCount = model::kLastDspNumber - model::kFirstDspNumber + 1;  // 185

// The table index of each parameter number's record (number - 27 indexes it).
inline constexpr std::array<std::int16_t, kDspParameterCount> kDspRecordOfNumber = [] {
  std::array<std::int16_t, kDspParameterCount> index{};
  std::size_t next = 0;
  for (std::size_t record = 0; record < kDspDescriptors.size(); ++record) {
    if (!IsChoiceRecord(kDspDescriptors[record]) && next < index.size())
      index[next++] = static_cast<std::int16_t>(record);
  }
  return index;
}();

// The record of parameter `number` (27..211), or nullptr.
constexpr const DspDescriptor* FindDspDescriptor(int number) {
  if (number < model::kFirstDspNumber || number > model::kLastDspNumber) return nullptr;
  return &kDspDescriptors[static_cast<std::size_t>(
      kDspRecordOfNumber[static_cast<std::size_t>(number - model::kFirstDspNumber)])];
}

// The choice-name records of the list that `selector` names, in entry order; empty for a
// selector that names no list.
constexpr std::span<const DspDescriptor> DspChoices(int selector) {
  const auto first =
      std::find_if(kDspDescriptors.begin(), kDspDescriptors.end(),
                   [&](const DspDescriptor& r) { return IsChoiceRecord(r) && r.kind == selector; });
  const auto last =
      std::find_if(first, kDspDescriptors.end(), [&](const DspDescriptor& r) { return r.kind != selector; });
  return {first, last};
}

}  // namespace tw::settings::dsp
