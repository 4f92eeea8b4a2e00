#include "files/memory_sections.h"

#include "model/ascii.h"

namespace tw::files {
namespace {

constexpr std::array<std::string_view, 4> kCategoryTexts = {"System", "Volume", "Zone2 Volume",
                                                            "Zone3 Volume"};

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string_view MemoryCategoryText(MemoryCategory category) {
  return kCategoryTexts[static_cast<std::size_t>(category)];
}

MemoryCategory MemoryCategoryOf(int number) {
  switch (number) {
    case 9:
      return MemoryCategory::Volume;
    case 18:
      return MemoryCategory::Zone2Volume;
    case 23:
      return MemoryCategory::Zone3Volume;
    default:
      return MemoryCategory::System;
  }
}

std::string MemoryLabel(int memory) { return "Memory " + std::to_string(memory); }

std::string MemorySectionName(MemoryCategory category, int memory, std::string_view section) {
  std::string name(MemoryCategoryText(category));
  name += ' ';
  name += MemoryLabel(memory);
  name += ' ';
  name += section;
  return name;
}

int MemoryOfSection(std::string_view section) {
  const std::string_view name = TrimBlanks(section);
  for (MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      if (model::StartsWithIgnoringCase(name, MemorySectionName(category, memory, ""))) return memory;
    }
  }
  return 0;
}

}  // namespace tw::files
