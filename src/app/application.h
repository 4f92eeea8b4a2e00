#pragma once

#include "app/app_settings.h"
#include "app/command_line.h"
#include "app/comm_log.h"
#include "comm/link.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {
class Scheduler;
class SerialPort;
}  // namespace tw::comm

namespace tw::app {

// Working modes, chosen once at start-up.
inline constexpr int kAsyncMode = 0;
inline constexpr int kRealTimeMode = 1;
inline constexpr int kModeNotChosen = -1;

// What the Start Mode dialog ends with.
inline constexpr int kStartModeAsync = 1244;
inline constexpr int kStartModeRealTime = 1245;
inline constexpr int kDialogCancel = 2;

// The titles of the program (message boxes take ui::kApplicationTitle).
inline constexpr std::string_view kWindowTitle = "Tunewright for N4400 ver1.02";
inline constexpr std::string_view kRealTimeDocumentTitle = "Real Time Mode";
inline constexpr std::string_view kAsyncDocumentTitle = "Async Mode";

// The two start-up questions, asked by the user interface. Both are modal dialogs whose
// end arrives later through `done`.
class StartupUi {
 public:
  virtual ~StartupUi() = default;
  // The Start Mode dialog: `done` gets kStartModeAsync, kStartModeRealTime or kDialogCancel.
  virtual void AskStartMode(std::function<void(int result)> done) = 0;
  // The Tuner Region dialog; on OK it stores the region into the link.
  virtual void AskTunerRegion(comm::Link& link, std::function<void()> done) = 0;
};

// The application object: the working mode, the persistent settings, the communication
// logs and the one link. Front ends (GUI, command-line tool) create it first, run its
// start-up, then build the main view on it.
class Application {
 public:
  struct Paths {
    std::filesystem::path settingsFile;  // see DefaultSettingsPath
    std::filesystem::path logFolder;     // where the logs go (see DefaultStateFolder)
  };

  Application(comm::SerialPort& port, comm::Scheduler& scheduler, Paths paths, CommLog::Clock clock = {});
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up: the command line, the settings, the Start Mode dialog, in Async Mode the Tuner
  // Region dialog with the tuner defaults of the chosen region. `done(true)` means: create
  // the main window (and open fileToOpen() if there is one); `done(false)` ends the program
  // without a window (a registration switch, or Start Mode cancelled). An automation start
  // ends with done(true) and automationStart() set: no window either.
  void InitInstance(const std::vector<std::string>& arguments, StartupUi& ui, std::function<void(bool ok)> done);
  // Shut-down: writes the settings (only when this run read them) and closes the port.
  // Returns how the settings write went, for the front end to tell the user.
  files::FileStatus ExitInstance();

  // The settings array: read at start-up, changed in memory, written at shut-down.
  void ReadSettings();
  files::FileStatus WriteSettings();
  bool settingsRead() const { return settingsRead_; }
  const std::string& setting(int index) const;
  void setSetting(int index, std::string value);
  const std::filesystem::path& settingsFile() const { return paths_.settingsFile; }
  // The pacing of reads given on the command line; it wins over the settings file's.
  void setReadPacing(std::optional<comm::ReadPacing> chosen) { pacingChosen_ = chosen; }

  int workingMode() const { return workingMode_; }
  bool isRealTime() const { return workingMode_ == kRealTimeMode; }
  const std::optional<std::string>& fileToOpen() const { return commandLine_.fileToOpen; }
  bool automationStart() const { return commandLine_.automationStart; }

  // The link exists once the working mode is chosen.
  bool hasLink() const { return link_ != nullptr; }
  comm::Link& link() { return *link_; }
  comm::SerialPort& port() { return port_; }
  comm::Scheduler& scheduler() { return scheduler_; }

  CommLog& log() { return log_; }

 private:
  void chooseMode(int result, StartupUi& ui, const std::function<void(bool)>& done);

  comm::SerialPort& port_;
  comm::Scheduler& scheduler_;
  Paths paths_;
  SettingTexts settings_;
  bool settingsRead_ = false;
  std::optional<comm::ReadPacing> pacingChosen_;
  comm::ReadPacing pacing_ = comm::ReadPacing::Mandated;
  int workingMode_ = kModeNotChosen;
  CommandLine commandLine_;
  CommLog log_;
  std::unique_ptr<comm::Link> link_;
};

}  // namespace tw::app
