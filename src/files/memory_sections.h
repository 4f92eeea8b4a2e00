#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tw::files {

// The six System Memories (images 1..6) and the four categories of parameters each keeps,
// as the configuration file names their sections and the report heads their blocks.
inline constexpr int kFirstMemory = 1;
inline constexpr int kLastMemory = 6;

enum class MemoryCategory { System, Volume, Zone2Volume, Zone3Volume };

// In file and report order.
inline constexpr std::array<MemoryCategory, 4> kMemoryCategories = {
    MemoryCategory::System, MemoryCategory::Volume, MemoryCategory::Zone2Volume, MemoryCategory::Zone3Volume};

// "System", "Volume", "Zone2 Volume", "Zone3 Volume".
std::string_view MemoryCategoryText(MemoryCategory category);
// The category a parameter is kept under: 9 Volume, 18 Zone2 Volume, 23 Zone3 Volume,
// every other number System.
MemoryCategory MemoryCategoryOf(int number);
// "Memory 1" .. "Memory 6" (any other number is labelled the same way).
std::string MemoryLabel(int memory);
// The file section of an item of memory `memory`: category text, label and the section the
// owning page gives the item ("System Memory 2 Speaker Level").
std::string MemorySectionName(MemoryCategory category, int memory, std::string_view section);
// The memory (1..6) whose sections `section` belongs to, by its "<category> Memory n "
// prefix (letter case and surrounding blanks ignored, as profile names compare); 0 for
// any other section.
int MemoryOfSection(std::string_view section);

}  // namespace tw::files
