#pragma once

// What the sessions of the commands that talk to the receiver themselves (probe, set, memory,
// dock) share: a Real Time connection, made with the command's pacing and shown on its
// progress line, whose failure ends the session with the link's own first message (and the
// port's cause and remedy); a send once connected; and one end, with or without a failure.

#include <functional>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_progress.h"
#include "cli/cli_target.h"
#include "comm/link.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "comm/scheduler.h"
#include "ui/main_view_link.h"

namespace tw::cli {

// Where a session runs: the port and clock of the receiver, its device name, the command's
// target options and its progress line.
struct SessionLine {
  comm::SerialPort& port;
  comm::Scheduler& scheduler;
  std::string device;
  const ReceiverTarget& target;
  ProgressLine& progress;
};

class LinkSession : public comm::LinkObserver {
 public:
  explicit LinkSession(comm::Scheduler& scheduler) : scheduler_(scheduler) {}

  std::function<void()> onEnd;
  bool ended() const { return ended_; }
  const std::optional<CliFailure>& failure() const { return failure_; }

  // Opens `link` on the line's device, watched by this session.
  void Connect(comm::Link& link, const SessionLine& line) {
    port_ = &line.port;
    progress_ = &line.progress;
    link.setReadPacing(PacingFor(line.target));
    link.setObserver(this);
    link.Open(comm::PortChoice::Fixed(line.device));
  }

  // After the wait: the link leaves the session and closes; a session that failed, or never
  // ended, ends the command with why.
  void Finish(comm::Link& link) const {
    link.setObserver(nullptr);
    link.Close();
    if (failure_) throw *failure_;
    if (!ended_) throw CliFailure{kExitLinkFailed, std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed))};
  }

  void MessageRaised(comm::LinkMessage message) override {
    if (!linkMessage_) linkMessage_ = std::string(ui::LinkMessageText(message));
  }
  void ActivityChanged(comm::LinkActivity activity, int range) override {
    if (activity == comm::LinkActivity::Connecting) range_ = range;
  }
  void ProgressChanged(comm::LinkActivity activity, int position) override {
    if (activity == comm::LinkActivity::Connecting && progress_) progress_->show(position, range_, "reading current settings");
  }
  void ConnectFinished(bool connected) override {
    if (!connected) {
      std::string message = linkMessage_.value_or(std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed)));
      return fail(kExitLinkFailed, port_ ? ConnectFailureText(std::move(message), *port_) : message);
    }
    if (progress_) progress_->show(0, 0, "waiting for the receiver's answer");
    scheduler_.post([this] { send(); });
  }

 protected:
  // Runs once the connection stands.
  virtual void send() = 0;

  void fail(int status, std::string message) {
    if (ended_) return;
    failure_ = CliFailure{status, std::move(message)};
    end();
  }
  void end() {
    if (ended_) return;
    ended_ = true;
    if (onEnd) onEnd();
  }

  comm::Scheduler& scheduler_;
  std::optional<std::string> linkMessage_;

 private:
  bool ended_ = false;
  std::optional<CliFailure> failure_;
  const comm::SerialPort* port_ = nullptr;
  ProgressLine* progress_ = nullptr;
  int range_ = 0;
};

}  // namespace tw::cli
