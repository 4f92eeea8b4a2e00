// report, params, diff and set --dry-run as this test program builds them: from the
// configuration commands and the settings catalogue alone. The program links no page
// library, so none of these commands can build a page.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_set_edit.h"
#include "model/parameter_access.h"
#include "settings/offline_configuration.h"

namespace tw::test {
namespace {

struct CommandRun {
  int status = 0;
  std::string out;
};

CommandRun RunCommand(std::vector<std::string> arguments) {
  CLI::App app;
  int status = cli::kExitOk;
  for (cli::CommandRegistrar registrar : {cli::registerReport, cli::registerParams, cli::registerDiff}) {
    registrar(app, status);
  }
  std::ostringstream out;
  std::streambuf* const saved = std::cout.rdbuf(out.rdbuf());
  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
  try {
    app.parse(arguments);
  } catch (const cli::CliFailure& failure) {
    status = failure.status;
  }
  std::cout.rdbuf(saved);
  return {status, out.str()};
}

// A configuration file of tuner region 1 whose Speaker Level FL is +2.5 dB.
std::string FileWithFrontLeftRaised() {
  settings::OfflineConfiguration configuration(1);
  EXPECT_TRUE(model::SetParameter(*configuration.images.Image(0), 268, 25));
  const auto path = std::filesystem::temp_directory_path() / "tunewright_configuration_commands.qcf";
  EXPECT_TRUE(configuration.Save().Save(path));
  return path.string();
}

TEST(ConfigurationCommands, RunOnTheCatalogueAlone) {
  const std::string file = FileWithFrontLeftRaised();

  const CommandRun diff = RunCommand({"diff", file, "--defaults"});
  EXPECT_EQ(diff.status, cli::kExitLinkFailed);
  EXPECT_EQ(diff.out, "[Speaker Level]\nFL: \"2.5dB\" vs \"0.0dB\"\n");

  const CommandRun report = RunCommand({"report", file});
  EXPECT_EQ(report.status, cli::kExitOk);
  EXPECT_NE(report.out.find("\r\n(Speaker Level)\r\nFL = 2.5dB\r\n"), std::string::npos);
  EXPECT_NE(report.out.find("    25. Memory 6 Zone3 Volume\r\n"), std::string::npos);

  const CommandRun params = RunCommand({"params", file});
  EXPECT_EQ(params.status, cli::kExitOk);
  EXPECT_NE(params.out.find("0\t268\t25\n"), std::string::npos);

  std::filesystem::remove(file);

  // What set --dry-run runs.
  std::ostringstream frames;
  std::streambuf* const saved = std::cout.rdbuf(frames.rdbuf());
  cli::SetOptions options;
  options.page = "DSP Parameters Hall in Munich";
  options.key = "DSP Level";
  options.value = "3dB";
  const int status = cli::RunDryRun(options);
  std::cout.rdbuf(saved);
  EXPECT_EQ(status, cli::kExitOk);
  EXPECT_EQ(frames.str(), "<DC4>200B0211000E00906<ETX>\n");
}

}  // namespace
}  // namespace tw::test
