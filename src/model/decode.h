#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/decode_table.h"

namespace tw::model {

// One value a decode node produced, named by its parameter number.
struct DecodedValue {
  int number = 0;
  std::uint32_t kind = 0;  // the node's DecodeKind
  std::int32_t value = 0;  // integer kinds and the slot kinds
  std::string text;        // text kinds (3, 12..14)

  bool isText() const;
  bool hasValue() const { return kind != kKindNumberOnly; }
};

// Everything one frame decoded to. A value, so nothing can read another frame's result.
struct DecodeResult {
  bool decoded = false;
  int group = 0;                     // the entry's group; 0 when not decoded
  bool inputReport = false;          // characters 3 and 4 are "21": the receiver reported its input
  std::vector<DecodedValue> values;  // in node order; dropped nodes are absent
  // What the slot and text-buffer kinds filled (index 0 is slot 1 / buffer 1).
  std::array<std::optional<std::int32_t>, kValueSlotCount> slots{};
  std::array<std::optional<std::string>, kTextBufferCapacity.size()> textBuffers{};

  std::vector<int> numbers() const;
};

// The receiver's characters read as upper-case hexadecimal with the receiver's loose rule:
// every character adds (c - 48) when its code is at most 64, (c - 55) otherwise. Anything
// that is no upper-case hex digit gives a wrong number without complaint; the arithmetic
// wraps at 32 bits.
std::int32_t DecodeHex(std::string_view field);

// The index of the entry of `table` that decodes `frame`, or -1; what Decode matches.
int FindReplyEntry(std::string_view frame, std::span<const ReplyEntry> table);
int FindReplyEntry(std::string_view frame);  // in kReplyTable

// Decodes one frame (STX or DC4 first, ETX included; it ends at its first NUL) with the
// first entry of `table` whose prefix begins it. The table ends at its first empty prefix.
DecodeResult Decode(std::string_view frame, std::span<const ReplyEntry> table);
DecodeResult Decode(std::string_view frame);  // with kReplyTable

}  // namespace tw::model
