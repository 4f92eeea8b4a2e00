#include "app/app_harness.h"
#include "app/app_settings.h"
#include "app/command_line.h"
#include "model/parameter_access.h"
#include "model/text_field.h"
#include "model/tuner_presets.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using test::AppFixture;
using test::ReadFile;
using test::ScratchFolder;
using test::WriteFile;

constexpr const char* kStored = "[DispSet]\r\nPort=ttyS1\r\nActivePage=Speaker Set\r\nConfirmDownload=NO\r\n";

TEST(CommandLine, SwitchesAndTheFileToOpen) {
  EXPECT_TRUE(ParseCommandLine({"/RegServer"}).registrationSwitch);
  EXPECT_TRUE(ParseCommandLine({"-unregserver"}).registrationSwitch);
  EXPECT_FALSE(ParseCommandLine({"/home/u/RegServer"}).registrationSwitch);
  const CommandLine line = ParseCommandLine({"-x", "/home/u/setup.qcf", "other.qcf"});
  ASSERT_TRUE(line.fileToOpen);
  EXPECT_EQ(*line.fileToOpen, "/home/u/setup.qcf");
  EXPECT_TRUE(ParseCommandLine({"/Embedding"}).automationStart);
  EXPECT_FALSE(ParseCommandLine({"", "-"}).fileToOpen);
}

TEST(Startup, RegistrationSwitchEndsAtOnceWithoutDialogOrSettingsWrite) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  WriteFile(folder.path() / "tunewright.ini", kStored);
  EXPECT_FALSE(f.start(kStartModeRealTime, {"-RegServer"}));
  f.app.ExitInstance();
  EXPECT_EQ(f.startup.startModeAsked, 0);
  EXPECT_FALSE(f.app.settingsRead());
  EXPECT_EQ(ReadFile(folder.path() / "tunewright.ini"), kStored);
}

TEST(Startup, CancelledStartModeLeavesTheSettingsFileAsItWas) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  // Quoted values and LF line ends: read and compared as values, never rewritten.
  const std::string stored = "[DispSet]\nPort=\"ttyS1\"\nActivePage=Speaker Set\nConfirmDownload=NO\n";
  WriteFile(folder.path() / "tunewright.ini", stored);
  EXPECT_FALSE(f.start(kDialogCancel));
  EXPECT_FALSE(f.app.hasLink());
  f.app.ExitInstance();
  EXPECT_EQ(f.startup.tunerRegionAsked, 0);
  EXPECT_EQ(ReadFile(folder.path() / "tunewright.ini"), stored);
}

TEST(Startup, FirstStartWithoutSettingsFileCreatesItAtExit) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  ASSERT_TRUE(f.start(kStartModeRealTime));
  EXPECT_EQ(f.app.setting(kPortSetting), "");
  EXPECT_EQ(f.app.setting(kActivePageSetting), "");
  EXPECT_EQ(f.app.setting(kConfirmDownloadSetting), "");
  f.app.ExitInstance();
  EXPECT_EQ(ReadFile(folder.path() / "tunewright.ini"), "[DispSet]\r\nPort=\r\nActivePage=\r\nConfirmDownload=\r\n");
}

TEST(Startup, SettingsChangedInMemoryAreWrittenAtExitOnly) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  WriteFile(folder.path() / "tunewright.ini", "[Other]\r\nA=1\r\n" + std::string(kStored));
  ASSERT_TRUE(f.start(kStartModeRealTime));
  EXPECT_EQ(f.app.setting(kPortSetting), "ttyS1");
  f.app.setSetting(kPortSetting, "Auto");
  f.app.setSetting(kConfirmDownloadSetting, std::string(300, 'y'));
  EXPECT_EQ(f.app.setting(kConfirmDownloadSetting).size(), 255u);
  EXPECT_NE(ReadFile(folder.path() / "tunewright.ini").find("Port=ttyS1"), std::string::npos);
  f.app.ExitInstance();
  EXPECT_EQ(ReadFile(folder.path() / "tunewright.ini"),
            "[Other]\r\nA=1\r\n[DispSet]\r\nPort=Auto\r\nActivePage=Speaker Set\r\nConfirmDownload=" +
                std::string(255, 'y') + "\r\n");
}

TEST(Startup, AsyncModeAsksTheTunerRegionAndAppliesItsPresets) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  f.startup.tunerRegionAnswer = 0;
  ASSERT_TRUE(f.start(kStartModeAsync, {"/tmp/x.qcf"}));
  EXPECT_EQ(f.app.workingMode(), kAsyncMode);
  EXPECT_EQ(f.startup.tunerRegionAsked, 1);
  EXPECT_EQ(f.app.link().tunerRegion(), 0);
  EXPECT_EQ(f.app.link().workingMode(), comm::WorkingMode::Async);
  const model::ParameterImage& current = f.app.link().images().All()[0];
  EXPECT_EQ(model::ReadText(current.tuner[0]), model::kTunerRegionTables[0][0]);  // "076.00", Japan
  ASSERT_TRUE(f.app.fileToOpen());
  EXPECT_EQ(*f.app.fileToOpen(), "/tmp/x.qcf");
}

TEST(Startup, TunerRegionLeftAsItWasKeepsRegionOnePresets) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  ASSERT_TRUE(f.start(kStartModeAsync));
  EXPECT_EQ(f.app.link().tunerRegion(), 1);
  EXPECT_EQ(model::ReadText(f.app.link().images().All()[0].tuner[0]), "087.50");
}

TEST(Startup, RealTimeModeDoesNotAskTheRegion) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  ASSERT_TRUE(f.start(kStartModeRealTime));
  EXPECT_TRUE(f.app.isRealTime());
  EXPECT_EQ(f.startup.tunerRegionAsked, 0);
  EXPECT_EQ(f.app.link().workingMode(), comm::WorkingMode::RealTime);
}

TEST(Settings, DefaultPathFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(DefaultSettingsPath("tunewright-gui"), std::filesystem::path("/tmp/cfg/tunewright/tunewright-gui.ini"));
  setenv("XDG_CONFIG_HOME", "", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(DefaultSettingsPath("tw"), std::filesystem::path("/home/u/.config/tunewright/tw.ini"));
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
}

}  // namespace
}  // namespace tw::app
