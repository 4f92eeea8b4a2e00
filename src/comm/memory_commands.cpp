#include "comm/memory_commands.h"
#include "comm/page_source.h"

#include <array>
#include <string_view>

namespace tw::comm {
namespace {

struct MemoryCodes {
  std::array<std::string_view, kMemoryCount> load;
  std::array<std::string_view, kMemoryCount> save;
};

// Codes after "07E", by part and memory.
constexpr std::array<MemoryCodes, 4> kCodes = {{
    {{"35", "36", "37", "38", "39", "3A"}, {"2B", "2C", "2D", "2E", "2F", "30"}},
    {{"75", "76", "77", "78", "79", "7A"}, {"6B", "6C", "6D", "6E", "6F", "70"}},
    {{"8D", "8E", "8F", "90", "91", "92"}, {"87", "88", "89", "8A", "8B", "8C"}},
    {{"60", "61", "62", "63", "64", "65"}, {"20", "21", "22", "23", "24", "25"}},
}};

constexpr int kFirstMemoryNumber = 556;

}  // namespace

std::string MemoryOperationCommand(int memory, int part, bool load) {
  if (memory < 1 || memory > kMemoryCount || part < 0 || part >= static_cast<int>(kCodes.size())) return {};
  const auto& codes = load ? kCodes[static_cast<size_t>(part)].load : kCodes[static_cast<size_t>(part)].save;
  std::string out = "\x02" "07E";
  out += codes[static_cast<size_t>(memory - 1)];
  out += '\x03';
  return out;
}

int MemoryCommandNumber(int part, bool load) {
  if (part < 0 || part >= static_cast<int>(kCodes.size())) return 0;
  return kFirstMemoryNumber + 2 * part + (load ? 0 : 1);
}

std::string PageSource::MemoryCommand(int memory, int part, bool load) const {
  return MemoryOperationCommand(memory, part, load);
}

}  // namespace tw::comm
