#include "emu/status_frame.h"

#include <array>

namespace tw::emu {
namespace {

// Where each report's value characters sit in the status data block. A report whose
// first value character is always "0" carries only its second (`first` is -1); the
// subwoofer phase carries only its first.
struct StatusSlot {
  const char* code;
  short first;
  short second;
};

constexpr std::array<StatusSlot, 77> kStatusSlots = {{
    {"21", 9, 10},   {"22", 40, 11},   {"28", 19, 20},   {"2D", -1, 22},   {"82", -1, 27},
    {"8B", 27, 28},  {"26", 15, 16},   {"23", -1, 12},   {"24", -1, 13},   {"3E", -1, 47},
    {"66", -1, 93},  {"25", -1, 14},   {"27", 17, 18},   {"A0", -1, 127},  {"3F", -1, 100},
    {"6B", -1, 94},  {"A1", -1, 128},  {"A2", 129, 130}, {"AD", 159, 160}, {"AE", 164, 165},
    {"49", 66, 67},  {"47", 62, 63},   {"48", 64, 65},   {"45", 58, 59},   {"46", 60, 61},
    {"43", 54, 55},  {"44", 56, 57},   {"42", 52, 53},   {"41", 50, 51},   {"40", 48, 49},
    {"A8", -1, 143}, {"4B", 139, 140}, {"4C", 141, 142}, {"4D", 168, 169}, {"4E", 170, 171},
    {"51", 74, 75},  {"52", 76, 77},   {"64", -1, 91},   {"65", -1, 92},   {"53", 78, 79},
    {"3A", -1, 42},  {"3B", -1, 44},   {"71", -1, 97},   {"70", -1, 96},   {"72", -1, 98},
    {"73", -1, 99},  {"74", -1, 101},  {"7E", -1, 135},  {"76", 103, -1},  {"7D", -1, 137},
    {"75", -1, 102}, {"61", -1, 85},   {"2B", -1, 23},   {"69", -1, 90},   {"85", -1, 112},
    {"67", -1, 149}, {"62", -1, 88},   {"63", -1, 89},   {"86", -1, 113},  {"93", -1, 71},
    {"7B", -1, 132}, {"6F", -1, 150},  {"60", -1, 84},   {"5F", -1, 83},   {"8F", -1, 111},
    {"B3", -1, 124}, {"B9", -1, 131},  {"BD", -1, 144},  {"B1", -1, 122},  {"B5", -1, 120},
    {"BA", -1, 133}, {"B4", -1, 125},  {"BB", -1, 134},  {"96", -1, 151},  {"97", -1, 152},
    {"98", -1, 153}, {"20", -1, 8},
}};

void put(std::string& data, int offset, char c) {
  if (offset >= 0 && static_cast<std::size_t>(offset) < data.size())
    data[static_cast<std::size_t>(offset)] = c;
}

}  // namespace

std::string ComposeStatusFrame(const ReceiverSettings& settings, std::string_view modelCode) {
  std::string data(static_cast<std::size_t>(kStatusDataLength), '0');
  for (const StatusSlot& slot : kStatusSlots) {
    auto found = settings.reports.find(slot.code);
    if (found == settings.reports.end() || found->second.size() != 2) continue;
    put(data, slot.first, found->second[0]);
    put(data, slot.second, found->second[1]);
  }
  std::string frame(1, '\x12');
  frame += std::string(modelCode.substr(0, 5));
  frame.resize(6, '0');
  frame += "0AE";
  frame += data;
  frame += '\x03';
  return frame;
}

}  // namespace tw::emu
