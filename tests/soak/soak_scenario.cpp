// Scenarios of the fault soak, each drawn from its seed: an operation, a receiver, one fault
// or a random combination of faults, and sometimes a Cancel.

#include <algorithm>
#include <random>
#include <sstream>
#include <stdexcept>

#include "comm/protocol.h"
#include "model/command_table.h"
#include "soak.h"

namespace tw::soak {
namespace {

// Report codes whose changes a guard may refuse: volumes, levels, programs, inputs, modes.
constexpr std::array<const char*, 10> kGuardableCodes = {"26", "40", "41", "70", "28", "21", "22", "2D", "8B", "23"};

// A clean Real Time open takes about this long; the Real Time soak's faults start after it.
constexpr std::int64_t kOpenMs = 90000;
constexpr std::int64_t kRealTimeSoakFaultsFromMs = 2 * kOpenMs;
// Up to this much virtual time passes between two edits of the Real Time soak.
constexpr std::int64_t kMaxEditGapMs = 20LL * 60 * 1000;

// Receiver time a clean run of a scenario takes, about: cable pulls, vanishing ports and
// Cancels are drawn within it.
std::int64_t Duration(const Scenario& scenario) {
  if (scenario.randomEdits) return kRealTimeSoakFaultsFromMs + scenario.edits * (scenario.maxEditGapMs / 2);
  switch (scenario.operation) {
    case Operation::Upload:
      return 210000;
    case Operation::Download:
      return 25000;
    case Operation::RealTime:
      return kOpenMs;
  }
  return 0;
}

// Faults that stop every connection at once; combinations take them only now and then.
bool Stopper(const std::string& key) { return key == "model" || key == "silent"; }

std::vector<int> WritableRows() {
  std::vector<int> rows;
  for (int row = 0; row < model::kRowCount - 1; ++row) {
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    const bool listed = entry.flags & (model::kReadAtStart | model::kReadCurrent | model::kReadPerMemory);
    if (listed && entry.request[0] == comm::DC4 && row > model::kCapabilityRow) rows.push_back(row);
  }
  return rows;
}

// A fault rate. A Real Time open has no resend: one lost answer of its 500 reads ends it,
// so its rates are far lower, or no edit would ever follow (the Real Time soak's faults
// start after the open).
std::string Rate(std::mt19937& rng, const Scenario& scenario, double low, double high) {
  const double scale = scenario.operation == Operation::RealTime && !scenario.randomEdits ? 0.02 : 1.0;
  std::ostringstream text;
  text << std::uniform_real_distribution<double>(low * scale, high * scale)(rng);
  return text.str();
}

template <typename T, std::size_t N>
std::string Pick(std::mt19937& rng, const std::array<T, N>& from) {
  return from[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

std::string RowList(std::mt19937& rng) {
  static const std::vector<int> rows = WritableRows();
  const int count = std::uniform_int_distribution<int>(1, 3)(rng);
  std::string list;
  for (int i = 0; i < count; ++i) {
    if (!list.empty()) list += ',';
    list += std::to_string(rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(rng)]);
  }
  return list;
}

std::int64_t Moment(std::mt19937& rng, const Scenario& scenario) {
  // The virtual receiver takes moments up to a day after its start.
  constexpr std::int64_t kLatestMomentMs = 24LL * 3600 * 1000;
  const std::int64_t from = scenario.randomEdits ? kRealTimeSoakFaultsFromMs : 500;
  return std::uniform_int_distribution<std::int64_t>(from, std::min(Duration(scenario), kLatestMomentMs))(rng);
}

// Adds the options of fault `key`, with values drawn from `rng`.
void AddFault(Scenario& scenario, const std::string& key, std::mt19937& rng) {
  scenario.faultKeys.push_back(key);
  auto line = [&](const std::string& option) { scenario.lineFaults.push_back(option); };
  auto receiver = [&](const std::string& option) { scenario.receiverOptions.push_back(option); };
  if (key == "drop") line("drop=" + Rate(rng, scenario, 0.005, 0.15));
  if (key == "late") {
    line("late=" + Rate(rng, scenario, 0.05, 0.3));
    line("late-ms=" + std::to_string(std::uniform_int_distribution<int>(100, 4000)(rng)));
  }
  if (key == "duplicate") line("duplicate=" + Rate(rng, scenario, 0.05, 0.4));
  if (key == "garbage") line("garbage=" + Rate(rng, scenario, 0.05, 0.3));
  if (key == "nul") line("nul=" + Rate(rng, scenario, 0.05, 0.4));
  if (key == "split") line("split=" + Rate(rng, scenario, 0.1, 0.6));
  if (key == "guard-rows") receiver("guard-rows=" + RowList(rng));
  if (key == "guard-codes") {
    std::string codes = Pick(rng, kGuardableCodes);
    if (rng() % 2 == 0) codes += std::string(",") + Pick(rng, kGuardableCodes);
    receiver("guard-codes=" + codes);
  }
  if (key == "error-rows") receiver("error-rows=" + RowList(rng));
  if (key == "cts-off-at") line("cts-off-at=" + std::to_string(Moment(rng, scenario)));
  if (key == "silent") line("silent=1");
  if (key == "model") receiver("model=R0299");
  if (key == "vanish-at") line("vanish-at=" + std::to_string(Moment(rng, scenario)));
}

const char* OperationName(Operation operation) {
  switch (operation) {
    case Operation::Upload:
      return "upload";
    case Operation::Download:
      return "download";
    case Operation::RealTime:
      return "realtime";
  }
  return "?";
}

}  // namespace

Scenario MakeScenario(std::uint32_t seed) {
  std::mt19937 rng(seed);
  Scenario scenario;
  scenario.seed = seed;
  scenario.operation = static_cast<Operation>(rng() % 3);
  scenario.receiverOptions.push_back("seed=" + std::to_string(rng() % 100000));
  for (const char* capability : {"zone2", "zone3", "xm"}) {
    if (rng() % 5 == 0) scenario.receiverOptions.push_back(std::string(capability) + "=0");
  }
  scenario.sourceSeed = static_cast<std::uint32_t>(rng() % 100000);

  // Every third seed runs one fault alone, in turn; the others a random combination.
  std::vector<std::string> keys;
  if (seed % 3 == 0) {
    keys.push_back(kFaultKeys[(seed / 3) % kFaultKeys.size()]);
  } else {
    std::vector<std::string> all;
    for (const char* key : kFaultKeys) {
      if (!Stopper(key) || rng() % 10 == 0) all.push_back(key);
    }
    std::shuffle(all.begin(), all.end(), rng);
    keys.assign(all.begin(), all.begin() + std::uniform_int_distribution<int>(2, 4)(rng));
  }
  for (const std::string& key : keys) AddFault(scenario, key, rng);
  scenario.lineFaults.push_back("fault-seed=" + std::to_string(rng()));
  if (rng() % 8 == 0) scenario.cancelAtMs = Moment(rng, scenario);
  return scenario;
}

Scenario MakeRealTimeScenario(std::uint32_t seed, int edits) {
  std::mt19937 rng(seed ^ 0x5EEDu);
  Scenario scenario;
  scenario.seed = seed;
  scenario.operation = Operation::RealTime;
  scenario.edits = edits;
  scenario.randomEdits = true;
  scenario.maxEditGapMs = kMaxEditGapMs;
  scenario.receiverOptions.push_back("seed=" + std::to_string(rng() % 100000));
  for (const char* capability : {"zone2", "zone3", "xm"}) {
    if (rng() % 5 == 0) scenario.receiverOptions.push_back(std::string(capability) + "=0");
  }
  scenario.sourceSeed = static_cast<std::uint32_t>(rng() % 100000);

  // One to three faults; those that end every connection (no receiver, a wrong model) would
  // leave nothing to edit.
  std::vector<std::string> all;
  for (const char* key : kFaultKeys) {
    if (!Stopper(key)) all.push_back(key);
  }
  std::shuffle(all.begin(), all.end(), rng);
  const auto count = std::uniform_int_distribution<std::size_t>(1, 3)(rng);
  for (std::size_t i = 0; i < count; ++i) AddFault(scenario, all[i], rng);
  scenario.lineFaults.push_back("faults-from=" + std::to_string(kRealTimeSoakFaultsFromMs));
  scenario.lineFaults.push_back("fault-seed=" + std::to_string(rng()));
  return scenario;
}

std::string Scenario::describe() const {
  std::string text = "seed " + std::to_string(seed) + ": " + OperationName(operation);
  for (const std::string& option : receiverOptions) text += " " + option;
  for (const std::string& option : lineFaults) text += " " + option;
  if (operation == Operation::Download) text += " (images from seed " + std::to_string(sourceSeed) + ")";
  if (cancelAtMs) text += " cancel at " + std::to_string(*cancelAtMs) + " ms";
  if (randomEdits) text += ", " + std::to_string(edits) + " random edits";
  return text;
}

emu::EmulatorConfig Scenario::config(bool withLineFaults) const {
  emu::EmulatorConfig config;
  std::vector<std::string> options = receiverOptions;
  if (withLineFaults) options.insert(options.end(), lineFaults.begin(), lineFaults.end());
  if (const auto error = emu::ApplyEmulatorOptions(config, options)) throw std::runtime_error(*error);
  return config;
}

}  // namespace tw::soak
