// tunewright-cli probe: connect as Real Time Mode does, up to the answers about the tuner
// region and the capabilities, then close and report them.

#include "cli/cli_commands.h"
#include "cli/cli_json.h"
#include "cli/cli_session.h"
#include "cli/cli_session_run.h"
#include "comm/link.h"

#include <functional>
#include <iostream>
#include <memory>

namespace tw::cli {
namespace {

// Connects as Real Time Mode does, up to the answer of the capability list (row 4).
class ProbeSession final : public LinkSession {
 public:
  ProbeSession(const comm::Link& link, comm::Scheduler& scheduler) : LinkSession(scheduler), link_(link) {}

  void ProgressChanged(comm::LinkActivity activity, int position) override {
    LinkSession::ProgressChanged(activity, position);
    if (activity == comm::LinkActivity::Connecting && position >= model::kCapabilityRow) end();
  }
  // A wrong model raises no message of its own: say what it was.
  void ConnectFinished(bool connected) override {
    if (!connected && !linkMessage_ && !link_.modelCode().empty() && link_.modelCode() != "R0210") {
      return fail(kExitLinkFailed, "the receiver reports model " + link_.modelCode() + ", not a TQ-N4400 (R0210)");
    }
    LinkSession::ConnectFinished(connected);
  }

 private:
  void send() override { end(); }

  const comm::Link& link_;
};

// Everything is read before the link closes, because closing resets the capabilities.
int ProbeWith(const SessionLine& line, bool json, const std::function<void(ProbeSession&)>& run) {
  comm::Link link(line.port, line.scheduler, comm::WorkingMode::RealTime);
  ProbeSession session(link, line.scheduler);
  session.Connect(link, line);
  run(session);
  link.setObserver(nullptr);
  if (session.failure() || !session.ended()) {
    link.Close();
    throw session.failure().value_or(
        CliFailure{kExitLinkFailed, std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed))});
  }
  const model::Capabilities caps = link.capabilities();
  const std::string model = link.modelCode();
  const int region = link.tunerRegion();
  link.Close();
  line.progress.finish();
  if (json) {
    PrintJsonResult("probe", {{"model", model},
                              {"region", region},
                              {"zone2", caps.zone2 != 0},
                              {"zone3", caps.zone3 != 0},
                              {"xm", caps.xm != 0},
                              {"aac", caps.aac != 0}});
    return kExitOk;
  }
  std::cout << "model " << model << '\n'
            << "region " << region << '\n'
            << "zone2 " << caps.zone2 << '\n'
            << "zone3 " << caps.zone3 << '\n'
            << "xm " << caps.xm << '\n'
            << "aac " << caps.aac << '\n';
  return kExitOk;
}

}  // namespace

void registerProbe(CLI::App& parent, int& exitStatus) {
  auto target = std::make_shared<ReceiverTarget>();
  auto json = std::make_shared<bool>(false);
  CLI::App* command = parent.add_subcommand(
      "probe", "Connect to the receiver as Real Time Mode does, read its region and capabilities, and close");
  AddTargetOptions(*command, *target);
  AddJsonOption(*command, *json);
  AddExample(*command, "probe --port /dev/ttyUSB0");
  command->callback([target, json, &exitStatus] {
    CheckTarget(*target, "probe");
    constexpr std::int64_t kLimitMs = 10 * 60 * 1000;
    exitStatus = RunSession<ProbeSession>(*target, "probe", kLimitMs, [json](const SessionLine& line, auto wait) {
      return ProbeWith(line, *json, wait);
    });
  });
}

}  // namespace tw::cli
