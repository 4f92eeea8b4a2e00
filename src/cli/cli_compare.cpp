// tunewright-cli compare FILE and apply FILE: the settings in which the receiver's current
// settings differ from a configuration file, read as Real Time Mode reads them when it
// connects; apply then sends only those, each as its page sends an edit, and checks what
// the receiver answered.

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_json.h"
#include "cli/cli_session.h"
#include "cli/cli_session_run.h"
#include "comm/frame_notation.h"
#include "comm/link.h"
#include "settings/configuration_compare.h"

namespace tw::cli {
namespace {

struct CompareOptions {
  ReceiverTarget target;
  int region = 1;
  std::string file;
  std::vector<std::string> only;  // apply --only SECTION (repeatable)
  bool dryRun = false;
  bool json = false;
};

// The file as a download would leave the receiver: factory settings, then the file.
struct ConfiguredFile {
  explicit ConfiguredFile(const CompareOptions& options)
      : configuration(CheckedRegion(options.region)), held(ReadConfigurationFile(configuration, options.file)) {}
  OfflineConfiguration configuration;
  files::Profile held;
};

// Connects as Real Time Mode does; its start-up read is the receiver's side of the
// comparison. To apply, it sends the chosen differences as one Real Time list: the
// receiver's echo of each write (or its report, or the read after a refusal) leaves the
// image holding what the receiver holds, which is then held against the file.
class CompareSession final : public LinkSession {
 public:
  CompareSession(comm::Link& link, comm::Scheduler& scheduler, const CompareOptions& options,
                 const ConfiguredFile& file, bool apply)
      : LinkSession(scheduler), link_(link), options_(options), file_(file), apply_(apply) {}

  const std::vector<settings::SettingDifference>& differences() const { return differences_; }
  const std::vector<settings::SettingCommand>& sent() const { return sent_; }
  const std::vector<settings::AppliedSettings::Refusal>& refused() const { return applied_.refused; }
  // The differences sent that the receiver does not hold as the file does after the apply,
  // with what it holds.
  struct StillDifferent {
    const settings::SettingDifference* difference;
    std::string receiverValue;
  };
  const std::vector<StillDifferent>& stillDifferent() const { return stillDifferent_; }

  void CommandsFinished(comm::ListResult) override {
    if (sending_) judge();
  }

 private:
  settings::SettingContext context() const { return {link_.capabilities(), link_.tunerRegion(), true}; }

  void send() override {
    differences_ = settings::CompareCurrentSettings(*link_.images().Image(0), *file_.configuration.images.Image(0),
                                                    file_.held, context());
    if (!options_.only.empty()) {
      std::erase_if(differences_, [this](const settings::SettingDifference& d) {
        return std::none_of(options_.only.begin(), options_.only.end(),
                            [&](const std::string& section) { return section == d.section; });
      });
    }
    if (!apply_) return end();
    applied_ = settings::ApplySettings(*link_.images().Image(0), differences_, context());
    sent_ = settings::ApplyCommands(applied_.image, differences_, context());
    if (options_.dryRun || sent_.empty()) return end();
    // As a page sends an edit: the image takes the new values, and the link puts back the
    // receiver's own for any write the receiver refuses or does not acknowledge.
    *link_.images().Image(0) = applied_.image;
    sending_ = true;
    for (const settings::SettingCommand& command : sent_) link_.SendPacket(command.text, command.number);
    link_.SendPacket("", comm::kNoParameter);
  }

  void judge() {
    for (const settings::SettingDifference& difference : differences_) {
      const bool refused = std::any_of(applied_.refused.begin(), applied_.refused.end(),
                                       [&](const auto& refusal) { return refusal.difference == &difference; });
      if (difference.receiverLacks || refused) continue;
      std::string now = settings::ValueIn(difference, *link_.images().Image(0));
      if (now != difference.fileValue) stillDifferent_.push_back({&difference, std::move(now)});
    }
    end();
  }

  comm::Link& link_;
  const CompareOptions& options_;
  const ConfiguredFile& file_;
  bool apply_;
  bool sending_ = false;
  std::vector<settings::SettingDifference> differences_;
  settings::AppliedSettings applied_;
  std::vector<settings::SettingCommand> sent_;
  std::vector<StillDifferent> stillDifferent_;
};

std::string Line(const settings::SettingDifference& d) {
  return d.key + ": receiver \"" + d.receiverValue + "\", file \"" + d.fileValue + "\"";
}

// The differences by section, those the receiver lacks last under a heading of their own.
void PrintDifferences(const std::vector<settings::SettingDifference>& differences) {
  std::ostringstream text;
  for (const bool lacking : {false, true}) {
    const std::string* section = nullptr;
    bool headed = false;
    for (const settings::SettingDifference& d : differences) {
      if (d.receiverLacks != lacking) continue;
      if (lacking && !headed) text << "# not on this receiver (never sent):\n";
      headed = true;
      if (section == nullptr || *section != d.section) text << '[' << d.section << "]\n";
      section = &d.section;
      text << Line(d) << '\n';
    }
  }
  std::cout << comm::EscapeControlsByLine(text.str());
}

Json DifferencesJson(const std::vector<settings::SettingDifference>& differences) {
  Json list = Json::array();
  for (const settings::SettingDifference& d : differences) {
    list.push_back({{"section", d.section}, {"key", d.key}, {"receiver", d.receiverValue}, {"file", d.fileValue},
                    {"receiverLacks", d.receiverLacks}});
  }
  return list;
}

std::size_t Sendable(const std::vector<settings::SettingDifference>& differences) {
  return static_cast<std::size_t>(std::count_if(differences.begin(), differences.end(),
                                                [](const settings::SettingDifference& d) { return !d.receiverLacks; }));
}

int Report(const CompareSession& session, const CompareOptions& options, bool apply) {
  const auto& differences = session.differences();
  const std::size_t sendable = Sendable(differences);
  if (!apply) {
    if (options.json) {
      PrintJsonResult("compare", {{"equal", sendable == 0}, {"differences", DifferencesJson(differences)}});
    } else {
      PrintDifferences(differences);
    }
    return sendable == 0 ? kExitOk : kExitLinkFailed;
  }
  const auto& still = session.stillDifferent();
  const auto& refused = session.refused();
  const std::size_t applied = options.dryRun ? 0 : sendable - refused.size() - still.size();
  if (options.json) {
    Json frames = Json::array();
    for (const settings::SettingCommand& command : session.sent()) frames.push_back(comm::ToNotation(command.text));
    Json notSent = Json::array();
    for (const auto& [d, reason] : refused) {
      notSent.push_back({{"section", d->section}, {"key", d->key}, {"file", d->fileValue}, {"reason", reason}});
    }
    Json kept = Json::array();
    for (const auto& [d, receiverValue] : still) {
      kept.push_back({{"section", d->section}, {"key", d->key}, {"receiver", receiverValue}, {"file", d->fileValue}});
    }
    PrintJsonResult("apply", {{"dryRun", options.dryRun},
                              {"differences", DifferencesJson(differences)},
                              {"frames", std::move(frames)},
                              {"applied", applied},
                              {"refused", std::move(notSent)},
                              {"stillDifferent", std::move(kept)}});
  } else {
    for (const settings::SettingCommand& command : session.sent()) std::cout << comm::ToNotation(command.text) << '\n';
    for (const auto& [d, reason] : refused) {
      std::cout << comm::EscapeControls("not sent: [" + d->section + "] " + d->key + " \"" + d->fileValue + "\"" +
                                        (reason.empty() ? "" : ": " + reason))
                << '\n';
    }
    if (options.dryRun) {
      std::cout << "dry run: " << session.sent().size() << " frames for " << sendable << " differences; nothing sent\n";
    } else {
      std::cout << "applied " << applied << " of " << sendable << " differences\n";
    }
    if (const std::size_t lacking = differences.size() - sendable; lacking > 0) {
      std::cout << lacking << " settings of the file this receiver does not have were not sent (compare lists them)\n";
    }
  }
  if (!still.empty() || (!refused.empty() && !options.dryRun)) {
    constexpr std::size_t kNamed = 10;
    std::string list;
    for (std::size_t i = 0; i < still.size() && i < kNamed; ++i) {
      const settings::SettingDifference& d = *still[i].difference;
      list += (list.empty() ? "" : "; ") + d.section + " " + d.key + " is \"" + still[i].receiverValue + "\"";
    }
    if (still.size() > kNamed) list += "; and " + std::to_string(still.size() - kNamed) + " more";
    const std::size_t missing = still.size() + refused.size();
    throw CliFailure{kExitLinkFailed,
                     std::to_string(missing) + " of " + std::to_string(sendable) +
                         " differences were not applied (" + std::to_string(refused.size()) +
                         " not sent, see above" + (list.empty() ? "" : "; the receiver kept " + list) +
                         "). Run compare to see what the receiver holds, or download the whole file."};
  }
  return kExitOk;
}

int Run(const CompareOptions& options, bool apply) {
  const ConfiguredFile file(options);
  constexpr std::int64_t kLimitMs = 60 * 60 * 1000;
  const std::string label = apply ? "apply" : "compare";
  return RunSession<CompareSession>(options.target, label, kLimitMs, [&](const SessionLine& line, auto wait) {
    comm::Link link(line.port, line.scheduler, comm::WorkingMode::RealTime);
    CompareSession session(link, line.scheduler, options, file, apply);
    session.Connect(link, line);
    wait(session);
    session.Finish(link);
    line.progress.finish();
    return Report(session, options, apply);
  });
}

CLI::App* AddCommand(CLI::App& parent, int& exitStatus, const std::string& name, const std::string& description,
                     bool apply) {
  auto options = std::make_shared<CompareOptions>();
  CLI::App* command = parent.add_subcommand(name, description);
  command->add_option("FILE", options->file, "configuration file (.qcf)")->required();
  AddTargetOptions(*command, options->target);
  AddRegionOption(*command, options->region);
  AddJsonOption(*command, options->json);
  if (apply) {
    command->add_option("--only", options->only, "only the settings of this section, e.g. \"Speaker Level\" (repeatable)")
        ->type_name("SECTION");
    command->add_flag("--dry-run", options->dryRun, "print the frames that would be sent; send nothing");
  }
  command->callback([options, &exitStatus, name, apply] {
    CheckTarget(options->target, name, {options->file});
    exitStatus = Run(*options, apply);
  });
  return command;
}

}  // namespace

void registerCompare(CLI::App& parent, int& exitStatus) {
  CLI::App* command = AddCommand(parent, exitStatus, "compare",
                                 "Show the current settings in which the receiver differs from a configuration file "
                                 "(exit 0 when none, 1 when some)",
                                 false);
  AddExample(*command, "compare living-room.qcf --port /dev/ttyUSB0 --pacing reply");
}

void registerApply(CLI::App& parent, int& exitStatus) {
  CLI::App* command = AddCommand(parent, exitStatus, "apply",
                                 "Send only the current settings in which the receiver differs from a configuration "
                                 "file, each as its page sends an edit in Real Time Mode, then read them back",
                                 true);
  AddExample(*command, "apply living-room.qcf --port /dev/ttyUSB0 --pacing reply --only \"Speaker Level\"");
}

}  // namespace tw::cli
