// Load and save of a whole configuration (every page the sheet holds, the Basic Control
// group and the six memories): building the file text, parsing it, and reading it back.

#include "pages/configuration_workspace.h"
#include "support/scripted_ui_services.h"

#include <benchmark/benchmark.h>

namespace {

struct Bench {
  tw::pages::OfflinePageLink link{1};
  tw::ui::ScriptedUiServices ui;
  tw::pages::ConfigurationWorkspace workspace{link, link.images(), ui};
};

void BM_SaveConfiguration(benchmark::State& state) {
  Bench b;
  b.workspace.memo() = "Client\r\nLiving room";
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
