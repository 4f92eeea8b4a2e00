#pragma once

// Runs tunewright-cli as a user does: arguments through the shell, stdout and stderr
// captured apart, and the exit status.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tw::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs in `dir`, so that relative file names in `arguments` are the test's files; `shellSetup`
// runs first in the same shell (limits, traps).
inline CliResult RunCliIn(const std::filesystem::path& dir, const std::string& arguments,
                          const std::string& shellSetup = "") {
  const std::filesystem::path out = dir / ".cli_out";
  const std::filesystem::path err = dir / ".cli_err";
  const std::string command = "cd '" + dir.string() + "' && " + shellSetup + "'" + TW_CLI_PATH + "' " +
                              arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadAll(out);
  result.err = ReadAll(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

// A fresh folder under the temporary folder, removed at the end of the test.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("tw_cli_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The same in a folder of its own, for commands that touch no files of their own (test
// programs run side by side, so the captured output must not share a place).
inline CliResult RunCli(const std::string& arguments) {
  static int calls = 0;
  TempFolder dir("run_" + std::to_string(++calls));
  return RunCliIn(dir.path(), arguments);
}

}  // namespace tw::test
