#pragma once

// The whole program (Workbench) on the virtual clock, with the in-process virtual receiver
// behind the port-list entry "Virtual TQ-N4400", scripted message boxes and a dialog host
// that records the dialogs.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_options.h"
#include "session/workbench.h"
#include "support/scripted_ui_services.h"
#include "ui/view_harness.h"

namespace tw::pages::test {

using namespace ::tw::session;

using ui::test::ReadFile;
using ui::test::RecordingDialogHost;
using ui::test::ScratchFolder;

inline emu::EmulatorConfig Emulator(const std::vector<std::string>& options) {
  emu::EmulatorConfig config;
  const auto error = emu::ApplyEmulatorOptions(config, options);
  EXPECT_FALSE(error.has_value()) << *error;
  return config;
}

struct BenchFixture {
  static inline const std::chrono::system_clock::time_point kEpoch =
      std::chrono::system_clock::time_point{} + std::chrono::hours(480000);

  BenchFixture(int startMode, const std::vector<std::string>& emulatorOptions, int tunerRegion = -1,
               std::span<const PageDescriptor> pages = SheetPageDescriptors())
      : bench(WorkbenchSetup{scheduler,
                             ui,
                             dialogs,
                             {folder.path() / "tunewright.ini", folder.path()},
                             {},
                             Emulator(emulatorOptions),
                             true,
                             [this] { return kEpoch + std::chrono::milliseconds(scheduler.now()); },
                             pages}),
        startup(startMode, tunerRegion) {
    bench.Start({}, startup, [this](bool ok) { started = ok; });
    EXPECT_TRUE(started);
    EXPECT_TRUE(bench.hasWindow());
    if (bench.hasWindow()) {
      EXPECT_TRUE(bench.SelectPort(Workbench::kVirtualDevice));
    }
  }

  // Runs one operation to its end on the virtual clock.
  Workbench::Outcome run(Workbench::Operation operation, std::int64_t limitMs = 60LL * 60 * 1000) {
    std::optional<Workbench::Outcome> outcome;
    EXPECT_TRUE(bench.Run(operation, [&](Workbench::Outcome o) { outcome = o; }));
    EXPECT_TRUE(scheduler.runUntil([&] { return outcome.has_value(); }, limitMs)) << "the operation never ended";
    // Commands written at the very end (a Real Time connect puts input and program back)
    // still travel the line and are answered.
    scheduler.advance(kSettleMs);
    return outcome.value_or(Workbench::Outcome{});
  }

  static constexpr std::int64_t kSettleMs = 2000;

  model::ParameterImage& image(int index) { return *bench.link().images().Image(index); }
  emu::VirtualReceiver& receiver() { return bench.virtualReceiver(); }

  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : ui.messages()) texts.push_back(shown.text);
    return texts;
  }

  ScratchFolder folder;
  comm::VirtualScheduler scheduler;
  ui::ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  Workbench bench;
  PresetStartup startup;
  bool started = false;
};

}  // namespace tw::pages::test
