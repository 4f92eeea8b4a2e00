// The fault soak and the Real Time soak as tests: a fixed range of seeds in every test run,
// and a run for as long as asked when TW_SOAK_SECONDS is set (scripts/soak.sh). TW_SOAK_SEED
// runs one seed alone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>

#include "soak.h"
#include "comm/frame_notation.h"

namespace tw::soak {
namespace {

// Seeds of the short run: each fault alone once (every third seed takes the next one), and
// combinations.
constexpr std::uint32_t kShortFirstSeed = 1;
constexpr std::uint32_t kShortSeedCount = 39;
// The Real Time soak in every test run: a few runs of many edits each (the same seeds each
// time); the long run makes more edits per run.
constexpr std::uint32_t kRealTimeShortSeedCount = 4;
constexpr int kRealTimeShortEdits = 40;
constexpr int kRealTimeLongEdits = 150;

using MakeScenarioFn = Scenario (*)(std::uint32_t seed);
Scenario ShortRealTimeScenario(std::uint32_t seed) { return MakeRealTimeScenario(seed, kRealTimeShortEdits); }
Scenario LongRealTimeScenario(std::uint32_t seed) { return MakeRealTimeScenario(seed, kRealTimeLongEdits); }

struct Figures {
  int runs = 0;
  int failedRuns = 0;
  std::uint32_t firstSeed = 0;
  std::uint32_t lastSeed = 0;
  std::map<std::string, int> faults;
  std::map<std::string, int> outcomes;
  int edits = 0;
  int editsFailed = 0;
  int editsNotOffered = 0;
  std::int64_t virtualMs = 0;

  void print(std::ostream& out, double seconds) const {
    out << "fault soak: " << runs << " runs (seeds " << firstSeed << ".." << lastSeed << ") in " << seconds
        << " s, " << failedRuns << " with failures\n  faults:";
    for (const auto& [key, count] : faults) out << ' ' << key << ' ' << count;
    out << "\n  outcomes:";
    for (const auto& [what, count] : outcomes) out << ' ' << what << ' ' << count;
    if (edits > 0) {
      out << "\n  random edits: " << edits << " judged, " << editsFailed << " failed and said so, "
          << editsNotOffered << " not offered on that receiver (left out), over "
          << static_cast<double>(virtualMs) / 3.6e6 << " virtual hours";
    }
    out << '\n';
  }
};

std::string Outcome(const Scenario& scenario, const RunRecord& run) {
  const char* operation = scenario.operation == Operation::Upload     ? "upload"
                          : scenario.operation == Operation::Download ? "download"
                                                                      : "realtime";
  std::string what = !run.finished        ? "hung"
                     : run.cancelled      ? "cancelled"
                     : !run.connected     ? "not-connected"
                     : run.listResult > 0 ? "failed"
                                          : "succeeded";
  return std::string(operation) + "-" + what;
}

std::filesystem::path SoakFolder() {
  return std::filesystem::temp_directory_path() / ("tunewright-soak-" + std::to_string(::getpid()));
}

// Runs one seed (clean, then with faults); adds a test failure per finding.
void RunSeed(std::uint32_t seed, Figures& figures, MakeScenarioFn make = MakeScenario) {
  const Scenario scenario = make(seed);
  const RunRecord clean = RunScenario(scenario, false, SoakFolder() / "clean");
  const RunRecord faulty = RunScenario(scenario, true, SoakFolder() / "faulty");
  const std::vector<std::string> failures = CheckRun(scenario, faulty, clean);
  for (const std::string& failure : failures) ADD_FAILURE() << scenario.describe() << "\n  " << failure;
  if (figures.runs++ == 0) figures.firstSeed = seed;
  figures.lastSeed = seed;
  figures.failedRuns += failures.empty() ? 0 : 1;
  for (const std::string& key : scenario.faultKeys) ++figures.faults[key];
  ++figures.outcomes[Outcome(scenario, faulty)];
  figures.edits += static_cast<int>(faulty.editFindings.size());
  figures.editsFailed += faulty.editsFailed;
  figures.editsNotOffered += faulty.editsNotOffered;
  figures.virtualMs += faulty.virtualMs;
}

// The long runs: for TW_SOAK_SECONDS of wall time from TW_SOAK_FIRST_SEED (default 1000), or
// the one seed TW_SOAK_SEED.
void RunLong(MakeScenarioFn make) {
  const char* seconds = std::getenv("TW_SOAK_SECONDS");
  const char* only = std::getenv("TW_SOAK_SEED");
  if (seconds == nullptr && only == nullptr) GTEST_SKIP() << "set TW_SOAK_SECONDS (scripts/soak.sh) or TW_SOAK_SEED";
  Figures figures;
  const auto start = std::chrono::steady_clock::now();
  if (only != nullptr) {
    const auto seed = static_cast<std::uint32_t>(std::strtoul(only, nullptr, 10));
    std::cout << make(seed).describe() << '\n';
    RunSeed(seed, figures, make);
  } else {
    const char* first = std::getenv("TW_SOAK_FIRST_SEED");
    std::uint32_t seed = first != nullptr ? static_cast<std::uint32_t>(std::strtoul(first, nullptr, 10)) : 1000;
    const auto budget = std::chrono::seconds(std::strtol(seconds, nullptr, 10));
    while (std::chrono::steady_clock::now() - start < budget) RunSeed(seed++, figures, make);
  }
  figures.print(std::cout, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  std::filesystem::remove_all(SoakFolder());
}

TEST(FaultSoak, ShortRunOverFixedSeeds) {
  const auto start = std::chrono::steady_clock::now();
  Figures figures;
  for (std::uint32_t seed = kShortFirstSeed; seed < kShortFirstSeed + kShortSeedCount; ++seed) RunSeed(seed, figures);
  figures.print(std::cout, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  std::filesystem::remove_all(SoakFolder());
}

TEST(FaultSoak, LongRun) { RunLong(MakeScenario); }

// Seeds of the long runs that once found a fault, kept as regression cases.
constexpr std::uint32_t kTransferSeedsThatFoundFaults[] = {4706, 5984};
constexpr std::uint32_t kRealTimeSeedsThatFoundFaults[] = {1142, 1146, 1227, 1263, 1795, 2197};

TEST(FaultSoak, SeedsThatOnceFoundAFault) {
  Figures figures;
  for (std::uint32_t seed : kTransferSeedsThatFoundFaults) RunSeed(seed, figures);
  for (std::uint32_t seed : kRealTimeSeedsThatFoundFaults) RunSeed(seed, figures, LongRealTimeScenario);
  EXPECT_GT(figures.edits, 0);
  std::filesystem::remove_all(SoakFolder());
}

TEST(RealTimeSoak, ShortRunOverFixedSeeds) {
  const auto start = std::chrono::steady_clock::now();
  Figures figures;
  for (std::uint32_t seed = 1; seed <= kRealTimeShortSeedCount; ++seed) RunSeed(seed, figures, ShortRealTimeScenario);
  figures.print(std::cout, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  EXPECT_GT(figures.edits, 0);
  std::filesystem::remove_all(SoakFolder());
}

TEST(RealTimeSoak, LongRun) { RunLong(LongRealTimeScenario); }

// TW_SOAK_TRANSCRIPT=N prints what crossed the line in seed N's faulty run (TW_SOAK_MODE=realtime:
// the Real Time soak's seed N).
TEST(FaultSoak, Transcript) {
  const char* only = std::getenv("TW_SOAK_TRANSCRIPT");
  if (only == nullptr) GTEST_SKIP() << "set TW_SOAK_TRANSCRIPT=SEED";
  const char* mode = std::getenv("TW_SOAK_MODE");
  const MakeScenarioFn make = mode != nullptr && std::string(mode) == "realtime" ? LongRealTimeScenario : MakeScenario;
  const Scenario scenario = make(static_cast<std::uint32_t>(std::strtoul(only, nullptr, 10)));
  std::cout << scenario.describe() << '\n';
  const RunRecord faulty = RunScenario(scenario, true, SoakFolder() / "faulty");
  for (const auto& entry : faulty.transcript) {
    std::cout << emu::Transcript::Format(entry) << "  <- " << comm::ToNotation(entry.request) << '\n';
  }
  for (const std::string& finding : faulty.editFindings) {
    if (!finding.empty()) std::cout << finding << '\n';
  }
  std::filesystem::remove_all(SoakFolder());
}

}  // namespace
}  // namespace tw::soak
