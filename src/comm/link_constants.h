#pragma once

#include "model/command_table.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tw::comm {

// The working mode chosen at start-up; it never changes while the program runs.
enum class WorkingMode { Async, RealTime };

// Link state: who may talk on the line. Ordered: everything from Connected on is connected.
enum class LinkState {
  WaitStatus,   // port open, waiting for the status frame (also: closed)
  ApplyStatus,  // status frame accepted, being applied
  StartupRead,  // start-up read of the command table
  Connected,    // connected; Real Time and download lists run here
  UploadRest,   // upload list past its first "@CURR"
};

// What the link is doing: nothing, a Real Time connection, or an Async upload or download.
// The values are the decoding table's link modes (model/command_table.h).
enum class LinkMode { Idle, RealTime, Upload, Download };
static_assert(static_cast<int>(LinkMode::Idle) == model::kLinkIdle &&
              static_cast<int>(LinkMode::RealTime) == model::kLinkRealTime &&
              static_cast<int>(LinkMode::Upload) == model::kLinkUpload &&
              static_cast<int>(LinkMode::Download) == model::kLinkDownload);
constexpr int ModelLinkMode(LinkMode mode) { return static_cast<int>(mode); }

// How a command list ended.
enum class ListResult {
  Completed,   // every command answered
  Failed,      // a command was given up
  CableError,  // the cable or the port went away
};

// A report refreshes at most this many of its parameters on the active page (its first ones).
inline constexpr std::size_t kMaxRefreshedItems = 5;

// Parameter numbers with a meaning of their own on the command list.
inline constexpr int kNoParameter = 564;  // "no particular parameter"; an empty text with it starts a batch
inline constexpr int kSystemLoadNumber = 556;
inline constexpr int kMainVolumeNumber = 9;
inline constexpr int kZone2VolumeNumber = 18;
inline constexpr int kZone3VolumeNumber = 23;
inline constexpr int kZone2CommandNumber = 17;
inline constexpr int kZone3CommandNumber = 22;

// The zone items an upload sets aside at "@VOLUMEOUT" and puts back for its write-back: the
// memory loads change the volumes, and the upload's own commands set Volume Out to VAR.
struct SavedZoneItem {
  int number;
  int zone;  // 2 or 3
};
inline constexpr std::array<SavedZoneItem, 4> kUploadSavedZoneItems = {{
    {kZone2VolumeNumber, 2},
    {kZone3VolumeNumber, 3},
    {kZone2CommandNumber, 2},
    {kZone3CommandNumber, 3},
}};

// Timers of the link, by id (the scheduler's timer ids) and interval.
inline constexpr int kGuardTextTimer = 1;
inline constexpr int kErrorTextTimer = 2;
inline constexpr int kFrameTimer = 3;
inline constexpr int kStartupReadTimer = 4;
inline constexpr int kRetryTimer = 5;
inline constexpr int kReplyTimer = 6;
inline constexpr int kKeepAliveTimer = 7;
inline constexpr int kKeepAliveReplyTimer = 8;

inline constexpr int kStatusWordMs = 1000;
inline constexpr int kFrameTimeoutMs = 450;
inline constexpr int kStartupReadTimeoutMs = 3000;
inline constexpr int kRetryIntervalMs = 5000;
inline constexpr int kReplyTimeoutMs = 1000;
inline constexpr int kUploadReplyTimeoutMs = 3000;
inline constexpr int kKeepAliveIntervalMs = 30000;
inline constexpr int kKeepAliveReplyMs = 10000;

// Pauses after each written frame.
inline constexpr int kStandardWritePauseMs = 50;
inline constexpr int kOtherWritePauseMs = 150;
inline constexpr int kStatusFrameSettleMs = 500;  // before the first start-up read row

// How reads are paced during an upload and the start-up read. Mandated: the full pause
// after every frame, as the receiver is known to accept. Reply (opt-in): once the complete
// answer to a read has come, the next frame follows after kReplySettleMs; writes, memory
// loads and their waits keep the full pauses. A paced read that goes unanswered puts the
// connection back on the full pauses.
// The settle is three character times at 9600 baud: the line has been quiet that long when the
// next request begins.
enum class ReadPacing { Mandated, Reply };
inline constexpr int kReplySettleMs = 3;
// The names the settings file and the command lines use.
inline constexpr std::string_view kPacingMandatedName = "mandated";
inline constexpr std::string_view kPacingReplyName = "reply";
}  // namespace tw::comm
