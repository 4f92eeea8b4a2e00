#pragma once

// The whole program, put together once for both front ends (the desktop program and
// tunewright-cli) and for end-to-end tests: the application object with its start-up
// dialogs, the link, the serial port that reaches either the real ports or the built-in
// virtual receiver, and, once the working mode is chosen, the main view with the sheet of
// every registered page and the Basic Control group, all wired together.
//
// Usage (the front end owns the scheduler, the UiServices and the DialogHost):
//
//   pages::Workbench bench({scheduler, ui, dialogs,
//                           {app::DefaultSettingsPath("tunewright"), app::DefaultStateFolder()},
//                           [] { return std::make_unique<platform::QSerialPortBackend>(); }});
//   bench.Start(arguments, [&](bool windowed) {           // Start Mode / Tuner Region dialogs
//     if (!windowed) return quit();
//     bench.SelectPort("/dev/ttyUSB0");                     // or Workbench::kVirtualDevice
//     bench.Run(pages::Workbench::Operation::Upload, [&](pages::Workbench::Outcome outcome) {
//       // outcome.connected, outcome.listResult (0 completed, 1 failed, 2 cable error)
//     });
//   });
//   ...  // the event loop runs the scheduler
//   bench.Shutdown();                                       // settings written, port closed
//
// Scripts that must not ask anything start with a PresetStartup instead of the dialogs:
//   pages::PresetStartup startup(app::kStartModeAsync, /*tunerRegion=*/1);
//   bench.Start({}, startup, done);
// The command-line tool gives a settings file of its own (DefaultSettingsPath("tunewright-cli")),
// so that a script never changes the desktop program's port and page choices. With
// --emulator it runs on a comm::VirtualScheduler, selects kVirtualDevice and advances the
// clock until `done` (scheduler.runUntil); with --port on platform::QtScheduler in the Qt
// event loop. A DialogHost that only records what opens is enough for scripts: the link
// ends its progress dialogs itself and Run accepts the download notice.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/routed_serial_port.h"
#include "emu/emulator_options.h"
#include "emu/emulator_port.h"
#include "files/profile.h"
#include "settings/configuration_file.h"
#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/dialogs/startup_dialogs.h"
#include "ui/main_view.h"
#include "ui/page_link.h"

namespace tw::comm {
class Scheduler;
}
namespace tw::ui {
class DialogHost;
class UiServices;
}  // namespace tw::ui

namespace tw::pages {
class SystemMemoryPage;
}

namespace tw::session {

// How the message begins that tells the user a communication log cannot be written (the
// command line tells it from the others by this).
inline constexpr std::string_view kLogFailureStart = "The log ";
// What the user is told when a communication log cannot be written.
std::string LogFailureText(const std::filesystem::path& file, const std::string& reason);

// Start-up answers given in advance (command-line use, tests): the Start Mode result and,
// in Async Mode, the tuner region (a negative region keeps the link's own).
class PresetStartup final : public app::StartupUi {
 public:
  PresetStartup(int startMode, int tunerRegion = -1) : startMode_(startMode), tunerRegion_(tunerRegion) {}
  void AskStartMode(std::function<void(int result)> done) override { done(startMode_); }
  void AskTunerRegion(comm::Link& link, std::function<void()> done) override;

 private:
  int startMode_;
  int tunerRegion_;
};

struct WorkbenchSetup {
  comm::Scheduler& scheduler;
  ui::UiServices& ui;
  ui::DialogHost& dialogs;
  app::Application::Paths paths;
  // Builds the backend of the real serial ports; without one, no real port exists.
  std::function<std::unique_ptr<comm::SerialPort>()> makeRealPort;
  // The built-in virtual receiver, offered in the port list as "Virtual TQ-N4400".
  emu::EmulatorConfig emulator = {};
  bool offerVirtualReceiver = true;
  // Wall time of the logs (tests follow the virtual clock); default: the system clock.
  app::CommLog::Clock logClock = {};
  // The sheet's pages; every registered page unless a test gives its own.
  std::span<const pages::PageDescriptor> pages = pages::SheetPageDescriptors();
};

class Workbench {
 public:
  static constexpr std::string_view kVirtualDevice = emu::EmulatorPort::kDeviceName;

  explicit Workbench(WorkbenchSetup setup);
  ~Workbench();
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // Start-up: InitInstance (command line, settings, Start Mode and, in Async Mode, Tuner
  // Region), then the main window: sheet, Basic Control group and view, OnInitialUpdate.
  // `done(true)`: the window parts exist (open fileToOpen() if there is one);
  // `done(false)`: the program ends without a window. An automation start gives true
  // without a window (hasWindow() tells).
  void Start(const std::vector<std::string>& arguments, std::function<void(bool windowed)> done);
  // The same with other start-up answers (options, PresetStartup).
  void Start(const std::vector<std::string>& arguments, app::StartupUi& startup,
             std::function<void(bool windowed)> done);
  // Shut-down: the view stores its settings, the window parts go, the application writes
  // the settings and closes the port; a settings file that could not be written is told
  // (the previous one is left whole). Runs once; the destructor runs it if needed.
  void Shutdown();

  bool hasWindow() const { return window_ != nullptr; }
  // The view's initial update, as at start-up and again after a configuration file is opened:
  // Speaker Distance learns the mode and the unit of the current image, then the view
  // arranges itself and restores the stored port and page. Only while hasWindow().
  void InitialUpdate();

  app::Application& app() { return app_; }
  comm::Link& link() { return app_.link(); }
  comm::Scheduler& scheduler() { return scheduler_; }
  ui::DialogHost& dialogs() { return dialogs_; }
  // The window parts; only while hasWindow().
  ui::MainView& view();
  pages::Sheet& sheet();
  ui::BasicControlGroup& basicControls();
  // The System Memory window (shown by the main form's System Memory button).
  pages::SystemMemoryPage& memoryPage();
  // --- the configuration file and the report over the sheet and the Basic Control group ---
  // Only while hasWindow().
  settings::ConfigurationFile& configuration();
  std::string& userMemo();
  // Reads a ".qcf" into the seven images and the memo, then every control shows it again.
  // A file that cannot be read, or that sets nothing at all, changes nothing (the status
  // says why); `warnings`, when given, gets one line for each thing a user should know about
  // the rest (settings the file lacks, entries it could not take).
  // A file that lacks settings is remembered: a Download asks first, since it would send
  // the values Tunewright holds for them, until a complete file or an upload replaces them.
  files::FileStatus LoadConfiguration(const std::filesystem::path& path,
                                      std::vector<std::string>* warnings = nullptr);
  // Replaces the file at once (a failed save leaves the previous file).
  files::FileStatus SaveConfiguration(const std::filesystem::path& path);
  std::string BuildReport();

  // The built-in virtual receiver (it keeps its settings while the program runs).
  emu::EmulatorPort& virtualPort() { return virtualPort_; }
  emu::VirtualReceiver& virtualReceiver() { return virtualPort_.receiver(); }

  // Selects the port-list entry of `device` (kVirtualDevice for the virtual receiver, or
  // an empty name for "Auto"); false when the list has no such entry.
  bool SelectPort(std::string_view device);

  // --- the user's operations, for scripts that wait for their end ---
  enum class Operation {
    Open,      // Real Time Mode: connect and read the receiver
    Reload,    // Real Time Mode: Close, then Open (no question)
    Upload,    // Async Mode: receiver to tool
    Download,  // Async Mode: tool to receiver; a notice that opens is accepted
  };
  struct Outcome {
    bool connected = false;
    // 0 completed, 1 failed, 2 cable error; -1 when no list ran (Open, a failed or
    // cancelled connect).
    int listResult = -1;
    // An upload read every setting and memory (listResult 1: only its write-back failed,
    // and the images keep what was read).
    bool readEverything = false;
    // An upload that had loaded a System Memory did not end normally: what the receiver now
    // holds and, when it could not be restored, the recovery file and the command that
    // restores it (one line). Empty otherwise.
    std::string interruption;
  };
  // Starts `operation` as its button would and calls `done` once it has ended. One at a
  // time: false (nothing starts) while another is still running or without a window.
  bool Run(Operation operation, std::function<void(Outcome)> done);
  bool isRunning() const { return static_cast<bool>(pending_); }

  // The view's continuations pass through here as well; front ends that watch every
  // connection and list set these rather than the view's own.
  std::function<void(bool connected)> onConnectFinished;
  std::function<void(comm::ListResult result)> onCommandsFinished;

 private:
  struct Window;

  void createWindow();
  void connectFinished(bool connected);
  void commandsFinished(comm::ListResult result);
  void uploadInterrupted(const comm::UploadInterruption& what);
  void finish(Outcome outcome);
  bool confirmDownload();

  comm::Scheduler& scheduler_;
  ui::UiServices& ui_;
  ui::DialogHost& dialogs_;
  bool offerVirtualReceiver_;
  std::span<const pages::PageDescriptor> pages_;
  std::unique_ptr<comm::SerialPort> realPort_;
  emu::EmulatorPort virtualPort_;
  app::RoutedSerialPort port_;
  app::Application app_;
  ui::DialogStartupUi startupDialogs_;
  std::unique_ptr<Window> window_;
  // The window's parts; throws when there is no window.
  Window& window() const;
  bool shutDown_ = false;
  std::optional<std::string> lackingSettings_;

  std::function<void(Outcome)> pending_;
  Operation pendingOperation_ = Operation::Open;
  std::string interruption_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tw::session
