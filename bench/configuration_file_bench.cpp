// Load and save of a whole configuration (every page of the catalogue, the Basic Control
// group and the six memories): building the file text, parsing it, and reading it back.

#include "settings/offline_configuration.h"

#include <benchmark/benchmark.h>

namespace {

struct Bench {
  tw::settings::OfflineConfiguration workspace{1};
};

void BM_SaveConfiguration(benchmark::State& state) {
  Bench b;
  b.workspace.memo = "Client\r\nLiving room";
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = b.workspace.Save().Text();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveConfiguration);

void BM_LoadConfiguration(benchmark::State& state) {
  Bench b;
  const std::string text = b.workspace.Save().Text();
  for (auto _ : state) {
    b.workspace.Load(tw::files::Profile::Parse(text));
    benchmark::ClobberMemory();
  }
  state.counters["file_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_LoadConfiguration);

void BM_BuildReport(benchmark::State& state) {
  Bench b;
  for (auto _ : state) {
    const std::string report = b.workspace.BuildReport();
    benchmark::DoNotOptimize(report.data());
  }
}
BENCHMARK(BM_BuildReport);

}  // namespace
