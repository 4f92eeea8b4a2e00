#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tw::model {

// One read request of the receiver and the reply that answers it.
struct CommandRow {
  const char* request;         // a complete standard frame, or DC4 + extended body (no checksum/ETX)
  const char* replyPrefix;     // leading characters of the answer, framing character included
  const char* altReplyPrefix;  // a second accepted beginning, or nullptr
  std::uint32_t flags;
  std::int32_t programGroup;   // -1, or the sound program 0..23 whose parameter the row reads
};

inline constexpr std::uint32_t kReadAtStart = 0x01;
inline constexpr std::uint32_t kReadCurrent = 0x02;
inline constexpr std::uint32_t kReadPerMemory = 0x04;
inline constexpr std::uint32_t kAltReplyInRepeat = 0x08;
inline constexpr std::uint32_t kNeedsZone2 = 0x10;
inline constexpr std::uint32_t kNeedsZone3 = 0x20;
inline constexpr std::uint32_t kNeedsXm = 0x40;
inline constexpr std::uint32_t kErrorTolerated = 0x80;

inline constexpr int kRowCount = 507;
inline constexpr int kTableLength = 508;  // rows plus the all-zero terminator

inline constexpr int kRegionRow = 0;
inline constexpr int kZone2Row = 1;
inline constexpr int kZone3Row = 2;
inline constexpr int kXmRow = 3;
inline constexpr int kCapabilityRow = 4;
inline constexpr int kPollRow = 506;

// The command table in table order, terminator last (defined in command_table.cpp).
extern const std::array<CommandRow, kTableLength> kCommandTable;

// What the receiver said it has; each starts at 1 until it says otherwise.
struct Capabilities {
  int zone2 = 1;
  int zone3 = 1;
  int xm = 1;
  int aac = 1;
};

// A row is eligible when every capability its bits 4..6 ask for is non-zero.
bool IsEligible(const CommandRow& row, const Capabilities& caps);

// Link modes.
inline constexpr int kLinkIdle = 0;
inline constexpr int kLinkRealTime = 1;
inline constexpr int kLinkUpload = 2;
inline constexpr int kLinkDownload = 3;

// The row a command list entry belongs to, or -1. In upload mode the command is matched
// against each row's request; otherwise only extended commands are looked up, with
// character 8 forced to '0' and letters of either case, against each row's reply prefix.
// First match wins.
int FindRowForCommand(std::string_view command, int linkMode);

}  // namespace tw::model
