// tunewright-cli memory (load|save) GROUP N: the System Memory window's Load or Save in Real
// Time Mode, for scripts. It connects as Real Time Mode does, sends the memory command of
// the group and memory, prints it, and waits for the receiver's answer.


#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_commands.h"
#include "cli/cli_session.h"
#include "cli/cli_ui_services.h"
#include "cli/cli_session_run.h"
#include "cli/cli_target.h"
#include "comm/link.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "comm/memory_commands.h"
#include "comm/protocol.h"
#include "pages/sheet.h"
#include "pages/system/memory_page.h"
#include "ui/page_link.h"
#include "ui/main_view_link.h"

namespace tw::cli {
namespace {

// The receiver answers a memory command within this time, or not at all.
constexpr int kAnswerWaitMs = 3000;

constexpr std::array<std::string_view, 4> kGroupNames = {"system", "main-volume", "zone2-volume",
                                                         "zone3-volume"};

struct MemoryOptions {
  std::string action;
  std::string group;
  int memory = 0;
  ReceiverTarget target;

  bool load() const { return action == "load"; }
  int part() const {
    for (std::size_t i = 0; i < kGroupNames.size(); ++i) {
      if (kGroupNames[i] == group) return static_cast<int>(i);
    }
    return -1;
  }
};

// The port as the link uses it, with what went over it: the frames written and whether a
// status frame (the answer to a System load) arrived.
class WatchedPort final : public comm::SerialPort {
 public:
  explicit WatchedPort(comm::SerialPort& port) : port_(port) {}

  bool open(const std::string& device) override { return port_.open(device); }
  void close() override { port_.close(); }
  bool isOpen() const override { return port_.isOpen(); }
  bool write(std::string_view bytes) override {
    written.emplace_back(bytes);
    return port_.write(bytes);
  }
  std::string readAll() override {
    std::string bytes = port_.readAll();
    if (bytes.find(comm::DC2) != std::string::npos) sawStatusFrame = true;
    return bytes;
  }
  bool ctsOn() const override { return port_.ctsOn(); }
  void setReadyReadHandler(std::function<void()> handler) override {
    port_.setReadyReadHandler([this, handler = std::move(handler)] {
      if (handler) handler();
      if (onRead) onRead();
    });
  }
  std::string lastError() const override { return port_.lastError(); }
  std::vector<std::string> availablePorts() const override { return port_.availablePorts(); }

  std::vector<std::string> written;
  bool sawStatusFrame = false;
  std::function<void()> onRead;  // after the link has taken what arrived

 private:
  comm::SerialPort& port_;
};

// Connects, runs the System Memory page's Load or Save, and ends when the receiver answers:
// a System load with its status frame, every other command with the report of the same
// memory command.
class MemorySession final : public LinkSession {
 public:
  MemorySession(const MemoryOptions& options, comm::Link& link, WatchedPort& port, comm::Scheduler& scheduler)
      : LinkSession(scheduler),
        options_(options),
        port_(port),
        pageLink_(link),
        context_{pageLink_, ui_, 0, nullptr},
        page_(context_, groups_) {
    page_.OnInitDialog();
    port_.onRead = [this] {
      if (sent_ && options_.load() && options_.part() == comm::kMemorySystem && port_.sawStatusFrame) end();
    };
  }

  const std::vector<std::string>& frames() const { return frames_; }

  void RefreshActiveItems(const std::vector<int>& numbers) override {
    const int number = comm::MemoryCommandNumber(options_.part(), options_.load());
    if (sent_ && std::find(numbers.begin(), numbers.end(), number) != numbers.end()) end();
  }

 private:
  void send() override {
    if (ended()) return;
    const std::size_t before = port_.written.size();
    port_.sawStatusFrame = false;
    sent_ = true;
    page_.list(options_.part()).setCurSel(options_.memory - 1);
    if (options_.load()) {
      page_.Load(options_.part());
    } else {
      page_.Save(options_.part());
    }
    frames_.assign(port_.written.begin() + static_cast<long>(before), port_.written.end());
    if (frames_.empty()) return fail(kExitLinkFailed, "the connection ended before the memory command was sent");
    scheduler_.callAfter(kAnswerWaitMs, [this] {
      fail(kExitLinkFailed, "the receiver did not answer " + comm::ToNotation(frames_.back()) +
                                ". Check the cable and the receiver's power, then try again.");
    });
  }


  const MemoryOptions& options_;
  WatchedPort& port_;
  CliUiServices ui_{false};  // the question after a System load is answered No: nothing to refresh here
  ui::CommPageLink pageLink_;
  pages::PageContext context_;
  // The page only sends memory commands here: it needs no group's settings.
  settings::MemoryGroups groups_{[] { return settings::SettingContext{}; }, {}, nullptr};
  pages::SystemMemoryPage page_;
  std::vector<std::string> frames_;
  bool sent_ = false;
};

int RunWith(const MemoryOptions& options, const SessionLine& line, const std::function<void(MemorySession&)>& run) {
  WatchedPort port(line.port);
  comm::Link link(port, line.scheduler, comm::WorkingMode::RealTime);
  MemorySession session(options, link, port, line.scheduler);
  session.Connect(link, line);
  run(session);
  session.Finish(link);
  line.progress.finish();
  for (const std::string& frame : session.frames()) std::cout << comm::ToNotation(frame) << '\n';
  return kExitOk;
}

int RunMemory(const MemoryOptions& options) {
  constexpr std::int64_t kLimitMs = 60 * 60 * 1000;
  return RunSession<MemorySession>(options.target, "memory " + options.action, kLimitMs,
                                   [&](const SessionLine& line, auto wait) { return RunWith(options, line, wait); });
}

}  // namespace

void registerMemory(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<MemoryOptions>();
  CLI::App* command = parent.add_subcommand(
      "memory", "Load or save one of the receiver's six System Memories, as the System Memory window does in "
                "Real Time Mode, and print the command");
  command->add_option("ACTION", options->action, "load or save")->required()->check(CLI::IsMember({"load", "save"}));
  command
      ->add_option("GROUP", options->group,
                   "system (sound program, DSP, speakers, equaliser, display), main-volume, zone2-volume or "
                   "zone3-volume")
      ->required()
      ->check(CLI::IsMember({"system", "main-volume", "zone2-volume", "zone3-volume"}));
  command->add_option("N", options->memory, "memory number, 1 to 6")->required();
  AddTargetOptions(*command, options->target);
  AddExample(*command, "memory load system 2 --port /dev/ttyUSB0");
  command->callback([options, &exitStatus] {
    if (comm::MemoryOperationCommand(options->memory, options->part(), options->load()).empty()) {
      throw CliFailure{kExitBadInput, "there is no memory " + std::to_string(options->memory) +
                                          ": the receiver has memories 1 to 6"};
    }
    CheckTarget(options->target, "memory");
    exitStatus = RunMemory(*options);
  });
}

}  // namespace tw::cli
