#include "cli/cli_interrupt.h"

#include <iostream>

#include "session/workbench.h"

namespace tw::cli {
namespace {

volatile std::sig_atomic_t gInterrupts = 0;
volatile std::sig_atomic_t gFirstSignal = 0;

void onInterrupt(int signal) {
  if (gInterrupts == 0) gFirstSignal = signal;
  gInterrupts = gInterrupts + 1;
}

}  // namespace

InterruptWatch::InterruptWatch() {
  gInterrupts = 0;
  gFirstSignal = 0;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &oldInt_);
  sigaction(SIGTERM, &action, &oldTerm_);
  sigaction(SIGHUP, &action, &oldHup_);
}

InterruptWatch::~InterruptWatch() {
  sigaction(SIGINT, &oldInt_, nullptr);
  sigaction(SIGTERM, &oldTerm_, nullptr);
  sigaction(SIGHUP, &oldHup_, nullptr);
}

bool InterruptWatch::interrupted() const { return gInterrupts > 0; }

int InterruptWatch::exitStatus() const { return 128 + gFirstSignal; }

void InterruptWatch::poll(session::Workbench& bench) {
  comm::Link& link = bench.link();
  while (handled_ < gInterrupts) {
    if (link.isSendingCommands()) {
      if (link.InterruptCommands()) {
        std::cerr << "\ninterrupted: System Memory " << link.loadedMemory()
                  << " was loaded into the receiver, so its own settings are being written back first "
                     "(this takes a few minutes); interrupt again to stop at once\n"
                  << std::flush;
      }
    } else if (link.isConnecting()) {
      link.CancelInitialize();
    } else {
      return;  // between the connect and the list: handed on once the list runs
    }
    ++handled_;
  }
}

}  // namespace tw::cli
