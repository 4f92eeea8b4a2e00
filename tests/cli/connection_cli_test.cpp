// What every command that opens the port shares, tried as a user does: a device that is not
// there, the pacing of the reads, and the progress line on a terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/ioctl.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli_child.h"

namespace tw::test {
namespace {

const std::string kOwnSettings = "XDG_CONFIG_HOME=\"$PWD/config\" XDG_STATE_HOME=\"$PWD/state\" ";
const std::string kMissingDevice = "/dev/tunewright-no-such-device";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The command lines of every connecting command, with `target` as their receiver; `file` is
// a complete configuration to send.
std::vector<std::string> ConnectingCommands(const std::string& target, const std::string& file) {
  return {"probe " + target,
          "set " + target + " \"Speaker Level\" FL 1.5dB",
          "memory load system 1 " + target,
          "dock play " + target,
          "upload " + target + " -o out.qcf",
          "download " + target + " " + file};
}

TEST(ConnectingCommands, NameAMissingDeviceWithItsCauseAndRefuseAnUnknownPacing) {
  TempFolder folder("connecting");
  ASSERT_EQ(RunCliIn(folder.path(), "upload --emulator -o sent.qcf", kOwnSettings).status, 0);
  for (const std::string& command : ConnectingCommands("--port " + kMissingDevice, "sent.qcf")) {
    const CliResult result = RunCliIn(folder.path(), command, kOwnSettings);
    EXPECT_EQ(result.status, 1) << command;
    // The system's message, the device's cause and the ports there are, on one line.
    EXPECT_EQ(result.err.rfind("tunewright-cli: COM port error has occurred. " + kMissingDevice +
                                   ": no such device. The serial ports on this computer are ",
                               0),
              0u)
        << command << ": " << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << command << ": " << result.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.qcf")) << command;

    const CliResult paced = RunCliIn(folder.path(), command + " --pacing fast", kOwnSettings);
    EXPECT_EQ(paced.status, 2) << command;
    EXPECT_TRUE(Contains(paced.err, "--pacing takes reply or mandated, not \"fast\"")) << command << ": " << paced.err;
  }
}

// The receiver's clock at the last frame of a transcript, in ms.
double LastFrameMs(const std::string& transcript) {
  const std::size_t start = transcript.rfind('\n', transcript.size() - 2);
  return std::atof(transcript.c_str() + (start == std::string::npos ? 0 : start + 1));
}

TEST(ConnectingCommands, SetReadsTheReceiverFasterWithReplyPacing) {
  TempFolder folder("set_pacing");
  double ms[2] = {};
  int i = 0;
  for (const char* pacing : {"mandated", "reply"}) {
    const std::string transcript = std::string(pacing) + ".txt";
    const CliResult set = RunCliIn(folder.path(),
                                   "set --emulator --pacing " + std::string(pacing) + " --transcript " + transcript +
                                       " \"Speaker Level\" FL 1.5dB",
                                   kOwnSettings);
    ASSERT_EQ(set.status, 0) << set.err;
    ms[i++] = LastFrameMs(ReadAll(folder.path() / transcript));
  }
  // The start-up read is most of a set; paced by the answers it takes about a third.
  EXPECT_GT(ms[1], 0);
  EXPECT_LT(ms[1], ms[0] / 2) << "mandated " << ms[0] << " ms, reply " << ms[1] << " ms";
}

// Runs the tool with stderr on a terminal `columns` wide and returns what the terminal got.
std::string OnTerminal(const TempFolder& folder, std::vector<std::string> arguments, unsigned short columns,
                       int& status) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return "no pseudo-terminal";
  winsize size{};
  size.ws_col = columns;
  size.ws_row = 24;
  ioctl(master, TIOCSWINSZ, &size);
  const std::string terminal = ptsname(master);
  const std::string out = (folder.path() / "stdout.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, terminal.c_str(), O_RDWR | O_NOCTTY, 0);
  posix_spawn_file_actions_addclose(&actions, master);
  arguments.insert(arguments.begin(), TW_CLI_PATH);
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const bool spawned = posix_spawn(&pid, TW_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  std::string screen = spawned ? ReadUntil(master, [](const std::string&) { return false; }, std::chrono::seconds(120)) : "";
  status = spawned ? WaitExit(pid) : -1;
  close(master);
  return screen;
}

// The texts the line showed, one after the other (each redraw starts with CR, erase line).
std::vector<std::string> Redraws(const std::string& screen) {
  std::vector<std::string> texts;
  const std::string redraw = "\r\033[K";
  for (std::size_t at = screen.find(redraw); at != std::string::npos;) {
    const std::size_t next = screen.find(redraw, at + redraw.size());
    std::string text = screen.substr(at + redraw.size(), next == std::string::npos ? std::string::npos : next - at - redraw.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (!text.empty()) texts.push_back(text);
    at = next;
  }
  return texts;
}

TEST(ProgressLine, ShowsTheTransfersPhasesOnATerminalShortenedToItsWidthAndNotWithQuiet) {
  TempFolder folder("progress");
  const std::string config = (folder.path() / "config").string();
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ::setenv("XDG_STATE_HOME", (folder.path() / "state").c_str(), 1);
  const std::string file = (folder.path() / "a.qcf").string();
  struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> phases;
  };
  const Case cases[] = {
      {{"upload", "--emulator", "--force", "-o", file},
       {"connecting", "reading current settings", "memory 1 of 6", "memory 6 of 6", "writing current settings back",
        "upload done in "}},
      {{"download", "--emulator", file}, {"memory 1 of 6", "memory 6 of 6", "writing current settings", "download done in "}},
      {{"set", "--emulator", "Speaker Level", "FL", "1.5dB"}, {"reading current settings", "set done in "}},
  };
  for (const Case& c : cases) {
    for (unsigned short columns : {200, 40}) {
      int status = -1;
      const std::string screen = OnTerminal(folder, c.arguments, columns, status);
      ASSERT_EQ(status, 0) << c.arguments[0] << ": " << screen;
      const std::vector<std::string> texts = Redraws(screen);
      ASSERT_FALSE(texts.empty()) << c.arguments[0];
      std::string all;
      for (const std::string& text : texts) {
        all += text + "\n";
        EXPECT_LT(text.size(), columns) << text;
      }
      for (const std::string& phase : c.phases) EXPECT_TRUE(Contains(all, phase)) << columns << ": " << phase << "\n" << all;
      if (columns == 200) {
        EXPECT_TRUE(Contains(all, "% ")) << all;
      }
    }
    std::vector<std::string> quiet = c.arguments;
    quiet.push_back("--quiet");
    int status = -1;
    EXPECT_EQ(OnTerminal(folder, quiet, 200, status), "") << c.arguments[0];
    EXPECT_EQ(status, 0);
  }
}

}  // namespace
}  // namespace tw::test
