#pragma once

// The fault soak: the whole program on the virtual clock runs uploads, downloads and Real
// Time opens with edits against the virtual receiver under its fault options, and every
// run is judged against the same run on a clean line. The Real Time soak is the same run
// with many edits of random values on every page and the Basic Control group, spread over
// virtual hours, each checked against what the receiver then holds.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "emu/emulator_options.h"
#include "emu/receiver_settings.h"
#include "emu/transcript.h"
#include "emu/virtual_receiver.h"
#include "model/parameter_image.h"

namespace tw::soak {

enum class Operation { Upload, Download, RealTime };

// The fault options a scenario draws from.
inline constexpr std::array<const char*, 13> kFaultKeys = {
    "drop",       "late",  "duplicate", "garbage", "nul",   "split",    "guard-rows",
    "guard-codes", "error-rows", "cts-off-at", "silent",  "model", "vanish-at"};

// One run, all of it drawn from its seed.
struct Scenario {
  std::uint32_t seed = 0;
  Operation operation = Operation::Upload;
  // What the receiver is and does whatever the line (also given to the clean run).
  std::vector<std::string> receiverOptions;
  // What goes wrong on the line (left out of the clean run).
  std::vector<std::string> lineFaults;
  std::vector<std::string> faultKeys;  // the keys of both, for the figures
  // A download sends images read from a receiver with this seed.
  std::uint32_t sourceSeed = 0;
  // The user presses Cancel in whichever progress dialog is open at this time.
  std::optional<std::int64_t> cancelAtMs;
  // Real Time edits after the open. The transfer soak puts three items back to their factory
  // values; the Real Time soak (randomEdits) gives items of every page and the Basic Control
  // group values read from other receivers, with up to maxEditGapMs between edits.
  int edits = 3;
  bool randomEdits = false;
  std::int64_t maxEditGapMs = 0;

  // One line that names everything, to run it again (TW_SOAK_SEED).
  std::string describe() const;
  emu::EmulatorConfig config(bool withLineFaults) const;
};

Scenario MakeScenario(std::uint32_t seed);
// A Real Time soak scenario: a clean open, then `edits` random edits, with one to three
// faults of the line or the receiver from the end of the open on.
Scenario MakeRealTimeScenario(std::uint32_t seed, int edits);

using Images = std::array<model::ParameterImage, model::kImageCount>;

struct ReceiverState {
  emu::ReceiverSettings current;
  std::array<emu::ReceiverSettings, emu::kMemoryCount> memories;
};

// What one run did and left.
struct RunRecord {
  bool finished = false;  // the operation ended within its time limit
  bool connected = false;
  int listResult = -1;
  bool readEverything = false;  // an upload whose reads were all answered
  bool cancelled = false;
  Images before{};
  Images afterOperation{};  // a Real Time open: right after the connect
  Images after{};
  ReceiverState receiver;
  std::vector<emu::TranscriptEntry> transcript;
  // Real Time edits: the end of each edit's list (-1 for one that needed none).
  std::vector<int> editResults;
  bool editsEnded = true;  // every edit's Command Sending dialog closed within its time limit
  bool editsExtendedOnly = true;
  bool portOpenAtEnd = false;
  // What the link handed to the error log, and what the file holds.
  std::vector<std::pair<std::string, int>> errorLogCalls;
  std::string errorLogFile;
  std::vector<std::string> messages;
  // Random edits: each one's finding, if any ("" when the image and the receiver agreed).
  std::vector<std::string> editFindings;
  int editsFailed = 0;  // edits whose failure was shown
  // Edits that wrote nothing: values the window does not offer on this receiver (a trigger
  // following a zone it lacks); they are put back and not judged.
  int editsNotOffered = 0;
  std::int64_t virtualMs = 0;
};

// Reads everything the receiver answers (status frame and every extended row) into `image`.
void ReadEverything(emu::VirtualReceiver receiver, model::ParameterImage& image);
// What `image` holds that differs from what `receiver` answers, as "image 0: 26 (-805
// instead of -145), ..."; empty when they agree.
std::string DisagreementWithReceiver(const model::ParameterImage& image, const emu::VirtualReceiver& receiver);
// The first few parameters in which `got` differs from `want`.
std::string Differences(int index, const model::ParameterImage& got, const model::ParameterImage& want);

RunRecord RunScenario(const Scenario& scenario, bool withLineFaults, const std::filesystem::path& folder);

// Everything wrong with `faulty`, judged against `clean` (the same run without line faults).
std::vector<std::string> CheckRun(const Scenario& scenario, const RunRecord& faulty, const RunRecord& clean);

}  // namespace tw::soak
