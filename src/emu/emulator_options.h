#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tw::emu {

// Everything that makes one virtual receiver differ from another: what it has, how it
// starts, how fast it answers, and which faults it shows. Set through
// `--emulator-option KEY=VALUE` (see EmulatorOptionHelp for the keys).
struct EmulatorConfig {
  // The receiver.
  bool zone2 = true;
  bool zone3 = true;
  bool xm = true;
  bool aac = true;
  int tunerRegion = 1;                        // 0..3
  std::string modelCode = "R0210";            // five characters
  std::optional<std::uint32_t> settingsSeed;  // random valid settings instead of factory ones
  std::vector<std::string> presetCommands;    // frames taken before any tool connects

  // Timing on the line.
  int latencyMs = 10;  // from the end of a received frame to the first byte of the answer

  // Faults; the random ones draw from one generator seeded with faultSeed.
  std::uint32_t faultSeed = 1;
  bool silent = false;    // never answers
  double dropRate = 0.0;  // an answer is lost
  double lateRate = 0.0;  // an answer comes lateMs later than usual
  int lateMs = 1500;
  double duplicateRate = 0.0;        // an answer is sent twice
  double garbageRate = 0.0;          // random non-frame bytes go out before an answer
  double nulRate = 0.0;              // NUL bytes inside an answer
  double splitRate = 0.0;            // an answer reaches the tool in several reads
  std::int64_t faultsFromMs = 0;     // the answer faults above start this long after start
  std::set<int> guardRows;           // extended writes to these command-table rows are refused (guard)
  std::set<std::string> guardCodes;  // standard changes of these report codes are refused (guard)
  std::set<int> errorRows;           // these command-table rows answer with a parameter error
  std::int64_t ctsOffAtMs = -1;      // from this clock time on the cable counts as pulled
  std::int64_t vanishAtMs = -1;      // from this clock time the port is gone (a USB adapter pulled out)
  int knobIntervalMs = 0;            // the volume knob turns one step at this interval (0: never)
  int minRequestGapMs = 0;           // commands this soon after the last answer are dropped (0: never)
};

// Applies one "KEY=VALUE" text. On failure returns a one-line message naming the key
// and what is accepted, and leaves `config` unchanged.
std::optional<std::string> ApplyEmulatorOption(EmulatorConfig& config, std::string_view keyValue);

// Applies every text in order; stops at the first failure and returns its message.
std::optional<std::string> ApplyEmulatorOptions(EmulatorConfig& config,
                                                const std::vector<std::string>& options);

// One line per key: "KEY=VALUE  what it does", for --help texts.
std::string EmulatorOptionHelp();

}  // namespace tw::emu
