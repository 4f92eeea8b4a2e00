#pragma once

// What the sessions of the commands that talk to the receiver themselves (set, memory, dock)
// share: a Real Time connection whose failure ends the session with the link's own first
// message, a send once connected, and one end, with or without a failure.

#include <functional>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "comm/scheduler.h"
#include "ui/main_view_link.h"

namespace tw::cli {

class LinkSession : public comm::LinkObserver {
 public:
  explicit LinkSession(comm::Scheduler& scheduler) : scheduler_(scheduler) {}

  std::function<void()> onEnd;
  bool ended() const { return ended_; }
  const std::optional<CliFailure>& failure() const { return failure_; }

  void MessageRaised(comm::LinkMessage message) override {
    if (!linkMessage_) linkMessage_ = std::string(ui::LinkMessageText(message));
  }
  void ConnectFinished(bool connected) override {
    if (!connected)
      return fail(kExitLinkFailed, linkMessage_.value_or(std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed))));
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
};

}  // namespace tw::cli
