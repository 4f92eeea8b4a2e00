#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/command_table.h"
#include "model/parameter_image.h"
#include "settings/page_settings.h"

// The items of the CONTROL OUT page: per output (CONTROL OUT1 307..344, CONTROL OUT2
// 345..382) its Trigger Control list, then an L/H trigger per input row and zone column.
namespace tw::settings::control_out {

inline constexpr int kOutputCount = 2;
inline constexpr int kTriggersPerOutput = 37;
inline constexpr int kRowCount = 13;  // eleven inputs, XM, MULTI CH (as on screen)
inline constexpr int kColumnCount = 3;  // Main, Zone2, Zone3
inline constexpr std::int32_t kLow = 0;
inline constexpr std::int32_t kHigh = 1;

// The rows as on screen; MULTI CH has a Main column only.
inline constexpr std::array<std::string_view, kRowCount> kRowNames = {
    "PHONO", "CD", "Tuner", "CD-R", "MD/TAPE", "DVD", "DTV", "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX", "XM", "MULTI CH"};
inline constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"Main", "Zone2", "Zone3"};

struct Trigger {
  int output = 0;  // 0 CONTROL OUT1, 1 CONTROL OUT2
  int row = 0;     // index in kRowNames
  int column = 0;  // index in kColumnNames
  ChoiceItem item;
};

// The Trigger Control item of `output` (307, 345).
const ChoiceItem& TriggerControl(int output);
// The triggers of `output` in screen, file and send order: the inputs row by row with their
// three zones, XM's three, then MULTI CH.
std::span<const Trigger> Triggers(int output);

// Whether the Trigger Control value `value` of `item` is one this receiver offers (Zone2,
// Zone3 and Zone OR need the zones they follow).
bool TriggerControlOffered(const ChoiceItem& item, std::int32_t value, const model::Capabilities& capabilities);

// "All High" / "All Low" of one output: every Main trigger (XM and MULTI CH too), and the
// Zone2 and Zone3 triggers of the zones the receiver has; the others keep their values.
void SetAllTriggers(model::ParameterImage& image, int output, std::int32_t value,
                    const model::Capabilities& capabilities);

}  // namespace tw::settings::control_out

namespace tw::settings {

// CONTROL OUT (307..382): per output its Trigger Control, then its triggers in screen
// order. What the receiver lacks is never sent, a Trigger Control value it does not offer
// included (the receiver keeps its own setting); the values stay in the image and the file.
const PageSettings& ControlOutSettings();

}  // namespace tw::settings
