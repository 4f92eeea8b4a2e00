#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw::comm {

using BasicBlock = std::array<std::int32_t, 15>;

// The command frame (STX, prefix, code, ETX) that sets Basic Control item `number` (1..14)
// of `basic` on the receiver; empty for any other number or a value outside the item's table.
std::string BuildOperationCommand(const BasicBlock& basic, int number);

// The value of Basic Control item `number` that `frame`, one of the item's table commands,
// selects (the input a "07A.." command chooses, say); nothing for any other frame.
std::optional<int> SelectedValue(int number, std::string_view frame);

// The Basic Control numbers a download queues for `basic`, in order: 1, 2, 3, 6, 7, 8 (only
// with night mode on), then 5, 11 or 4 by the sound program, then 9 and 10.
std::array<int, 10> BasicDownloadNumbers(const BasicBlock& basic, int& count);

}  // namespace tw::comm
