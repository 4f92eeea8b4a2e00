#include "gui/page_families.h"

#include <array>

namespace tw::gui {
namespace {

constexpr std::array<std::string_view, 6> kFamilies = {"Speakers", "Sound", "Inputs", "Zones", "Sources", "System"};

struct PagePlace {
  std::string_view caption;
  int family;
};

constexpr std::array<PagePlace, 19> kPlaces = {{
    {"Speaker Set", 0},
    {"Speaker Level", 0},
    {"Speaker Distance", 0},
    {"DSP Parameters", 1},
    {"Tone Control", 1},
    {"Graphic EQ", 1},
    {"Input DSP", 2},
    {"Input Rename", 2},
    {"I/O Assign", 2},
    {"MULTI CH", 2},
    {"Multi Zone", 3},
    {"Volume Trim", 3},
    {"CONTROL OUT", 3},
    {"Tuner Set", 4},
    {"XM Set", 4},
    {"iPod", 4},
    {"Display Set", 5},
    {"Other", 5},
    {"Advanced Setup", 5},
}};

}  // namespace

std::span<const std::string_view> PageFamilies() { return kFamilies; }

int FamilyOfPage(std::string_view caption) {
  for (const PagePlace& place : kPlaces) {
    if (place.caption == caption) return place.family;
  }
  return static_cast<int>(kFamilies.size()) - 1;
}

}  // namespace tw::gui
