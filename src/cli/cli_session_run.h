#pragma once

// How the commands that talk to the receiver themselves (probe, set, memory, dock) run their
// session: on the in-process virtual receiver, on its virtual clock, or on a serial device in
// Qt's event loop. A session has `bool ended() const` and `std::function<void()> onEnd`.

#include <QCoreApplication>
#include <cstdint>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_progress.h"
#include "cli/cli_session.h"
#include "cli/cli_target.h"
#include "cli/cli_transcript.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_options.h"
#include "emu/emulator_port.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"

namespace tw::cli {

// `with(line, wait)` makes the session on the line and calls `wait(session)`, which returns
// once the session ended (or, on the virtual receiver, after `limitMs` of its time). The
// transcript, if asked for, is written after the session; `label` names the command on its
// progress line, which `with` finishes before it prints its results.
template <typename Session, typename With>
int RunSession(const ReceiverTarget& target, const std::string& label, std::int64_t limitMs, With with) {
  if (target.emulator) {
    emu::EmulatorConfig config;
    if (auto error = emu::ApplyEmulatorOptions(config, target.emulatorOptions)) throw CliFailure{kExitBadInput, *error};
    comm::VirtualScheduler scheduler;
    emu::EmulatorPort port(scheduler, config);
    TranscriptFile transcript(target.transcript, port.transcript(), OutputOptions(target.force));
    ProgressLine progress(label, target.quiet, [&scheduler] { return scheduler.now(); });
    const SessionLine line{port, scheduler, std::string(emu::EmulatorPort::kDeviceName), target, progress};
    const int status = with(line, [&](Session& session) {
      scheduler.runUntil([&] { return session.ended(); }, limitMs);
    });
    transcript.write();
    return status;
  }
  int argc = 1;
  char name[] = "tunewright-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  platform::QtScheduler scheduler;
  platform::QSerialPortBackend port;
  ProgressLine progress(label, target.quiet, [&scheduler] { return scheduler.now(); });
  const int status = with(SessionLine{port, scheduler, target.port, target, progress}, [&](Session& session) {
    // Leave the event loop from the loop itself, never from inside a write pause.
    session.onEnd = [&] { scheduler.post([] { QCoreApplication::quit(); }); };
    if (!session.ended()) QCoreApplication::exec();
  });
  return status;
}

}  // namespace tw::cli
