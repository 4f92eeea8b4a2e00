#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tw::model {

inline constexpr int kSoundProgramCount = 24;
inline constexpr int kDspSlotCount = 230;
inline constexpr int kFirstDspNumber = 27;
inline constexpr int kLastDspNumber = 211;

// Where one sound program's parameters live in the DSP Parameters block. Some slots of a
// group carry no parameter number; some are left alone by the default writer.
struct DspProgramLayout {
  int firstSlot;
  int slotCount;
  int firstNumber;
  int numberCount;
  std::array<std::int8_t, 15> slotOfNumber;  // position in the group, in number order
  std::array<std::int16_t, 15> defaults;     // per position in the group
  std::uint16_t unwrittenSlots;              // bit per position the default writer skips
};

// Program index 0..23 order.
// clang-format off
inline constexpr std::array<DspProgramLayout, kSoundProgramCount> kDspLayout = {{
    // slot, count, number, count, positions of the numbers, defaults of the slots
    {0, 5, 27, 5, {0, 1, 2, 3, 4}, {0, 0, 30, 10, 5}, 0},
    {5, 5, 32, 5, {0, 1, 2, 3, 4}, {0, 0, 30, 10, 5}, 0},
    {10, 5, 37, 5, {0, 1, 2, 3, 4}, {0, 0, 30, 10, 5}, 0},
    {15, 8, 42, 7, {0, 1, 2, 4, 5, 6, 7}, {0, 0, 95, 10, 3, 40, 130, 70}, 0},
    {23, 8, 49, 7, {0, 1, 2, 4, 5, 6, 7}, {0, 0, 15, 10, 5, 11, 55, 50}, 0},
    {31, 5, 56, 5, {0, 1, 2, 3, 4}, {0, 0, 15, 10, 5}, 0},
    {36, 8, 61, 8, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 0, 10, 10, 5, 20, 160, 6}, 0},
    {44, 5, 69, 5, {0, 1, 2, 3, 4}, {0, 0, 20, 10, 5}, 0},
    {49, 8, 74, 8, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 0, 15, 10, 5, 16, 120, 7}, 0},
    {57, 5, 82, 5, {0, 1, 2, 3, 4}, {0, 0, 15, 10, 5}, 0},
    {62, 15, 87, 12, {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, {0, 0, 30, 10, 5, 15, 10, 4, 26, 10, 3, 20, 10, 5, 0}, 0},
    {77, 15, 99, 11, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14}, {0, 0, 21, 10, 5, 23, 10, 3, 26, 10, 3, 14, 10, 5, 0}, 0},
    {92, 15, 110, 11, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14}, {0, 0, 16, 10, 5, 20, 10, 3, 2, 10, 3, 15, 10, 5, 0}, 0},
    {107, 15, 121, 11, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14}, {0, 0, 15, 10, 5, 20, 10, 3, 31, 10, 3, 14, 10, 5, 0}, 0},
    // Drama reads its two- and three-surround values in a different order.
    {122, 15, 132, 11, {0, 1, 2, 3, 5, 8, 11, 6, 9, 12, 14}, {0, 0, 15, 10, 5, 20, 10, 3, 26, 10, 3, 15, 10, 5, 0}, 0},
    {137, 8, 143, 8, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 0, 69, 10, 3, 25, 160, 2}, 0},
    {145, 14, 151, 10, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12}, {0, 0, 10, 10, 5, 22, 10, 3, 12, 10, 3, 15, 10, 5}, 0},
    // The two games keep whatever their slots 5..7 hold.
    {159, 14, 161, 8, {0, 1, 2, 3, 8, 9, 11, 12}, {0, 0, 22, 10, 5, 0, 0, 0, 23, 10, 3, 9, 10, 5}, 0b11100000},
    {173, 14, 169, 8, {0, 1, 2, 3, 8, 9, 11, 12}, {0, 0, 26, 10, 5, 0, 0, 0, 26, 10, 3, 14, 10, 5}, 0b11100000},
    {187, 14, 177, 10, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12}, {0, 0, 21, 10, 5, 25, 10, 3, 31, 10, 3, 15, 10, 5}, 0},
    {201, 14, 187, 10, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12}, {0, 0, 28, 10, 5, 30, 10, 3, 31, 10, 3, 17, 10, 5}, 0},
    // Surround Decoder: its decode type (the last number) sits first.
    {215, 7, 197, 7, {1, 2, 3, 4, 5, 6, 0}, {0, 0, 3, 0, 3, 0, 0}, 0},
    {222, 1, 204, 1, {0}, {1}, 0},
    {223, 7, 205, 7, {0, 1, 2, 3, 4, 5, 6}, {100, 100, 100, 50, 35, 33, 33}, 0},
}};
// clang-format on

// The program index 0..23 whose group holds DSP parameter `number`, or nothing.
constexpr std::optional<int> DspProgramOfNumber(int number) {
  for (int program = 0; program < kSoundProgramCount; ++program) {
    const DspProgramLayout& layout = kDspLayout[program];
    if (number >= layout.firstNumber && number < layout.firstNumber + layout.numberCount) return program;
  }
  return std::nullopt;
}

// The block slot 0..229 that DSP parameter `number` names, or nothing.
constexpr std::optional<int> DspSlotOfNumber(int number) {
  const std::optional<int> program = DspProgramOfNumber(number);
  if (!program) return std::nullopt;
  const DspProgramLayout& layout = kDspLayout[*program];
  return layout.firstSlot + layout.slotOfNumber[number - layout.firstNumber];
}

}  // namespace tw::model
