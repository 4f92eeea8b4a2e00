#pragma once

#include <memory>
#include <string>

#include "emu/emulator_options.h"
#include "emu/realtime_scheduler.h"
#include "emu/receiver_line.h"
#include "emu/transcript.h"
#include "emu/virtual_receiver.h"

namespace tw::emu {

// The virtual receiver on a pseudo-terminal: any serial program (our own tool through
// its real serial backend included) opens devicePath() and talks to it as to the
// receiver, at the line's real speed.
class PtyServer {
 public:
  explicit PtyServer(const EmulatorConfig& config);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the pseudo-terminal in raw mode at 9600 baud; false (with error()) on failure.
  bool open();
  const std::string& devicePath() const { return devicePath_; }
  const std::string& error() const { return error_; }

  // Serves until stop is requested; returns false when the terminal failed.
  bool run();
  // Ends run() soon. Safe from a signal handler and from another thread.
  void requestStop();
  // The descriptor requestStop() writes a byte to (for a signal handler to do the same).
  int stopDescriptor() const { return wakeWrite_; }

  Transcript& transcript() { return transcript_; }
  const VirtualReceiver& receiver() const { return receiver_; }

 private:
  void flush();
  bool fail(const std::string& what);

  EmulatorConfig config_;
  RealtimeScheduler clock_;
  VirtualReceiver receiver_;
  Transcript transcript_;
  std::unique_ptr<ReceiverLine> line_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line settings stay while no program has it open
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  std::string devicePath_;
  std::string error_;
  std::string pendingOut_;
};

}  // namespace tw::emu
