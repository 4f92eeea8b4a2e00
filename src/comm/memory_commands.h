#pragma once

#include <string>

namespace tw::comm {

// System Memory parts.
inline constexpr int kMemorySystem = 0;
inline constexpr int kMemoryMainVolume = 1;
inline constexpr int kMemoryZone2Volume = 2;
inline constexpr int kMemoryZone3Volume = 3;
inline constexpr int kMemoryCount = 6;

// The operation command frame that loads or saves memory 1..6 for `part` 0..3;
// empty for anything out of range.
std::string MemoryOperationCommand(int memory, int part, bool load);

// Parameter number of a memory command: 556 System load, 557 System save, 558 Main Volume
// load, ... 563 Zone3 Volume save; 0 for a part out of range.
int MemoryCommandNumber(int part, bool load);

}  // namespace tw::comm
