#include "emu/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace tw::emu {
namespace {

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

bool setNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

PtyServer::PtyServer(const EmulatorConfig& config) : config_(config), receiver_(config) {}

PtyServer::~PtyServer() {
  line_.reset();
  closeFd(slave_);
  closeFd(master_);
  closeFd(wakeRead_);
  closeFd(wakeWrite_);
}

bool PtyServer::fail(const std::string& what) {
  error_ = what + ": " + std::strerror(errno);
  return false;
}

bool PtyServer::open() {
  int wake[2];
  if (::pipe(wake) != 0) return fail("cannot create the stop pipe");
  wakeRead_ = wake[0];
  wakeWrite_ = wake[1];
  setNonBlocking(wakeRead_);
  setNonBlocking(wakeWrite_);
  ::fcntl(wakeRead_, F_SETFD, FD_CLOEXEC);
  ::fcntl(wakeWrite_, F_SETFD, FD_CLOEXEC);

  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("cannot open a pseudo-terminal");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("cannot unlock the pseudo-terminal");
  std::array<char, 256> name{};
  if (::ptsname_r(master_, name.data(), name.size()) != 0) return fail("cannot name the pseudo-terminal");
  devicePath_ = name.data();
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  if (!setNonBlocking(master_)) return fail("cannot set up the pseudo-terminal");

  slave_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return fail("cannot open " + devicePath_);
  // The system leaves the terminal writable for its group; the receiver's line is this user's alone.
  if (::fchmod(slave_, S_IRUSR | S_IWUSR) != 0) return fail("cannot make " + devicePath_ + " private");
  termios settings{};
  if (::tcgetattr(slave_, &settings) != 0) return fail("cannot read the line settings");
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  settings.c_cflag |= CLOCAL | CREAD;
  if (::tcsetattr(slave_, TCSANOW, &settings) != 0) return fail("cannot set the line settings");

  line_ = std::make_unique<ReceiverLine>(
      clock_, receiver_, config_, transcript_,
      [this](std::string bytes) {
        pendingOut_ += bytes;
        flush();
      },
      clock_.now());
  return true;
}

void PtyServer::flush() {
  while (!pendingOut_.empty()) {
    const ssize_t written = ::write(master_, pendingOut_.data(), pendingOut_.size());
    if (written <= 0) return;  // full: poll says when to go on
    pendingOut_.erase(0, static_cast<std::size_t>(written));
  }
}

void PtyServer::requestStop() {
  if (wakeWrite_ < 0) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
}

bool PtyServer::run() {
  if (!line_) {
    error_ = "the pseudo-terminal is not open";
    return false;
  }
  std::array<char, 4096> buffer{};
  for (;;) {
    std::array<pollfd, 2> fds{};
    fds[0] = {master_, static_cast<short>(POLLIN | (pendingOut_.empty() ? 0 : POLLOUT)), 0};
    fds[1] = {wakeRead_, POLLIN, 0};
    const int ready = ::poll(fds.data(), fds.size(), clock_.msUntilNext());
    if (ready < 0 && errno != EINTR) return fail("waiting on the pseudo-terminal failed");
    if (ready > 0 && (fds[1].revents & POLLIN)) return true;
    if (ready > 0 && (fds[0].revents & POLLIN)) {
      const ssize_t got = ::read(master_, buffer.data(), buffer.size());
      if (got > 0) line_->fromTool(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    if (ready > 0 && (fds[0].revents & POLLOUT)) flush();
    clock_.runDue();
  }
}

}  // namespace tw::emu
