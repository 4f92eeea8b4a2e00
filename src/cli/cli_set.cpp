// tunewright-cli set [--dry-run] PAGE KEY VALUE: one setting of one page, with the page's
// own texts (as a configuration file holds them) and sent as that page sends an edit in
// Real Time Mode. --dry-run prints the frames without a receiver.

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_commands.h"
#include "cli/cli_session.h"
#include "cli/cli_session_run.h"
#include "cli/cli_set_edit.h"
#include "comm/link.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "ui/main_view_link.h"

namespace tw::cli {
namespace {

// A reply to a standard command that does not come within this time never comes.
constexpr int kReportWaitMs = 3000;

// Connects as Real Time Mode does, sends the edit, and waits for the receiver's answer:
// the end of the command list for extended commands, the report of the same parameter for
// standard ones.
class SetSession final : public LinkSession {
 public:
  SetSession(const SetOptions& options, comm::Link& link, comm::Scheduler& scheduler)
      : LinkSession(scheduler), options_(options), link_(link) {
    // Page and key are checked before connecting; the value needs the receiver's state.
    OfflineReceiver offline;
    SettingEdit check(options, *offline.images.Image(0), offline.context);
  }

  const std::vector<std::string>& frames() const { return frames_; }

  void CommandsFinished(comm::ListResult result) override {
    if (!sending_) return;
    // A refused write is read back (guard), so the image then holds what the receiver kept.
    if (result == comm::ListResult::Completed) return checkValue();
    fail(kExitLinkFailed, "the receiver did not acknowledge " + comm::ToNotation(frames().back()));
  }
  void RefreshActiveItems(const std::vector<int>& numbers) override { reported(numbers); }
  void RefreshBasicItem(int number, bool) override { reported({number}); }

 private:
  void send() override {
    try {
      const settings::SettingContext context{link_.capabilities(), link_.tunerRegion(), true};
      edit_ = std::make_unique<SettingEdit>(options_, *link_.images().Image(0), context);
      edit_->parse(options_.value);
      edit_->printAdvice();
      expected_ = edit_->valueText();
    } catch (const CliFailure& failure) {
      return fail(failure.status, failure.message);
    }
    sending_ = true;
    // As a page sends an edit: the item's commands, then the start of the batch.
    if (edit_->available()) {
      for (const std::string& frame : edit_->commands()) {
        frames_.push_back(frame);
        link_.SendPacket(frame, edit_->item.number);
      }
      link_.SendPacket("", comm::kNoParameter);
    }
    if (frames().empty()) {
      const std::vector<std::string> missing = MissingParts(options_, link_.capabilities());
      if (!missing.empty()) {
        std::string parts;
        for (const std::string& part : missing) parts += (parts.empty() ? "" : " and no ") + part;
        return fail(kExitLinkFailed, "the receiver has no " + parts + ", so " + edit_->key() + " on page \"" +
                                         edit_->section() + "\" cannot be sent to it");
      }
      return fail(kExitBadInput, edit_->silence("it has no command of its own"));
    }
    if (!link_.isSendingCommands()) {
      scheduler_.callAfter(kReportWaitMs, [this] {
        if (!sawReport_) fail(kExitLinkFailed, "the receiver did not answer " + comm::ToNotation(frames().back()));
        checkValue();
      });
    }
  }

  // A report of the same setting may still answer a command the connection sent before this
  // edit (the start-up read ends by sending Input and DSP Program), so only a report of the
  // new value ends the wait early; otherwise the value is judged when the wait is over.
  void reported(const std::vector<int>& numbers) {
    if (!sending_ || link_.isSendingCommands() || edit_ == nullptr) return;
    if (std::find(numbers.begin(), numbers.end(), edit_->item.number) == numbers.end()) return;
    sawReport_ = true;
    if (edit_->valueText() == expected_) end();
  }

  void checkValue() {
    if (edit_->valueText() == expected_) return end();
    const settings::ItemText now =
        edit_->page.DescribeItem(edit_->image, edit_->item.number, edit_->item.subIndex, false);
    fail(kExitLinkFailed, "the receiver kept " + now.key + " at " + now.value);
  }

  const SetOptions& options_;
  comm::Link& link_;
  std::vector<std::string> frames_;
  std::unique_ptr<SettingEdit> edit_;
  std::string expected_;
  bool sending_ = false;
  bool sawReport_ = false;
};

int SetWith(const SetOptions& options, const SessionLine& line, const std::function<void(SetSession&)>& run) {
  comm::Link link(line.port, line.scheduler, comm::WorkingMode::RealTime);
  SetSession session(options, link, line.scheduler);
  session.Connect(link, line);
  run(session);
  session.Finish(link);
  line.progress.finish();
  PrintFrames(session.frames());
  return kExitOk;
}

int RunSet(const SetOptions& options) {
  if (options.dryRun) return RunDryRun(options);
  constexpr std::int64_t kLimitMs = 60 * 60 * 1000;
  return RunSession<SetSession>(options.target, "set", kLimitMs, [&](const SessionLine& line, auto wait) {
    return SetWith(options, line, wait);
  });
}

}  // namespace

void registerSet(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<SetOptions>();
  CLI::App* command = parent.add_subcommand(
      "set",
      "Set one setting of one page, as the page sends an edit in Real Time Mode, and print the frames");
  command->add_option("PAGE", options->page,
                      "page caption, e.g. \"Speaker Level\"; a sound program's parameters go by the "
                      "program's section, e.g. \"DSP Parameters Hall in Munich\"")
      ->required();
  command->add_option("KEY", options->key, "the setting's key as in a configuration file, e.g. FL")
      ->required();
  command->add_option("VALUE", options->value, "the value text as in a configuration file, e.g. 10.0dB")
      ->required();
  auto* dryRun =
      command->add_flag("--dry-run", options->dryRun, "print the frames only; no receiver is needed");
  const TargetOptions target = AddTargetOptions(*command, options->target);
  dryRun->excludes(target.port)->excludes(target.emulator);
  command->footer(
      "DSP parameters: every command carries its sound program's code, so in Real Time Mode a "
      "parameter of a program other than the receiver's current one is still sent with its own "
      "program code; the receiver stores it for that program and stays on its current program.");
  AddExample(*command, "set --port /dev/ttyUSB0 --pacing reply \"Speaker Level\" FL 1.5dB");
  command->callback([options, &exitStatus] {
    if (!options->dryRun && options->target.port.empty() && !options->target.emulator) {
      throw CliFailure{kExitBadInput, "set needs --port DEVICE, --emulator or --dry-run (see set --help)"};
    }
    if (!options->dryRun) CheckTarget(options->target, "set");
    exitStatus = RunSet(*options);
  });
}

}  // namespace tw::cli
