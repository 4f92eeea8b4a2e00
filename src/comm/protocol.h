#pragma once

#include "model/command_table.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {

// Framing bytes of the receiver's serial protocol.
inline constexpr char STX = '\x02';
inline constexpr char ETX = '\x03';
inline constexpr char DC2 = '\x12';
inline constexpr char DC4 = '\x14';

// A received frame, start byte to ETX, is at most this long.
inline constexpr std::size_t kMaxFrameLength = 256;
// The only model code the tool works with.
inline constexpr std::string_view kSupportedModel = "R0210";
// The status data block starts at this byte of a status frame.
inline constexpr std::size_t kStatusDataOffset = 9;
// Number of reports a status frame expands into.
inline constexpr int kStatusReportCount = 77;

// Two upper-case hex digits: the byte sum (mod 256) of an extended frame's body,
// i.e. everything after DC4 up to the end of the payload.
std::string MakeChecksum(std::string_view body);

// A stored request made sendable: DC4 text gets its checksum and ETX; STX text is
// already complete. Anything else is returned unchanged.
std::string CompleteExtended(std::string_view text);

// A standard frame around a command code: STX, code, ETX.
std::string MakeStandard(std::string_view code);

bool IsStandard(std::string_view frame);
bool IsExtended(std::string_view frame);
bool IsStatusFrame(std::string_view frame);     // DC2, "AE" at 7-8, "0" at 16
bool IsSupportedModel(std::string_view frame);  // "R0210" at 1-5
bool IsGuard(std::string_view frame);           // the receiver refused the change
bool IsParameterError(std::string_view frame);  // extended status "4"
bool IsIgnoredReport(std::string_view frame);   // neither a reply nor a value report

// The eight-byte rule: a complete eight-byte standard report gets report class "0".
void NormaliseFrame(std::string& frame);

// Reply recognition.
bool StartsWith(std::string_view text, std::string_view prefix);
// The frame begins with the row's reply prefix (or, when `acceptAlt`, its alternate one).
bool MatchesReplyPrefix(std::string_view frame, const model::CommandRow& row, bool acceptAlt = true);
// An extended frame with status "0" and the same block address (bytes 5-7) as `command`.
bool AcknowledgesExtendedWrite(std::string_view frame, std::string_view command);

// The status data block of a status frame: from byte 9 up to, not including, its ETX.
std::string_view StatusData(std::string_view statusFrame);

// Builds the standard reports that a status frame stands for, in their fixed order, and
// hands each to `sink` before building the next. A report whose value characters lie
// beyond the end of the data is left out rather than made up.
void ExpandStatusFrame(std::string_view statusData, const std::function<void(const std::string&)>& sink);

// The beginnings (STX and report code) of every report a status frame can stand for.
std::vector<std::string> StatusReportBeginnings();

}  // namespace tw::comm
