#pragma once

#include <string>
#include <string_view>

#include "comm/protocol.h"
#include "model/command_table.h"

namespace tw::emu::test {

inline std::string Std(std::string_view code) { return comm::MakeStandard(code); }

// A complete extended frame around `body` (the characters after DC4).
inline std::string Ext(std::string_view body) {
  return comm::CompleteExtended(std::string(1, comm::DC4) + std::string(body));
}

// The read request of a row, ready to send.
inline std::string ReadOf(int row) {
  return comm::CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request);
}

// A write of `value` to an extended row: its reply prefix with status "1", then the value.
inline std::string WriteOf(int row, std::string_view value) {
  std::string body = std::string(model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix).substr(1);
  body[7] = '1';
  return Ext(body + std::string(value));
}

// What a receiver answers a read of `row` with, when it holds `value`.
inline std::string AnswerOf(int row, std::string_view value) {
  return Ext(std::string(model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix).substr(1) +
             std::string(value));
}

// Report frame: STX, class "0", guard, code, value, ETX.
inline std::string Report(std::string_view codeAndValue, char guard = '0') {
  return std::string(1, comm::STX) + "0" + guard + std::string(codeAndValue) + std::string(1, comm::ETX);
}

}  // namespace tw::emu::test
