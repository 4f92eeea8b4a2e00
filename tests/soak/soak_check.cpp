// What the soak asserts after each run:
// - it ended (no hang; a crash ends the soak itself);
// - a run reported as successful left every image as the same run on a clean line left it,
//   the receiver in the same state, and got an acknowledgement for every command it sent;
// - a run that failed or was cancelled left every image exactly as it was before (a Real Time
//   connection holds, for every parameter, the value read or the value of an edit), except an
//   upload that read everything and failed only in its write-back: it keeps what the clean
//   run read;
// - in the Real Time soak, after each edit the image holds what the receiver holds, and an
//   edit that failed said so;
// - the error log holds every command the link gave up on, and the failure message counts them.

#include <set>
#include <sstream>

#include "app/log_format.h"
#include "comm/protocol.h"
#include "model/command_table.h"
#include "model/parameter_access.h"
#include "soak.h"

namespace tw::soak {
namespace {

constexpr int kLastNumber = 555;
constexpr int kFirstEqNumber = 397;
constexpr int kLastEqNumber = 404;
constexpr int kEqRecords = 10;

// Every parameter value of an image, keyed so that Graphic EQ records count one by one.
std::map<std::string, std::string> Values(const model::ParameterImage& image) {
  std::map<std::string, std::string> values;
  for (int number = 1; number <= kLastNumber; ++number) {
    if (number >= kFirstEqNumber && number <= kLastEqNumber) continue;
    const auto value = model::GetParameter(image, number);
    if (!value) continue;
    values[std::to_string(number)] = std::holds_alternative<std::string>(*value)
                                         ? "\"" + std::get<std::string>(*value) + "\""
                                         : std::to_string(std::get<std::int32_t>(*value));
  }
  for (int record = 0; record < kEqRecords; ++record) {
    for (int number = kFirstEqNumber; number <= kLastEqNumber; ++number) {
      const auto value = model::GetGraphicEqValue(image, record, number);
      if (value) values[std::to_string(number) + "/" + std::to_string(record)] = std::to_string(*value);
    }
  }
  return values;
}

}  // namespace

// "image 2: 26 (-805 instead of -145), ..." for the first few differences.
std::string Differences(int index, const model::ParameterImage& got, const model::ParameterImage& want) {
  const auto a = Values(got);
  const auto b = Values(want);
  std::string text;
  int shown = 0;
  for (const auto& [key, value] : a) {
    const auto other = b.find(key);
    if (other != b.end() && other->second == value) continue;
    if (++shown > 5) {
      text += ", ...";
      break;
    }
    text += (text.empty() ? "" : ", ") + key + " (" + value + " instead of " +
            (other == b.end() ? std::string("nothing") : other->second) + ")";
  }
  if (text.empty()) text = "fields outside the numbered parameters";
  return "image " + std::to_string(index) + ": " + text;
}

namespace {

void ExpectImages(std::vector<std::string>& failures, const std::string& what, const Images& got, const Images& want) {
  for (int i = 0; i < model::kImageCount; ++i) {
    if (got[static_cast<std::size_t>(i)] == want[static_cast<std::size_t>(i)]) continue;
    failures.push_back(what + ": " + Differences(i, got[static_cast<std::size_t>(i)], want[static_cast<std::size_t>(i)]));
  }
}

bool SameSettings(const emu::ReceiverSettings& a, const emu::ReceiverSettings& b) {
  return a.rows == b.rows && a.reports == b.reports && a.inputPrograms == b.inputPrograms;
}

std::string SettingsDifference(const emu::ReceiverSettings& got, const emu::ReceiverSettings& want) {
  for (int row = 0; row < model::kRowCount; ++row) {
    const auto r = static_cast<std::size_t>(row);
    if (got.rows[r] != want.rows[r]) return "row " + std::to_string(row) + " " + got.rows[r] + " instead of " + want.rows[r];
  }
  for (const auto& [code, value] : want.reports) {
    const auto it = got.reports.find(code);
    const std::string held = it == got.reports.end() ? std::string("nothing") : it->second;
    if (held != value) return "report " + code + " " + held + " instead of " + value;
  }
  return "the programs of the inputs";
}

void ExpectReceiver(std::vector<std::string>& failures, const ReceiverState& got, const ReceiverState& want) {
  if (!SameSettings(got.current, want.current)) {
    failures.push_back("receiver's current settings: " + SettingsDifference(got.current, want.current));
  }
  for (std::size_t m = 0; m < got.memories.size(); ++m) {
    if (!SameSettings(got.memories[m], want.memories[m])) {
      failures.push_back("receiver's memory " + std::to_string(m + 1) + ": " +
                         SettingsDifference(got.memories[m], want.memories[m]));
    }
  }
}

// The frame as the receiver composed it: NUL bytes and bytes before the start byte removed.
std::string Clean(const std::string& bytes) {
  std::string frame;
  for (char c : bytes) {
    if (c != '\0') frame += c;
  }
  const auto start = frame.find_first_of(std::string{comm::STX, comm::DC4, comm::DC2});
  return start == std::string::npos ? std::string() : frame.substr(start);
}

bool Delivered(const emu::TranscriptEntry& entry) {
  return entry.direction == emu::TranscriptEntry::Direction::FromReceiver &&
         entry.note.find("dropped") == std::string::npos && entry.note.find("lost") == std::string::npos;
}

// An extended write or read is acknowledged by an accepted extended answer; a standard
// command by any report (a refused change is reported too).
bool Acknowledges(const emu::TranscriptEntry& answer) {
  const std::string frame = Clean(answer.bytes);
  if (answer.request.front() == comm::STX) return !frame.empty();
  return !comm::IsGuard(frame) && !comm::IsParameterError(frame);
}

std::set<std::string> AnsweredRequests(const std::vector<emu::TranscriptEntry>& transcript) {
  std::set<std::string> answered;
  for (const auto& entry : transcript) {
    if (Delivered(entry) && !entry.request.empty() && Acknowledges(entry)) answered.insert(entry.request);
  }
  return answered;
}

// Every frame the tool sent got an acknowledgement, unless the receiver leaves it
// unanswered on a clean line too.
void ExpectEveryCommandAcknowledged(std::vector<std::string>& failures, const RunRecord& faulty, const RunRecord& clean) {
  const std::set<std::string> answered = AnsweredRequests(faulty.transcript);
  const std::set<std::string> answeredWhenClean = AnsweredRequests(clean.transcript);
  std::set<std::string> missing;
  for (const auto& entry : faulty.transcript) {
    if (entry.direction != emu::TranscriptEntry::Direction::ToReceiver) continue;
    if (!answeredWhenClean.count(entry.bytes) || answered.count(entry.bytes)) continue;
    if (entry.bytes == comm::MakeStandard("FFFFF") ||
        entry.bytes == comm::CompleteExtended(model::kCommandTable[model::kPollRow].request)) {
      continue;  // the keep-alive is not part of the run's commands
    }
    missing.insert(entry.bytes);
  }
  for (const std::string& frame : missing) {
    failures.push_back("reported as successful, but " + app::ReplaceControlCharacters(frame) + " was never acknowledged");
  }
}

// The error log holds each command the link gave up on; a failure message counts them.
void ExpectErrorLog(std::vector<std::string>& failures, const RunRecord& run) {
  int commands = 0;
  for (const auto& [text, number] : run.errorLogCalls) {
    if (text.empty() || (text.front() != comm::STX && text.front() != comm::DC4)) continue;
    ++commands;
    if (run.errorLogFile.find(app::ReplaceControlCharacters(text) + "\r\n") == std::string::npos) {
      failures.push_back("the error log misses the failed command " + app::ReplaceControlCharacters(text));
    }
  }
  for (const std::string& message : run.messages) {
    const std::string lead = " did not complete: ";
    const auto at = message.find(lead);
    if (at == std::string::npos) continue;
    const int reported = std::stoi(message.substr(at + lead.size()));
    if (reported != commands || reported == 0) {
      failures.push_back("the message counts " + std::to_string(reported) + " failed commands, the error log " +
                         std::to_string(commands));
    }
  }
  if (run.listResult == 1 && commands == 0) failures.push_back("the transfer failed, but the error log names no command");
}

// Faults that lose or spoil what the receiver says about a standard command, which Real
// Time Mode writes without waiting for an answer.
bool LosesReports(const Scenario& scenario) {
  for (const std::string& key : scenario.faultKeys) {
    if (key == "drop" || key == "garbage" || key == "cts-off-at" || key == "vanish-at" || key == "silent") return true;
  }
  return false;
}

void CheckTransfer(std::vector<std::string>& failures, const RunRecord& faulty, const RunRecord& clean) {
  const bool success = faulty.connected && faulty.listResult == 0 && !faulty.cancelled;
  if (!success && faulty.readEverything && !faulty.cancelled) {
    ExpectImages(failures, "read everything, yet different from the clean run", faulty.after, clean.after);
    return;
  }
  if (!success) {
    ExpectImages(failures, "failed or cancelled, yet changed", faulty.after, faulty.before);
    return;
  }
  if (!(clean.connected && clean.listResult == 0)) {
    failures.push_back("succeeded where the clean line failed (" + std::to_string(clean.listResult) + ")");
    return;
  }
  ExpectImages(failures, "successful, yet different from the clean run", faulty.after, clean.after);
  ExpectReceiver(failures, faulty.receiver, clean.receiver);
  ExpectEveryCommandAcknowledged(failures, faulty, clean);
}

void CheckRealTime(std::vector<std::string>& failures, const Scenario& scenario, const RunRecord& faulty,
                   const RunRecord& clean) {
  if (!faulty.connected || faulty.cancelled) {
    ExpectImages(failures, "no connection, yet changed", faulty.after, faulty.before);
    return;
  }
  ExpectImages(failures, "connected, yet read differently from the clean run", faulty.afterOperation,
               clean.afterOperation);
  // Only the current settings take part in Real Time Mode.
  for (int i = 1; i < model::kImageCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (faulty.after[index] != faulty.before[index]) {
      failures.push_back("Real Time Mode changed " + Differences(i, faulty.after[index], faulty.before[index]));
    }
  }
  if (scenario.randomEdits) {
    // Each edit was judged against the receiver as it went.
    for (const std::string& finding : faulty.editFindings) {
      if (!finding.empty()) failures.push_back(finding);
    }
    for (const std::string& finding : clean.editFindings) {
      if (!finding.empty()) failures.push_back("on a clean line, " + finding);
    }
    return;
  }
  bool editsSucceeded = faulty.portOpenAtEnd && faulty.editResults.size() == clean.editResults.size();
  for (int result : faulty.editResults) editsSucceeded = editsSucceeded && result <= 0;
  if (editsSucceeded && (clean.editsExtendedOnly || !LosesReports(scenario))) {
    ExpectImages(failures, "edits acknowledged, yet different from the clean run", faulty.after, clean.after);
    ExpectReceiver(failures, faulty.receiver, clean.receiver);
    ExpectEveryCommandAcknowledged(failures, faulty, clean);
    return;
  }
  // Otherwise each setting holds what was read or what an edit made of it.
  const auto got = Values(faulty.after[0]);
  const auto read = Values(faulty.afterOperation[0]);
  const auto edited = Values(clean.after[0]);
  for (const auto& [key, value] : got) {
    const auto a = read.find(key);
    const auto b = edited.find(key);
    if ((a != read.end() && a->second == value) || (b != edited.end() && b->second == value)) continue;
    failures.push_back("image 0: " + key + " holds " + value + ", neither the value read nor the edit");
  }
}

}  // namespace

std::vector<std::string> CheckRun(const Scenario& scenario, const RunRecord& faulty, const RunRecord& clean) {
  std::vector<std::string> failures;
  if (!faulty.finished) {
    failures.push_back("the operation never ended");
    return failures;
  }
  if (!faulty.editsEnded) failures.push_back("an edit never ended");
  if (scenario.operation == Operation::RealTime) {
    CheckRealTime(failures, scenario, faulty, clean);
  } else {
    CheckTransfer(failures, faulty, clean);
  }
  ExpectErrorLog(failures, faulty);
  return failures;
}

}  // namespace tw::soak
