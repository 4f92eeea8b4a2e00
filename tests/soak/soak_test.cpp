// The fault soak as a test: a fixed range of seeds in every test run, and a run for as long
// as asked when TW_SOAK_SECONDS is set (scripts/soak.sh). TW_SOAK_SEED runs one seed alone;
// TW_SOAK_TRANSCRIPT prints what crossed the line in one seed's run.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>

#include "comm/frame_notation.h"
#include "soak.h"

namespace tw::soak {
namespace {

// Seeds of the short run: each fault alone once (every third seed takes the next one), and
// combinations.
constexpr std::uint32_t kShortFirstSeed = 1;
constexpr std::uint32_t kShortSeedCount = 39;

struct Figures {
  int runs = 0;
  int failedRuns = 0;
  std::uint32_t firstSeed = 0;
  std::uint32_t lastSeed = 0;
  std::map<std::string, int> faults;
  std::map<std::string, int> outcomes;

  void print(std::ostream& out, double seconds) const {
    out << "fault soak: " << runs << " runs (seeds " << firstSeed << ".." << lastSeed << ") in " << seconds
        << " s, " << failedRuns << " with failures\n  faults:";
    for (const auto& [key, count] : faults) out << ' ' << key << ' ' << count;
    out << "\n  outcomes:";
    for (const auto& [what, count] : outcomes) out << ' ' << what << ' ' << count;
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
void RunSeed(std::uint32_t seed, Figures& figures) {
  const Scenario scenario = MakeScenario(seed);
  const RunRecord clean = RunScenario(scenario, false, SoakFolder() / "clean");
  const RunRecord faulty = RunScenario(scenario, true, SoakFolder() / "faulty");
  const std::vector<std::string> failures = CheckRun(scenario, faulty, clean);
  for (const std::string& failure : failures) ADD_FAILURE() << scenario.describe() << "\n  " << failure;
  if (figures.runs++ == 0) figures.firstSeed = seed;
  figures.lastSeed = seed;
  figures.failedRuns += failures.empty() ? 0 : 1;
  for (const std::string& key : scenario.faultKeys) ++figures.faults[key];
  ++figures.outcomes[Outcome(scenario, faulty)];
}

TEST(FaultSoak, ShortRunOverFixedSeeds) {
  const auto start = std::chrono::steady_clock::now();
  Figures figures;
  for (std::uint32_t seed = kShortFirstSeed; seed < kShortFirstSeed + kShortSeedCount; ++seed) RunSeed(seed, figures);
  figures.print(std::cout, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  std::filesystem::remove_all(SoakFolder());
}

// The transcript of one seed's run with faults, frame by frame, each answer with the command
// it answers: TW_SOAK_TRANSCRIPT=N.
TEST(FaultSoak, Transcript) {
  const char* seed = std::getenv("TW_SOAK_TRANSCRIPT");
  if (seed == nullptr) GTEST_SKIP() << "set TW_SOAK_TRANSCRIPT to a seed";
  const Scenario scenario = MakeScenario(static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)));
  std::cout << scenario.describe() << '\n';
  for (const auto& entry : RunScenario(scenario, true, SoakFolder()).transcript) {
    std::cout << emu::Transcript::Format(entry);
    if (!entry.request.empty()) std::cout << "  answers " << comm::ToNotation(entry.request);
    std::cout << '\n';
  }
}

TEST(FaultSoak, LongRun) {
  const char* seconds = std::getenv("TW_SOAK_SECONDS");
  const char* only = std::getenv("TW_SOAK_SEED");
  if (seconds == nullptr && only == nullptr) GTEST_SKIP() << "set TW_SOAK_SECONDS (scripts/soak.sh) or TW_SOAK_SEED";
  Figures figures;
  const auto start = std::chrono::steady_clock::now();
  if (only != nullptr) {
    const auto seed = static_cast<std::uint32_t>(std::strtoul(only, nullptr, 10));
    std::cout << MakeScenario(seed).describe() << '\n';
    RunSeed(seed, figures);
  } else {
    const char* first = std::getenv("TW_SOAK_FIRST_SEED");
    std::uint32_t seed = first != nullptr ? static_cast<std::uint32_t>(std::strtoul(first, nullptr, 10)) : 1000;
    const auto budget = std::chrono::seconds(std::strtol(seconds, nullptr, 10));
    while (std::chrono::steady_clock::now() - start < budget) RunSeed(seed++, figures);
  }
  figures.print(std::cout, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  std::filesystem::remove_all(SoakFolder());
}

}  // namespace
}  // namespace tw::soak
