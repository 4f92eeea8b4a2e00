#pragma once

#include <cstdint>

#include "settings/page_settings.h"

namespace tw::settings {

namespace input_dsp {
inline constexpr int kFirstNumber = 212;
inline constexpr int kInputCount = 12;
// The item of input `input` (0..11).
constexpr int NumberOf(int input) { return kFirstNumber + 2 * input; }
// A value names an enhancer (24..27).
bool IsEnhancer(std::int32_t value);
// The selector (program, Straight, enhancer) that a value belongs to.
int SelectorOf(std::int32_t value);
}  // namespace input_dsp

// Input DSP (212, 214, .., 234): the sound program the receiver recalls for each input
// PHONO .. XM, a program 0..23, an enhancer 24..27 or Straight 28; a file names it in any
// letter case. It is sent only offline: a download selects each input in turn and gives it
// its program, built on a copy of the Basic Control block so that the image's current
// input and program stay as they were. In Real Time Mode it sends nothing.
const PageSettings& InputDspSettings();

}  // namespace tw::settings
