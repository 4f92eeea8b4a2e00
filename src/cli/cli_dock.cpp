// tunewright-cli dock OPERATION: one dock operation (play, stop, ...), sent as the iPod page
// sends it in Real Time Mode, then what the receiver reports about the dock: the play
// information and the list information, each while its output setting is On.

#include <algorithm>
#include <functional>
#include <variant>
#include <iostream>
#include <optional>
#include <set>

#include "cli/cli_commands.h"
#include "cli/cli_session.h"
#include "cli/cli_session_run.h"
#include "cli/cli_ui_services.h"
#include "comm/link.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "model/parameter_access.h"
#include "pages/tuner/ipod_page.h"
#include "ui/page_link.h"
#include "ui/main_view_link.h"

namespace tw::cli {
namespace {

// Reports that do not come within this time after the operation never come.
constexpr int kReportWaitMs = 3000;
constexpr int kPlayInfoOutput = 551;
constexpr int kListInfoOutput = 552;

struct DockOptions {
  std::string operation;
  ReceiverTarget target;
};

std::string OperationNames() {
  std::string names;
  for (const pages::ipod::DockOperation& operation : pages::ipod::kDockOperations) {
    names += (names.empty() ? "" : ", ") + std::string(operation.name);
  }
  return names;
}

int OperationIndex(std::string_view name) {
  for (std::size_t i = 0; i < pages::ipod::kDockOperations.size(); ++i) {
    if (pages::ipod::kDockOperations[i].name == name) return static_cast<int>(i);
  }
  throw CliFailure{kExitBadInput, "\"" + std::string(name) + "\" is no dock operation; operations: " + OperationNames()};
}

std::string TrimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

bool IsOn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  return value && std::get<std::int32_t>(*value) != 0;
}

// Connects as Real Time Mode does, has the iPod page send the operation, and collects the
// reports that the receiver's output settings promise.
class DockSession final : public LinkSession {
 public:
  DockSession(comm::Link& link, comm::Scheduler& scheduler, int operation)
      : LinkSession(scheduler), link_(link), pageLink_(link), page_({pageLink_, ui_}), operation_(operation) {}


  void RefreshActiveItems(const std::vector<int>& numbers) override {
    if (!sent_) return;
    for (int number : numbers) reported_.insert(number);
    if (std::includes(reported_.begin(), reported_.end(), expected_.begin(), expected_.end())) end();
  }

  // What was sent and what came back, for stdout; a note for stderr when nothing came.
  void Print() const {
    std::cout << comm::ToNotation(pages::ipod::DockCommand(operation_)) << '\n';
    const model::ParameterImage& image = *link_.images().Image(0);
    auto text = [&](int number) { return std::get<std::string>(*model::GetParameter(image, number)); };
    if (reported_.count(pages::IpodPage::kPlayInfoNumber)) {
      const auto fields = pages::ipod::PlayFields(text(pages::IpodPage::kPlayInfoNumber));
      for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string caption(pages::ipod::kPlayFields[i].caption);
        caption.resize(12, ' ');
        std::cout << TrimmedRight(caption + fields[i]) << '\n';
      }
    }
    if (reported_.count(pages::IpodPage::kListInfoNumber)) {
      const pages::ipod::ListInfo list = pages::ipod::SplitListInfo(text(pages::IpodPage::kListInfoNumber));
      for (std::size_t line = 0; line < list.lines.size(); ++line) {
        std::cout << TrimmedRight((static_cast<int>(line) == list.cursor ? "> " : "  ") + list.lines[line]) << '\n';
      }
    }
    if (expected_.empty()) {
      std::cerr << "tunewright-cli: note: the receiver reports nothing about the dock while PlayInformation "
                   "Output Setting and ListInformation Output Setting (page \"iPod\") are Off\n";
    } else if (!std::includes(reported_.begin(), reported_.end(), expected_.begin(), expected_.end())) {
      std::cerr << "tunewright-cli: note: the receiver did not report all the dock information its output "
                   "settings promise\n";
    }
  }

 private:
  void send() override {
    const model::ParameterImage& image = *link_.images().Image(0);
    if (IsOn(image, kPlayInfoOutput)) expected_.insert(pages::IpodPage::kPlayInfoNumber);
    if (IsOn(image, kListInfoOutput)) expected_.insert(pages::IpodPage::kListInfoNumber);
    page_.Dock(operation_);
    sent_ = true;
    if (expected_.empty()) return end();
    scheduler_.callAfter(kReportWaitMs, [this] { end(); });
  }


  comm::Link& link_;
  ui::CommPageLink pageLink_;
  CliUiServices ui_{false};
  pages::IpodPage page_;
  int operation_;
  std::set<int> expected_;
  std::set<int> reported_;
  bool sent_ = false;
};

int DockWith(int operation, const SessionLine& line, const std::function<void(DockSession&)>& run) {
  comm::Link link(line.port, line.scheduler, comm::WorkingMode::RealTime);
  DockSession session(link, line.scheduler, operation);
  session.Connect(link, line);
  run(session);
  link.setObserver(nullptr);
  if (!session.ended()) {
    link.Close();
    throw CliFailure{kExitLinkFailed, std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed))};
  }
  if (session.failure()) {
    link.Close();
    throw *session.failure();
  }
  // Read before closing: closing leaves the image alone, but the session reads it.
  line.progress.finish();
  session.Print();
  link.Close();
  return kExitOk;
}

int RunDock(const DockOptions& options) {
  const int operation = OperationIndex(options.operation);
  constexpr std::int64_t kLimitMs = 60 * 60 * 1000;
  return RunSession<DockSession>(options.target, "dock", kLimitMs, [&](const SessionLine& line, auto wait) {
    return DockWith(operation, line, wait);
  });
}

}  // namespace

void registerDock(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<DockOptions>();
  CLI::App* command = parent.add_subcommand(
      "dock", "Send one dock operation as the iPod page does, and print what the receiver reports about the dock");
  command->add_option("OPERATION", options->operation, OperationNames())->required();
  AddTargetOptions(*command, options->target);
  AddExample(*command, "dock play --port /dev/ttyUSB0");
  command->callback([options, &exitStatus] {
    CheckTarget(options->target, "dock");
    exitStatus = RunDock(*options);
  });
}

}  // namespace tw::cli
