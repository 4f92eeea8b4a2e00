#pragma once

// tunewright-cli started as a child of the test (emulate, or a command that must be
// signalled while it runs), its output read as it comes.

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace tw::test {

// Reads from `fd` until `done` holds, the other end closes or `bound` passes (a bound on the
// wait, not a timing check); returns what it read.
inline std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done,
                             std::chrono::seconds bound = std::chrono::seconds(10)) {
  std::string bytes;
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!done(bytes) && std::chrono::steady_clock::now() < deadline) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, 200) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

struct Child {
  pid_t pid = -1;
  int out = -1;  // its stdout (and stderr when asked for)
};

inline Child Spawn(std::vector<std::string> arguments, bool withStderr = false) {
  int fds[2];
  Child child;
  if (pipe(fds) != 0) return child;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  if (withStderr) posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  arguments.insert(arguments.begin(), TW_CLI_PATH);
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  if (posix_spawn(&child.pid, TW_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  child.out = fds[0];
  return child;
}

inline int WaitExit(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tw::test
