#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tw::model {

// How a decode node turns the characters of a report into a value. "hex" is the field
// read as upper-case hexadecimal (see DecodeHex); "pos" doubles as the constant of the
// constant kinds.
enum DecodeKind : std::uint32_t {
  kKindHex = 0,        // hex
  kKindList = 1,       // index of the field in the node's values; no match drops the node
  kKindScaledHex = 2,  // hex * scale (when scale > 1) - offset
  kKindText = 3,       // the field as text; a node longer than 20 characters is dropped
  kKindHexTimes5Minus60 = 4,
  kKindHexTimes5Minus200 = 5,
  kKindConstant = 6,  // the constant pos
  kKindHalfStep = 7,  // (hex - 12) / 2, truncating toward zero
  kKindHexTimes5Minus995 = 8,
  kKindNumberOnly = 9,  // no value: only the number is reported
  kKindHexTimes5Minus75 = 10,
  kKindHexMinus10 = 11,
  kKindTextBuffer1 = 12,  // the field into text buffer 1..3
  kKindTextBuffer2 = 13,
  kKindTextBuffer3 = 14,
  kKindSlot1 = 15,  // the constant pos into value slot 1..5
  kKindSlot2 = 16,
  kKindSlot3 = 17,
  kKindSlot4 = 18,
  kKindSlot5 = 19,
};
inline constexpr std::uint32_t kDecodeKindCount = 20;

inline constexpr std::size_t kTextSlotLength = 20;
inline constexpr std::array<std::size_t, 3> kTextBufferCapacity = {120, 120, 88};
inline constexpr std::size_t kValueSlotCount = 5;

// The block a decoded entry fills; every node of one entry has the same group.
enum DecodeGroup : std::int16_t {
  kGroupBasicControl = 1,
  kGroupMultiZone = 2,
  kGroupDspParameters = 3,
  kGroupInputRename = 5,
  kGroupIoAssign = 6,
  kGroupSpeakerLevel = 7,
  kGroupSpeakerDistance = 8,
  kGroupToneControl = 9,
  kGroupControlOut = 10,
  kGroupVolumeTrim = 11,
  kGroupGraphicEq = 12,
  kGroupSpeakerSet = 14,
  kGroupTuner = 15,
  kGroupXm = 16,
  kGroupDisplaySet = 17,
  kGroupMultiCh = 18,
  kGroupOther = 19,
  kGroupAdvancedSetup = 20,
  kGroupReportOnly = 21,  // System Memory commands: numbers are only reported to the view
  kGroupIpod = 22,
};

struct DecodeNode {
  std::int16_t number = 0;
  std::int16_t group = 0;
  std::uint32_t kind = 0;
  std::int16_t pos = 0;  // frame index of the value (STX/DC4 is 0), or the constant
  std::int16_t len = 0;
  std::int16_t offset = 0;
  std::int16_t scale = 0;
  std::span<const std::string_view> values{};  // the accepted texts of kKindList
};

// The leading characters of a frame, framing character included.
struct ReplyPrefix {
  std::array<char, 16> chars{};
  std::uint8_t length = 0;
  constexpr std::string_view view() const { return {chars.data(), length}; }
};

// One decodable report. The chain of one to three nodes is held inline (in chain order)
// so that the whole table is plain constant data.
inline constexpr std::size_t kMaxNodesPerEntry = 3;
struct ReplyEntry {
  ReplyPrefix prefix;  // empty only in the terminator
  std::array<DecodeNode, kMaxNodesPerEntry> nodes{};
  std::uint8_t nodeCount = 0;
  constexpr std::span<const DecodeNode> chain() const { return {nodes.data(), nodeCount}; }
};

inline constexpr std::size_t kReplyEntryCount = 616;
inline constexpr std::size_t kReplyTableLength = kReplyEntryCount + 1;  // plus the terminator

// Every report the receiver sends that changes a setting, in match order: the first entry
// whose prefix begins a frame decodes it.
extern const std::array<ReplyEntry, kReplyTableLength> kReplyTable;

}  // namespace tw::model
