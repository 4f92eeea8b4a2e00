#include "comm/operation_command.h"

#include <cstdio>
#include <string_view>

namespace tw::comm {
namespace {

// One Basic Control item: its command prefix and its codes by value (index).
struct OperationTable {
  int number;
  std::string_view prefix;
  int blockInteger;  // 1-based integer of the block that selects the code
  std::array<std::string_view, 29> codes;
  int codeCount;
};

constexpr std::array<std::string_view, 29> kProgramCodes = {
    "E1", "E5", "E6", "E8", "AF", "EB", "EE", "CD", "ED", "EC", "FE", "F9", "FA", "FB", "FC",
    "F7", "F8", "F2", "CE", "F3", "F5", "FD", "C0", "FF", "01", "02", "03", "04", "E0"};

constexpr std::array<OperationTable, 9> kTables = {{
    {1, "07A", 1, {"14", "15", "16", "19", "18", "C1", "54", "C0", "0F", "13", "55", "B4", "87"}, 13},
    {2, "07E", 2, {"A6", "DA", "A9", "AA"}, 4},
    {3, "07E", 3, {"DB", "A8", "3B"}, 3},
    {6, "07E", 6, {"B9", "7C", "B8", "DC", "DD", "DE"}, 6},
    {7, "07E", 7, {"9C", "9B", "CF"}, 3},
    {10, "07EA", 10, {"3", "2"}, 2},
    {12, "07E7", 13, {"F", "E"}, 2},
    {13, "07EB", 14, {"B", "A"}, 2},
    {14, "07AE", 15, {"E", "D"}, 2},
}};

constexpr int kProgramStraight = 28;
constexpr int kFirstEnhancer = 24;
constexpr int kMuteVolume = -805;

std::string frame(std::string_view prefix, std::string_view code) {
  std::string out;
  out.reserve(prefix.size() + code.size() + 2);
  out += '\x02';
  out += prefix;
  out += code;
  out += '\x03';
  return out;
}

std::int32_t integer(const BasicBlock& basic, int oneBased) { return basic[static_cast<size_t>(oneBased - 1)]; }

std::string programCommand(std::int32_t program, bool enhancerPrefix) {
  if (program < 0 || program > kProgramStraight) return {};
  const bool enhancer = program >= kFirstEnhancer && program < kProgramStraight;
  return frame(enhancerPrefix || enhancer ? "2AF" : "07E", kProgramCodes[static_cast<size_t>(program)]);
}

char hexDigit(int v) { return "0123456789ABCDEF"[v & 0xF]; }

}  // namespace

std::string BuildOperationCommand(const BasicBlock& basic, int number) {
  for (const OperationTable& table : kTables) {
    if (table.number != number) continue;
    const std::int32_t value = integer(basic, table.blockInteger);
    if (value < 0 || value >= table.codeCount) return {};
    return frame(table.prefix, table.codes[static_cast<size_t>(value)]);
  }
  switch (number) {
    case 4:
      return programCommand(integer(basic, 4), false);
    case 5:
      return frame("07E", "E0");
    case 8: {
      const std::int32_t night = integer(basic, 7);
      const std::int32_t parameter = integer(basic, 8);
      if (night == 0) return frame("28B", "00");
      if (night < 0 || night > 15 || parameter < 0 || parameter > 15) return {};
      const char code[3] = {hexDigit(night), hexDigit(parameter), '\0'};
      return frame("28B", code);
    }
    case 9: {
      const std::int32_t volume = integer(basic, 9);
      const int step = volume == kMuteVolume ? 0 : volume / 5 + 199;
      if (step < 0 || step > 0xFF) return {};
      const char code[3] = {hexDigit(step >> 4), hexDigit(step), '\0'};
      return frame("230", code);
    }
    case 11:
      // The enhancer item always travels with the enhancer prefix.
      return programCommand(integer(basic, 4), true);
    default:
      return {};
  }
}

std::optional<int> SelectedValue(int number, std::string_view command) {
  for (const OperationTable& table : kTables) {
    if (table.number != number) continue;
    for (int value = 0; value < table.codeCount; ++value) {
      if (command == frame(table.prefix, table.codes[static_cast<size_t>(value)])) return value;
    }
  }
  return std::nullopt;
}

std::array<int, 10> BasicDownloadNumbers(const BasicBlock& basic, int& count) {
  std::array<int, 10> numbers{};
  count = 0;
  for (int n : {1, 2, 3, 6, 7}) numbers[static_cast<size_t>(count++)] = n;
  if (integer(basic, 7) != 0) numbers[static_cast<size_t>(count++)] = 8;
  const std::int32_t program = integer(basic, 4);
  if (program == kProgramStraight) {
    numbers[static_cast<size_t>(count++)] = 5;
  } else if (program >= kFirstEnhancer && program < kProgramStraight) {
    numbers[static_cast<size_t>(count++)] = 11;
  } else {
    numbers[static_cast<size_t>(count++)] = 4;
  }
  numbers[static_cast<size_t>(count++)] = 9;
  numbers[static_cast<size_t>(count++)] = 10;
  return numbers;
}

}  // namespace tw::comm
