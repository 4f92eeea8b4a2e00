#pragma once

// Ctrl+C, SIGTERM and SIGHUP during an upload or download. The handlers only count; the
// transfer's own loop hands each interrupt to the link as the desktop program's Cancel does:
// an upload that loaded a System Memory writes the receiver's own settings back first, a
// second interrupt stops at once.

#include <csignal>

namespace tw::session {
class Workbench;
}

namespace tw::cli {

class InterruptWatch {
 public:
  InterruptWatch();
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // Hands the interrupts that came since the last call to the running connection or list.
  void poll(session::Workbench& bench);
  bool interrupted() const;
  // 128 + the number of the first signal, as shells report a command ended by it.
  int exitStatus() const;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
  struct sigaction oldHup_ {};
  int handled_ = 0;
};

}  // namespace tw::cli
