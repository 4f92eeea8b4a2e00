#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw::comm {

using BasicBlock = std::array<std::int32_t, 15>;

// The command frame (STX, prefix, code, ETX) that sets Basic Control item `number` (1..14)
// of `basic` on the receiver; empty for any other number or a value outside the item's table.
std::string BuildOperationCommand(const BasicBlock& basic, int number);

// The Basic Control numbers a download queues for `basic`, in order: 1, 2, 3, 6, 7, 8 (only
// with night mode on), then 5, 11 or 4 by the sound program, then 9 and 10.
std::array<int, 10> BasicDownloadNumbers(const BasicBlock& basic, int& count);

}  // namespace tw::comm
