// One soak run: the whole program (Workbench) on the virtual clock against the built-in
// virtual receiver, driven as a user drives it.

#include <algorithm>
#include <array>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>

#include "app/app_settings.h"
#include "app/comm_log.h"
#include "comm/link_constants.h"
#include "comm/memory_commands.h"
#include "comm/protocol.h"
#include "comm/virtual_scheduler.h"
#include "model/decode.h"
#include "model/decode_apply.h"
#include "model/parameter_access.h"
#include "session/workbench.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/basic/basic_control_settings.h"
#include "ui/main_view_link.h"
#include "soak.h"
#include "support/scripted_ui_services.h"
#include "ui/dialogs/dialog.h"

namespace tw::soak {
namespace {

// Receiver time allowed for one operation: an upload whose every command is resent three
// times takes hours.
constexpr std::int64_t kOperationLimitMs = 8LL * 3600 * 1000;
constexpr std::int64_t kEditLimitMs = 30LL * 60 * 1000;
constexpr std::int64_t kSettleMs = 5000;
constexpr int kBasicItems = 14;  // the Basic Control group's parameters 1..14
// Items a user cannot edit in Real Time Mode: the Speaker Distance unit (its buttons are
// disabled while connected).
constexpr std::array<int, 1> kNotEditableInRealTime = {278};

class NoDialogs final : public ui::DialogHost {
 public:
  void showDialog(ui::Dialog&) override {}
  void hideDialog(ui::Dialog&) override {}
};

// Passes everything on to the program's own log and keeps what the link gave up on.
class TeeLog final : public comm::LinkLog {
 public:
  explicit TeeLog(comm::LinkLog& inner) : inner_(inner) {}
  void WriteTrace(std::string_view text, bool frame, bool sent) override { inner_.WriteTrace(text, frame, sent); }
  void WriteErrorLog(std::string_view text, int number) override {
    calls.emplace_back(std::string(text), number);
    inner_.WriteErrorLog(text, number);
  }
  void BeginTransferLog(comm::LinkMode linkMode) override { inner_.BeginTransferLog(linkMode); }
  void EndTransferLog() override { inner_.EndTransferLog(); }

  std::vector<std::pair<std::string, int>> calls;

 private:
  comm::LinkLog& inner_;
};

// Images worth a download: another receiver's current settings and memories.
void FillImages(Images& images, const Scenario& scenario) {
  emu::EmulatorConfig config = scenario.config(false);
  config.settingsSeed = scenario.sourceSeed;
  config.guardRows.clear();
  config.guardCodes.clear();
  config.errorRows.clear();
  const emu::VirtualReceiver source(config);
  emu::VirtualReceiver current = source;
  ReadEverything(current, images[0]);
  for (int memory = 1; memory <= emu::kMemoryCount; ++memory) {
    emu::VirtualReceiver loaded = source;
    for (int part = 0; part < 4; ++part) loaded.handleFrame(comm::MemoryOperationCommand(memory, part, true));
    ReadEverything(loaded, images[static_cast<std::size_t>(memory)]);
  }
}

bool IsKeepAlive(const std::string& frame) {
  return frame == comm::MakeStandard("FFFFF") ||
         frame == comm::CompleteExtended(model::kCommandTable[model::kPollRow].request);
}

class Session {
 public:
  Session(const Scenario& scenario, bool withLineFaults, const std::filesystem::path& folder)
      : scenario_(scenario),
        bench_(session::WorkbenchSetup{scheduler_,
                                     ui_,
                                     dialogs_,
                                     {folder / "tunewright.ini", folder},
                                     {},
                                     scenario.config(withLineFaults),
                                     true,
                                     [this] { return kEpoch + std::chrono::milliseconds(scheduler_.now()); }}),
        startup_(scenario.operation == Operation::RealTime ? app::kStartModeRealTime : app::kStartModeAsync, 1),
        folder_(folder) {}

  RunRecord run() {
    bool started = false;
    bench_.Start({}, startup_, [&](bool ok) { started = ok; });
    if (!started || !bench_.hasWindow() || !bench_.SelectPort(session::Workbench::kVirtualDevice)) {
      throw std::runtime_error("the program did not start");
    }
    TeeLog tee(bench_.app().log());
    bench_.link().setLog(&tee);
    bench_.onCommandsFinished = [this](comm::ListResult result) { lastList_ = static_cast<int>(result); };
    if (scenario_.operation == Operation::Download) {
      FillImages(bench_.link().images().All(), scenario_);
      bench_.view().RefreshAllPages();
    }
    record_.before = bench_.link().images().All();

    runOperation();
    record_.afterOperation = bench_.link().images().All();
    if (scenario_.operation == Operation::RealTime && record_.finished && record_.connected && !record_.cancelled) {
      runEdits();
    }
    scheduler_.advance(kSettleMs);

    record_.after = bench_.link().images().All();
    record_.portOpenAtEnd = bench_.link().isPortOpen();
    record_.receiver.current = bench_.virtualReceiver().current();
    for (int memory = 1; memory <= emu::kMemoryCount; ++memory) {
      record_.receiver.memories[static_cast<std::size_t>(memory - 1)] = bench_.virtualReceiver().memory(memory);
    }
    record_.transcript = bench_.virtualPort().transcript().entries();
    for (const auto& shown : ui_.messages()) record_.messages.push_back(shown.text);
    bench_.link().setLog(&bench_.app().log());
    bench_.Shutdown();
    record_.errorLogCalls = tee.calls;
    std::ifstream log(folder_ / "ErrLog.txt", std::ios::binary);
    record_.errorLogFile.assign(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    return record_;
  }

 private:
  static inline const std::chrono::system_clock::time_point kEpoch =
      std::chrono::system_clock::time_point{} + std::chrono::hours(480000);

  session::Workbench::Operation operation() const {
    switch (scenario_.operation) {
      case Operation::Upload:
        return session::Workbench::Operation::Upload;
      case Operation::Download:
        return session::Workbench::Operation::Download;
      case Operation::RealTime:
        break;
    }
    return session::Workbench::Operation::Open;
  }

  void runOperation() {
    // Shared with the cancel timer, which may still fire after the operation has ended.
    auto outcome = std::make_shared<std::optional<session::Workbench::Outcome>>();
    if (scenario_.cancelAtMs) {
      scheduler_.callAfter(static_cast<int>(*scenario_.cancelAtMs), [this, outcome] {
        if (!*outcome) pressCancel();
      });
    }
    if (!bench_.Run(operation(), [outcome](session::Workbench::Outcome o) { *outcome = o; })) {
      throw std::runtime_error("the operation did not start");
    }
    record_.finished = scheduler_.runUntil([&] { return outcome->has_value(); }, kOperationLimitMs);
    if (const auto& result = *outcome) {
      record_.connected = result->connected;
      record_.listResult = result->listResult;
      record_.readEverything = result->readEverything;
    }
  }

  // Cancel in the progress dialog that is open, answering its question with OK.
  void pressCancel() {
    ui::MainView& view = bench_.view();
    if (ui::CommandSendingDialog* dialog = view.commandDialog()) {
      ui_.answer(ui::MessageResult::Ok);
      dialog->cancelButton().click();
      record_.cancelled = view.commandDialog() == nullptr;
    } else if (ui::InitializeDialog* init = view.initializeDialog()) {
      if (bench_.link().linkMode() == comm::LinkMode::RealTime) ui_.answer(ui::MessageResult::Ok);
      init->cancelButton().click();
      record_.cancelled = view.initializeDialog() == nullptr;
    }
  }

  void runEdits() {
    if (scenario_.randomEdits) {
      runRandomEdits();
    } else {
      runFactoryEdits();
    }
  }

  // A few edits of the current settings, each an item of a random page put back to its
  // factory value and sent as the page sends it.
  void runFactoryEdits() {
    std::mt19937 rng(scenario_.seed * 7919u + 13u);
    model::ParameterImage defaults;
    model::ResetToDefaults(defaults, bench_.link().tunerRegion());
    for (int edit = 0; edit < scenario_.edits && bench_.link().isPortOpen(); ++edit) {
      if (const auto chosen = chooseEdit(rng, defaults, false)) sendEdit(*chosen);
    }
  }

  // Edits with values other receivers hold, on every page and the Basic Control group, with
  // virtual time between them. After each one the image must agree with the receiver.
  void runRandomEdits() {
    std::mt19937 rng(scenario_.seed * 7919u + 17u);
    std::vector<model::ParameterImage> sources(3);
    for (std::size_t i = 0; i < sources.size(); ++i) {
      emu::EmulatorConfig config = scenario_.config(false);
      config.settingsSeed = scenario_.sourceSeed + static_cast<std::uint32_t>(i);
      model::ResetToDefaults(sources[i], bench_.link().tunerRegion());
      ReadEverything(emu::VirtualReceiver(config), sources[i]);
    }
    model::ParameterImage defaults;
    model::ResetToDefaults(defaults, bench_.link().tunerRegion());
    sources.push_back(defaults);

    for (int edit = 0; edit < scenario_.edits && bench_.link().isPortOpen(); ++edit) {
      scheduler_.advance(std::uniform_int_distribution<std::int64_t>(0, scenario_.maxEditGapMs)(rng));
      if (!bench_.link().isPortOpen()) break;
      const model::ParameterImage beforeEdit = *bench_.link().images().Image(0);
      const auto chosen = chooseEdit(rng, sources[rng() % sources.size()], rng() % 5 == 0);
      if (!chosen) continue;
      const std::size_t messagesBefore = ui_.messages().size();
      const Sent sent = sendEdit(*chosen);
      if (!sent.wrote) {
        *bench_.link().images().Image(0) = beforeEdit;
        record_.editResults.pop_back();
        ++record_.editsNotOffered;
        continue;
      }
      const int result = record_.editResults.back();
      const bool shown = sent.wordShown || ui_.messages().size() > messagesBefore;
      record_.editsFailed += result > 0 && shown ? 1 : 0;
      std::string finding = judgeEdit(*chosen, result, shown);
      if (!finding.empty() && !sent.watched) {
        // Commands the receiver answers without a watch (the Basic Control group's) on a
        // dead line are noticed by the next keep-alive, which ends the connection.
        scheduler_.advance(comm::kKeepAliveIntervalMs + comm::kKeepAliveReplyMs);
        finding = judgeEdit(*chosen, result, shown);
      }
      record_.editFindings.push_back(finding);
    }
    if (!bench_.link().isPortOpen()) {
      // A port that went away while the line was idle is noticed by the next keep-alive.
      scheduler_.advance(comm::kKeepAliveIntervalMs + comm::kKeepAliveReplyMs + kSettleMs);
      if (ui_.messages().empty()) record_.editFindings.push_back("the connection ended without a message");
    }
    record_.virtualMs = scheduler_.now();
  }

  struct Edit {
    std::function<void()> send;
    std::string what;  // "Section: key=value"
  };

  // An item whose value in `source` differs from the current one, stored in the current
  // image as the control does; nothing when no such item turned up.
  std::optional<Edit> chooseEdit(std::mt19937& rng, const model::ParameterImage& source, bool basicControl) {
    model::ParameterImage& current = *bench_.link().images().Image(0);
    for (int attempt = 0; attempt < 100; ++attempt) {
      if (basicControl) {
        ui::BasicControlGroup& group = bench_.basicControls();
        const settings::PageSettings& basic = settings::BasicControlSettings();
        const int number = std::uniform_int_distribution<int>(1, kBasicItems)(rng);
        const std::string now = basic.DescribeItem(current, number, -1, false).value;
        const settings::ItemText target = basic.DescribeItem(source, number, -1, false);
        if (target.value.empty() || now == target.value || !basic.ParseItem(current, number, -1, target.value)) continue;
        return Edit{[&group, number] { group.SendBasicItem(number); },
                    target.section + ": " + target.key + "=" + target.value};
      }
      const auto& tabs = bench_.sheet().tabs();
      pages::BasePage* page = tabs[rng() % tabs.size()];
      const std::vector<pages::PageItem> items = page->ListItems(true, pages::kAllGroups);
      if (items.empty()) continue;
      const pages::PageItem item = items[rng() % items.size()];
      if (!page->IsItemAvailable(item.number) ||
          std::find(kNotEditableInRealTime.begin(), kNotEditableInRealTime.end(), item.number) !=
              kNotEditableInRealTime.end()) {
        continue;
      }
      const std::string now = page->settings().DescribeItem(current, item.number, item.subIndex, false).value;
      const pages::ItemText target = page->settings().DescribeItem(source, item.number, item.subIndex, false);
      if (target.value.empty() || now == target.value ||
          !page->settings().ParseItem(current, item.number, item.subIndex, target.value)) {
        continue;
      }
      return Edit{[page, item] { page->SendItem(item.number, item.subIndex); },
                  target.section + ": " + target.key + "=" + target.value};
    }
    return std::nullopt;
  }

  struct Sent {
    bool wordShown = false;  // a failure word in the status bar
    bool wrote = false;      // anything but keep-alives went to the receiver
    bool watched = false;    // an extended command, whose answer the link waits for
  };

  // Sends one edit and runs until its list has ended.
  Sent sendEdit(const Edit& edit) {
    const std::size_t framesBefore = bench_.virtualPort().transcript().entries().size();
    Sent sent;
    lastList_.reset();
    edit.send();
    if (!scheduler_.runUntil([&] { return !bench_.link().isSendingCommands(); }, kEditLimitMs)) {
      record_.editsEnded = false;
    }
    const std::string& word = bench_.view().statusBarMessage().text();
    sent.wordShown = word == ui::kErrorWord || word == ui::kGuardWord;
    scheduler_.advance(kSettleMs);
    record_.editResults.push_back(lastList_.value_or(-1));
    const auto& entries = bench_.virtualPort().transcript().entries();
    for (std::size_t i = framesBefore; i < entries.size(); ++i) {
      const emu::TranscriptEntry& entry = entries[i];
      if (entry.direction != emu::TranscriptEntry::Direction::ToReceiver || IsKeepAlive(entry.bytes)) continue;
      sent.wrote = true;
      if (entry.bytes.front() == comm::DC4) sent.watched = true;
      if (entry.bytes.front() != comm::DC4) record_.editsExtendedOnly = false;
    }
    return sent;
  }

  // After an edit the image holds what the receiver holds, and a failure was shown; once
  // the connection is gone, a message said so.
  std::string judgeEdit(const Edit& edit, int result, bool shown) {
    const std::string which = "edit " + std::to_string(record_.editResults.size()) + " (" + edit.what +
                              ", list result " + std::to_string(result) + ")";
    if (!bench_.link().isPortOpen()) return std::string();  // judged once the run ends
    if (result > 0 && !shown) return which + ": failed without a word";
    const std::string disagreement =
        DisagreementWithReceiver(*bench_.link().images().Image(0), bench_.virtualReceiver());
    return disagreement.empty() ? std::string() : which + ": " + disagreement;
  }

  const Scenario& scenario_;
  comm::VirtualScheduler scheduler_;
  ui::ScriptedUiServices ui_;
  NoDialogs dialogs_;
  session::Workbench bench_;
  session::PresetStartup startup_;
  std::filesystem::path folder_;
  RunRecord record_;
  std::optional<int> lastList_;
};

}  // namespace

RunRecord RunScenario(const Scenario& scenario, bool withLineFaults, const std::filesystem::path& folder) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  RunRecord record = Session(scenario, withLineFaults, folder).run();
  std::filesystem::remove_all(folder);
  return record;
}

}  // namespace tw::soak
